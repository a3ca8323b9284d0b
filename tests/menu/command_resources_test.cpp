// The command scan: normalisation, boot-file messages and the copies of the
// auxiliary boot files from the program's resource folder.
#include "menu/command_resources.h"

#include "menu_file_fixture.h"

namespace {

class CommandScan : public MenuFileTest {
 protected:
  void SetUp() override {
    MenuFileTest::SetUp();
    resource_ = Join(home_, "resource");
    ASSERT_TRUE(CreateFolder(resource_.c_str()));
    for (const char* name : {"grldr", "isolinux", "syslinux", "memdisk", "isolinu3", "syslinu3"}) {
      ASSERT_TRUE(WriteBytes(Join(resource_, name), Bytes(3, 'r')));
    }
    TheCommandScan.isolinuxVersion = 4;
    ClearCopiedMarkers();
  }
  std::string Scan(const char* command) {
    char buffer[kCommandSize];
    CopyText(buffer, kCommandSize, command);
    CopyCommandResources(buffer);
    return buffer;
  }
  bool InMenu(const char* name) { return FileExists(InMenuDir(name).c_str()); }
  std::string resource_;
};

TEST_F(CommandScan, NormalisesCaseAndSeparators) {
  EXPECT_EQ(Scan("Chain \\Boot\\X.BIN"), "chain /boot/x.bin");
  EXPECT_EQ(Boxes().size(), 0u);
}

TEST_F(CommandScan, FolderChangeSilencesMissingButNotCompressedFiles) {
  Scan("cd /x;run a.img");
  EXPECT_EQ(Boxes().size(), 0u);
  ASSERT_TRUE(WriteBytes(InMenuDir("a.img"), Bytes{0x1F, 0x8B, 0x08, 0x00, 1}));
  Scan("cd /x;run a.img");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Boot Image File '" + InMenuDir("a.img") + "' is in compressed format!");
  Scan("run missing.img");
  EXPECT_EQ(Boxes().back().text, "Boot Image File '" + InMenuDir("missing.img") + "' not Exist!");
}

TEST_F(CommandScan, IsolinuxVersionPicksTheFilesAndMarkersCopyOncePerSave) {
  ASSERT_TRUE(WriteBytes(InMenuDir("isolinux.cfg"), Bytes(1, 'c')));
  Scan("ilver 3;isolinux isolinux.cfg");
  EXPECT_TRUE(InMenu("isolinu3"));
  EXPECT_TRUE(InMenu("syslinu3"));
  EXPECT_FALSE(InMenu("isolinux"));
  EXPECT_EQ(TheCommandScan.isolinuxVersion, 3);
  ASSERT_TRUE(WriteBytes(InMenuDir("dos.img"), Bytes(1, 'd')));
  Scan("memdisk dos.img");
  EXPECT_TRUE(InMenu("memdisk"));
  EXPECT_FALSE(InMenu("isolinux")) << "the isolinux pair was already copied in this save";
  EXPECT_EQ(Boxes().size(), 0u);
  DeleteFileAt(InMenuDir("isolinux.cfg").c_str());
  DeleteFileAt(InMenuDir("isolinu3").c_str());
  DeleteFileAt(InMenuDir("syslinu3").c_str());
}

TEST_F(CommandScan, MissingResourceIsReportedWithItsTarget) {
  Scan("bcdw :x");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Boot Image File '" + InMenuDir("bcdw.bin") + "' not Exist!");
  EXPECT_EQ(Boxes()[0].style, unsigned(kMbIconInformation));
}

TEST_F(CommandScan, EverySaveCopiesIntoItsOwnMenuFolder) {
  MenuDocument& doc = TheDocument;
  doc.MenuType = 1;
  doc.ItemCount[kMenuList] = 1;
  doc.menuKeys[1].accKey = 'g';
  CopyText(doc.menuStrings[1].command, kCommandSize, "GRLDR /korvel/grldr");
  SaveMenuFile();
  EXPECT_TRUE(InMenu("grldr"));
  const std::string other = Join(cd_, "other");
  ASSERT_TRUE(CreateFolder(other.c_str()));
  CopyText(doc.MenuFileDir, kPathSize, other.c_str());
  SaveMenuFile();
  EXPECT_TRUE(FileExists(Join(other, "grldr").c_str()));
  EXPECT_TRUE(FileExists(Join(other, "bootmenu.zqk").c_str()));
  EXPECT_EQ(Boxes().size(), 0u) << (Boxes().empty() ? "" : Boxes()[0].text);
  CopyText(doc.MenuFileDir, kPathSize, Join(cd_, "korvel").c_str());
}

}  // namespace
