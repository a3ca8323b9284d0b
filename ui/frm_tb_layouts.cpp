// The main window's positions in each translated language, in 96-DPI
// design pixels (the forms layer scales them): the texts of a language are
// longer or shorter than the English ones, so labels, buttons and the
// fields beside them move. English, and every language without a list,
// keeps the positions of the form table (ui/frm_tb_form.cpp). A list is
// applied after the texts and the font, in its order.
#include "ui/frm_tb.h"

namespace {

typedef TfrmTb T;

const unsigned L = kOverrideLeft;
const unsigned P = kOverrideTop;
const unsigned W = kOverrideWidth;
const unsigned H = kOverrideHeight;

// The window and its page control.
#define TB_WINDOW(window, pages) {kFormItself, W, window}, {T::tabstrp, W, pages}

// The six list buttons of a page, one width, side by side from the left.
#define TB_LIST_BUTTONS(append, insert, del, up, down, undo, width, step)                         \
  {append, L, 8}, {append, W, width}, {insert, L, 8 + (step)}, {insert, W, width},             \
  {del, L, 8 + 2 * (step)}, {del, W, width}, {up, L, 8 + 3 * (step)}, {up, W, width},           \
  {down, L, 8 + 4 * (step)}, {down, W, width}, {undo, L, 8 + 5 * (step)}, {undo, W, width}

// The two-column groups of a rectangle: row and column labels made wider.
#define TB_RECT_GROUP(rowLabel, rowField, colLabel, colField)                                     \
  {rowLabel, L, 6}, {rowLabel, W, 34}, {rowField, L, 40}, {rowField, W, 34},                       \
  {colLabel, L, 78}, {colLabel, W, 34}, {colField, L, 112}, {colField, W, 34}

// A group of colour combos with wider labels.
#define TB_COLOR_ROW(label, combo) {label, W, 46}, {combo, L, 54}, {combo, W, 94}

// The languages with longer words than English (the European packs): the
// same window, with wider labels and buttons on every page.
#define TB_LONGER_TEXTS                                                                           \
  /* File page: the ten buttons in two even rows, the preview box wider. */                      \
  {T::btnNew, L, 8}, {T::btnNew, W, 59}, {T::btnOpen, L, 70}, {T::btnOpen, W, 59},                 \
  {T::btnSave, L, 132}, {T::btnSave, W, 59}, {T::btnSaveAs, L, 194}, {T::btnSaveAs, W, 59},        \
  {T::btnISOMake, L, 256}, {T::btnISOMake, W, 59}, {T::btnBurn, L, 8}, {T::btnBurn, W, 59},        \
  {T::btnTools, L, 70}, {T::btnTools, W, 59}, {T::btnOptions, L, 132}, {T::btnOptions, W, 59},     \
  {T::btnHelp, L, 194}, {T::btnHelp, W, 59}, {T::btnQuit, L, 256}, {T::btnQuit, W, 59},            \
  {T::chkPrevShow, L, 8}, {T::chkPrevShow, W, 138}, {T::chkPrevEdit, L, 8}, {T::chkPrevEdit, W, 138}, \
  /* Layout page. */                                                                              \
  {T::lbItemNoL, W, 54}, {T::txtItemNoL, L, 64}, {T::txtItemNoL, W, 34}, {T::lbItemsNumL, L, 106}, \
  {T::lbItemsNumL, W, 56}, {T::txtItemsNumL, L, 164}, {T::txtItemsNumL, W, 36},                   \
  TB_RECT_GROUP(T::lbULRowL, T::txtULRowL, T::lbULColL, T::txtULColL),                             \
  TB_RECT_GROUP(T::lbLRRowL, T::txtLRRowL, T::lbLRColL, T::txtLRColL),                             \
  TB_LIST_BUTTONS(T::btnAppendL, T::btnInsertL, T::btnDeleteL, T::btnMoveUpL, T::btnMoveDownL,     \
                  T::btnUndoL, 49, 51),                                                           \
  /* Text page: the alignment box across the page, the colour below the text. */                 \
  {T::lbItemNoT, W, 54}, {T::txtItemNoT, L, 64}, {T::txtItemNoT, W, 34}, {T::lbItemsNumT, L, 106}, \
  {T::lbItemsNumT, W, 56}, {T::txtItemsNumT, L, 164}, {T::txtItemsNumT, W, 36},                   \
  TB_RECT_GROUP(T::lbULRowT, T::txtULRowT, T::lbULColT, T::txtULColT),                             \
  TB_RECT_GROUP(T::lbLRRowT, T::txtLRRowT, T::lbLRColT, T::txtLRColT),                             \
  {T::gbAlignStyle, W, 307}, {T::optAlignLeft, L, 10}, {T::optAlignLeft, W, 90},                   \
  {T::optAlignMiddle, L, 110}, {T::optAlignMiddle, W, 90}, {T::optAlignRight, L, 210},             \
  {T::optAlignRight, W, 90}, {T::lbTextColorT, L, 8}, {T::lbTextColorT, P, 347},                   \
  {T::lbTextColorT, W, 50}, {T::cbTextColorT, L, 60}, {T::cbTextColorT, P, 343},                   \
  {T::cbTextColorT, W, 130},                                                                      \
  TB_LIST_BUTTONS(T::btnAppendT, T::btnInsertT, T::btnDeleteT, T::btnMoveUpT, T::btnMoveDownT,     \
                  T::btnUndoT, 49, 51),                                                           \
  /* Menu page. */                                                                                \
  {T::lbItemNoM, W, 54}, {T::txtItemNoM, L, 64}, {T::txtItemNoM, W, 34},                          \
  {T::btnSetDefaultMenu, L, 104}, {T::chkHotSpot, L, 200}, {T::chkHotSpot, W, 115},               \
  TB_RECT_GROUP(T::lbULRowM, T::txtULRowM, T::lbULColM, T::txtULColM),                             \
  TB_RECT_GROUP(T::lbLRRowM, T::txtLRRowM, T::lbLRColM, T::txtLRColM),                             \
  TB_COLOR_ROW(T::lbBGColorM, T::cbBGColorM), TB_COLOR_ROW(T::lbFGColorM, T::cbFGColorM),          \
  TB_COLOR_ROW(T::lbNBGColorM, T::cbNBGColorM), TB_COLOR_ROW(T::lbNFGColorM, T::cbNFGColorM),      \
  {T::lbMenuCmd, W, 62}, {T::txtMenuCmd, L, 72}, {T::txtMenuCmd, W, 243}, {T::lbTextM, W, 50},    \
  {T::txtMenuText, W, 100}, {T::lbAccKey, L, 166}, {T::lbAccKey, W, 50}, {T::txtAccKey, L, 218},  \
  {T::txtMenuPass, L, 246}, {T::txtMenuPass, W, 69},                                              \
  TB_LIST_BUTTONS(T::btnAppendM, T::btnInsertM, T::btnDeleteM, T::btnMoveUpM, T::btnMoveDownM,     \
                  T::btnUndoM, 49, 51),                                                           \
  /* Misc page. */                                                                                \
  {T::lbItemNoF, W, 54}, {T::txtItemNoF, L, 64}, {T::txtItemNoF, W, 28}, {T::lbItemsNumF, L, 98},  \
  {T::lbItemsNumF, W, 46}, {T::txtItemsNumF, L, 146}, {T::txtItemsNumF, W, 28},                   \
  {T::lbFuncKey, L, 180}, {T::lbFuncKey, W, 74}, {T::txtFuncKey, L, 256}, {T::txtFuncKey, W, 59},  \
  {T::txtFKeyStr, L, 256}, {T::txtFKeyStr, W, 59}, {T::lbFKeyCmd, W, 62}, {T::txtFKeyCmd, L, 72}, \
  {T::txtFKeyCmd, W, 243},                                                                        \
  TB_LIST_BUTTONS(T::btnAppendF, T::btnInsertF, T::btnDeleteF, T::btnMoveUpF, T::btnMoveDownF,     \
                  T::btnUndoF, 49, 51),                                                           \
  {T::chkDispCount, W, 160}, {T::lbCountX, W, 34}, {T::txtCountY, L, 46}, {T::lbCountY, W, 34},   \
  {T::txtCountX, L, 46}, TB_COLOR_ROW(T::lbCColorBG, T::cbCColorBG),                               \
  TB_COLOR_ROW(T::lbCColorFG, T::cbCColorFG), {T::chkShowProg, W, 160},                           \
  TB_RECT_GROUP(T::lbULRowP, T::txtULRowP, T::lbULColP, T::txtULColP),                             \
  TB_RECT_GROUP(T::lbLRRowP, T::txtLRRowP, T::lbLRColP, T::txtLRColP),                             \
  TB_COLOR_ROW(T::lbPColorBG, T::cbBGColorP), TB_COLOR_ROW(T::lbPColorFG, T::cbFGColorP),          \
  TB_COLOR_ROW(T::lbPColorEdge, T::cbEdgeColorP)

// Chinese (traditional and simplified): shorter texts, the File page's
// fields widen.
const LayoutOverride k1028[] = {
    {T::lbFileDir, L, 4},        {T::lbFileDir, W, 58},       {T::bvFileDir, L, 56},
    {T::bvFileDir, W, 169},      {T::txtFileDir, L, 58},      {T::txtFileDir, W, 166},
    {T::lbMenuFileName, L, 4},   {T::lbMenuFileName, W, 74},  {T::txtMenuFileName, L, 80},
    {T::txtMenuFileName, W, 77},
};

// German.
const LayoutOverride k1031[] = {
    TB_WINDOW(337, 331),
    {T::lbFileDir, L, 6},       {T::lbFileDir, W, 57},      {T::bvFileDir, L, 64},
    {T::bvFileDir, W, 160},     {T::txtFileDir, L, 65},     {T::txtFileDir, W, 158},
    {T::lbMenuFileName, L, 4},  {T::lbMenuFileName, W, 58}, {T::txtMenuFileName, L, 65},
    TB_LONGER_TEXTS,
};

// The other European languages: the longer texts in the same window
// (Russian one pixel wider).
const LayoutOverride kEuropean[] = {TB_WINDOW(337, 331), TB_LONGER_TEXTS};
const LayoutOverride k1049[] = {TB_WINDOW(338, 332), TB_LONGER_TEXTS};

// Norwegian: the wait time and the password share a row, and so do the
// logo's check box and name; the translator line shows on the About page.
const LayoutOverride k1044[] = {
    {T::lbFileDir, L, 2},        {T::lbFileDir, W, 49},      {T::lbMenuFileName, L, 8},
    {T::lbMenuFileName, W, 42},  {T::chkWaitTime, P, 128},   {T::txtWaitTime, P, 128},
    {T::txtPassword, P, 128},    {T::btnPassword, P, 128},   {T::chkLogoImg, P, 158},
    {T::txtLogoImg, P, 158},     {T::chkLogoImg, W, 78},     {T::txtLogoImg, L, 247},
    {T::txtLogoImg, W, 68},
    {T::lbAboutNotice, P, 136},  {T::lbLocalize, P, 168},    {T::lbAboutWeb, P, 200},
    {T::lbAboutContact, P, 224}, {T::lbWindowsVer, P, 248},
};

// The coordinate groups with the Arabic labels: wider labels, the fields
// narrower (four digits still fit).
#define TB_RECT_GROUP_AR(rowLabel, rowField, colLabel, colField)                                  \
  {rowLabel, L, 6}, {rowLabel, W, 36}, {rowField, L, 42}, {rowField, W, 32},                       \
  {colLabel, L, 78}, {colLabel, W, 36}, {colField, L, 114}, {colField, W, 32}

// A colour row of the Menu and Misc pages' groups in Arabic: the label as
// narrow as its caption allows, so that the combo shows more of the longer
// Arabic colour names.
#define TB_COLOR_ROW_AR(label, combo) {label, L, 4}, {label, W, 44}, {combo, L, 50}, {combo, W, 98}

// A page's item number and item count with the longer Arabic label.
#define TB_ITEM_ROW_AR(numberLabel, numberField, countLabel, countField)                          \
  {numberLabel, W, 62}, {numberField, L, 72}, {numberField, W, 34}, {countLabel, L, 114},          \
  {countLabel, W, 56}, {countField, L, 172}, {countField, W, 36}

// The six list buttons of a page in Arabic: each as wide as its caption
// needs ("Down" the widest).
#define TB_LIST_BUTTONS_AR(append, insert, del, up, down, undo)                                   \
  {append, L, 8}, {append, W, 50}, {insert, L, 60}, {insert, W, 46}, {del, L, 108}, {del, W, 46},   \
  {up, L, 156}, {up, W, 50}, {down, L, 208}, {down, W, 56}, {undo, L, 266}, {undo, W, 48}

// The ten File page buttons in Arabic: five columns, the fourth ("Save As",
// "Help") and fifth ("Make ISO", "Exit") wider for "Save As" and "Make ISO".
#define TB_FILE_COLUMN_AR(top, bottom, left, width)                                                \
  {top, L, left}, {top, W, width}, {bottom, L, left}, {bottom, W, width}

// The File page below its first two rows in Arabic: 6 pixels further down.
#define TB_DOWN_AR(control, top) {control, P, (top) + 6}
#define TB_FILE_PAGE_DOWN_AR                                                                      \
  TB_DOWN_AR(T::gbMenuType, 60), TB_DOWN_AR(T::gbPreviewSetting, 60), TB_DOWN_AR(T::txtPassword, 129), \
  TB_DOWN_AR(T::btnPassword, 128), TB_DOWN_AR(T::chkWaitTime, 131), TB_DOWN_AR(T::txtWaitTime, 129),  \
  TB_DOWN_AR(T::gbAccKeyMode, 156), TB_DOWN_AR(T::chkLogoImg, 162), TB_DOWN_AR(T::txtLogoImg, 181),   \
  TB_DOWN_AR(T::txtLogoTime, 181), TB_DOWN_AR(T::chkBackImg, 210), TB_DOWN_AR(T::txtBackImg, 229),    \
  TB_DOWN_AR(T::gbKeyTransMode, 226), TB_DOWN_AR(T::lbMenuNum, 264), TB_DOWN_AR(T::txtItemsNumM, 260), \
  TB_DOWN_AR(T::lbDefaultMenuNo, 291), TB_DOWN_AR(T::txtDefaultMenuNo, 287),                          \
  TB_DOWN_AR(T::chkAutoLoad, 318), TB_DOWN_AR(T::btnNew, 342), TB_DOWN_AR(T::btnOpen, 342),          \
  TB_DOWN_AR(T::btnSave, 342), TB_DOWN_AR(T::btnSaveAs, 342), TB_DOWN_AR(T::btnISOMake, 342),        \
  TB_DOWN_AR(T::btnBurn, 370), TB_DOWN_AR(T::btnTools, 370), TB_DOWN_AR(T::btnOptions, 370),         \
  TB_DOWN_AR(T::btnHelp, 370), TB_DOWN_AR(T::btnQuit, 370)

// Arabic: the European positions with room for the longer Arabic labels;
// the About page's separator spans the page and the translator line shows.
const LayoutOverride k10241[] = {
    TB_WINDOW(337, 331),
    TB_LONGER_TEXTS,
    // File page: the menu folder's caption above its field, which spans the
    // page (beside the caption it would be too narrow for the folder of a
    // program folder such as Z:\tmp\tarnwick\build\win64 in the wider
    // letters of the Arabic code page); the rest of the page moves down for
    // it. The wait time's caption clear of its field.
    {T::lbFileDir, L, 8}, {T::lbFileDir, P, 2}, {T::lbFileDir, W, 120}, {T::bvFileDir, L, 8},
    {T::bvFileDir, P, 16}, {T::bvFileDir, W, 307}, {T::txtFileDir, L, 9}, {T::txtFileDir, P, 19},
    {T::txtFileDir, W, 305}, {T::lbMenuFileName, L, 8}, {T::lbMenuFileName, P, 45},
    {T::lbMenuFileName, W, 68}, {T::txtMenuFileName, L, 78}, {T::txtMenuFileName, P, 41},
    TB_FILE_PAGE_DOWN_AR, {T::chkWaitTime, L, 162}, {T::chkWaitTime, W, 110},
    TB_FILE_COLUMN_AR(T::btnNew, T::btnBurn, 6, 49), TB_FILE_COLUMN_AR(T::btnOpen, T::btnTools, 57, 49),
    TB_FILE_COLUMN_AR(T::btnSave, T::btnOptions, 108, 49), TB_FILE_COLUMN_AR(T::btnSaveAs, T::btnHelp, 159, 80),
    TB_FILE_COLUMN_AR(T::btnISOMake, T::btnQuit, 241, 73),
    // Layout page.
    TB_ITEM_ROW_AR(T::lbItemNoL, T::txtItemNoL, T::lbItemsNumL, T::txtItemsNumL),
    TB_RECT_GROUP_AR(T::lbULRowL, T::txtULRowL, T::lbULColL, T::txtULColL),
    TB_RECT_GROUP_AR(T::lbLRRowL, T::txtLRRowL, T::lbLRColL, T::txtLRColL),
    {T::lbBGColorL, W, 46}, {T::cbBGColorL, L, 58}, {T::lbFGColorL, W, 46}, {T::cbFGColorL, L, 58},
    {T::lbMColorL, W, 46}, {T::cbMColorL, L, 58}, {T::lbEdgeL, L, 184}, {T::lbEdgeL, W, 36},
    TB_LIST_BUTTONS_AR(T::btnAppendL, T::btnInsertL, T::btnDeleteL, T::btnMoveUpL, T::btnMoveDownL, T::btnUndoL),
    // Text page.
    TB_ITEM_ROW_AR(T::lbItemNoT, T::txtItemNoT, T::lbItemsNumT, T::txtItemsNumT),
    TB_RECT_GROUP_AR(T::lbULRowT, T::txtULRowT, T::lbULColT, T::txtULColT),
    TB_RECT_GROUP_AR(T::lbLRRowT, T::txtLRRowT, T::lbLRColT, T::txtLRColT),
    TB_LIST_BUTTONS_AR(T::btnAppendT, T::btnInsertT, T::btnDeleteT, T::btnMoveUpT, T::btnMoveDownT, T::btnUndoT),
    // Menu page: the item number and the wider default button share a row,
    // the image-text box has one of its own below it; the list is a little
    // shorter and the rest of the page moves down for it.
    {T::lstViewM, H, 72},
    {T::lbItemNoM, P, 91}, {T::lbItemNoM, W, 62}, {T::txtItemNoM, P, 87}, {T::txtItemNoM, L, 72},
    {T::txtItemNoM, W, 28}, {T::btnSetDefaultMenu, P, 86}, {T::btnSetDefaultMenu, L, 104},
    {T::btnSetDefaultMenu, W, 128}, {T::chkHotSpot, P, 113}, {T::chkHotSpot, L, 10}, {T::chkHotSpot, W, 150},
    {T::gbULCoordM, P, 136}, {T::gbLRCoordM, P, 136}, {T::gbDispAttrM, P, 186}, {T::gbNDispAttrM, P, 186},
    {T::gbCursorKey, P, 262}, {T::lbMenuCmd, P, 328}, {T::txtMenuCmd, P, 324}, {T::lbTextM, P, 354},
    {T::txtMenuText, P, 350}, {T::lbAccKey, P, 354}, {T::txtAccKey, P, 350}, {T::txtMenuPass, P, 350},
    {T::btnAppendM, P, 379}, {T::btnInsertM, P, 379}, {T::btnDeleteM, P, 379}, {T::btnMoveUpM, P, 379},
    {T::btnMoveDownM, P, 379}, {T::btnUndoM, P, 379},
    TB_RECT_GROUP_AR(T::lbULRowM, T::txtULRowM, T::lbULColM, T::txtULColM),
    TB_RECT_GROUP_AR(T::lbLRRowM, T::txtLRRowM, T::lbLRColM, T::txtLRColM),
    TB_COLOR_ROW_AR(T::lbBGColorM, T::cbBGColorM), TB_COLOR_ROW_AR(T::lbFGColorM, T::cbFGColorM),
    TB_COLOR_ROW_AR(T::lbNBGColorM, T::cbNBGColorM), TB_COLOR_ROW_AR(T::lbNFGColorM, T::cbNFGColorM),
    {T::txtMenuText, W, 80}, {T::lbAccKey, L, 144}, {T::lbAccKey, W, 79}, {T::txtAccKey, L, 224},
    {T::txtMenuPass, L, 250}, {T::txtMenuPass, W, 65},
    TB_LIST_BUTTONS_AR(T::btnAppendM, T::btnInsertM, T::btnDeleteM, T::btnMoveUpM, T::btnMoveDownM, T::btnUndoM),
    // Misc page.
    {T::lbItemNoF, W, 62}, {T::txtItemNoF, L, 70}, {T::lbItemsNumF, L, 102}, {T::txtItemsNumF, L, 150},
    {T::lbFuncKey, L, 182}, {T::lbFuncKey, W, 77}, {T::txtFuncKey, L, 261}, {T::txtFuncKey, W, 54},
    {T::txtFKeyStr, L, 261}, {T::txtFKeyStr, W, 54}, {T::lbCountX, W, 38}, {T::lbCountY, W, 38},
    {T::txtCountY, L, 50}, {T::txtCountX, L, 50},
    TB_RECT_GROUP_AR(T::lbULRowP, T::txtULRowP, T::lbULColP, T::txtULColP),
    TB_RECT_GROUP_AR(T::lbLRRowP, T::txtLRRowP, T::lbLRColP, T::txtLRColP),
    TB_LIST_BUTTONS_AR(T::btnAppendF, T::btnInsertF, T::btnDeleteF, T::btnMoveUpF, T::btnMoveDownF, T::btnUndoF),
    TB_COLOR_ROW_AR(T::lbCColorBG, T::cbCColorBG), TB_COLOR_ROW_AR(T::lbCColorFG, T::cbCColorFG),
    TB_COLOR_ROW_AR(T::lbPColorBG, T::cbBGColorP), TB_COLOR_ROW_AR(T::lbPColorFG, T::cbFGColorP),
    TB_COLOR_ROW_AR(T::lbPColorEdge, T::cbEdgeColorP),
    // About page.
    {T::bvAbout, L, 0},          {T::lbWindowsVer, P, 248},
    {T::bvAbout, W, 331},        {T::lbAboutNotice, P, 136},  {T::lbLocalize, P, 168},
    {T::lbAboutWeb, P, 200},     {T::lbAboutContact, P, 224},
};

#define TB_LANGUAGE(id, list) {id, list, sizeof list / sizeof list[0]}

}  // namespace

extern const LanguageLayout kFrmTbLayouts[] = {
    TB_LANGUAGE(1028, k1028),      TB_LANGUAGE(1029, kEuropean), TB_LANGUAGE(1031, k1031),
    TB_LANGUAGE(1034, kEuropean),  TB_LANGUAGE(1036, kEuropean), TB_LANGUAGE(1040, kEuropean),
    TB_LANGUAGE(1044, k1044),      TB_LANGUAGE(1045, kEuropean), TB_LANGUAGE(1048, kEuropean),
    TB_LANGUAGE(1049, k1049),      TB_LANGUAGE(1055, kEuropean), TB_LANGUAGE(2052, k1028),
    TB_LANGUAGE(10241, k10241),
};
extern const int kFrmTbLayoutCount = sizeof kFrmTbLayouts / sizeof kFrmTbLayouts[0];
