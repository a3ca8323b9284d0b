// The menu file writer: the file's fixed blocks and tables, the boot files,
// the messages, and that a failed or refused save keeps the old files.
#include "menu_file_fixture.h"

namespace {

uint16_t At16(const Bytes& b, uint32_t offset) { return get16le(&b[offset]); }

class MenuFileWriter : public MenuFileTest {};

TEST_F(MenuFileWriter, EmptyDocumentGivesAFullFileWithZeroCounts) {
  const Bytes file = SaveAndRead();
  // Editor section: marker, 16, colours, text table (1), four settings,
  // folder "korvel" (7), three counts; key table (1), menu texts (1), font,
  // password table.
  const uint32_t editor = 2 + 1 + 576 + 1 + 4 + 7 + 1 + 1 + 1 + 1;
  ASSERT_EQ(file.size(), kEditorSection + editor + 1 + 1 + 2048 + 360);
  EXPECT_EQ(Boxes().size(), 0u);
  EXPECT_EQ(file[kSettingsBlock], 0);
  EXPECT_EQ(file[kDefaultHotKeyByte], 0);
  EXPECT_EQ(file[kLayoutArea], 0);
  EXPECT_EQ(memcmp(&file[kEditorSection], "tW", 2), 0);
  EXPECT_EQ(file[kEditorSection + 2], 16);
  EXPECT_EQ(file[kEditorSection + 3 + 576], 0);  // runtime text table count
  EXPECT_EQ(At16(file, kFileSizeWord), file.size());
  // Section table: fixed areas, editor part up to the text table, tables.
  const uint32_t expected[10][2] = {
      {0x8100, 216}, {0x8200, 360}, {0x8400, 396}, {0x8800, 580},
      {0x8800 + editor, 1}, {0x8800 + editor + 1, 1}, {0x7900, 2048},
      {0x8800 + editor + 2, 2048}, {0x8800 + editor + 2 + 2048, 360}, {0, 0}};
  uint32_t total = 0;
  for (int i = 0; i < 9; ++i) total += expected[i][1];
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(At16(file, kSectionTable + 4 * i), expected[i][0]) << i;
    if (i < 9) {
      EXPECT_EQ(At16(file, kSectionTable + 4 * i + 2), expected[i][1]) << i;
    }
  }
  EXPECT_EQ(At16(file, kSectionTable + 38), total & 0xFFFF);
  EXPECT_TRUE(view_.Called("ShowDocumentSettings"));
  EXPECT_EQ(TheDocument.DocumentModified, 0);
}

TEST_F(MenuFileWriter, CopiesTheLoaderImageOfTheModeAndTheFonts) {
  const Bytes korvel = ReadBytes(Join(home_, kTemplateFileName));
  TheDocument.Resolution = kResolution800x600;
  TheDocument.ColorMode = kColors64K;
  const Bytes file = SaveAndRead();
  ASSERT_GT(file.size(), kEditorSection);
  // Image 5 (800x600, 64K colours), up to the first patched block.
  EXPECT_EQ(memcmp(&file[0], &korvel[kLoaderVariantOffsets[5]], kSettingsBlock), 0);
  EXPECT_EQ(memcmp(&file[96], "-ZQK", 4), 0);
  EXPECT_EQ(memcmp(&file[kBootFontArea], &korvel[kBootFontOffset], 2048), 0);
  EXPECT_EQ(file[kSettingsBlock + 5], 0x11);
  const uint32_t fontAt = At16(file, kSectionTable + 4 * kSectionCodePageFont);
  EXPECT_EQ(memcmp(&file[fontAt], &korvel[kFallbackFontOffset], 2048), 0)
      << "English on a system without a code-page match takes the fallback font";
}

TEST_F(MenuFileWriter, WritesTheFixedBlocks) {
  MenuDocument& doc = TheDocument;
  FillListsToLimits(10, 20);
  doc.WaitTime = 12;
  doc.WaitTimeOn = 1;
  doc.AccKeyMode = 255;
  doc.KeyTransfer = 'A';
  doc.MouseOff = 255;
  doc.DefaultMenuOff = 1;
  doc.SmoothVideo = 1;
  doc.ShowCounter = 0;
  doc.CounterX = 500;
  doc.ShowProgress = 1;
  doc.ProgressRect = PixelRect{100, 400, 539, 418};
  view_.fields[ViewField::txtBackImg] = "back.bmp";
  view_.fields[ViewField::txtLogoImg] = "logo.bmp";
  view_.fields[ViewField::txtLogoTime] = "7";
  const Bytes file = SaveAndRead();
  ASSERT_GT(file.size(), kEditorSection);
  const uint8_t settings[7] = {36, 2, 255, 'A', 255, 0x00, 1};
  EXPECT_EQ(memcmp(&file[kSettingsBlock], settings, 7), 0);
  EXPECT_EQ(file[kWaitTimeByte], 12);
  EXPECT_EQ(file[kDefaultHotKeyByte], '0' + 2);
  EXPECT_EQ(file[kSmoothVideoByte], 1);
  // Menu item 3: keys and geometry in place.
  const uint8_t keys[6] = {'3', 2, 4, 3, 99, 1};
  EXPECT_EQ(memcmp(&file[kMenuKeysArea + 12], keys, 6), 0);
  EXPECT_EQ(file[kMenuGeometryArea + 20], 0x1F);
  EXPECT_EQ(At16(file, kMenuGeometryArea + 20 + 3), 36);
  EXPECT_EQ(file[kLayoutArea], 36);
  EXPECT_EQ(At16(file, kLayoutArea + 1 + 11 * 35 + 4), 336);
  // Logo block: folder, off (no check without LogoOn), time, name.
  EXPECT_EQ(file[kLogoBlock], 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(&file[kLogoBlock + 1]), "korvel");
  EXPECT_EQ(file[kLogoBlock + kLogoOnByte], 0);
  EXPECT_EQ(file[kLogoBlock + kLogoTimeByte], 7);
  EXPECT_STREQ(reinterpret_cast<const char*>(&file[kLogoBlock + kLogoFileName]), "logo.bmp");
  // Screen block: counter off but its fields written; progress as width and height.
  EXPECT_EQ(file[kScreenBlock + kCounterOnByte], 0);
  EXPECT_EQ(At16(file, kScreenBlock + kCounterX), 500);
  EXPECT_EQ(file[kScreenBlock + kBackImageOnByte], 0);
  EXPECT_STREQ(reinterpret_cast<const char*>(&file[kScreenBlock + kBackImageNameField]), "back.bmp");
  EXPECT_EQ(file[kScreenBlock + kProgressOnByte], 1);
  EXPECT_EQ(At16(file, kScreenBlock + kProgressWidth), 440);
  EXPECT_EQ(At16(file, kScreenBlock + kProgressHeight), 19);
  EXPECT_EQ(file[kScreenBlock + kProgressColorsByte], 0xF2);
  EXPECT_EQ(file[kDarkestColorByte], 0);
  EXPECT_EQ(file[kBrightestColorByte], 15);
  // Password table: item 3's password "pw3" inverted.
  const uint32_t passwords = At16(file, kSectionTable + 4 * kSectionPasswords);
  EXPECT_EQ(file[passwords + 20], 3);
  EXPECT_EQ(file[passwords + 21], uint8_t('p' ^ 0xFF));
  EXPECT_EQ(passwords + 360, file.size());
}

TEST_F(MenuFileWriter, LogoTimeIsANumberFrom0To99) {
  view_.fields[ViewField::txtLogoTime] = "";
  EXPECT_EQ(SaveAndRead()[kLogoBlock + kLogoTimeByte], 0);
  view_.fields[ViewField::txtLogoTime] = "150";
  EXPECT_EQ(SaveAndRead()[kLogoBlock + kLogoTimeByte], 99);
}

TEST_F(MenuFileWriter, EqualColoursGiveDarkestAndBrightestZero) {
  for (ColorEntry& e : TheDocument.CurrentColorTable) e.color = 0x404040;
  const Bytes file = SaveAndRead();
  EXPECT_EQ(file[kDarkestColorByte], 0);
  EXPECT_EQ(file[kBrightestColorByte], 0);
  TheDocument.CurrentColorTable[9].color = 0x000001;
  TheDocument.CurrentColorTable[4].color = 0x000001;
  TheDocument.CurrentColorTable[12].color = 0xFFFFFF;
  EXPECT_EQ(DarkestColorIndex(), 4);
  EXPECT_EQ(BrightestColorIndex(), 12);
}

TEST_F(MenuFileWriter, ReportsOnlyTheFirstItemWithoutHotKeyAndSavesAnyway) {
  MenuDocument& doc = TheDocument;
  doc.ItemCount[kMenuList] = 4;
  for (int i = 1; i <= 4; ++i) {
    doc.menuKeys[i] = MenuItemKeys{uint8_t(i % 2 ? 'a' + i : 0), 0, 0, 0, 0, 0};
    CopyText(doc.menuStrings[i].text, kItemTextSize, ("Item " + std::to_string(i)).c_str());
    doc.menuStrings[i].command[0] = 0;
  }
  SaveMenuFile();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "No Acc.Key defined for menu item 'Item 2'!");
  EXPECT_EQ(Boxes()[0].caption, "Error");
  EXPECT_EQ(Boxes()[0].style, unsigned(kMbIconInformation));
  EXPECT_TRUE(FileExists(MenuPath().c_str()));
}

TEST_F(MenuFileWriter, EditorPartKeepsCommandsNormalisedAndKeyTableAsTyped) {
  MenuDocument& doc = TheDocument;
  doc.ItemCount[kMenuList] = 1;
  doc.menuKeys[1].accKey = 'd';
  CopyText(doc.menuStrings[1].command, kCommandSize, "  RUN \\Boot\\Dos.img ");
  CopyText(doc.menuStrings[1].text, kItemTextSize, "DOS   ");
  const Bytes file = SaveAndRead();
  const std::string text(file.begin(), file.end());
  EXPECT_NE(text.find("\x11run /boot/dos.img"), std::string::npos);
  EXPECT_NE(text.find(std::string("\x12RUN \\Boot\\Dos.img\0", 19)), std::string::npos);
  EXPECT_NE(text.find(std::string("\x03" "DOS")), std::string::npos);
  // The boot file was looked for under the disc folder.
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].text.find(Join(Join(cd_, "boot"), "dos.img")), std::string::npos);
}

TEST_F(MenuFileWriter, MainMenuWritesBothBootFilesWithNamesAndPassword) {
  view_.fields[ViewField::txtPassword] = " 0123456789 ";
  TheDocument.KeepKernel = 1;
  TheDocument.DefaultMenuOff = 1;
  TheDocument.Resolution = kResolution1024x768;
  TheDocument.ColorMode = kColors16M;
  SaveMenuFile();
  const Bytes boot = ReadBytes(InMenuDir("loader.bin"));
  const Bytes kvldr = ReadBytes(InMenuDir("kvldr"));
  ASSERT_EQ(boot.size(), 2048u);
  ASSERT_EQ(kvldr.size(), 8192u);
  EXPECT_EQ(memcmp(&boot[kBootMenuNameField], "BOOTMENU.ZQK", 12), 0);
  EXPECT_EQ(memcmp(&boot[kBootFolderField], "KORVEL\0\0", 8), 0);
  EXPECT_EQ(At16(boot, kBootPasswordField), 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(boot[kBootPasswordField + 2 + i], uint8_t('0' + i) ^ 0xFF);
  EXPECT_EQ(boot[2043], 1);
  EXPECT_EQ(boot[2044], 0x22);
  EXPECT_EQ(boot[2045], 1);
  EXPECT_EQ(boot[2046], 0x55);
  EXPECT_EQ(boot[2047], 0xAA);
  const uint8_t* header = &kvldr[kSecondHeaderOffset];
  EXPECT_EQ(memcmp(header, "-VRX", 4), 0);
  EXPECT_EQ(memcmp(header + kSecondMenuNameField, "BOOTMENU.ZQK", 12), 0);
  EXPECT_EQ(memcmp(header + kSecondFolderField, "KORVEL\0\0", 8), 0);
  EXPECT_EQ(header[43], 1);
  EXPECT_EQ(header[44], 0x22);
  const uint16_t field = get16le(header + kSecondPasswordPointer);
  EXPECT_EQ(At16(kvldr, field), 8);
  EXPECT_EQ(kvldr[field + 2], uint8_t('0' ^ 0xFF));

  // An empty password: length 0 and eight zero bytes in both.
  view_.fields[ViewField::txtPassword] = "";
  EXPECT_TRUE(WriteLoaderPassword());
  EXPECT_TRUE(WriteSecondLoaderPassword());
  const Bytes boot2 = ReadBytes(InMenuDir("loader.bin"));
  const Bytes kvldr2 = ReadBytes(InMenuDir("kvldr"));
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(boot2[kBootPasswordField + i], 0);
    EXPECT_EQ(kvldr2[field + i], 0);
  }
  EXPECT_EQ(boot2.size(), 2048u);
}

TEST_F(MenuFileWriter, SubMenuLeavesTheBootFilesAlone) {
  TheDocument.MenuType = 1;
  SaveMenuFile();
  EXPECT_TRUE(FileExists(MenuPath().c_str()));
  EXPECT_FALSE(FileExists(InMenuDir("loader.bin").c_str()));
  EXPECT_FALSE(FileExists(InMenuDir("kvldr").c_str()));
}

TEST_F(MenuFileWriter, PasswordPatchIgnoresMissingAndShortBootFiles) {
  EXPECT_FALSE(WriteLoaderPassword());
  EXPECT_FALSE(FileExists(InMenuDir("loader.bin").c_str()));
  ASSERT_TRUE(WriteBytes(InMenuDir("kvldr"), Bytes(100, 0)));
  EXPECT_FALSE(WriteSecondLoaderPassword());
  EXPECT_EQ(ReadBytes(InMenuDir("kvldr")), Bytes(100, 0));
}

TEST_F(MenuFileWriter, RefusesWithoutFolderOrTemplateAndWritesNothing) {
  CopyText(TheDocument.MenuFileDir, kPathSize, Join(cd_, "missing").c_str());
  SaveMenuFile();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Directory '" + Join(cd_, "missing") + "' not Exist!");
  EXPECT_EQ(Boxes()[0].style, unsigned(kMbIconError));

  CopyText(TheDocument.MenuFileDir, kPathSize, Join(cd_, "korvel").c_str());
  const std::string korvel = Join(home_, kTemplateFileName);
  const Bytes full = ReadBytes(korvel);
  ASSERT_TRUE(WriteBytes(korvel, Bytes(full.begin(), full.begin() + 0x50000)));
  SaveMenuFile();
  EXPECT_EQ(Boxes().back().text, "System File 'korvel.dat' Open Error!");
  ASSERT_TRUE(DeleteFileAt(korvel.c_str()));
  SaveMenuFile();
  EXPECT_EQ(Boxes().back().text, "System File 'korvel.dat' not Found!");
  EXPECT_FALSE(FileExists(MenuPath().c_str()));
  EXPECT_FALSE(FileExists(InMenuDir("loader.bin").c_str()));
}

TEST_F(MenuFileWriter, AFailedCreateKeepsTheOldMenuFileAndBootFiles) {
  const Bytes old = SaveAndRead();
  const Bytes oldBoot = ReadBytes(InMenuDir("loader.bin"));
  ASSERT_FALSE(old.empty());
  // A folder where the new file would be written makes the create fail.
  ASSERT_TRUE(CreateFolder((MenuPath() + ".tmp").c_str()));
  TheDocument.ItemCount[kLayoutList] = 1;
  TheDocument.DocumentModified = 1;
  CopyText(TheDocument.MenuFileName, kPathSize, "bootmenu.zqk");
  view_.fields[ViewField::txtPassword] = "changed";
  SaveMenuFile();
  EXPECT_EQ(Boxes().back().text, "File '" + MenuPath() + "' Create Error!");
  EXPECT_EQ(ReadBytes(MenuPath()), old);
  EXPECT_EQ(ReadBytes(InMenuDir("loader.bin")), oldBoot);
  EXPECT_EQ(TheDocument.DocumentModified, 1);
  EXPECT_EQ(std::string(TheDocument.LastMenuFilePath), MenuPath());
  RemoveFolder((MenuPath() + ".tmp").c_str());
}

TEST_F(MenuFileWriter, RefusesAFileAbove65535BytesAndKeepsTheOldOne) {
  const Bytes old = SaveAndRead();
  FillListsToLimits(80, 128);
  TheDocument.DocumentModified = 1;
  Boxes().clear();
  SaveMenuFile();
  EXPECT_EQ(BoxesWithText("a menu file can hold at most 65535 bytes"), 1);
  EXPECT_EQ(ReadBytes(MenuPath()), old);
  EXPECT_FALSE(FileExists((MenuPath() + ".tmp").c_str()));
  EXPECT_EQ(TheDocument.DocumentModified, 1);
}

TEST_F(MenuFileWriter, QuietSaveShowsNoneOfItsOwnMessages) {
  QuietSave = 1;
  TheDocument.ItemCount[kMenuList] = 1;
  TheDocument.menuKeys[1].accKey = 0;
  TheDocument.menuStrings[1].command[0] = 0;
  TheDocument.LogoOn = 1;
  view_.fields[ViewField::txtLogoImg] = "nologo.bmp";
  const Bytes file = SaveAndRead();
  EXPECT_EQ(Boxes().size(), 0u);
  ASSERT_GT(file.size(), kEditorSection);
  EXPECT_EQ(file[kLogoBlock + kLogoOnByte], 0);
  CopyText(TheDocument.MenuFileDir, kPathSize, Join(cd_, "missing").c_str());
  SaveMenuFile();
  EXPECT_EQ(Boxes().size(), 0u);
  QuietSave = 0;
}

TEST_F(MenuFileWriter, ABrokenLogoIsReportedAndWrittenOff) {
  TheDocument.LogoOn = 1;
  view_.fields[ViewField::txtLogoImg] = "nologo.bmp";
  const Bytes file = SaveAndRead();
  EXPECT_EQ(file[kLogoBlock + kLogoOnByte], 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "Logo image open error!");
  EXPECT_EQ(Boxes()[0].caption, "Prompt");
}

}  // namespace

namespace {

TEST(LoaderVariant, EachModeAndResolutionHasItsImage) {
  EXPECT_EQ(LoaderVariantIndex(kColors256, kResolution640x480), 0);
  EXPECT_EQ(LoaderVariantIndex(kColors16, kResolution640x480), 3);
  EXPECT_EQ(LoaderVariantIndex(kColors16M, kResolution800x600), 6);
  EXPECT_EQ(LoaderVariantIndex(kColors256, kResolution1024x768), 7);
  EXPECT_EQ(LoaderVariantIndex(kColors16M, kResolution1024x768), 9);
  EXPECT_EQ(LoaderVariantIndex(kColors64K, 0x30), 1) << "an unknown resolution is 640x480";
  // 16 colours exist only at 640x480: never another resolution's image.
  EXPECT_EQ(LoaderVariantIndex(kColors16, kResolution1024x768), 3);
  EXPECT_EQ(LoaderVariantIndex(9, kResolution800x600), 4);
}

}  // namespace
