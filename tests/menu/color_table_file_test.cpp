#include "menu/color_table_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "bitmap_test_pictures.h"
#include "menu/document.h"
#include "platform/message_box.h"

namespace {

struct ShownBox {
  std::string text, caption;
  unsigned style = 0;
  void* owner = nullptr;
  int count = 0;
};
ShownBox Shown;

int RecordBox(const MessageBoxRequest& r) {
  Shown.text = r.text;
  Shown.caption = r.caption;
  Shown.style = r.style;
  Shown.owner = r.owner;
  Shown.count++;
  return kIdOk;
}

void* const kOwner = (void*)0x1234;

class ColorTableFile : public ::testing::Test {
 protected:
  void SetUp() override {
    memcpy(saved, TheDocument.CurrentColorTable, sizeof saved);
    for (int i = 0; i < kColorCount; ++i) {
      TheDocument.CurrentColorTable[i].color = 0x010203u * (uint32_t)(i + 1);
      snprintf(TheDocument.CurrentColorTable[i].name, kColorNameSize, "Colour %d", i);
    }
    previous = SetMessageBoxHandler(RecordBox);
    Shown = ShownBox();
  }
  void TearDown() override {
    SetMessageBoxHandler(previous);
    memcpy(TheDocument.CurrentColorTable, saved, sizeof saved);
  }
  std::vector<uint8_t> ValidFile() {
    std::string path = folder.Path("valid.ctb");
    EXPECT_TRUE(SaveColorTable(path.c_str(), kOwner));
    return ReadBytes(path);
  }
  // Loads bytes as a file; the table is scribbled first so a change shows.
  bool Load(const std::vector<uint8_t>& bytes) {
    std::string path = folder.Path("load.ctb");
    EXPECT_TRUE(WriteBytes(path, bytes));
    return LoadColorTable(path.c_str(), kOwner);
  }
  ColorTable saved;
  MessageBoxHandler previous = nullptr;
  TestFolder folder{"tw_color_table"};
};

TEST_F(ColorTableFile, SavedFileHasItsLayoutAndLoadsBackValuesAndNames) {
  std::vector<uint8_t> bytes = ValidFile();
  ASSERT_EQ(604u, bytes.size());
  EXPECT_EQ(0, memcmp(bytes.data(), "Tarnwick ColorTable File", 24));
  EXPECT_EQ(16u, Get32(bytes, 24));
  EXPECT_EQ(0x010203u * 3, Get32(bytes, 28 + 2 * 36));
  EXPECT_STREQ("Colour 2", (const char*)&bytes[28 + 2 * 36 + 4]);
  ColorTable expected;
  memcpy(expected, TheDocument.CurrentColorTable, sizeof expected);
  memset(TheDocument.CurrentColorTable, 0, sizeof(ColorTable));
  EXPECT_TRUE(Load(bytes));
  EXPECT_EQ(0, memcmp(expected, TheDocument.CurrentColorTable, sizeof expected));
  EXPECT_EQ(0, Shown.count);
}

TEST_F(ColorTableFile, WrongTextCountOrShortFileIsRefusedAndTheTableStays) {
  std::vector<uint8_t> good = ValidFile();
  ColorTable before;
  memcpy(before, TheDocument.CurrentColorTable, sizeof before);
  std::vector<uint8_t> count15 = good;
  count15[24] = 15;
  std::vector<uint8_t> lower = good;
  lower[0] = 't';
  std::vector<uint8_t> huge = good;
  huge[27] = 0x80;
  std::vector<uint8_t> shortFile(good.begin(), good.begin() + 600);
  std::vector<uint8_t> headerOnly(good.begin(), good.begin() + 26);
  for (const std::vector<uint8_t>* bytes : {&count15, &lower, &huge, &shortFile, &headerOnly}) {
    Shown = ShownBox();
    EXPECT_FALSE(Load(*bytes));
    EXPECT_EQ(1, Shown.count);
    EXPECT_NE(std::string::npos, Shown.text.find("is not a ColorTable File!")) << Shown.text;
    EXPECT_NE(std::string::npos, Shown.text.find("load.ctb")) << Shown.text;
    EXPECT_EQ("Error", Shown.caption);
    EXPECT_EQ((unsigned)(kMbOk | kMbIconError), Shown.style);
    EXPECT_EQ(kOwner, Shown.owner);
    EXPECT_EQ(0, memcmp(before, TheDocument.CurrentColorTable, sizeof before));
  }
}

TEST_F(ColorTableFile, MissingFileAndNamesWithoutEnd) {
  EXPECT_FALSE(LoadColorTable(folder.Path("none.ctb").c_str(), kOwner));
  EXPECT_NE(std::string::npos, Shown.text.find("not Exist!"));
  EXPECT_FALSE(LoadColorTable("", kOwner));
  std::vector<uint8_t> bytes = ValidFile();
  memset(&bytes[28 + 4], 'A', 32);  // entry 0's name fills its array
  EXPECT_TRUE(Load(bytes));
  EXPECT_EQ(31u, strlen(TheDocument.CurrentColorTable[0].name));
}

TEST_F(ColorTableFile, SavingOverALongerFileKeepsItsTail) {
  std::string path = folder.Path("long.ctb");
  std::vector<uint8_t> old(700, 0xEE);
  ASSERT_TRUE(WriteBytes(path, old));
  EXPECT_TRUE(SaveColorTable(path.c_str(), kOwner));
  std::vector<uint8_t> bytes = ReadBytes(path);
  ASSERT_EQ(700u, bytes.size());
  EXPECT_EQ(0, memcmp(bytes.data(), "Tarnwick", 8));
  for (size_t i = 604; i < 700; ++i) EXPECT_EQ(0xEE, bytes[i]);
  EXPECT_TRUE(LoadColorTable(path.c_str(), kOwner));
}

TEST_F(ColorTableFile, UncreatableFileIsReported) {
  std::string path = folder.Name("no-such-folder") + "/x.ctb";
  EXPECT_FALSE(SaveColorTable(path.c_str(), kOwner));
  EXPECT_NE(std::string::npos, Shown.text.find("Create Error!"));
  EXPECT_NE(std::string::npos, Shown.text.find("x.ctb"));
  EXPECT_FALSE(SaveColorTable("", kOwner));
}

TEST_F(ColorTableFile, BitmapPaletteGivesTheValuesAndKeepsTheNames) {
  TestPicture p = MakePatternPicture(5, 3, 4);
  std::string path = folder.Path("pal.bmp");
  ASSERT_TRUE(WritePicture(path, p));
  EXPECT_TRUE(LoadColorTableFromBmp(path.c_str(), kOwner));
  for (int k = 0; k < 16; ++k) {
    const TestColor& c = p.palette[k];
    EXPECT_EQ((uint32_t)c.red | (uint32_t)c.green << 8 | (uint32_t)c.blue << 16,
              TheDocument.CurrentColorTable[k].color);
  }
  EXPECT_STREQ("Colour 7", TheDocument.CurrentColorTable[7].name);

  ASSERT_TRUE(WritePicture(path, MakePatternPicture(5, 3, 8)));
  EXPECT_FALSE(LoadColorTableFromBmp(path.c_str(), kOwner));
  EXPECT_EQ("Bitmap image format error -- not 16 color bitmap!", Shown.text);
  EXPECT_EQ("Prompt", Shown.caption);
  EXPECT_EQ((unsigned)(kMbOk | kMbIconInformation), Shown.style);
  EXPECT_FALSE(LoadColorTableFromBmp(folder.Path("none.bmp").c_str(), kOwner));
  EXPECT_EQ("Bitmap image open error!", Shown.text);
  ASSERT_TRUE(WriteBytes(path, {'B', 'M', 1}));
  EXPECT_FALSE(LoadColorTableFromBmp(path.c_str(), kOwner));
  EXPECT_EQ("Bitmap image read error!", Shown.text);
}

}  // namespace
