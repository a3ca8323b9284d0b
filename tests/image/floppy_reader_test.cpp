// The floppy reader against a fake of the floppy device seam that serves a
// disk image from memory, on both access paths: byte offsets through the
// device path, and INT 13h register blocks through VWIN32 (the 9x path,
// which only this fake can exercise).
#include "image/floppy_drives.h"
#include "image/floppy_reader.h"
#include "image/floppy_sectors.h"
#include "image/progress_seam.h"
#include "image/staged_output.h"
#include "platform/byte_order.h"
#include "platform/floppy_device.h"
#include "platform/disk_queries.h"

#include "tests/file_bytes.h"
#include "tool_test_support.h"

#include <cstring>

namespace {

const FloppyHandle kFakeHandle = 7;

struct FakeDisk {
  std::vector<uint8_t> bytes;
  uint32_t spt = 18, heads = 2;        // the disk's real geometry, for INT 13h
  std::vector<std::string> opened;     // paths; "vwin32" for the 9x device
  std::vector<Int13Registers> blocks;  // every INT 13h block as handed over
  std::vector<std::pair<uint64_t, uint32_t>> reads;  // device-path offsets and sizes
  int closes = 0;
  bool openFails = false;
  long shortReadAt = -1;  // device path: this offset returns one byte less
  int carryAtCylinder = -1;
};
FakeDisk g_disk;

FloppyHandle FakeOpenPath(const char* path) {
  g_disk.opened.push_back(path);
  return g_disk.openFails ? kInvalidFloppyHandle : kFakeHandle;
}
FloppyHandle FakeOpenVwin32() {
  g_disk.opened.push_back("vwin32");
  return g_disk.openFails ? kInvalidFloppyHandle : kFakeHandle;
}
bool FakeReadAt(FloppyHandle h, uint64_t offset, void* buffer, uint32_t bytes, uint32_t* got) {
  EXPECT_EQ(kFakeHandle, h);
  g_disk.reads.push_back({offset, bytes});
  if (offset >= g_disk.bytes.size()) return true;  // end of the disk: nothing read
  uint32_t n = (uint32_t)std::min<uint64_t>(bytes, g_disk.bytes.size() - offset);
  if ((long)offset == g_disk.shortReadAt) --n;
  memcpy(buffer, g_disk.bytes.data() + offset, n);
  *got = n;
  return true;
}
// Plays the BIOS: AH=02 reads AL sectors from CH/CL/DH of the disk.
bool FakeInt13(FloppyHandle h, Int13Registers* r, void* buffer) {
  g_disk.blocks.push_back(*r);
  uint32_t cylinder = (r->ecx >> 8) & 0xFF, sector = r->ecx & 0xFF, head = (r->edx >> 8) & 0xFF;
  uint32_t count = r->eax & 0xFF;
  uint64_t lba = ((uint64_t)cylinder * g_disk.heads + head) * g_disk.spt + sector - 1;
  if ((int)cylinder == g_disk.carryAtCylinder || (lba + count) * 512 > g_disk.bytes.size()) return true;
  memcpy(buffer, g_disk.bytes.data() + lba * 512, count * 512);
  r->flags &= ~1u;
  return true;
}
void FakeClose(FloppyHandle) { ++g_disk.closes; }
const FloppyDeviceAccess kFakeAccess = {FakeOpenPath, FakeOpenVwin32, FakeReadAt, FakeInt13, FakeClose};

int g_updates = 0;
int g_stopAt = -1;
int CountUpdates(double) {
  if (++g_updates == g_stopAt) ProgressCancelled = 1;  // Stop pressed during this update
  return ProgressCancelled;
}
const ProgressHandlers kProgress = {nullptr, nullptr, nullptr, CountUpdates, nullptr, nullptr, nullptr};

// A disk of sectors whose bytes name their number, with a boot sector of
// the given geometry.
std::vector<uint8_t> MakeDisk(uint32_t sectors, uint32_t total16, uint32_t spt, uint32_t heads,
                              uint32_t bytesPerSector = 512) {
  std::vector<uint8_t> disk(sectors * 512);
  for (size_t i = 0; i < disk.size(); ++i) disk[i] = (uint8_t)(i / 512 * 7 + i % 13);
  put16le(&disk[11], bytesPerSector);
  put16le(&disk[19], total16);
  put16le(&disk[24], spt);
  put16le(&disk[26], heads);
  return disk;
}

class FloppyReader : public tooltest::ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    g_disk = FakeDisk();
    g_updates = 0;
    g_stopAt = -1;
    SetFloppyDeviceAccess(&kFakeAccess);
    SetProgressHandlers(&kProgress);
    out_ = File("boot.img");
  }
  void TearDown() override {
    SetFloppyDeviceAccess(nullptr);
    SetProgressHandlers(nullptr);
    ToolTest::TearDown();
  }
  FloppyReadResult Read(const char* drive = "A:", bool devicePath = true) {
    FloppyReadResult result = ReadFloppyImage(drive, out_.c_str(), devicePath, kept_);
    ShowFloppyReadResult(result, drive, out_.c_str(), kept_);
    return result;
  }
  std::string out_;
  char kept_[kStagedPathSize] = "";
};

TEST_F(FloppyReader, DevicePathCopiesAWholeDiskAndReadsTheBootSectorAsExactly512Bytes) {
  g_disk.bytes = MakeDisk(2880, 2880, 18, 2);
  put16le(FloppyBootHeader + 11, 4096);  // an earlier disk's geometry must not matter
  EXPECT_EQ(kFloppyReadDone, Read());
  EXPECT_EQ(g_disk.bytes, ReadBytes(out_));
  EXPECT_EQ(std::vector<std::string>{"\\\\.\\A:"}, g_disk.opened);
  ASSERT_FALSE(g_disk.reads.empty());
  EXPECT_EQ(0u, g_disk.reads[0].first);
  EXPECT_EQ(512u, g_disk.reads[0].second);
  EXPECT_EQ(18u * 512, g_disk.reads[1].second);  // then one track at a time
  EXPECT_EQ(80, g_updates);
  EXPECT_EQ(1, g_disk.closes);
  EXPECT_EQ(std::vector<std::string>{"Floppy Image OK!"}, BoxTexts());
  EXPECT_EQ(std::vector<std::string>{"boot.img"}, Names());
}

TEST_F(FloppyReader, SectorsBeyondTheLastWholeCylinderAreLeftOut) {
  g_disk.bytes = MakeDisk(2880 + 5, 2880 + 5, 18, 2);
  EXPECT_EQ(kFloppyReadDone, Read());
  EXPECT_EQ(2880u * 512, ReadBytes(out_).size());
}

TEST_F(FloppyReader, Vwin32PathReadsTracksThroughInt13RegisterBlocks) {
  g_disk.bytes = MakeDisk(5760, 5760, 36, 2);
  g_disk.spt = 36;
  EXPECT_EQ(kFloppyReadDone, Read("B:", false));
  EXPECT_EQ(g_disk.bytes, ReadBytes(out_));
  EXPECT_EQ(std::vector<std::string>{"vwin32"}, g_disk.opened);
  EXPECT_EQ(1, FloppyDriveNumber);
  ASSERT_EQ(1u + 80 * 2, g_disk.blocks.size());
  const Int13Registers& boot = g_disk.blocks[0];
  EXPECT_EQ(0x0201u, boot.eax);
  EXPECT_EQ(0x0001u, boot.ecx);
  EXPECT_EQ(0x0001u, boot.edx);
  const Int13Registers& last = g_disk.blocks.back();  // cylinder 79, head 1, sectors 1-36
  EXPECT_EQ(0x0200u + 36, last.eax);
  EXPECT_EQ(79u * 256 + 1, last.ecx);
  EXPECT_EQ(1u * 256 + 1, last.edx);
  EXPECT_EQ(0u, last.edi);
  EXPECT_EQ(0u, last.esi);
  EXPECT_EQ(1u, g_disk.blocks[5].flags & 1) << "carry is preset in every block handed over";
}

TEST_F(FloppyReader, Vwin32CarryFailsTheReadAndRemovesThePartialImage) {
  g_disk.bytes = MakeDisk(2880, 2880, 18, 2);
  g_disk.carryAtCylinder = 40;
  EXPECT_EQ(kFloppyReadReadError, Read("A:", false));
  EXPECT_EQ(std::vector<std::string>{"Floppy drive A: read error!"}, BoxTexts());
  EXPECT_TRUE(Names().empty());
  EXPECT_EQ(1, g_disk.closes);
}

TEST_F(FloppyReader, DisksWithoutAUsableGeometryAreRefusedBeforeAnyFileIsMade) {
  struct Case {
    uint32_t bytesPerSector, total, spt, heads;
  } cases[] = {
      {0, 2880, 18, 2}, {700, 2880, 18, 2}, {512, 2880, 0, 2}, {512, 2880, 64, 2},
      {512, 2880, 18, 0}, {512, 35, 18, 2},  // not one whole cylinder
  };
  for (const Case& c : cases) {
    g_disk.bytes = MakeDisk(2880, c.total, c.spt, c.heads, c.bytesPerSector);
    EXPECT_EQ(kFloppyReadBadGeometry, Read()) << c.bytesPerSector << " " << c.total << " " << c.spt << " " << c.heads;
  }
  EXPECT_TRUE(Names().empty());
  EXPECT_EQ(std::string("Floppy drive A: read error!"), BoxTexts().back());
  EXPECT_EQ(6, g_disk.closes);
}

TEST_F(FloppyReader, ADiskOf32MegabytesOrMoreIsRefusedWithTheReason) {
  // Such a disk (a USB stick) counts its sectors in the 32-bit field; the
  // 16-bit total is 0.
  g_disk.bytes = MakeDisk(2880, 0, 63, 255);
  put32le(&g_disk.bytes[32], 65536);
  EXPECT_NE(kFloppyReadDone, Read());
  ASSERT_EQ(1u, BoxTexts().size());
  EXPECT_EQ("The disk in drive A: is too large: it holds 32 MB or more, and only disks smaller than 32 MB can be "
            "read into an image.",
            BoxTexts()[0]);
  EXPECT_TRUE(Names().empty());
  EXPECT_EQ(1, g_disk.closes);
}

TEST_F(FloppyReader, ShortReadIsAFailureAndAnExistingOutputStaysAsItWas) {
  g_disk.bytes = MakeDisk(2880, 2880, 18, 2);
  g_disk.shortReadAt = 40 * 2 * 18 * 512;
  ASSERT_TRUE(WriteBytes(out_, {'o', 'l', 'd'}));
  EXPECT_EQ(kFloppyReadReadError, Read());
  EXPECT_EQ((std::vector<uint8_t>{'o', 'l', 'd'}), ReadBytes(out_));
  EXPECT_EQ(std::vector<std::string>{"boot.img"}, Names());
  ASSERT_EQ(2u, BoxTexts().size());
  EXPECT_NE(std::string::npos, BoxTexts()[0].find("Exist,Overwrite?"));
}

TEST_F(FloppyReader, ADiskReadWholeIsKeptWhenTheOutputCannotBeReplacedAndNoLaterReadRemovesIt) {
  const std::vector<uint8_t> disk1 = MakeDisk(2880, 2880, 18, 2);
  std::vector<uint8_t> disk2 = disk1;
  std::fill(disk2.begin() + 512, disk2.end(), 0xD2);
  const std::string inside = Path(out_, "inside");
  ASSERT_TRUE(CreateFolder(out_.c_str()) && WriteBytes(inside, {'x'}));  // a folder takes no file's place
  g_disk.bytes = disk1;
  EXPECT_EQ(kFloppyReadKept, Read());
  EXPECT_EQ(out_ + ".new", kept_);
  EXPECT_EQ(disk1, ReadBytes(out_ + ".new"));
  ASSERT_EQ(2u, BoxTexts().size());  // the overwrite question, then where the image is
  EXPECT_EQ("The disk was read, but '" + out_ + "' could not be replaced: it may be open in another program. "
            "The image is kept as '" + out_ + ".new'.",
            BoxTexts()[1]);

  // Disk 2 into the same name fails, beside the work file of a killed read:
  // that goes, disk 1's image stays.
  ASSERT_TRUE(WriteBytes(out_ + ".tw~", {'k'}));
  g_disk.bytes = disk2;
  g_disk.shortReadAt = 40 * 2 * 18 * 512;
  EXPECT_EQ(kFloppyReadReadError, Read());
  EXPECT_EQ(disk1, ReadBytes(out_ + ".new"));
  EXPECT_EQ((std::vector<std::string>{"boot.img", "boot.img.new"}), Names());

  // Read whole, disk 2 is kept under the next free name.
  g_disk.shortReadAt = -1;
  EXPECT_EQ(kFloppyReadKept, Read());
  EXPECT_EQ(out_ + ".new1", kept_);
  EXPECT_EQ(disk2, ReadBytes(out_ + ".new1"));
  EXPECT_EQ(disk1, ReadBytes(out_ + ".new"));

  // Ten kept names taken: the eleventh image has a name of its own too.
  for (int i = 2; i <= 9; ++i) ASSERT_TRUE(WriteBytes(out_ + ".new" + std::to_string(i), {'u'}));
  EXPECT_EQ(kFloppyReadKept, Read());
  EXPECT_EQ(out_ + ".new10", kept_);
  EXPECT_EQ(disk2, ReadBytes(kept_));
  EXPECT_EQ(disk1, ReadBytes(out_ + ".new"));
  ForceDeleteFile(inside.c_str());
  RemoveFolder(out_.c_str());
}

TEST_F(FloppyReader, StopLeavesNoFileAndNoMessage) {
  g_disk.bytes = MakeDisk(2880, 2880, 18, 2);
  g_stopAt = 10;
  EXPECT_EQ(kFloppyReadCancelled, Read());
  EXPECT_EQ(10, g_updates);
  EXPECT_TRUE(Names().empty());
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(FloppyReader, NoToOverwriteReadsNoTrackAndClosesTheDrive) {
  g_disk.bytes = MakeDisk(2880, 2880, 18, 2);
  ASSERT_TRUE(WriteBytes(out_, {'o', 'l', 'd'}));
  tooltest::TheBoxes().answer = kIdNo;
  EXPECT_EQ(kFloppyReadNotOverwritten, Read());
  EXPECT_EQ(1u, g_disk.reads.size());
  EXPECT_EQ(1, g_disk.closes);
  EXPECT_EQ(3u, ReadBytes(out_).size());
  EXPECT_EQ(1u, BoxTexts().size());
}

TEST_F(FloppyReader, UnopenableDriveAndEmptyInputs) {
  g_disk.openFails = true;
  EXPECT_EQ(kFloppyReadOpenError, Read());
  EXPECT_EQ(std::vector<std::string>{"Floppy drive A: error!"}, BoxTexts());
  EXPECT_EQ(kFloppyReadNothingToDo, ReadFloppyImage("", out_.c_str(), true, nullptr));
  EXPECT_EQ(kFloppyReadNothingToDo, ReadFloppyImage("A:", "", true, nullptr));
  EXPECT_EQ(kFloppyReadCreateError, ReadFloppyImage("A:", std::string(260, 'x').c_str(), true, nullptr));
  EXPECT_EQ(1u, g_disk.opened.size());
}

// --- the drive list ---------------------------------------------------------

const char kRoots[] = "a:\\\0C:\\\0E:\\\0f:\\\0";
unsigned FakeDriveStrings(char* buffer, unsigned size) {
  if (size < sizeof kRoots) return sizeof kRoots;
  memcpy(buffer, kRoots, sizeof kRoots);
  return sizeof kRoots - 1;
}
unsigned FakeDriveType(const char* root) { return root[0] == 'C' || root[0] == 'f' ? 3 : kDriveRemovable; }
const DiskQueries kFakeDrives = {FakeDriveStrings, FakeDriveType, nullptr, nullptr};

TEST(FloppyDrives, EveryRemovableDriveIsListedInUpperCase) {
  SetDiskQueries(&kFakeDrives);
  FloppyDriveList list;
  EXPECT_EQ(2, ListRemovableDrives(&list));
  EXPECT_STREQ("A:", list.names[0]);
  EXPECT_STREQ("E:", list.names[1]);
  SetDiskQueries(nullptr);
}

}  // namespace
