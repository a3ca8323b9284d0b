// Loading the background picture and the four messages of a refused one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu/document.h"
#include "platform/message_box.h"
#include "tests/menu/bitmap_test_pictures.h"
#include "tests/menu/recording_view.h"
#include "tests/ui/preview_surface.h"
#include "ui/back_image.h"

namespace {

std::vector<std::string> g_messages;

int RecordBox(const MessageBoxRequest& request) {
  g_messages.push_back(std::string(request.caption) + ": " + request.text);
  EXPECT_EQ(kMbOk | kMbIconInformation, request.style);
  EXPECT_NE(nullptr, request.owner);
  return kIdOk;
}

class BackImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPreviewDocument();
    g_messages.clear();
    before_ = SetMessageBoxHandler(RecordBox);
    std::string dir = folder.Name("x");
    CopyText(TheDocument.MenuFileDir, kPathSize, dir.substr(0, dir.size() - 2).c_str());
    CopyText(TheDocument.BackImageName, kShortFileNameSize, "BACK.BMP");
    TheDocument.BackImageOn = 1;
  }
  void TearDown() override {
    SetMessageBoxHandler(before_);
    ReleaseBackImage(image);
  }
  void Write(int width, int height, int bits) {
    ASSERT_TRUE(WritePicture(folder.Path("BACK.BMP"), MakePatternPicture(width, height, bits)));
  }
  std::string LoadAndTakeMessage() {
    LoadBackImage(image);
    std::string message = g_messages.empty() ? "" : g_messages.back();
    EXPECT_LE(g_messages.size(), 1u);
    g_messages.clear();
    return message;
  }

  RecordingView view;
  TestFolder folder{"tw_back_image_test"};
  BackImage image = {nullptr, 0, 0};
  MessageBoxHandler before_ = nullptr;
};

TEST_F(BackImageTest, RefusedPicturesAreNamedAndThePreviousOneStays) {
  TheDocument.ColorMode = kColors16;
  Write(640, 480, 4);
  EXPECT_EQ("", LoadAndTakeMessage());
  ASSERT_NE(nullptr, image.bitmap);
  EXPECT_EQ(640, image.width);
  EXPECT_EQ(480, image.height);
  HBITMAP loaded = image.bitmap;

  folder.Path("BACK.BMP");  // deleted
  EXPECT_EQ("Prompt: Background image open error!", LoadAndTakeMessage());
  Write(640, 480, 8);
  EXPECT_EQ("Prompt: Background image format error -- not 16 color bitmap!", LoadAndTakeMessage());
  Write(320, 200, 4);
  EXPECT_EQ("Prompt: Background image error -- not 640x480 bitmap!", LoadAndTakeMessage());
  std::vector<uint8_t> cut = EncodeBitmap(MakePatternPicture(640, 480, 4));
  cut.resize(30);
  WriteBytes(folder.Path("BACK.BMP"), cut);
  EXPECT_EQ("Prompt: Background image read error!", LoadAndTakeMessage());
  TheDocument.ColorMode = kColors256;
  Write(640, 480, 24);
  EXPECT_EQ("Prompt: Background image format error -- not 256 color bitmap!", LoadAndTakeMessage());
  EXPECT_EQ(loaded, image.bitmap);
}

TEST_F(BackImageTest, WithTheBackgroundOffAPictureStillLoadsAndNothingIsSaid) {
  TheDocument.BackImageOn = 0;
  TheDocument.ColorMode = kColors256;
  EXPECT_EQ("", LoadAndTakeMessage());  // missing
  Write(640, 480, 4);                    // converted to 8 bits in place
  EXPECT_EQ("", LoadAndTakeMessage());
  ASSERT_NE(nullptr, image.bitmap);
  // The picture's top-left pixel arrives as its palette colour.
  TestPicture picture = MakePatternPicture(640, 480, 4);
  const TestColor c = picture.palette[picture.at(0, 0)];
  TestSurface copy(640, 480);
  CopyBackImage(copy.dc(), image, 640, 480);
  EXPECT_EQ(RGB(c.red, c.green, c.blue), copy.At(0, 0));
  Write(800, 600, 8);
  EXPECT_EQ("", LoadAndTakeMessage());
}

TEST_F(BackImageTest, AFileTheSystemCannotReadAsABitmapIsReportedNotIgnored) {
  TheDocument.ColorMode = kColors16M;  // no check of its own
  WriteBytes(folder.Path("BACK.BMP"), std::vector<uint8_t>(100, 'x'));
  EXPECT_EQ("Prompt: Background image read error!", LoadAndTakeMessage());
  EXPECT_EQ(nullptr, image.bitmap);
}

}  // namespace
