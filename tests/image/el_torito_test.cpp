// The El Torito boot record, catalog, boot image and the hiding options.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/image/iso_test_support.h"

using namespace isotest;

static std::string NoEmulationLoader(bool signature_at_end) {
  std::string s(2048, '\x90');
  s[510] = 0x55;
  s[511] = (char)0xAA;
  if (signature_at_end) {
    s[2046] = 0x55;
    s[2047] = (char)0xAA;
  }
  return s;
}

TEST(ElTorito, BootImagesAreClassifiedBySizeAndSignature) {
  TempTree tree("classify");
  tree.File("good.bin", NoEmulationLoader(true));
  tree.File("mbr_only.bin", NoEmulationLoader(false));
  tree.FileOfSize("floppy.img", 1474560, 1);
  tree.FileOfSize("odd.img", 2049, 1);
  EXPECT_EQ(classify_boot_image(tree.Path("good.bin").c_str()), 1);
  EXPECT_EQ(Iso.eltorito_no_emulation, 1);
  EXPECT_EQ(classify_boot_image(tree.Path("floppy.img").c_str()), 1);
  EXPECT_EQ(Iso.eltorito_no_emulation, 0);
  EXPECT_EQ(classify_boot_image(tree.Path("mbr_only.bin").c_str()), 0);
  EXPECT_EQ(classify_boot_image(tree.Path("odd.img").c_str()), 0);
  EXPECT_EQ(classify_boot_image(tree.Path("missing.img").c_str()), 0);
}

TEST(ElTorito, NoEmulationLoaderGetsCatalogAndHiddenBootFolder) {
  TempTree tree("noemu");
  tree.Folder("KORVEL");
  tree.File("KORVEL/loader.bin", NoEmulationLoader(true));
  tree.File("KORVEL/menu.zqk", "menu");
  tree.File("top.txt", "top");
  BuildSetup setup;
  setup.boot = tree.Path("KORVEL/loader.bin");
  setup.hide_folder = 1;
  setup.hide_files = 1;
  Build b = RunBuild(tree.root(), setup);
  ASSERT_EQ(b.result, 1);
  const uint8_t* br = Sector(b, 17);
  EXPECT_EQ(br[0], 0);
  EXPECT_EQ(memcmp(br + 1, "CD001", 5), 0);
  EXPECT_EQ(std::string((const char*)br + 7, 23), "EL TORITO SPECIFICATION");
  EXPECT_EQ(Sector(b, 18)[0], 255);
  uint32_t catalog_sector = Le32(br + 71);
  EXPECT_EQ(catalog_sector, 19u);
  const uint8_t* cat = Sector(b, catalog_sector);
  const uint8_t validation[] = {1, 0};
  EXPECT_EQ(memcmp(cat, validation, 2), 0);
  for (int i = 2; i < 28; i++) EXPECT_EQ(cat[i], 0) << i;
  EXPECT_EQ(cat[28], 0xAA);
  EXPECT_EQ(cat[29], 0x55);
  EXPECT_EQ(cat[30], 0x55);
  EXPECT_EQ(cat[31], 0xAA);
  EXPECT_EQ(cat[32], 0x88);
  EXPECT_EQ(cat[33], 0);
  EXPECT_EQ(Le16(cat + 38), 4);
  uint32_t rba = Le32(cat + 40);
  EXPECT_EQ(std::string((const char*)Sector(b, rba), 2048), NoEmulationLoader(true));
  // The folder record carries directory + associated; nothing names the loader.
  Record korvel = FindRecord(b, "", "KORVEL");
  EXPECT_EQ(korvel.flags, 0x06);
  for (const Record& r : ListDirectory(b, "KORVEL")) {
    EXPECT_NE(r.name, "LOADER.BIN");
    EXPECT_TRUE(r.flags & 0x04) << r.name;
  }
  EXPECT_EQ(FileContents(b, FindRecord(b, "KORVEL", "MENU.ZQK")), "menu");
  EXPECT_NE(b.log.find("No emulation\n"), std::string::npos);

  // The boot image's folder spelt otherwise is still found as the folder.
  setup.boot = tree.Path("KORVEL/../KORVEL/loader.bin");
  Build again = RunBuild(tree.root(), setup);
  ASSERT_EQ(again.result, 1);
  EXPECT_EQ(FindRecord(again, "", "KORVEL").flags, 0x06);
}

TEST(ElTorito, FloppyImagesGetTheirMediaTypeAndWithJolietTheCatalogMoves) {
  struct Case {
    size_t size;
    int media;
    uint32_t sectors;
  } cases[] = {{1474560, 2, 720}, {1228800, 1, 600}, {2949120, 3, 1440}};
  for (const Case& c : cases) {
    TempTree tree("floppy");
    tree.Folder("boot");
    tree.FileOfSize("boot/disk.img", c.size, 9);
    BuildSetup setup;
    setup.boot = tree.Path("boot/disk.img");
    setup.joliet = 1;
    Build b = RunBuild(tree.root(), setup);
    ASSERT_EQ(b.result, 1);
    EXPECT_EQ(Sector(b, 17)[0], 0);
    EXPECT_EQ(Sector(b, 18)[0], 2);
    EXPECT_EQ(Sector(b, 19)[0], 255);
    EXPECT_EQ(Le32(Sector(b, 17) + 71), 20u);
    const uint8_t* cat = Sector(b, 20);
    EXPECT_EQ(cat[33], c.media);
    EXPECT_EQ(Le16(cat + 38), 1);
    uint32_t rba = Le32(cat + 40);
    EXPECT_EQ(SectorCount(b), rba + c.sectors);  // the boot image ends the image here
    EXPECT_EQ(std::string((const char*)Sector(b, rba), c.size), ReadWholeFile(tree.Path("boot/disk.img")));
    // Hide options off: the folder stays plain, the image still has no record.
    EXPECT_EQ(FindRecord(b, "", "BOOT").flags, 0x02);
    EXPECT_EQ(FindRecord(b, "BOOT", "DISK.IMG").length, 0u);
    EXPECT_EQ(FindRecord(b, "boot", "disk.img", true).length, 0u);
  }
}

TEST(ElTorito, ABootImageNotAcceptedLeavesNoBootRecordInTheNextImage) {
  TempTree tree("notboot");
  tree.Folder("boot");
  tree.File("boot/loader.bin", NoEmulationLoader(true));
  tree.File("boot/bad.bin", NoEmulationLoader(false));
  BuildSetup setup;
  setup.boot = tree.Path("boot/loader.bin");
  Build first = RunBuild(tree.root(), setup);
  EXPECT_EQ(Sector(first, 17)[0], 0);
  setup.boot = tree.Path("boot/bad.bin");
  Build second = RunBuild(tree.root(), setup);
  EXPECT_EQ(Sector(second, 17)[0], 255);
  EXPECT_TRUE(FindRecord(second, "BOOT", "LOADER.BIN").length);
}
