#include "menu/runtime_tables.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/language.h"
#include "platform/system_lang.h"

namespace {

class RuntimeTablesTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetMenuDocument(); }
  void TearDown() override {
    ResetMenuDocument();
    SetSystemDefaultLangId(-1);
  }

  static TextItem& AddText(const char* text, int x1, int x2, int y1, int align, int color) {
    MenuDocument& doc = TheDocument;
    int n = ++doc.ItemCount[kTextList];
    doc.CurrentItem[kTextList] = 1;
    TextItem& item = doc.textItems[n];
    item = {};
    strcpy(item.text, text);
    item.geometry = {(uint16_t)x1, (uint16_t)y1, (uint16_t)x2, (uint16_t)(y1 + 16), (uint8_t)align, (uint8_t)color};
    return item;
  }

  static int AddMenuItem(uint8_t accKey, const char* command, const char* text, const char* password) {
    MenuDocument& doc = TheDocument;
    int n = ++doc.ItemCount[kMenuList];
    doc.CurrentItem[kMenuList] = 1;
    doc.menuKeys[n] = {accKey, 0, 0, 0, 0, 0};
    doc.menuStrings[n] = {};
    strcpy(doc.menuStrings[n].command, command);
    strcpy(doc.menuStrings[n].text, text);
    strcpy(doc.menuStrings[n].password, password);
    return n;
  }

  static void AddFunctionKey(const char* token, const char* command) {
    MenuDocument& doc = TheDocument;
    int n = ++doc.ItemCount[kFunctionKeyList];
    doc.CurrentItem[kFunctionKeyList] = 1;
    doc.functionKeys[n] = {};
    strcpy(doc.functionKeys[n].key, token);
    strcpy(doc.functionKeys[n].command, command);
  }

  static ByteBuffer Bytes(std::initializer_list<int> values) {
    ByteBuffer bytes;
    for (int v : values) bytes.push_back((uint8_t)v);
    return bytes;
  }

  static ByteBuffer Text(const std::string& text) {
    ByteBuffer bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
  }

  static ByteBuffer Join(std::initializer_list<ByteBuffer> parts) {
    ByteBuffer all;
    for (const ByteBuffer& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  }
};

TEST_F(RuntimeTablesTest, KeyTokensGiveCharacterCodesOrBiosKeystrokes) {
  EXPECT_EQ(0x4900, KeyNameToScanCode("PGUP"));
  EXPECT_EQ(0x4900, KeyNameToScanCode("pgup"));
  EXPECT_EQ(0x000D, KeyNameToScanCode("Entr"));
  EXPECT_EQ(0x4400, KeyNameToScanCode("f10"));
  EXPECT_EQ(0x8600, KeyNameToScanCode("f12"));
  EXPECT_EQ(0x5D00, KeyNameToScanCode("sf10"));
  EXPECT_EQ(0x8800, KeyNameToScanCode("SF12"));
  EXPECT_EQ(0x7100, KeyNameToScanCode("af10"));
  EXPECT_EQ(0x8C00, KeyNameToScanCode("af12"));
  EXPECT_EQ(0x0078, KeyNameToScanCode("x"));
  EXPECT_EQ(0xFFE9, KeyNameToScanCode("\xE9"));
  EXPECT_EQ(0xFFFF, KeyNameToScanCode("f13"));
  EXPECT_EQ(0xFFFF, KeyNameToScanCode("f1x"));
  EXPECT_EQ(0xFFFF, KeyNameToScanCode("pg"));
  EXPECT_EQ(0xFFFF, KeyNameToScanCode(""));
  EXPECT_EQ(0xFFFF, KeyNameToScanCode(nullptr));
}

TEST_F(RuntimeTablesTest, KeyNameRowsStepOneScanCodePerKey) {
  ASSERT_EQ(51, kKeyNameTableRows);
  for (int k = 1; k <= 10; k++) {
    std::string plain = "f" + std::to_string(k);
    EXPECT_EQ(0x3A00 + k * 0x100, KeyNameToScanCode(plain.c_str())) << plain;
    EXPECT_EQ(0x5300 + k * 0x100, KeyNameToScanCode(("s" + plain).c_str())) << plain;
    EXPECT_EQ(0x6700 + k * 0x100, KeyNameToScanCode(("a" + plain).c_str())) << plain;
  }
}

TEST_F(RuntimeTablesTest, TextsAreAlignedInEightPixelCells) {
  TextItemGeometry box = {160, 100, 472, 116, kAlignMiddle, 0};
  EXPECT_EQ(296, AlignedTextColumn(box, "Hello"));
  box.align = kAlignRight;
  EXPECT_EQ(432, AlignedTextColumn(box, "Hello"));
  box.align = kAlignLeft;
  EXPECT_EQ(160, AlignedTextColumn(box, "Hello"));
  // A text that fills or overflows its box starts at the left edge.
  std::string full(39, 'w');
  box.align = kAlignRight;
  EXPECT_EQ(160, AlignedTextColumn(box, full.c_str()));
  EXPECT_EQ(464, AlignedTextColumn(box, std::string(1, 'w').c_str()));
  // An inverted box has a negative cell count.
  TextItemGeometry inverted = {472, 100, 160, 116, kAlignRight, 0};
  EXPECT_EQ(472, AlignedTextColumn(inverted, "Hello"));
  // An alignment code from a damaged file centres like middle.
  box.align = 7;
  EXPECT_EQ(296, AlignedTextColumn(box, "Hello"));
  // The division truncates: (479 - 160) / 8 = 39 cells.
  TextItemGeometry odd = {160, 0, 479, 16, kAlignMiddle, 0};
  EXPECT_EQ(160 + (8 * 37) / 2, AlignedTextColumn(odd, "ab"));
}

TEST_F(RuntimeTablesTest, RuntimeTextTableHoldsPositionColourAndTrimmedText) {
  AddText("Hello   ", 160, 472, 40, kAlignRight, 14);
  AddText("", 0, 100, 7, kAlignLeft, 3);
  ByteBuffer table;
  BuildRuntimeTextTable(table);
  EXPECT_EQ(Join({Bytes({2, 432 & 0xFF, 432 >> 8, 40, 0, 7, 14}), Text("Hello"),
                  Bytes({0, 0, 7, 0, 2, 3}), Text("")}),
            table);

  ResetMenuDocument();
  table.clear();
  BuildRuntimeTextTable(table);
  EXPECT_EQ(Bytes({0}), table);
}

TEST_F(RuntimeTablesTest, AnUnterminatedTextIsCutAtItsField) {
  TextItem& item = AddText("", 0, 639, 0, kAlignLeft, 1);
  memset(item.text, 'A', sizeof item.text);  // no NUL anywhere
  ByteBuffer table;
  BuildRuntimeTextTable(table);
  ASSERT_EQ(1u + 6 + 81, table.size());
  EXPECT_EQ(82, table[5]);
  EXPECT_EQ(0, table.back());
}

TEST_F(RuntimeTablesTest, KeyTableListsMenuHotKeysThenFunctionKeys) {
  AddMenuItem('d', "  RUN \\Boot\\Dos.img  ", "DOS", "");
  AddMenuItem('n', "", "Nothing", "");
  AddFunctionKey(" PGUP ", " reboot ");
  AddFunctionKey("q", "quit");
  ByteBuffer table;
  BuildKeyTable(table);
  EXPECT_EQ(Join({Bytes({4, 'd', 0, 18}), Text("RUN \\Boot\\Dos.img"),  //
                  Bytes({'n', 0, 1, 0}),                               //
                  Bytes({0x00, 0x49, 7}), Text("reboot"),              //
                  Bytes({'q', 0, 5}), Text("quit")}),
            table);
}

TEST_F(RuntimeTablesTest, MenuTextTableFlagsImageTextInTheLengthByte) {
  int n = AddMenuItem('a', "x", std::string(80, 'm').c_str(), "");
  TheDocument.menuStrings[n].useImageText = 1;
  AddMenuItem('b', "y", "Two  ", "");
  ByteBuffer table;
  BuildMenuTextTable(table);
  ASSERT_EQ(1u + 1 + 81 + 1 + 4, table.size());
  EXPECT_EQ(2, table[0]);
  EXPECT_EQ(0xD1, table[1]);
  EXPECT_EQ(0, table[82]);
  EXPECT_EQ(4, table[83]);
  EXPECT_EQ(Text("Two"), ByteBuffer(table.begin() + 84, table.end()));
}

TEST_F(RuntimeTablesTest, PasswordTableHasThirtySixInvertedEntries) {
  ByteBuffer table;
  BuildPasswordTable(table);
  EXPECT_EQ(ByteBuffer(360, 0), table);

  AddMenuItem('a', "", "", "ab");
  AddMenuItem('b', "", "", "");
  int n = AddMenuItem('c', "", "", "");
  memcpy(TheDocument.menuStrings[n].password, "12345678X", 9);  // no NUL
  table.clear();
  BuildPasswordTable(table);
  ASSERT_EQ(360u, table.size());
  EXPECT_EQ(Bytes({2, 'a' ^ 0xFF, 'b' ^ 0xFF, 0, 0, 0, 0, 0, 0, 0}), ByteBuffer(table.begin(), table.begin() + 10));
  EXPECT_EQ(ByteBuffer(10, 0), ByteBuffer(table.begin() + 10, table.begin() + 20));
  EXPECT_EQ(8, table[20]);
  EXPECT_EQ('8' ^ 0xFF, table[28]);
  EXPECT_EQ(0, table[29]);
  EXPECT_EQ(ByteBuffer(330, 0), ByteBuffer(table.begin() + 30, table.end()));
}

TEST_F(RuntimeTablesTest, InterfaceLanguageOverridesTheSystemsFontChoice) {
  const int greek = 0x0408, russian = 1049, english = 1033;
  EXPECT_EQ(0x4FA00u, CodePageFontOffset(greek, russian));
  EXPECT_EQ(0x50A00u, CodePageFontOffset(greek, english));
  EXPECT_EQ(0x00000u, CodePageFontOffset(0x0409, english));
  EXPECT_EQ(0x52200u, CodePageFontOffset(0x0409, 10241));
  // Only the primary language counts: Serbian (Latin) is 0x081A.
  EXPECT_EQ(0x4F200u, CodePageFontOffset(0x081A, english));
  EXPECT_EQ(0x50200u, CodePageFontOffset(0x0426, english));  // Latvian
  EXPECT_EQ(0x51A00u, CodePageFontOffset(0x0409, 1055));
  EXPECT_EQ(0x51200u, CodePageFontOffset(0x040D, 0x0C0A));
}

// The byte at offset i of a test template: differs between neighbouring
// 512-byte blocks and within each block.
static uint8_t TemplateByte(long i) { return (uint8_t)(i * 7 + (i >> 9)); }

static FILE* MakeTemplate(long size) {
  FILE* file = tmpfile();
  for (long i = 0; i < size; i++) fputc(TemplateByte(i), file);
  rewind(file);
  return file;
}

static ByteBuffer TemplateBlock(long offset, long size) {
  ByteBuffer bytes;
  for (long i = offset; i < offset + size; i++) bytes.push_back(TemplateByte(i));
  return bytes;
}

static ByteBuffer ReadAll(FILE* file) {
  ByteBuffer bytes;
  rewind(file);
  int c;
  while ((c = fgetc(file)) != EOF) bytes.push_back((uint8_t)c);
  return bytes;
}

TEST_F(RuntimeTablesTest, CodePageFontIsCopiedFromTheChosenTemplateBlock) {
  FILE* templateFile = MakeTemplate(0x52A00);
  FILE* out = tmpfile();
  ASSERT_TRUE(templateFile && out);
  int savedLanguage = TheLanguage.currentLangId;
  TheLanguage.currentLangId = 1033;
  SetSystemDefaultLangId(0x0408);
  EXPECT_TRUE(WriteCodePageFont(out, templateFile));
  TheLanguage.currentLangId = 1049;
  EXPECT_TRUE(WriteCodePageFont(out, templateFile));
  TheLanguage.currentLangId = savedLanguage;
  ByteBuffer written = ReadAll(out);
  ASSERT_EQ(2u * kCodePageFontSize, written.size());
  EXPECT_EQ(TemplateBlock(0x50A00, kCodePageFontSize),
            ByteBuffer(written.begin(), written.begin() + kCodePageFontSize));
  EXPECT_EQ(TemplateBlock(0x4FA00, kCodePageFontSize),
            ByteBuffer(written.begin() + kCodePageFontSize, written.end()));
  fclose(templateFile);
  fclose(out);
}

TEST_F(RuntimeTablesTest, AShortTemplateStillGivesAFullFontButReportsIt) {
  FILE* templateFile = MakeTemplate(0x52200 + 100);
  FILE* out = tmpfile();
  int savedLanguage = TheLanguage.currentLangId;
  TheLanguage.currentLangId = 10241;
  EXPECT_FALSE(WriteCodePageFont(out, templateFile));
  TheLanguage.currentLangId = savedLanguage;
  ByteBuffer written = ReadAll(out);
  ASSERT_EQ((size_t)kCodePageFontSize, written.size());
  ByteBuffer expected = TemplateBlock(0x52200, 100);
  expected.resize(kCodePageFontSize, 0);
  EXPECT_EQ(expected, written);
  fclose(templateFile);
  fclose(out);
}

TEST_F(RuntimeTablesTest, WritersAppendWhatTheBuildersBuild) {
  AddText("Line", 0, 100, 3, kAlignMiddle, 2);
  AddMenuItem('k', "boot", "Entry", "pw");
  AddFunctionKey("f1", "help");
  FILE* out = tmpfile();
  ASSERT_TRUE(out);
  fputc(0x55, out);
  EXPECT_TRUE(WriteTextItems(out));
  EXPECT_TRUE(WriteKeyTable(out));
  EXPECT_TRUE(WriteMenuTexts(out));
  EXPECT_TRUE(WriteMenuPasswords(out));
  ByteBuffer expected = Bytes({0x55});
  BuildRuntimeTextTable(expected);
  BuildKeyTable(expected);
  BuildMenuTextTable(expected);
  BuildPasswordTable(expected);
  EXPECT_EQ(expected, ReadAll(out));
  fclose(out);
  EXPECT_FALSE(WriteKeyTable(nullptr));
}

}  // namespace
