#include "ui/frm_tb_tables.h"

#include "menu/document.h"

typedef TfrmTb T;

const ListControls kListControls[4] = {
    {T::lstViewL, T::txtItemNoL, T::txtItemsNumL, T::txtULRowL, T::txtULColL, T::txtLRRowL, T::txtLRColL,
     T::btnMoveUpL, T::btnUndoL},
    {T::lstViewT, T::txtItemNoT, T::txtItemsNumT, T::txtULRowT, T::txtULColT, T::txtLRRowT, T::txtLRColT,
     T::btnMoveUpT, T::btnUndoT},
    {T::lstViewM, T::txtItemNoM, T::txtItemsNumM, T::txtULRowM, T::txtULColM, T::txtLRRowM, T::txtLRColM,
     T::btnMoveUpM, T::btnUndoM},
    {T::lstViewF, T::txtItemNoF, T::txtItemsNumF, kNone, kNone, kNone, kNone, T::btnMoveUpF, T::btnUndoF},
};

int PageOfList(int list) { return list >= 0 && list < kListCount ? list + 1 : -1; }

int CodeOf(const CodedControl* table, int count, int control) {
  for (int i = 0; i < count; ++i) {
    if (table[i].control == control) return table[i].code;
  }
  return -1;
}

const CodedControl kNumericFields[kNumericFieldCount] = {
    {T::txtULRowL, 1},  {T::txtULColL, 2},  {T::txtLRRowL, 3},  {T::txtLRColL, 4},  {T::txtULRowM, 5},
    {T::txtULColM, 6},  {T::txtLRRowM, 7},  {T::txtLRColM, 8},  {T::txtULRowT, 9},  {T::txtULColT, 10},
    {T::txtLRColT, 12}, {T::txtEdgeL, 14},  {T::txtCountY, 15}, {T::txtCountX, 16}, {T::txtULRowP, 17},
    {T::txtULColP, 18}, {T::txtLRRowP, 19}, {T::txtLRColP, 20},
};

const CodedControl kTextFields[kTextFieldCount] = {
    {T::txtTextStr, 1}, {T::txtMenuCmd, 2}, {T::txtFKeyCmd, 3},
    {T::txtMenuText, 4}, {T::txtMenuPass, 5}, {T::txtBackImg, 6},
};

const CodedControl kColorCombos[kColorComboCount] = {
    {T::cbBGColorL, 0},  {T::cbFGColorL, 1},  {T::cbBGColorM, 2},  {T::cbFGColorM, 3},  {T::cbMColorL, 4},
    {T::cbTextColorT, 5}, {T::cbNBGColorM, 6}, {T::cbNFGColorM, 7}, {T::cbCColorBG, 8},  {T::cbCColorFG, 9},
    {T::cbBGColorP, 10}, {T::cbFGColorP, 11}, {T::cbEdgeColorP, 12},
};

const int kColorComboList[kColorComboCount] = {kLayoutList, kLayoutList, kMenuList, kMenuList, kLayoutList, kTextList, kMenuList,
                                 kMenuList,   kNoList,     kNoList,   kNoList,   kNoList,     kNoList};
const int kColorComboStart[kColorComboCount] = {15, 7, 4, 15, 8, 0, 15, 0, 8, 0, 15, 2, 0};

const CodedControl kCursorKeyCombos[kCursorKeyComboCount] = {
    {T::cmbUpKey, 0}, {T::cmbDownKey, 1}, {T::cmbLeftKey, 2}, {T::cmbRightKey, 3}, {T::cmbTabKey, 4},
};

#define TW_LIST_BUTTONS(kind, name) \
  {T::name##L, kind * 4 + 0}, {T::name##T, kind * 4 + 1}, {T::name##M, kind * 4 + 2}, {T::name##F, kind * 4 + 3}
const CodedControl kListButtons[kListButtonCount] = {
    TW_LIST_BUTTONS(kListAppend, btnAppend),     TW_LIST_BUTTONS(kListInsert, btnInsert),
    TW_LIST_BUTTONS(kListDelete, btnDelete),     TW_LIST_BUTTONS(kListMoveUp, btnMoveUp),
    TW_LIST_BUTTONS(kListMoveDown, btnMoveDown), TW_LIST_BUTTONS(kListUndo, btnUndo),
};
#undef TW_LIST_BUTTONS
