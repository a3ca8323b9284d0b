#pragma once
// The menu document: the one boot menu being edited, held process-wide in
// fixed tables (no heap). This is the data model that the menu file writer
// and reader, the views and the preview all work on.
//
// Lists are 1-based: item n of a list lives in slot n of its array, slot 0
// is never used. Slots above ItemCount keep whatever they last held; they
// are neither shown nor written. Texts are NUL-terminated 8-bit arrays.
//
// The records have the fields, in order, of their on-disc layouts; the
// byte sizes of those layouts are the k...Bytes constants below. Some
// records are padded in memory (LayoutItem, MenuItemGeometry, TextItem), so
// serialise them field by field, never by copying the struct.
#include <cstdint>

// The list code every item operation takes.
enum ItemList {
  kLayoutList = 0,
  kTextList = 1,
  kMenuList = 2,
  kFunctionKeyList = 3,
  kListCount = 4,
  kNoList = 128,    // CurrentList on a page without an item list
  kAllLists = 255,  // views and defaults only
};

enum {
  kMaxLayoutItems = 36,
  kMaxTextItems = 50,
  kMaxMenuItems = 36,
  kMaxFunctionKeys = 36,
  kMaxListItems = 50,  // the largest of the four limits

  kItemTextSize = 81,      // text items and menu texts: 80 characters + NUL
  kCommandSize = 129,      // menu and function-key commands: 128 + NUL
  kPasswordSize = 9,       // menu item passwords: 8 + NUL
  kKeyNameSize = 17,       // function key display name: 16 + NUL
  kKeyTokenSize = 9,       // function key token: 8 + NUL
  kColorNameSize = 32,
  kColorCount = 16,
  kPathSize = 1025,        // folder and file names of the settings
  kShortFileNameSize = 13, // 8.3 names: 12 characters + NUL
};

// A box drawn on the boot screen. Inclusive pixel coordinates.
struct LayoutItem {
  uint16_t x1, y1, x2, y2;
  uint8_t edgeColors;  // high nibble: upper and left band; low: lower and right
  uint8_t mainColor;   // colour index of the inside
  uint8_t edgeWidth;   // width of the edge bands in pixels
};

enum TextAlign { kAlignLeft = 0, kAlignMiddle = 1, kAlignRight = 2 };

struct TextItemGeometry {
  uint16_t x1, y1, x2, y2;
  uint8_t align;  // TextAlign
  uint8_t color;  // colour index of the text
};

// A line of text: its characters and the rectangle it is placed in.
struct TextItem {
  char text[kItemTextSize];  // trailing spaces removed when stored
  TextItemGeometry geometry;
};

// Keys of a menu entry; the five targets are menu item numbers (0 = none).
struct MenuItemKeys {
  uint8_t accKey;  // hot key character, 0 = none
  uint8_t up, down, left, right, tab;
};

struct MenuItemGeometry {
  uint8_t normalColors;  // background * 16 + foreground when not selected
  uint16_t x1, y1, x2, y2;
  uint8_t highlightColors;  // background * 16 + foreground when selected
};

struct MenuItemStrings {
  char command[kCommandSize];   // leading and trailing spaces removed
  char text[kItemTextSize];     // trailing spaces removed
  char password[kPasswordSize]; // as typed
  uint8_t useImageText;         // 1: a hot spot over text in the background
};

// The three parallel parts of a menu entry together, as the undo copies
// and the reorderings move them.
struct MenuItem {
  MenuItemKeys keys;
  MenuItemGeometry geometry;
  MenuItemStrings strings;
};

struct FunctionKeyItem {
  char keyName[kKeyNameSize];  // as shown, e.g. "Shift+F1"
  char key[kKeyTokenSize];     // the loader's token, e.g. "sf1"
  char command[kCommandSize];
};

// One colour-table entry: a Windows colour value 0x00BBGGRR and its name.
struct ColorEntry {
  uint32_t color;
  char name[kColorNameSize];
};

// Byte sizes of the records in the menu file.
enum {
  kLayoutItemBytes = 11,
  kTextItemGeometryBytes = 10,
  kMenuItemKeysBytes = 6,
  kMenuItemGeometryBytes = 10,
  kMenuItemStringsBytes = 220,
  kFunctionKeyItemBytes = 155,
  kColorEntryBytes = 36,
};
static_assert(sizeof(TextItemGeometry) == kTextItemGeometryBytes, "no padding");
static_assert(sizeof(MenuItemKeys) == kMenuItemKeysBytes, "no padding");
static_assert(sizeof(MenuItemStrings) == kMenuItemStringsBytes, "no padding");
static_assert(sizeof(FunctionKeyItem) == kFunctionKeyItemBytes, "no padding");
static_assert(sizeof(ColorEntry) == kColorEntryBytes, "no padding");

typedef ColorEntry ColorTable[kColorCount];

// Colour pairs: background (or upper band) in the high nibble.
inline uint8_t MakeColorPair(int high, int low) {
  return (uint8_t)(((high & 15) << 4) | (low & 15));
}
inline int HighColor(uint8_t pair) { return pair >> 4; }
inline int LowColor(uint8_t pair) { return pair & 15; }

enum ColorModeValue {
  kColors256 = 0,
  kColors64K = 1,
  kColors16M = 2,
  kColors16 = 3,  // 640 x 480 only
};
enum ResolutionValue {
  kResolution640x480 = 0x00,
  kResolution800x600 = 0x10,
  kResolution1024x768 = 0x20,
};

// An inclusive rectangle in boot-screen pixels.
struct PixelRect {
  uint16_t x1, y1, x2, y2;
};

struct ScreenSize {
  int32_t width;
  int32_t height;
};

// The undo history: one ring of entries shared by all lists, and per list
// a ring of saved item copies for the deletions and modifications.
enum { kUndoDepth = 36 };

enum UndoKind {
  kUndoAdded = 1,
  kUndoDeleted = 2,
  kUndoModified = 3,
  kUndoSwapped = 4,
};

struct UndoEntry {
  int32_t kind;   // UndoKind
  int32_t list;   // ItemList
  int32_t item;   // item number the entry is about
  int32_t value;  // kind-dependent: see UndoKind users in menu/undo.cpp
};

// Ring slots are numbered 1..kUndoDepth; slot 0 is not used.
template <class Record>
struct SavedItemRing {
  Record slots[kUndoDepth + 1];
  int32_t nextSlot;  // 1..36
  int32_t count;     // 0..36
};

struct UndoHistory {
  UndoEntry ring[kUndoDepth + 1];
  int32_t top;    // the slot written next, 1..36
  int32_t count;  // entries that can be undone, 0..36
  SavedItemRing<LayoutItem> savedLayout;
  SavedItemRing<TextItem> savedText;
  SavedItemRing<MenuItem> savedMenu;
  SavedItemRing<FunctionKeyItem> savedFunctionKeys;
};

struct MenuDocument {
  // Per list, indexed by ItemList 0..3.
  uint8_t ItemCount[kListCount];
  int32_t CurrentItem[kListCount];  // 0 exactly when the list is empty
  int32_t ItemLimit[kListCount];    // 36, 50, 36, 36

  // The four lists, 1-based.
  LayoutItem layoutItems[kMaxLayoutItems + 1];
  TextItem textItems[kMaxTextItems + 1];
  MenuItemKeys menuKeys[kMaxMenuItems + 1];
  MenuItemGeometry menuGeometry[kMaxMenuItems + 1];
  MenuItemStrings menuStrings[kMaxMenuItems + 1];
  FunctionKeyItem functionKeys[kMaxFunctionKeys + 1];

  // Colours: every colour index of the document refers to CurrentColorTable;
  // DefaultColorTable has the same values with the current language's names.
  ColorTable CurrentColorTable;
  ColorTable DefaultColorTable;

  // Settings reset by ResetMenuDocument.
  uint8_t DefaultMenu;     // menu item selected at boot, 0 = none
  uint8_t AccKeyMode;      // 0 hot key selects, 255 hot key runs at once
  uint8_t KeyTransfer;     // 'a' lower case, 'A' capitals, 0 no change
  uint8_t MenuType;        // 0 main menu, 1 sub menu
  uint8_t WaitTime;        // seconds before the default entry starts
  uint8_t WaitTimeOn;
  uint8_t EditorFlag;      // stored in and read back from the menu file
  uint8_t LogoOn;
  uint8_t BackImageOn;
  uint8_t ShowCounter;
  uint8_t CounterColors;   // background * 16 + foreground
  uint16_t CounterX, CounterY;
  uint8_t ShowProgress;
  uint8_t ProgressColors;  // background * 16 + foreground
  PixelRect ProgressRect;  // rectangle of the progress bar
  uint8_t ProgressEdgeColor;

  // Settings kept by ResetMenuDocument (configuration dialog).
  uint8_t ColorMode;       // ColorModeValue
  uint8_t Resolution;      // ResolutionValue
  uint8_t MouseOff;        // 0 PS/2 mouse enabled, 255 disabled
  uint8_t DefaultMenuOff;  // 0 loader's default menu file on, 1 off
  uint8_t KeepKernel;      // 1 loader stays resident for coming back from DOS
  uint8_t SmoothVideo;

  // Folder and file names (from the main window's settings), kept by reset.
  char MenuFileName[kPathSize];
  char ImageFileDir[kPathSize];  // the boot folder on the disc
  char CDFileDir[kPathSize];     // the folder holding the disc's files
  char MenuFileDir[kPathSize];   // CDFileDir \ ImageFileDir
  char BackImageName[kShortFileNameSize];
  char LastMenuFilePath[kPathSize];  // emptied by ResetMenuDocument
  // The logo name and time of the logo block last read from or written to
  // a menu file; a typed logo name or time marks the document modified only
  // when it differs from them. Kept by ResetMenuDocument.
  char FileLogoName[kShortFileNameSize];
  uint8_t FileLogoTime;

  ScreenSize MenuScreenSize;  // from Resolution by ApplyResolution

  uint8_t DocumentModified;  // 1 when the document differs from its file

  UndoHistory Undo;
};

// The one document of the process.
extern MenuDocument TheDocument;

// Numeric edit-field limits by field code (21 codes). FieldMin is 0 for
// every code; FieldList is the ItemList of the field, or kNoList for a
// document setting. ApplyResolution sets the row and column maxima.
enum { kFieldCodeCount = 21 };
struct FieldLimitTable {
  int32_t FieldMax[kFieldCodeCount];
  int32_t FieldMin[kFieldCodeCount];
  int32_t FieldList[kFieldCodeCount];
};
extern FieldLimitTable FieldLimits;

// Fills all three FieldLimits arrays for the current MenuScreenSize.
void InitFieldLimits();

// Makes the document new and empty: lists emptied (slots keep their
// content), settings to those of a new menu, LastMenuFilePath emptied,
// undo history forgotten, DocumentModified cleared. The colour table, the
// screen settings and the file names are not touched. The caller refreshes
// the views.
void ResetMenuDocument();

// Derives MenuScreenSize from Resolution (1024x768 for 0x20, 800x600 for
// 0x10, 640x480 otherwise) and sets the row and column maxima of
// FieldLimits to height - 1 and width - 1.
void ApplyResolution();

// The 16 colours in the Windows 16-colour order with their English names,
// and the string ids of their names in the current language.
extern const ColorEntry kInitialColorTable[kColorCount];
extern const int kColorNameStringIds[kColorCount];

// Stores a colour name into an entry, cut to 31 characters.
void SetColorName(ColorEntry& entry, const char* name);

// Names DefaultColorTable's entries from the current language (GetString)
// and copies the whole default table over CurrentColorTable.
void LocalizeColorTables();

// True when all four lists are empty.
bool IsDocumentEmpty();

// Copies text into a fixed-size field, cut to size - 1 characters and
// NUL-terminated; never reads past a NUL.
void CopyText(char* target, int size, const char* text);

// The list sizes as the Parts fix them, by ItemList.
int ListLimitOf(int list);
