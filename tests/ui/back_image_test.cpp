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
  EXPECT_EQ(kMbOk | kMbIconInformation, request.style);
  EXPECT_NE(nullptr, request.owner);
  g_messages.push_back(std::string(request.caption) + ": " + request.text);
  return kIdOk;
}

class BackImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPreviewDocument();
    before_ = SetMessageBoxHandler(RecordBox);
    const std::string dir = folder.Name("x");
    CopyText(TheDocument.MenuFileDir, kPathSize, dir.substr(0, dir.size() - 2).c_str());
    CopyText(TheDocument.BackImageName, kShortFileNameSize, "BACK.BMP");
    TheDocument.BackImageOn = 1;
  }
  void TearDown() override {
    SetMessageBoxHandler(before_);
    ReleaseBackImage(image);
  }
  void Write(int width, int height, int bits) {
    WritePicture(folder.Path("BACK.BMP"), MakePatternPicture(width, height, bits));
  }
  // The one message of a load, or "".
  std::string Load() {
    g_messages.clear();
    LoadBackImage(image);
    EXPECT_LE(g_messages.size(), 1u);
    return g_messages.empty() ? "" : g_messages[0];
  }

  RecordingView view;
  TestFolder folder{"tw_back_image_test"};
  BackImage image = {nullptr, 0, 0};
  MessageBoxHandler before_ = nullptr;
};

TEST_F(BackImageTest, RefusedPicturesAreNamedAndThePreviousOneStays) {
  TheDocument.ColorMode = kColors16;
  Write(640, 480, 4);
  EXPECT_EQ("", Load());
  ASSERT_NE(nullptr, image.bitmap);
  const HBITMAP loaded = image.bitmap;
  folder.Path("BACK.BMP");  // deleted
  EXPECT_EQ("Prompt: Background image open error!", Load());
  Write(640, 480, 8);
  EXPECT_EQ("Prompt: Background image format error -- not 16 color bitmap!", Load());
  Write(320, 200, 4);
  EXPECT_EQ("Prompt: Background image error -- not 640x480 bitmap!", Load());
  std::vector<uint8_t> cut = EncodeBitmap(MakePatternPicture(640, 480, 4));
  cut.resize(30);
  WriteBytes(folder.Path("BACK.BMP"), cut);
  EXPECT_EQ("Prompt: Background image read error!", Load());
  TheDocument.ColorMode = kColors256;
  Write(640, 480, 24);
  EXPECT_EQ("Prompt: Background image format error -- not 256 color bitmap!", Load());
  TheDocument.ColorMode = kColors16M;  // no check of its own, but not a bitmap
  WriteBytes(folder.Path("BACK.BMP"), std::vector<uint8_t>(100, 'x'));
  EXPECT_EQ("Prompt: Background image read error!", Load());
  EXPECT_EQ(loaded, image.bitmap);
}

TEST_F(BackImageTest, WithTheBackgroundOffAPictureStillLoadsAndNothingIsSaid) {
  TheDocument.BackImageOn = 0;
  EXPECT_EQ("", Load());  // missing
  Write(640, 480, 4);     // 256 colours: made 8-bit in place, then loaded
  EXPECT_EQ("", Load());
  ASSERT_NE(nullptr, image.bitmap);
  TestPicture picture = MakePatternPicture(640, 480, 4);
  const TestColor c = picture.palette[picture.at(0, 0)];
  TestSurface copy(640, 480);
  CopyBackImage(copy.dc(), image, 640, 480);
  EXPECT_EQ(RGB(c.red, c.green, c.blue), copy.At(0, 0));
  Write(800, 600, 8);
  EXPECT_EQ("", Load());
}

}  // namespace
