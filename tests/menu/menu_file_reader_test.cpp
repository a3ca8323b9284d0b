// The menu file reader: round trips through the writer, the signature probe
// and data-base shift, the older layout, normalisations, the counts, and
// refused files.
#include "menu_file_fixture.h"

#include "fuzz/menu_file_input.h"
#ifndef TW_WIN32
#include <unistd.h>
#endif

namespace {

class MenuFileReader : public MenuFileTest {
 protected:
  // Writes bytes as the menu file and loads it.
  void Load(const Bytes& file) {
    ASSERT_TRUE(WriteBytes(MenuPath(), file));
    LoadMenuFile();
  }
  // An older-layout file: no signature, settings at 0x2C63, an editor
  // section at 0x4000 that starts with the marker given.
  static Bytes OldLayoutFile(uint8_t modeByte, const char* marker) {
    Bytes file(0x4000, 0);
    const uint8_t settings[7] = {0, 0, 0, 0, 0, modeByte, 0};
    memcpy(&file[0x2C63], settings, 7);
    file.insert(file.end(), marker, marker + 2);
    // Runtime text table (none), editor settings, folder, three counts.
    const uint8_t rest[] = {0, 1, 1, 20, 1, 0, 0, 0, 0, 0};
    file.insert(file.end(), rest, rest + sizeof rest);
    return file;
  }
};

bool SameItems(const MenuDocument& a, const MenuDocument& b) {
  for (int list = 0; list < kListCount; ++list) {
    if (a.ItemCount[list] != b.ItemCount[list]) {
      ADD_FAILURE() << "list " << list << " count " << int(a.ItemCount[list]) << " and "
                    << int(b.ItemCount[list]);
      return false;
    }
  }
  for (int i = 1; i <= a.ItemCount[kLayoutList]; ++i) {
    const LayoutItem &x = a.layoutItems[i], &y = b.layoutItems[i];
    if (x.x1 != y.x1 || x.y1 != y.y1 || x.x2 != y.x2 || x.y2 != y.y2 || x.edgeColors != y.edgeColors ||
        x.mainColor != y.mainColor || x.edgeWidth != y.edgeWidth) {
      ADD_FAILURE() << "layout item " << i << ": " << x.x1 << "," << x.y1 << "," << x.x2 << ","
                    << x.y2 << " " << int(x.edgeColors) << " " << int(x.mainColor) << " "
                    << int(x.edgeWidth) << " and " << y.x1 << "," << y.y1 << "," << y.x2 << ","
                    << y.y2 << " " << int(y.edgeColors) << " " << int(y.mainColor) << " "
                    << int(y.edgeWidth);
      return false;
    }
  }
  for (int i = 1; i <= a.ItemCount[kTextList]; ++i) {
    const TextItemGeometry &g = a.textItems[i].geometry, &h = b.textItems[i].geometry;
    if (g.x1 != h.x1 || g.y1 != h.y1 || g.x2 != h.x2 || g.y2 != h.y2 || g.align != h.align ||
        g.color != h.color ||
        strcmp(a.textItems[i].text, b.textItems[i].text) != 0) {
      ADD_FAILURE() << "text item " << i;
      return false;
    }
  }
  for (int i = 1; i <= a.ItemCount[kMenuList]; ++i) {
    const MenuItemStrings &x = a.menuStrings[i], &y = b.menuStrings[i];
    const MenuItemKeys &k = a.menuKeys[i], &l = b.menuKeys[i];
    const MenuItemGeometry &g = a.menuGeometry[i], &h = b.menuGeometry[i];
    if (k.accKey != l.accKey || k.up != l.up || k.down != l.down || k.left != l.left ||
        k.right != l.right || k.tab != l.tab || g.normalColors != h.normalColors || g.x1 != h.x1 ||
        g.y1 != h.y1 || g.x2 != h.x2 || g.y2 != h.y2 || g.highlightColors != h.highlightColors ||
        strcmp(x.command, y.command) ||
        strcmp(x.text, y.text) || strcmp(x.password, y.password) || x.useImageText != y.useImageText) {
      ADD_FAILURE() << "menu item " << i;
      return false;
    }
  }
  for (int i = 1; i <= a.ItemCount[kFunctionKeyList]; ++i) {
    const FunctionKeyItem &x = a.functionKeys[i], &y = b.functionKeys[i];
    if (strcmp(x.keyName, y.keyName) || strcmp(x.key, y.key) || strcmp(x.command, y.command)) {
      ADD_FAILURE() << "function key " << i;
      return false;
    }
  }
  return true;
}

TEST_F(MenuFileReader, AllFourListsAtTheirLimitsRoundTripByteForByte) {
  MenuDocument& doc = TheDocument;
  FillListsToLimits(40, 60);
  doc.WaitTime = 9;
  doc.MenuType = 0;
  doc.ShowProgress = 1;
  doc.ProgressRect = PixelRect{10, 20, 309, 39};
  doc.CounterX = 100;
  doc.ColorMode = kColors64K;
  doc.Resolution = kResolution800x600;
  ApplyResolution();
  CopyText(doc.CurrentColorTable[3].name, kColorNameSize, "Mine");
  view_.fields[ViewField::txtLogoImg] = "logo.bmp";
  view_.fields[ViewField::txtLogoTime] = "5";
  const Bytes first = SaveAndRead();
  ASSERT_GT(first.size(), 55000u);
  ASSERT_LE(first.size(), 65535u);
  const MenuDocument saved = doc;

  // Another document in between, so that nothing is left over by chance.
  ResetMenuDocument();
  doc.FileLogoName[0] = 0;
  doc.FileLogoTime = 0;
  doc.ColorMode = kColors256;
  doc.Resolution = kResolution640x480;
  view_.fields.clear();
  view_.calls.clear();
  LoadMenuFile();
  EXPECT_TRUE(SameItems(saved, doc));
  EXPECT_EQ(doc.WaitTime, 9);
  EXPECT_EQ(doc.ColorMode, kColors64K);
  EXPECT_EQ(doc.Resolution, kResolution800x600);
  EXPECT_EQ(doc.MenuScreenSize.width, 800);
  EXPECT_EQ(doc.ProgressRect.x2, 309);
  EXPECT_STREQ(doc.CurrentColorTable[3].name, "Mine");
  EXPECT_EQ(view_.fields[ViewField::txtLogoImg], "logo.bmp");
  EXPECT_EQ(view_.fields[ViewField::txtLogoTime], "5");
  EXPECT_STREQ(doc.FileLogoName, "logo.bmp");  // what a typed name is compared with
  EXPECT_EQ(doc.FileLogoTime, 5);
  for (int list = 0; list < kListCount; ++list) EXPECT_EQ(doc.CurrentItem[list], 1);
  EXPECT_EQ(std::string(doc.LastMenuFilePath), MenuPath());
  EXPECT_EQ(doc.DocumentModified, 0);
  EXPECT_TRUE(view_.Called("RelayoutPreview"));
  EXPECT_TRUE(view_.Called("RefreshListViews(255)"));
  EXPECT_TRUE(view_.Called("LoadBackImage"));
  EXPECT_TRUE(view_.Called("RepaintPreview"));

  const Bytes second = SaveAndRead();
  EXPECT_TRUE(first == second) << "sizes " << first.size() << " and " << second.size();
}

TEST_F(MenuFileReader, TypedCommandsSettleAfterOneRoundTrip) {
  MenuDocument& doc = TheDocument;
  doc.ItemCount[kMenuList] = 1;
  doc.menuKeys[1].accKey = 'x';
  CopyText(doc.menuStrings[1].command, kCommandSize, "Chain \\X.BIN");
  SaveMenuFile();
  LoadMenuFile();
  EXPECT_STREQ(doc.menuStrings[1].command, "chain /x.bin");
  const Bytes second = SaveAndRead();
  LoadMenuFile();
  EXPECT_TRUE(second == SaveAndRead());
}

TEST_F(MenuFileReader, FindsTheSignatureAtALaterProbeAndMovesByTheDataBase) {
  MenuDocument& doc = TheDocument;
  FillListsToLimits(10, 10);
  const Bytes file = SaveAndRead();
  const MenuDocument saved = doc;

  // Signature at 34 instead of 96.
  Bytes at34 = file;
  memcpy(&at34[34], &file[96], 14);
  memset(&at34[96], 0, 14);
  ResetMenuDocument();
  Load(at34);
  EXPECT_TRUE(SameItems(saved, doc));

  // Data base 0x7C00: every block 0x400 bytes further on.
  Bytes shifted(file.begin(), file.begin() + 0x7800);
  shifted.insert(shifted.end(), 0x400, 0);
  shifted.insert(shifted.end(), file.begin() + 0x7800, file.end());
  put16le(&shifted[96 + 6], 0x7C00);
  ResetMenuDocument();
  Load(shifted);
  EXPECT_TRUE(SameItems(saved, doc));
  EXPECT_EQ(doc.ItemCount[kMenuList], 36);
}

TEST_F(MenuFileReader, OlderLayoutReadsModeTwoAsSixteenColours) {
  MenuDocument& doc = TheDocument;
  Load(OldLayoutFile(0x02, "Tq"));
  EXPECT_EQ(doc.ColorMode, kColors16);
  EXPECT_EQ(doc.Resolution, kResolution640x480);
  EXPECT_EQ(doc.WaitTime, 20);
  EXPECT_EQ(Boxes().size(), 0u);
  // The same mode byte in a signature file is 16M colours.
  Bytes file = SaveAndRead();
  file[kSettingsBlock + 5] = 0x02;
  Load(file);
  EXPECT_EQ(doc.ColorMode, kColors16M);
}

TEST_F(MenuFileReader, ModeBytesAreNormalised) {
  MenuDocument& doc = TheDocument;
  Bytes file = SaveAndRead();
  file[kSettingsBlock + 5] = 0x25;
  Load(file);
  EXPECT_EQ(doc.ColorMode, kColors256);
  EXPECT_EQ(doc.Resolution, kResolution1024x768);
  file[kSettingsBlock + 5] = 0x23;
  Load(file);
  EXPECT_EQ(doc.ColorMode, kColors16);
  EXPECT_EQ(doc.Resolution, kResolution640x480);
  EXPECT_EQ(doc.MenuScreenSize.width, 640);
}

TEST_F(MenuFileReader, CounterAndProgressKeepNewDocumentValuesWhenOff) {
  MenuDocument& doc = TheDocument;
  Bytes file = SaveAndRead();
  uint8_t* screen = &file[kScreenBlock];
  screen[kCounterOnByte] = 0;
  put16le(screen + kCounterX, 11);
  put16le(screen + kCounterY, 12);
  screen[kCounterColorsByte] = 0x13;
  screen[kProgressOnByte] = 0;
  put16le(screen + kProgressX, 14);
  screen[kProgressColorsByte] = 0x15;
  doc.CounterX = 1;
  doc.ProgressRect.x1 = 1;
  Load(file);
  EXPECT_EQ(doc.CounterX, 608);
  EXPECT_EQ(doc.CounterY, 462);
  EXPECT_EQ(doc.CounterColors, 0x80);
  const PixelRect r = doc.ProgressRect;
  EXPECT_EQ(r.x1, 100);
  EXPECT_EQ(r.y1, 400);
  EXPECT_EQ(r.x2, 539);
  EXPECT_EQ(r.y2, 418);
  EXPECT_EQ(doc.ProgressColors, 0xF2);
  EXPECT_EQ(doc.ProgressEdgeColor, 8);
  screen[kCounterOnByte] = 1;
  Load(file);
  EXPECT_EQ(doc.CounterX, 11);
  EXPECT_EQ(doc.CounterColors, 0x13);
}

// Counts above the list limits: the lists are cut to the limits and the
// entries behind are passed over, so later sections still read right.
TEST_F(MenuFileReader, CountsAboveTheLimitsAreCutToTheLimits) {
  MenuDocument& doc = TheDocument;
  Bytes file = SaveAndRead();
  file.resize(kEditorSection);
  // The runtime tables that the section table names are cut off with the rest.
  memset(&file[kSectionTable + 4 * kSectionKeyTable], 0, 4 * (kSectionTotal - kSectionKeyTable));
  file[kSettingsBlock] = 40;
  file[kLayoutArea] = 60;
  const char marker[] = "Tq";
  file.insert(file.end(), marker, marker + 2);
  file.push_back(60);  // runtime text table: 60 entries of "t"
  for (int i = 0; i < 60; ++i) {
    const uint8_t entry[] = {0, 0, 0, 0, 3, 1, 't', 0};
    file.insert(file.end(), entry, entry + sizeof entry);
  }
  const uint8_t settings[] = {1, 1, 30, 1, 0};
  file.insert(file.end(), settings, settings + sizeof settings);
  file.push_back(60);
  for (int i = 1; i <= 60; ++i) {
    const uint8_t item[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, uint8_t(i & 15), 2, 'T', uint8_t('A' + i % 26)};
    file.insert(file.end(), item, item + sizeof item);
  }
  for (int list = 0; list < 2; ++list) {
    file.push_back(40);
    for (int i = 1; i <= 40; ++i) {
      file.push_back(2);
      file.push_back('m');
      file.push_back(uint8_t('0' + i % 10));
    }
  }
  file.push_back(40);
  for (int i = 1; i <= 40; ++i) {
    for (const char* s : {"F1", "f1", "cmd"}) {
      file.push_back(uint8_t(strlen(s)));
      file.insert(file.end(), s, s + strlen(s));
    }
  }
  Load(file);
  EXPECT_EQ(doc.ItemCount[kMenuList], 36);
  EXPECT_EQ(doc.ItemCount[kLayoutList], 36);
  EXPECT_EQ(doc.ItemCount[kTextList], 50);
  EXPECT_EQ(doc.ItemCount[kFunctionKeyList], 36);
  EXPECT_STREQ(doc.textItems[50].text, "TY");
  EXPECT_STREQ(doc.menuStrings[36].command, "m6");
  EXPECT_STREQ(doc.menuStrings[36].text, "m6");
  EXPECT_STREQ(doc.functionKeys[36].command, "cmd");
  EXPECT_EQ(doc.MenuType, 1);
}

TEST_F(MenuFileReader, MenuTextLengthByteCarriesTheImageTextFlag) {
  MenuDocument& doc = TheDocument;
  doc.ItemCount[kMenuList] = 1;
  doc.menuKeys[1].accKey = 'h';
  CopyText(doc.menuStrings[1].text, kItemTextSize, "Hello");
  doc.menuStrings[1].useImageText = 1;
  const Bytes file = SaveAndRead();
  const std::string text(file.begin(), file.end());
  EXPECT_NE(text.find("\x85Hello"), std::string::npos);
  doc.menuStrings[1].useImageText = 0;
  Load(file);
  EXPECT_EQ(doc.menuStrings[1].useImageText, 1);
  EXPECT_STREQ(doc.menuStrings[1].text, "Hello");
}

TEST_F(MenuFileReader, MismatchedTextCountsLeaveTheTextsEmpty) {
  MenuDocument& doc = TheDocument;
  doc.ItemCount[kTextList] = 3;
  for (int i = 1; i <= 3; ++i) CopyText(doc.textItems[i].text, kItemTextSize, "abc");
  Bytes file = SaveAndRead();
  // The editor part's count follows the text table, four settings and the
  // folder name "korvel".
  uint32_t at = kEditorSection + 2 + 1 + 576 + 1;
  for (int i = 0; i < 3; ++i) at += 5 + file[at + 4];
  at += 4 + 7;
  ASSERT_EQ(file[at], 3);
  file[at] = 2;
  // Whole as such: the third item's 14 bytes go, and the section table's
  // offsets behind them move with the bytes.
  file.erase(file.begin() + at + 1 + 2 * 14, file.begin() + at + 1 + 3 * 14);
  for (uint32_t i = 0; i < kSectionTotal; ++i) {
    uint8_t* entry = &file[kSectionTable + 4 * i];
    if (get16le(entry) > at) put16le(entry, uint16_t(get16le(entry) - 14));
  }
  Load(file);
  EXPECT_EQ(doc.ItemCount[kTextList], 3);
  for (int i = 1; i <= 3; ++i) EXPECT_STREQ(doc.textItems[i].text, "");
}

TEST_F(MenuFileReader, RefusesAForeignFileAndKeepsTheDocument) {
  MenuDocument& doc = TheDocument;
  doc.ItemCount[kLayoutList] = 1;
  SaveMenuFile();
  const std::string good = MenuPath();
  doc.ItemCount[kLayoutList] = 2;
  CopyText(doc.MenuFileName, kPathSize, "other.zqk");
  ASSERT_TRUE(WriteBytes(MenuPath(), Bytes(0x5000, 'x')));
  LoadMenuFile();
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text, "'" + InMenuDir("other.zqk") + "' is not Menu File!");
  EXPECT_EQ(doc.ItemCount[kLayoutList], 2);
  EXPECT_STREQ(doc.MenuFileName, "bootmenu.zqk");
  EXPECT_EQ(view_.fields[ViewField::txtMenuFileName], "bootmenu.zqk");
  EXPECT_EQ(view_.fields[ViewField::txtFileDir], std::string(doc.MenuFileDir));

  CopyText(doc.MenuFileName, kPathSize, "missing.zqk");
  LoadMenuFile();
  EXPECT_EQ(Boxes().back().text, "File '" + InMenuDir("missing.zqk") + "' not Exist!");
  EXPECT_EQ(doc.ItemCount[kLayoutList], 2);
}

TEST_F(MenuFileReader, RussianInterfaceGetsDefaultColourNames) {
  MenuDocument& doc = TheDocument;
  CopyText(doc.CurrentColorTable[1].name, kColorNameSize, "Stored");
  doc.CurrentColorTable[2].color = 0x123456;
  CopyText(doc.CurrentColorTable[2].name, kColorNameSize, "Own");
  const Bytes file = SaveAndRead();
  CopyText(doc.DefaultColorTable[1].name, kColorNameSize, "Krasnyj");
  CopyText(doc.DefaultColorTable[2].name, kColorNameSize, "Zelenyj");
  Load(file);
  EXPECT_STREQ(doc.CurrentColorTable[1].name, "Stored");
  TheLanguage.currentLangId = 1049;
  Load(file);
  EXPECT_STREQ(doc.CurrentColorTable[1].name, "Krasnyj");
  EXPECT_STREQ(doc.CurrentColorTable[2].name, "Own");
  TheLanguage.currentLangId = 1033;
}

// A damaged file is refused as a foreign one is, and the open menu stays
// under its name (a Save writes its own file): cut short anywhere, a block
// named by the section table past the end, a range overwritten so that the
// editor part's counts no longer end at the key table, an older file whose
// last count is cut off.
TEST_F(MenuFileReader, DamagedFilesAreRefusedAndTheOpenMenuStays) {
  MenuDocument& doc = TheDocument;
  FillListsToLimits(10, 10);
  const Bytes file = SaveAndRead();
  ASSERT_TRUE(LoadMenuFile());
  const MenuDocument open = doc;
  std::vector<Bytes> damaged;
  for (size_t cut : {size_t(5000), size_t(0x7810), size_t(0x8205), size_t(0x8900), file.size() - 3000,
                     file.size() - 1}) {
    damaged.emplace_back(file.begin(), file.begin() + cut);
  }
  damaged.push_back(file);
  put16le(&damaged.back()[kSectionTable + 4 * kSectionPasswords], uint16_t(file.size() - 100));
  damaged.push_back(file);
  std::fill(&damaged.back()[0x8A00], &damaged.back()[0x8C00], 0);
  damaged.push_back(OldLayoutFile(0x10, "Tq"));
  damaged.back().pop_back();
  for (size_t i = 0; i < damaged.size(); ++i) {
    CopyText(doc.MenuFileName, kPathSize, "other.zqk");
    Boxes().clear();
    Load(damaged[i]);
    ASSERT_EQ(Boxes().size(), 1u) << i;
    EXPECT_EQ(Boxes()[0].text, "'" + InMenuDir("other.zqk") + "' is not Menu File!") << i;
    EXPECT_STREQ(doc.MenuFileName, "bootmenu.zqk") << i;
    EXPECT_TRUE(SameItems(open, doc)) << i;
  }
}

#ifndef TW_WIN32
// The fuzz target starts from seed inputs that are menu files of each form
// it knows, read whole, so that fuzzing begins inside every block.
TEST(MenuFileFuzzSeeds, EverySeedIsAMenuFileTheReaderTakesWhole) {
  const char* source = getenv("TW_SOURCE_DIR");
  ASSERT_TRUE(source != nullptr);
  char temp[1100];
  ASSERT_TRUE(GetTempFolder(temp, sizeof temp));
  const std::string folder = Join(temp, "tw_fuzz_seeds_" + std::to_string(getpid()));
  const std::string command = std::string("bash '") + source + "/fuzz/run_fuzz.sh' seed menu_file '" + folder + "'";
  ASSERT_EQ(system(command.c_str()), 0);
  MenuDocument& doc = TheDocument;
  int seeds = 0;
  for (int n = 1;; ++n) {
    const std::string path = Join(folder, "seed" + std::to_string(n));
    if (!FileExists(path.c_str())) break;
    ++seeds;
    const Bytes input = ReadBytes(path);
    const Bytes file = MenuFileFromFuzzInput(input.data(), input.size());
    ResetMenuDocument();
    ASSERT_TRUE(ReadMenuFileBytes(file.data(), file.size())) << path;
    EXPECT_EQ(doc.ItemCount[kMenuList], 3) << path;
    EXPECT_EQ(doc.ItemCount[kLayoutList], 3) << path;
    EXPECT_EQ(doc.ItemCount[kTextList], 3) << path;
    EXPECT_EQ(doc.ItemCount[kFunctionKeyList], 3) << path;
    EXPECT_STREQ(doc.functionKeys[3].command, "reboot") << path;
    remove(path.c_str());
  }
  RemoveFolder(folder.c_str());
  EXPECT_GE(seeds, 3);
}
#endif

}  // namespace
