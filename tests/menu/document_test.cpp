#include "menu/document.h"

#include <gtest/gtest.h>

#include <cstring>

#include "menu/undo.h"
#include "recording_view.h"

namespace {

TEST(MenuDocument, StartsEmptyWithItsLimitsAndTheWindowsColours) {
  const MenuDocument& doc = TheDocument;
  for (int list = 0; list < kListCount; list++) {
    EXPECT_EQ(0, doc.ItemCount[list]);
    EXPECT_EQ(0, doc.CurrentItem[list]);
  }
  EXPECT_EQ(36, doc.ItemLimit[kLayoutList]);
  EXPECT_EQ(50, doc.ItemLimit[kTextList]);
  EXPECT_EQ(36, doc.ItemLimit[kMenuList]);
  EXPECT_EQ(36, doc.ItemLimit[kFunctionKeyList]);
  EXPECT_EQ(640, doc.MenuScreenSize.width);
  EXPECT_EQ(480, doc.MenuScreenSize.height);
  // Windows colour values are 0x00BBGGRR: index 1 is red, 4 is blue.
  EXPECT_EQ(0x000080u, doc.CurrentColorTable[1].color);
  EXPECT_STREQ("Red", doc.CurrentColorTable[1].name);
  EXPECT_EQ(0x800000u, doc.CurrentColorTable[4].color);
  EXPECT_STREQ("Blue", doc.DefaultColorTable[4].name);
  EXPECT_EQ(0xFFFFFFu, doc.DefaultColorTable[15].color);
  EXPECT_EQ(30, doc.WaitTime);
  EXPECT_EQ(0, doc.DocumentModified);
}

TEST(MenuDocument, ResetEmptiesTheListsAndKeepsColoursScreenAndNames) {
  RecordingView view;
  MenuDocument& doc = TheDocument;
  doc.ItemCount[kLayoutList] = 3;
  doc.CurrentItem[kLayoutList] = 2;
  doc.ItemCount[kMenuList] = 1;
  doc.CurrentItem[kMenuList] = 1;
  doc.layoutItems[2].x1 = 77;
  doc.WaitTime = 5;
  doc.WaitTimeOn = 0;
  doc.DefaultMenu = 1;
  doc.KeyTransfer = 'A';
  doc.ShowProgress = 1;
  doc.ProgressRect = {1, 2, 3, 4};
  doc.CounterColors = 0x12;
  doc.CurrentColorTable[3].color = 0x123456;
  doc.Resolution = kResolution800x600;
  doc.ColorMode = kColors64K;
  doc.KeepKernel = 1;
  strcpy(doc.MenuFileName, "my.zqk");
  strcpy(doc.LastMenuFilePath, "c:\\old\\my.zqk");
  doc.DocumentModified = 1;
  doc.Undo.count = 4;
  view.undoButtonsEnabled = true;

  ResetMenuDocument();

  for (int list = 0; list < kListCount; list++) {
    EXPECT_EQ(0, doc.ItemCount[list]);
    EXPECT_EQ(0, doc.CurrentItem[list]);
  }
  EXPECT_EQ(77, doc.layoutItems[2].x1) << "slots keep their content";
  EXPECT_EQ(30, doc.WaitTime);
  EXPECT_EQ(1, doc.WaitTimeOn);
  EXPECT_EQ(0, doc.DefaultMenu);
  EXPECT_EQ(0, doc.KeyTransfer);
  EXPECT_EQ(1, doc.EditorFlag);
  EXPECT_EQ(1, doc.ShowCounter);
  EXPECT_EQ(608, doc.CounterX);
  EXPECT_EQ(462, doc.CounterY);
  EXPECT_EQ(0x80, doc.CounterColors);
  EXPECT_EQ(0, doc.ShowProgress);
  EXPECT_EQ(100, doc.ProgressRect.x1);
  EXPECT_EQ(400, doc.ProgressRect.y1);
  EXPECT_EQ(539, doc.ProgressRect.x2);
  EXPECT_EQ(418, doc.ProgressRect.y2);
  EXPECT_EQ(0xF2, doc.ProgressColors);
  EXPECT_EQ(8, doc.ProgressEdgeColor);
  EXPECT_STREQ("", doc.LastMenuFilePath);
  EXPECT_EQ(0, doc.DocumentModified);
  EXPECT_EQ(0, UndoEntryCount());
  EXPECT_FALSE(view.undoButtonsEnabled);

  EXPECT_EQ(0x123456u, doc.CurrentColorTable[3].color);
  EXPECT_EQ(kResolution800x600, doc.Resolution);
  EXPECT_EQ(kColors64K, doc.ColorMode);
  EXPECT_EQ(1, doc.KeepKernel);
  EXPECT_STREQ("my.zqk", doc.MenuFileName);

  doc.CurrentColorTable[3] = kInitialColorTable[3];
  doc.Resolution = kResolution640x480;
  doc.ColorMode = kColors256;
  doc.KeepKernel = 0;
  ApplyResolution();
}

TEST(MenuDocument, ResolutionSetsScreenSizeAndCoordinateMaxima) {
  InitFieldLimits();
  MenuDocument& doc = TheDocument;

  doc.Resolution = kResolution800x600;
  ApplyResolution();
  EXPECT_EQ(800, doc.MenuScreenSize.width);
  EXPECT_EQ(600, doc.MenuScreenSize.height);
  for (int code : {1, 3, 5, 7, 9, 11, 15, 17, 19}) EXPECT_EQ(599, FieldLimits.FieldMax[code]) << code;
  for (int code : {2, 4, 6, 8, 10, 12, 16, 18, 20}) EXPECT_EQ(799, FieldLimits.FieldMax[code]) << code;
  EXPECT_EQ(0, FieldLimits.FieldMax[0]);
  EXPECT_EQ(99, FieldLimits.FieldMax[13]);
  EXPECT_EQ(15, FieldLimits.FieldMax[14]);

  doc.Resolution = kResolution1024x768;
  ApplyResolution();
  EXPECT_EQ(1024, doc.MenuScreenSize.width);
  EXPECT_EQ(767, FieldLimits.FieldMax[19]);
  EXPECT_EQ(1023, FieldLimits.FieldMax[20]);

  // Any other value, also one with a colour mode in the low nibble, is
  // 640 x 480.
  for (int other : {0x30, 0x11, 0x01, 0xFF}) {
    doc.Resolution = (uint8_t)other;
    ApplyResolution();
    EXPECT_EQ(640, doc.MenuScreenSize.width) << other;
    EXPECT_EQ(479, FieldLimits.FieldMax[1]) << other;
    EXPECT_EQ(639, FieldLimits.FieldMax[2]) << other;
  }
  EXPECT_EQ(99, FieldLimits.FieldMax[13]);
  EXPECT_EQ(15, FieldLimits.FieldMax[14]);
  doc.Resolution = kResolution640x480;
  ApplyResolution();
}

TEST(MenuDocument, FieldListsNameTheListOfEachField) {
  InitFieldLimits();
  EXPECT_EQ(kLayoutList, FieldLimits.FieldList[1]);
  EXPECT_EQ(kMenuList, FieldLimits.FieldList[8]);
  EXPECT_EQ(kTextList, FieldLimits.FieldList[9]);
  EXPECT_EQ(kNoList, FieldLimits.FieldList[11]);
  EXPECT_EQ(kTextList, FieldLimits.FieldList[12]);
  EXPECT_EQ(kLayoutList, FieldLimits.FieldList[14]);
  EXPECT_EQ(kNoList, FieldLimits.FieldList[20]);
  for (int code = 0; code < kFieldCodeCount; code++) EXPECT_EQ(0, FieldLimits.FieldMin[code]);
}

TEST(MenuDocument, ColourPairsHoldBackgroundHighForegroundLow) {
  EXPECT_EQ(4, HighColor(0x4F));
  EXPECT_EQ(15, LowColor(0x4F));
  EXPECT_EQ(0x4F, MakeColorPair(4, 15));
  EXPECT_EQ(0xF2, MakeColorPair(15, 2));
}

TEST(MenuDocument, TextsAreCutToTheirFields) {
  char field[5];
  memset(field, 'x', sizeof field);
  CopyText(field, sizeof field, "abcdefgh");
  EXPECT_STREQ("abcd", field);
  CopyText(field, sizeof field, nullptr);
  EXPECT_STREQ("", field);

  ColorEntry entry = {};
  std::string longName(60, 'n');
  SetColorName(entry, longName.c_str());
  EXPECT_EQ(31u, strlen(entry.name));
}

TEST(MenuDocument, LocalisedColourNamesReplaceTheCurrentTable) {
  MenuDocument& doc = TheDocument;
  doc.CurrentColorTable[5].color = 0x010203;
  strcpy(doc.CurrentColorTable[5].name, "Mine");
  LocalizeColorTables();
  EXPECT_EQ(0x800080u, doc.CurrentColorTable[5].color);
  EXPECT_STREQ("Magenta", doc.CurrentColorTable[5].name);
  EXPECT_STREQ("LightGray", doc.DefaultColorTable[8].name);
}

TEST(MenuDocument, EmptyOnlyWhenAllFourListsAre) {
  ResetMenuDocument();
  EXPECT_TRUE(IsDocumentEmpty());
  TheDocument.ItemCount[kFunctionKeyList] = 1;
  EXPECT_FALSE(IsDocumentEmpty());
  ResetMenuDocument();
}

}  // namespace

namespace {

TEST(DocumentViewSeam, ANullViewStandsInWhileNoneIsInstalled) {
  DocumentView* before = SetDocumentView(nullptr);
  EXPECT_EQ(kNoList, TheDocumentView().CurrentList());
  EXPECT_EQ("", TheDocumentView().GetFieldText(ViewField::txtLogoImg));
  {
    RecordingView view;
    EXPECT_EQ(&view, &TheDocumentView());
    TheDocumentView().SetFieldText(ViewField::txtPassword, "pw");
    EXPECT_EQ("pw", view.GetFieldText(ViewField::txtPassword));
  }
  EXPECT_EQ(nullptr, SetDocumentView(before));
}

}  // namespace
