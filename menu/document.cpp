#include "menu/document.h"

#include <cstring>

#include "app/language.h"
#include "app/string_ids.h"
#include "menu/undo.h"

MenuDocument TheDocument;
FieldLimitTable FieldLimits;

const ColorEntry kInitialColorTable[kColorCount] = {
    {0x000000, "Black"},     {0x000080, "Red"},        {0x008000, "Green"},
    {0x008080, "Brown"},     {0x800000, "Blue"},       {0x800080, "Magenta"},
    {0x808000, "Cyan"},      {0x808080, "DarkGray"},   {0xC0C0C0, "LightGray"},
    {0x0000FF, "LightRed"},  {0x00FF00, "LightGreen"}, {0x00FFFF, "Yellow"},
    {0xFF0000, "LightBlue"}, {0xFF00FF, "LightMagenta"},
    {0xFFFF00, "LightCyan"}, {0xFFFFFF, "White"},
};

const int kColorNameStringIds[kColorCount] = {
    kStrColorBlack,     kStrColorRed,        kStrColorGreen,      kStrColorBrown,
    kStrColorBlue,      kStrColorMagenta,    kStrColorCyan,       kStrColorDarkGray,
    kStrColorLightGray, kStrColorLightRed,   kStrColorLightGreen, kStrColorYellow,
    kStrColorLightBlue, kStrColorLightMagenta, kStrColorLightCyan, kStrColorWhite,
};

// Field codes whose value is a row (y) or a column (x) of the boot screen.
static const int kRowFieldCodes[] = {1, 3, 5, 7, 9, 11, 15, 17, 19};
static const int kColumnFieldCodes[] = {2, 4, 6, 8, 10, 12, 16, 18, 20};

// The list each numeric field belongs to, by field code.
static const int32_t kFieldListOfCode[kFieldCodeCount] = {
    kLayoutList, kLayoutList, kLayoutList, kLayoutList, kLayoutList,  // 0-4
    kMenuList,   kMenuList,   kMenuList,   kMenuList,                 // 5-8
    kTextList,   kTextList,   kNoList,     kTextList,                 // 9-12
    kNoList,     kLayoutList,                                         // 13-14
    kNoList,     kNoList,     kNoList,     kNoList, kNoList, kNoList, // 15-20
};

enum { kLogoTimeFieldCode = 13, kEdgeWidthFieldCode = 14 };
enum { kMaxLogoTime = 99, kMaxEdgeWidth = 15 };

void CopyText(char* target, int size, const char* text) {
  if (size <= 0) return;
  size_t length = 0;
  if (text) {
    while (length < (size_t)(size - 1) && text[length]) length++;
    memmove(target, text, length);
  }
  target[length] = 0;
}

void SetColorName(ColorEntry& entry, const char* name) {
  CopyText(entry.name, kColorNameSize, name);
}

int ListLimitOf(int list) {
  switch (list) {
    case kLayoutList: return kMaxLayoutItems;
    case kTextList: return kMaxTextItems;
    case kMenuList: return kMaxMenuItems;
    case kFunctionKeyList: return kMaxFunctionKeys;
    default: return 0;
  }
}

bool IsDocumentEmpty() {
  for (int list = 0; list < kListCount; list++) {
    if (TheDocument.ItemCount[list] != 0) return false;
  }
  return true;
}

void ApplyResolution() {
  MenuDocument& doc = TheDocument;
  if (doc.Resolution == kResolution1024x768) {
    doc.MenuScreenSize = {1024, 768};
  } else if (doc.Resolution == kResolution800x600) {
    doc.MenuScreenSize = {800, 600};
  } else {
    doc.MenuScreenSize = {640, 480};
  }
  for (int code : kRowFieldCodes) FieldLimits.FieldMax[code] = doc.MenuScreenSize.height - 1;
  for (int code : kColumnFieldCodes) FieldLimits.FieldMax[code] = doc.MenuScreenSize.width - 1;
}

void InitFieldLimits() {
  for (int code = 0; code < kFieldCodeCount; code++) {
    FieldLimits.FieldMin[code] = 0;
    FieldLimits.FieldMax[code] = 0;
    FieldLimits.FieldList[code] = kFieldListOfCode[code];
  }
  FieldLimits.FieldMax[kLogoTimeFieldCode] = kMaxLogoTime;
  FieldLimits.FieldMax[kEdgeWidthFieldCode] = kMaxEdgeWidth;
  ApplyResolution();
}

void LocalizeColorTables() {
  MenuDocument& doc = TheDocument;
  for (int i = 0; i < kColorCount; i++) {
    doc.DefaultColorTable[i].color = kInitialColorTable[i].color;
    SetColorName(doc.DefaultColorTable[i], GetString(kColorNameStringIds[i]));
  }
  memcpy(doc.CurrentColorTable, doc.DefaultColorTable, sizeof(ColorTable));
}

void ResetMenuDocument() {
  MenuDocument& doc = TheDocument;
  for (int list = 0; list < kListCount; list++) {
    doc.ItemCount[list] = 0;
    doc.CurrentItem[list] = 0;
  }
  doc.DefaultMenu = 0;
  doc.AccKeyMode = 0;
  doc.KeyTransfer = 0;
  doc.MenuType = 0;
  doc.WaitTime = 30;
  doc.WaitTimeOn = 1;
  doc.EditorFlag = 1;
  doc.LogoOn = 1;
  doc.BackImageOn = 1;

  doc.ShowCounter = 1;
  doc.CounterX = 608;
  doc.CounterY = 462;
  doc.CounterColors = 0x80;

  doc.ShowProgress = 0;
  doc.ProgressRect = {100, 400, 539, 418};
  doc.ProgressColors = 0xF2;
  doc.ProgressEdgeColor = 8;

  doc.LastMenuFilePath[0] = 0;

  ResetUndo();
  doc.DocumentModified = 0;
}

// The document as it exists from program start: empty lists with their
// limits, the initial colour tables, 640 x 480 at 256 colours and the
// settings of a new menu.
static void SetUpDocument() {
  MenuDocument& doc = TheDocument;
  memset(&doc, 0, sizeof doc);
  for (int list = 0; list < kListCount; list++) doc.ItemLimit[list] = ListLimitOf(list);
  memcpy(doc.CurrentColorTable, kInitialColorTable, sizeof(ColorTable));
  memcpy(doc.DefaultColorTable, kInitialColorTable, sizeof(ColorTable));
  doc.Resolution = kResolution640x480;
  doc.ColorMode = kColors256;
  InitFieldLimits();
  ResetMenuDocument();
}

static const bool documentIsSetUp = (SetUpDocument(), true);
