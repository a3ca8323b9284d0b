// Write failures of the Tools engines, made natively with a file-size
// limit: writes beyond it fail (EFBIG) as on a full disk. Each engine must
// report the failure and leave no partial file.
#include "image/floppy_reader.h"
#include "image/new_image.h"
#include "image/replace_text.h"
#include "platform/byte_order.h"
#include "platform/floppy_device.h"

#include "tests/file_bytes.h"
#include "tool_test_support.h"

#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace {

typedef std::vector<uint8_t> Bytes;

const rlim_t kLimit = 100 * 1024;

class WriteErrors : public tooltest::ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
  }
  void TearDown() override {
    Unlimit();
    ToolTest::TearDown();
  }
  void Limit() {
    struct rlimit limit = saved_;
    limit.rlim_cur = kLimit;
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &limit));
  }
  void Unlimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
  struct rlimit saved_;
};

TEST_F(WriteErrors, NewImageReportsAWriteErrorAndKeepsTheOldOutput) {
  Bytes seed(512, 0);
  const uint8_t bpb[] = {0xEB, 0x3C, 0x90, 'M', 'S', 'W', 'I', 'N', '4', '.', '1', 0, 2, 1, 1, 0, 2, 224, 0,
                         0x40, 0x0B, 0xF0, 9, 0};
  memcpy(seed.data(), bpb, sizeof bpb);
  seed[510] = 0x55, seed[511] = 0xAA;
  ASSERT_TRUE(WriteBytes(File("seed.img"), seed));
  ASSERT_TRUE(WriteBytes(File("new.img"), Bytes(3, 'o')));
  Limit();
  NewImageResult result = CreateNewImage("1440", File("seed.img").c_str(), File("new.img").c_str());
  Unlimit();
  EXPECT_EQ(kNewImageWriteError, result);
  ShowNewImageResult(result, "1440");
  EXPECT_EQ("Image file write error!", BoxTexts().back());
  EXPECT_EQ(Bytes(3, 'o'), ReadBytes(File("new.img")));
  EXPECT_EQ((std::vector<std::string>{"new.img", "seed.img"}), Names());
}

TEST_F(WriteErrors, ReplaceTextSaysHowManyReplacementsWereWritten) {
  Bytes file(300 * 1024, '.');
  file[10] = 'X';          // in the first window, inside the limit
  file[200 * 1024] = 'X';  // beyond the limit
  ASSERT_TRUE(WriteBytes(File("data.bin"), file));
  Limit();
  int count = 0;
  ReplaceTextResult result = ReplaceTextInFile(File("data.bin").c_str(), "X", "Y", &count);
  Unlimit();
  EXPECT_EQ(kReplaceWriteError, result);
  EXPECT_EQ(1, count);
  ShowReplaceTextResult(result, "data.bin", count);
  EXPECT_EQ("File 'data.bin' write error! 1 string(s) were replaced before it.", BoxTexts().back());
}

Bytes g_disk;
FloppyHandle Open(const char*) { return 1; }
FloppyHandle OpenVwin32() { return kInvalidFloppyHandle; }
bool ReadAt(FloppyHandle, uint64_t offset, void* buffer, uint32_t bytes, uint32_t* got) {
  memcpy(buffer, g_disk.data() + offset, bytes);
  *got = bytes;
  return true;
}
bool Int13(FloppyHandle, Int13Registers*, void*) { return false; }
void Close(FloppyHandle) {}
const FloppyDeviceAccess kDisk = {Open, OpenVwin32, ReadAt, Int13, Close};

TEST_F(WriteErrors, FloppyReaderRemovesThePartialImage) {
  g_disk.assign(2880 * 512, 0xAB);
  put16le(&g_disk[11], 512);
  put16le(&g_disk[19], 2880);
  put16le(&g_disk[24], 18);
  put16le(&g_disk[26], 2);
  SetFloppyDeviceAccess(&kDisk);
  Limit();
  FloppyReadResult result = ReadFloppyImage("A:", File("boot.img").c_str(), true, nullptr);
  Unlimit();
  SetFloppyDeviceAccess(nullptr);
  EXPECT_EQ(kFloppyReadWriteError, result);
  ShowFloppyReadResult(result, "A:", "boot.img", "");
  EXPECT_EQ("File 'boot.img' Write Error!", BoxTexts().back());
  EXPECT_TRUE(Names().empty());
}

}  // namespace
