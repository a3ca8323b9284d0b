// The new-image maker: seed recognition, the size table, the FAT12 layout
// and every refusal, on seeds built here byte by byte.
#include "image/new_image.h"
#include "platform/byte_order.h"

#include "tests/file_bytes.h"
#include "tool_test_support.h"

#include <cstring>

namespace {

typedef std::vector<uint8_t> Bytes;

// A FAT boot sector with the marks the recogniser wants; boot code bytes
// 62-509 hold `code`.
Bytes BootSector(const char* oem, uint32_t total, uint8_t spc, uint16_t spf, const char* label, uint8_t code) {
  Bytes s(512, 0);
  s[0] = 0xEB, s[1] = 0x3C, s[2] = 0x90;
  memcpy(&s[3], oem, 8);
  put16le(&s[11], 512);
  s[13] = spc;
  put16le(&s[14], 1);
  s[16] = 2;
  put16le(&s[17], 224);
  put16le(&s[19], total < 65536 ? total : 0);
  s[21] = 0xF0;
  put16le(&s[22], spf);
  put16le(&s[24], 18);
  put16le(&s[26], 2);
  put32le(&s[32], total < 65536 ? 0 : total);
  s[38] = 0x29;
  put32le(&s[39], 0x12345678);
  memcpy(&s[43], label, 11);
  memcpy(&s[54], "FAT12   ", 8);
  for (int i = 62; i < 510; ++i) s[i] = code;
  s[510] = 0x55, s[511] = 0xAA;
  return s;
}
Bytes FloppySeed(const char* label = "SEEDLABEL  ") { return BootSector("MSWIN4.1", 2880, 1, 9, label, 0xC1); }
Bytes Fat16Sector() { return BootSector("MSDOS5.0", 40000, 4, 40, "NO NAME    ", 0xD6); }

// A master boot record with the given (status, type, first sector) entries.
Bytes Mbr(std::vector<std::vector<uint32_t>> entries) {
  Bytes s(512, 0);
  for (size_t i = 0; i < entries.size(); ++i) {
    uint8_t* e = &s[446 + 16 * i];
    e[0] = (uint8_t)entries[i][0];
    e[4] = (uint8_t)entries[i][1];
    put32le(e + 8, entries[i][2]);
  }
  s[510] = 0x55, s[511] = 0xAA;
  return s;
}

Bytes HardDiskSeed(std::vector<std::vector<uint32_t>> entries) {
  Bytes disk = Mbr(entries);
  disk.resize(63 * 512);
  Bytes boot = Fat16Sector();
  disk.insert(disk.end(), boot.begin(), boot.end());
  return disk;
}

class NewImage : public tooltest::ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    seed_ = File("seed.img");
    out_ = File("new.img");
  }
  NewImageResult Create(const char* size, const Bytes& seed) {
    EXPECT_TRUE(WriteBytes(seed_, seed));
    return Create(size);
  }
  NewImageResult Create(const char* size) {
    NewImageResult result = CreateNewImage(size, seed_.c_str(), out_.c_str());
    ShowNewImageResult(result, size);
    return result;
  }
  std::string seed_, out_;
};

TEST_F(NewImage, FloppySeedGivesAnEmptyFat12ImageWithTheSeedsBootCode) {
  ASSERT_TRUE(WriteBytes(out_, Bytes(5, 'x')));  // replaced on Yes to the question
  Bytes seed = FloppySeed();
  ASSERT_EQ(kNewImageDone, Create("1440", seed));
  EXPECT_EQ((std::vector<std::string>{"File '" + out_ + "' Exist,Overwrite?", "Image file created OK!"}), BoxTexts());
  EXPECT_EQ((std::vector<std::string>{"new.img", "seed.img"}), Names());
  Bytes image = ReadBytes(out_);
  ASSERT_EQ(1474560u, image.size());
  const uint8_t* b = image.data();
  EXPECT_TRUE(std::equal(b, b + 11, seed.begin())) << "jump and OEM name";
  // bytes per sector 512, 1 sector per cluster, 1 reserved, 2 FATs, 224 root
  // entries, 2880 sectors, media F0, 9 sectors per FAT, 18 per track,
  // 2 heads, no hidden sectors, no 32-bit total, drive 0, signature 29
  const uint8_t bpb[] = {0, 2, 1, 1, 0, 2, 224, 0, 0x40, 0x0B, 0xF0, 9, 0, 18, 0, 2, 0,
                         0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x29, 0x78, 0x56, 0x34, 0x12};
  EXPECT_EQ(0, memcmp(b + 11, bpb, sizeof bpb));
  EXPECT_EQ(0, memcmp(b + 43, "SEEDLABEL  FAT12   ", 19));
  EXPECT_TRUE(std::equal(b + 62, b + 512, seed.begin() + 62)) << "boot code and signature";
  for (int fat : {1, 10}) {
    const uint8_t* f = b + fat * 512;
    EXPECT_TRUE(f[0] == 0xF0 && f[1] == 0xFF && f[2] == 0xFF) << fat;
    EXPECT_EQ(9 * 512 - 3, std::count(f + 3, f + 9 * 512, 0)) << fat;
  }
  // The root holds the seed's label, so boot sector and root agree.
  const uint8_t* root = b + 19 * 512;
  EXPECT_EQ(0, memcmp(root, "SEEDLABEL  ", 11));
  EXPECT_EQ(0x08, root[11]);
  EXPECT_EQ(14 * 512 - 32, std::count(root + 32, root + 14 * 512, 0));
  EXPECT_EQ((long)(image.size() - 33 * 512), std::count(b + 33 * 512, b + image.size(), 0xF6));
}

TEST_F(NewImage, SeedWithoutLabelGivesAnEmptyRoot) {
  ASSERT_EQ(kNewImageDone, Create("2880", FloppySeed("NO NAME    ")));
  Bytes image = ReadBytes(out_);
  ASSERT_EQ(2949120u, image.size());
  EXPECT_EQ(240, get16le(&image[17]));  // 15 root sectors, as DOS formats 2.88 MB
  EXPECT_EQ(15 * 512, std::count(image.begin() + 19 * 512, image.begin() + 34 * 512, 0));
  EXPECT_EQ(0xF6, image[34 * 512]);
}

TEST_F(NewImage, SizeBandsAndTheTwoTotalFields) {
  ASSERT_TRUE(WriteBytes(seed_, FloppySeed()));
  struct Total {
    const char* size;
    uint32_t total16, total32;
    uint8_t sectorsPerCluster, heads;
  } totals[] = {{"1441", 2882, 0, 2, 2}, {"32767", 65534, 0, 32, 32}, {"32768", 0, 65536, 32, 32},
                {"46080", 0, 92160, 32, 32}};
  for (const Total& t : totals) {
    ASSERT_EQ(kNewImageDone, Create(t.size)) << t.size;
    Bytes image = ReadBytes(out_);
    EXPECT_EQ((t.total16 ? t.total16 : t.total32) * 512u, image.size()) << t.size;
    EXPECT_EQ(t.total16, get16le(&image[19])) << t.size;
    EXPECT_EQ(t.total32, get32le(&image[32])) << t.size;
    EXPECT_EQ(t.sectorsPerCluster, image[13]) << t.size;
    EXPECT_EQ(t.heads, get16le(&image[26])) << t.size;
  }
}

TEST_F(NewImage, SizesThatAreNoNumberOrOutOfRangeAreRefusedBeforeTheSeedIsOpened) {
  const char* notNumbers[] = {"abc", "12x", "", "1 440"};
  for (const char* size : notNumbers) EXPECT_EQ(kNewImageSizeNotNumber, Create(size)) << size;
  EXPECT_EQ("Image size 'abc' is not a number!", BoxTexts()[0]);
  for (const char* size : {"0", "-5", "16"}) EXPECT_EQ(kNewImageTooSmall, Create(size)) << size;
  for (const char* size : {"46081", "99999999999"}) EXPECT_EQ(kNewImageTooLarge, Create(size)) << size;
  EXPECT_EQ("Image size excceds 46080KB!", BoxTexts().back());
  EXPECT_EQ(kNewImageSeedOpenError, Create(" 1440 "));  // a good size reaches the (missing) seed
  EXPECT_TRUE(Names().empty());
}

TEST_F(NewImage, HardDiskSeedLendsItsActivePartitionsBootCode) {
  ASSERT_EQ(kNewImageDone, Create("1440", HardDiskSeed({{0, 0x06, 1000}, {0x80, 0x06, 63}})));
  Bytes image = ReadBytes(out_);
  ASSERT_EQ(1474560u, image.size());
  EXPECT_EQ(0, memcmp(&image[3], "MSDOS5.0", 8));
  EXPECT_EQ(0u, get32le(&image[28])) << "hidden sectors";
  EXPECT_EQ(448, std::count(image.begin() + 62, image.begin() + 510, 0xD6));
}

TEST_F(NewImage, UnknownSeedsAreRefusedAndNothingIsWritten) {
  Bytes noExtendedRecord = FloppySeed();
  noExtendedRecord[1] = 0x22;  // boot code at 0x24 would be overwritten
  Bytes ntfs = FloppySeed();
  memcpy(&ntfs[3], "NTFS    ", 8);
  Bytes fat32 = BootSector("MSWIN4.1", 600000, 8, 0, "NO NAME    ", 0);
  put32le(&fat32[36], 600);
  Bytes noSignature = FloppySeed();
  noSignature[510] = 0;
  const Bytes seeds[] = {noExtendedRecord, ntfs, fat32, noSignature, Bytes(100, 0x90),
                         HardDiskSeed({{0x80, 0x06, 63}, {0x12, 0x06, 2000}})};
  for (const Bytes& seed : seeds) EXPECT_EQ(kNewImageUnknownSeed, Create("1440", seed));
  EXPECT_EQ("Unknown seed image format!", BoxTexts().back());
  EXPECT_EQ(std::vector<std::string>{"seed.img"}, Names());
}

TEST_F(NewImage, OutputThatIsTheSeedIsRefusedAndTheSeedKept) {
  Bytes seed = FloppySeed();
  ASSERT_TRUE(WriteBytes(seed_, seed));
  out_ = File(".") + kPathSeparator + "seed.img";  // the seed by another spelling
  EXPECT_EQ(kNewImageOutputIsSeed, Create("1440"));
  EXPECT_EQ(seed, ReadBytes(seed_));
  EXPECT_EQ(std::vector<std::string>{"seed.img"}, Names());
}

TEST_F(NewImage, OutputThatIsAFolderGivesCreateErrorAndLeavesNothing) {
  ASSERT_TRUE(CreateFolder(out_.c_str()));
  EXPECT_EQ(kNewImageCreateError, Create("1440", FloppySeed()));
  EXPECT_EQ("Image file create error!", BoxTexts().back());
  EXPECT_TRUE(FolderExists(out_.c_str()));
  RemoveFolder(out_.c_str());
  EXPECT_EQ(std::vector<std::string>{"seed.img"}, Names());
}

// A partition that starts 4 GB into the seed: its byte offset does not fit
// 32 bits. Sector 1 holds a decoy boot sector where a wrapped offset lands.
TEST_F(NewImage, PartitionBeyondFourGigabytesIsReadWhereItIs) {
  const uint32_t start = 0x00800001;
  Bytes decoy = FloppySeed();
  Bytes head = Mbr({{0x80, 0x06, start}});
  head.insert(head.end(), decoy.begin(), decoy.end());
  ASSERT_TRUE(WriteBytes(seed_, head));
  FILE* f = fopen(seed_.c_str(), "r+b");
  ASSERT_NE(nullptr, f);
  Bytes boot = Fat16Sector();
  ASSERT_TRUE(SeekStream64(f, (int64_t)start * 512));
  ASSERT_EQ(512u, fwrite(boot.data(), 1, 512, f));
  fclose(f);
  EXPECT_EQ(kNewImageDone, Create("1440"));
  Bytes image = ReadBytes(out_);
  ASSERT_GE(image.size(), 512u);
  EXPECT_EQ(0, memcmp(&image[3], "MSDOS5.0", 8));
}

}  // namespace
