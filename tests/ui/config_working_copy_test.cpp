// The configuration dialog's working copy: OK's copy into the document and
// the count of items a smaller screen leaves outside (16 colours at
// 640 x 480 only: the dialog's tests).
#include <gtest/gtest.h>

#include <cstring>

#include "menu/document.h"
#include "ui/config_working_copy.h"

namespace {

class ConfigWorkingCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMenuDocument();
    memcpy(TheDocument.CurrentColorTable, kInitialColorTable, sizeof TheDocument.CurrentColorTable);
    TheDocument.ColorMode = kColors256;
    TheDocument.Resolution = kResolution1024x768;
    ApplyResolution();
  }
  ConfigWorkingCopy copy = {};
};

TEST_F(ConfigWorkingCopyTest, ApplyCopiesTableAndSettingsAndReportsAResolutionChange) {
  LoadWorkingCopy(copy);
  SetColorName(copy.WorkingColorTable[3], "Sea");
  copy.WorkingColorTable[3].color = 0x123456;
  copy.WorkingSettings.MouseOff = 255;
  copy.WorkingSettings.SmoothVideo = 1;
  EXPECT_STREQ("Brown", TheDocument.CurrentColorTable[3].name);  // the copy only
  EXPECT_FALSE(ApplyWorkingCopy(copy));
  EXPECT_STREQ("Sea", TheDocument.CurrentColorTable[3].name);
  EXPECT_EQ(0x123456u, TheDocument.CurrentColorTable[3].color);
  EXPECT_EQ(255, TheDocument.MouseOff);
  EXPECT_EQ(1, TheDocument.SmoothVideo);

  copy.WorkingSettings.Resolution = kResolution800x600;
  EXPECT_TRUE(ApplyWorkingCopy(copy));
  EXPECT_EQ(800, TheDocument.MenuScreenSize.width);
  EXPECT_EQ(599, FieldLimits.FieldMax[1]);  // a row field
}

TEST_F(ConfigWorkingCopyTest, CountsWhatASmallerScreenLeavesOutside) {
  MenuDocument& doc = TheDocument;
  doc.layoutItems[1] = LayoutItem{0, 0, 639, 479, 0, 0, 0};    // fits
  doc.layoutItems[2] = LayoutItem{600, 0, 700, 10, 0, 0, 0};   // too wide
  doc.ItemCount[kLayoutList] = 2;
  doc.textItems[1].geometry = TextItemGeometry{0, 470, 100, 485, 0, 0};  // too low
  doc.ItemCount[kTextList] = 1;
  doc.menuGeometry[1] = MenuItemGeometry{0, 10, 10, 300, 25, 0};  // fits
  doc.ItemCount[kMenuList] = 1;
  doc.ShowCounter = 1;
  doc.WaitTime = 30;  // two cells: 624..639 fit
  doc.CounterX = 624;
  doc.CounterY = 464;
  doc.ShowProgress = 1;
  doc.ProgressRect = PixelRect{100, 400, 640, 480};  // drawn up to 639 and 479
  doc.Resolution = kResolution640x480;
  ApplyResolution();
  EXPECT_EQ(2, CountItemsOutsideScreen());
  doc.CounterX = 625;
  doc.ProgressRect.x2 = 641;
  EXPECT_EQ(4, CountItemsOutsideScreen());
  doc.ShowCounter = 0;
  doc.ShowProgress = 0;
  EXPECT_EQ(2, CountItemsOutsideScreen());
}

}  // namespace
