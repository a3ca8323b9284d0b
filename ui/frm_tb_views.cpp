// Field transfer: the document shown in the four list views and the edit
// fields of the current item, the fields stored back into the current
// item, the defaults of a new item, and the settings of the File and Misc
// pages.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/language.h"
#include "app/text_helpers.h"
#include "menu/document.h"
#include "ui/frm_tb.h"
#include "ui/frm_tb_tables.h"
#include "ui/main_settings.h"

namespace {

typedef TfrmTb T;

enum { kAlignNameFirstId = 17004 };  // "Left", "Middle", "Right"

// The lists a request names: one list, or all four for kAllLists.
bool Names(int request, int list) { return request == kAllLists || request == list; }

std::string Decimal(int value) {
  char text[16];
  snprintf(text, sizeof text, "%d", value);
  return text;
}

// A colour's name in the current table; a damaged file's index beyond the
// table shows as its number.
std::string ColorName(int index) {
  if (index >= 0 && index < kColorCount) return TheDocument.CurrentColorTable[index].name;
  return Decimal(index);
}

std::string Position(int row, int column) {
  char text[32];
  snprintf(text, sizeof text, "(%d,%d)", row, column);
  return text;
}

std::string Trimmed(char* (*trim)(const char*), const char* text) { return trim(text); }

// The cells after the item number of item n of a list, in column order.
std::vector<std::string> RowCells(int list, int n) {
  const MenuDocument& doc = TheDocument;
  switch (list) {
    case kLayoutList: {
      const LayoutItem& item = doc.layoutItems[n];
      return {Position(item.y1, item.x1),      Position(item.y2, item.x2),
              ColorName(HighColor(item.edgeColors)), ColorName(LowColor(item.edgeColors)),
              ColorName(item.mainColor),        Decimal(item.edgeWidth)};
    }
    case kTextList: {
      const TextItem& item = doc.textItems[n];
      const TextItemGeometry& g = item.geometry;
      std::string align = g.align <= kAlignRight ? GetString(kAlignNameFirstId + g.align) : Decimal(g.align);
      return {Position(g.y1, g.x1), Position(g.y2, g.x2), ColorName(g.color), align, Trimmed(TrimRight, item.text)};
    }
    case kMenuList: {
      const MenuItemKeys& keys = doc.menuKeys[n];
      const MenuItemGeometry& g = doc.menuGeometry[n];
      char key[8] = "''";
      if (keys.accKey) snprintf(key, sizeof key, "'%c'", keys.accKey);
      return {Position(g.y1, g.x1),  Position(g.y2, g.x2), key, Trimmed(TrimRight, doc.menuStrings[n].text),
              Decimal(keys.up),      Decimal(keys.down),   Decimal(keys.left),   Decimal(keys.right),
              Decimal(keys.tab),     ColorName(LowColor(g.highlightColors)),
              ColorName(HighColor(g.highlightColors))};
    }
    default: {
      const FunctionKeyItem& item = doc.functionKeys[n];
      return {"'" + Trimmed(TrimText, item.key) + "'", Trimmed(TrimText, item.command)};
    }
  }
}

}  // namespace

bool TfrmTb::ListHasItems(int list) const {
  return list >= 0 && list < kListCount && TheDocument.ItemCount[list] > 0;
}

void TfrmTb::SetNumber(int control, int value) { ControlAt(control).SetText(IntToText(value)); }

int TfrmTb::NumberIn(int control) { return TextToInt(ControlAt(control).Text().c_str()); }

void TfrmTb::SetColorIndex(int combo, int index) {
  ComboBox(ControlAt(combo)).SetItemIndex(index >= 0 && index < kColorCount ? index : -1);
}

// A page's four coordinate fields, "0" for an empty list. The upper row
// comes first: on the Text page it also moves the lower row.
void TfrmTb::ShowRect(const ListControls& c, bool empty, int top, int left, int bottom, int right) {
  SetNumber(c.ulRow, empty ? 0 : top);
  SetNumber(c.ulCol, empty ? 0 : left);
  SetNumber(c.lrRow, empty ? 0 : bottom);
  SetNumber(c.lrCol, empty ? 0 : right);
}

void TfrmTb::RefreshListViews(int request) {
  for (int list = 0; list < kListCount; ++list) {
    if (!Names(request, list)) continue;
    ListView view(ControlAt(kListControls[list].view));
    ++refreshingList_;
    view.BeginUpdate();
    view.Clear();
    for (int n = 1; n <= TheDocument.ItemCount[list]; ++n) {
      int row = view.AddItem(IntToText(n));
      std::vector<std::string> cells = RowCells(list, n);
      for (size_t c = 0; c < cells.size(); ++c) view.SetItemText(row, (int)c + 1, cells[c].c_str());
    }
    // Every column fitted to its header, the last one filling the rest.
    view.SetColumnWidths(kColumnWidthFitHeader);
    SelectCurrentRow(list);
    view.EndUpdate();
    --refreshingList_;
  }
}

void TfrmTb::ShowCurrentItem(int request) {
  MenuDocument& doc = TheDocument;
  ++fillingFields_;
  for (int list = 0; list < kListCount; ++list) {
    if (!Names(request, list)) continue;
    const ListControls& c = kListControls[list];
    const int n = doc.CurrentItem[list];
    const bool empty = doc.ItemCount[list] == 0;
    switch (list) {
      case kLayoutList: {
        const LayoutItem& item = doc.layoutItems[n];
        ShowRect(c, empty, item.y1, item.x1, item.y2, item.x2);
        SetColorIndex(cbBGColorL, empty ? 15 : HighColor(item.edgeColors));
        SetColorIndex(cbFGColorL, empty ? 7 : LowColor(item.edgeColors));
        SetColorIndex(cbMColorL, empty ? 8 : item.mainColor);
        SetNumber(txtEdgeL, empty ? 0 : item.edgeWidth);
        UpDown(ControlAt(upEdgeL)).SetPosition(empty ? 0 : item.edgeWidth);
        if (empty) {
          CheckBox(ControlAt(chkImageFile)).SetChecked(false);
          ControlAt(txtImageFile).SetText("");
        }
        break;
      }
      case kTextList: {
        const TextItem& item = doc.textItems[n];
        const TextItemGeometry& g = item.geometry;
        ShowRect(c, empty, g.y1, g.x1, g.y2, g.x2);
        ControlAt(txtTextStr).SetText(empty ? "" : TrimRight(item.text));
        SetColorIndex(cbTextColorT, empty ? 0 : g.color);
        // Another alignment (a damaged file) leaves the buttons as they are.
        const int align = empty ? (int)kAlignLeft : g.align;
        const int buttons[] = {optAlignLeft, optAlignMiddle, optAlignRight};
        if (align <= kAlignRight) RadioButton(ControlAt(buttons[align])).Select();
        break;
      }
      case kMenuList: {
        const MenuItemKeys& keys = doc.menuKeys[n];
        const MenuItemGeometry& g = doc.menuGeometry[n];
        const MenuItemStrings& strings = doc.menuStrings[n];
        ShowRect(c, empty, g.y1, g.x1, g.y2, g.x2);
        SetColorIndex(cbBGColorM, empty ? 4 : HighColor(g.highlightColors));
        SetColorIndex(cbFGColorM, empty ? 15 : LowColor(g.highlightColors));
        SetColorIndex(cbNBGColorM, empty ? 15 : HighColor(g.normalColors));
        SetColorIndex(cbNFGColorM, empty ? 0 : LowColor(g.normalColors));
        char key[2] = {(char)(empty ? 0 : keys.accKey), 0};
        ControlAt(txtAccKey).SetText(key);
        ControlAt(txtMenuCmd).SetText(empty ? "" : TrimRight(strings.command));
        const uint8_t targets[] = {keys.up, keys.down, keys.left, keys.right, keys.tab};
        for (int which = 0; which < kCursorKeyComboCount; ++which) {
          SetNumber(kCursorKeyCombos[which].control, empty ? 0 : targets[which]);
        }
        // The text, password and hot-spot fields of an empty list keep
        // what they show.
        if (!empty) {
          ControlAt(txtMenuText).SetText(TrimRight(strings.text));
          ControlAt(txtMenuPass).SetText(strings.password);
          CheckBox(ControlAt(chkHotSpot)).SetChecked(strings.useImageText != 0);
        }
        if (empty) {
          doc.DefaultMenu = 0;
        } else if (doc.DefaultMenu == 0) {
          doc.DefaultMenu = doc.ItemCount[kMenuList];  // the last menu item
        }
        ControlAt(btnSetDefaultMenu).SetEnabled(!empty && doc.DefaultMenu != n);
        SetNumber(txtDefaultMenuNo, doc.DefaultMenu);
        break;
      }
      default: {
        const FunctionKeyItem& item = doc.functionKeys[n];
        ControlAt(txtFuncKey).SetText(empty ? "" : TrimText(item.keyName));
        ControlAt(txtFKeyCmd).SetText(empty ? "" : TrimText(item.command));
        ControlAt(txtFKeyStr).SetText(empty ? "" : TrimText(item.key));
        break;
      }
    }
    SetNumber(c.itemNo, n);
    SetNumber(c.itemsNum, doc.ItemCount[list]);
  }
  --fillingFields_;
}

void TfrmTb::StoreCurrentItem(int list) {
  MenuDocument& doc = TheDocument;
  if (!ListHasItems(list)) return;
  const ListControls& c = kListControls[list];
  const int n = doc.CurrentItem[list];
  // A colour combo without a selection keeps the stored colour.
  auto pair = [this](int high, int low, uint8_t before) {
    int h = ComboBox(ControlAt(high)).ItemIndex(), l = ComboBox(ControlAt(low)).ItemIndex();
    return MakeColorPair(h >= 0 ? h : HighColor(before), l >= 0 ? l : LowColor(before));
  };
  auto single = [this](int combo, uint8_t before) {
    int index = ComboBox(ControlAt(combo)).ItemIndex();
    return index >= 0 ? (uint8_t)index : before;
  };
  auto rect = [this, &c](uint16_t& top, uint16_t& left, uint16_t& bottom, uint16_t& right) {
    top = (uint16_t)NumberIn(c.ulRow);
    left = (uint16_t)NumberIn(c.ulCol);
    bottom = (uint16_t)NumberIn(c.lrRow);
    right = (uint16_t)NumberIn(c.lrCol);
  };
  switch (list) {
    case kLayoutList: {
      LayoutItem& item = doc.layoutItems[n];
      rect(item.y1, item.x1, item.y2, item.x2);
      item.edgeColors = pair(cbBGColorL, cbFGColorL, item.edgeColors);
      item.mainColor = single(cbMColorL, item.mainColor);
      item.edgeWidth = (uint8_t)NumberIn(txtEdgeL);
      break;
    }
    case kTextList: {
      TextItem& item = doc.textItems[n];
      TextItemGeometry& g = item.geometry;
      rect(g.y1, g.x1, g.y2, g.x2);
      g.align = CheckBox(ControlAt(optAlignLeft)).Checked()     ? kAlignLeft
                : CheckBox(ControlAt(optAlignMiddle)).Checked() ? kAlignMiddle
                                                                 : kAlignRight;
      g.color = single(cbTextColorT, g.color);
      CopyText(item.text, kItemTextSize, TrimRight(ControlAt(txtTextStr).Text().c_str()));
      break;
    }
    case kMenuList: {
      MenuItemGeometry& g = doc.menuGeometry[n];
      MenuItemKeys& keys = doc.menuKeys[n];
      MenuItemStrings& strings = doc.menuStrings[n];
      rect(g.y1, g.x1, g.y2, g.x2);
      g.highlightColors = pair(cbBGColorM, cbFGColorM, g.highlightColors);
      g.normalColors = pair(cbNBGColorM, cbNFGColorM, g.normalColors);
      keys.accKey = (uint8_t)ControlAt(txtAccKey).Text().c_str()[0];
      CopyText(strings.command, kCommandSize, TrimText(ControlAt(txtMenuCmd).Text().c_str()));
      CopyText(strings.text, kItemTextSize, TrimRight(ControlAt(txtMenuText).Text().c_str()));
      CopyText(strings.password, kPasswordSize, ControlAt(txtMenuPass).Text().c_str());
      uint8_t* targets[] = {&keys.up, &keys.down, &keys.left, &keys.right, &keys.tab};
      for (int which = 0; which < kCursorKeyComboCount; ++which) {
        *targets[which] = (uint8_t)NumberIn(kCursorKeyCombos[which].control);
      }
      break;
    }
    default: {
      // Texts longer than the record's fields are cut.
      FunctionKeyItem& item = doc.functionKeys[n];
      CopyText(item.keyName, kKeyNameSize, TrimText(ControlAt(txtFuncKey).Text().c_str()));
      CopyText(item.command, kCommandSize, TrimText(ControlAt(txtFKeyCmd).Text().c_str()));
      CopyText(item.key, kKeyTokenSize, TrimText(ControlAt(txtFKeyStr).Text().c_str()));
      break;
    }
  }
}

void TfrmTb::SetNewItemDefaults(int request) {
  ++fillingFields_;
  for (int list = 0; list < kListCount; ++list) {
    if (!Names(request, list)) continue;
    const ListControls& c = kListControls[list];
    if (list != kFunctionKeyList) {
      ShowRect(c, false, 192, 160, list == kLayoutList ? 224 : list == kTextList ? 208 : 212, 472);
    }
    switch (list) {
      case kLayoutList:
        SetColorIndex(cbBGColorL, 15);
        SetColorIndex(cbFGColorL, 7);
        SetColorIndex(cbMColorL, 8);
        SetNumber(txtEdgeL, 0);
        UpDown(ControlAt(upEdgeL)).SetPosition(0);
        CheckBox(ControlAt(chkImageFile)).SetChecked(false);
        ControlAt(txtImageFile).SetText("");
        break;
      case kTextList:
        RadioButton(ControlAt(optAlignLeft)).Select();
        ControlAt(txtTextStr).SetText("");
        SetColorIndex(cbTextColorT, 0);
        break;
      case kMenuList:
        SetColorIndex(cbBGColorM, 4);
        SetColorIndex(cbFGColorM, 15);
        SetColorIndex(cbNBGColorM, 15);
        SetColorIndex(cbNFGColorM, 0);
        for (int field : {txtAccKey, txtMenuCmd, txtMenuText, txtMenuPass}) ControlAt(field).SetText("");
        for (const CodedControl& combo : kCursorKeyCombos) SetNumber(combo.control, 0);
        break;
      default:
        for (int field : {txtFuncKey, txtFKeyCmd, txtFKeyStr}) ControlAt(field).SetText("");
        break;
    }
  }
  --fillingFields_;
}

void TfrmTb::ShowDocumentSettings() {
  MenuDocument& doc = TheDocument;
  ++fillingFields_;
  const bool mainMenu = doc.MenuType == 0;
  RadioButton(ControlAt(mainMenu ? optMainMenu : optSubMenu)).Select();
  ControlAt(txtPassword).SetEnabled(mainMenu);
  ControlAt(btnPassword).SetEnabled(mainMenu);

  CheckBox(ControlAt(chkWaitTime)).SetChecked(doc.WaitTimeOn != 0);
  ControlAt(txtWaitTime).SetEnabled(doc.WaitTimeOn != 0);
  CheckBox(ControlAt(chkLogoImg)).SetChecked(doc.LogoOn != 0);
  ControlAt(txtLogoImg).SetEnabled(doc.LogoOn != 0);
  ControlAt(txtLogoTime).SetEnabled(doc.LogoOn != 0);
  CheckBox(ControlAt(chkBackImg)).SetChecked(doc.BackImageOn != 0);
  ControlAt(txtBackImg).SetEnabled(doc.BackImageOn != 0);

  CheckBox(ControlAt(chkDispCount)).SetChecked(doc.ShowCounter != 0);
  SetNumber(txtCountY, doc.CounterY);
  SetNumber(txtCountX, doc.CounterX);
  SetColorIndex(cbCColorBG, HighColor(doc.CounterColors));
  SetColorIndex(cbCColorFG, LowColor(doc.CounterColors));

  CheckBox(ControlAt(chkShowProg)).SetChecked(doc.ShowProgress != 0);
  SetNumber(txtULRowP, doc.ProgressRect.y1);
  SetNumber(txtULColP, doc.ProgressRect.x1);
  SetNumber(txtLRRowP, doc.ProgressRect.y2);
  SetNumber(txtLRColP, doc.ProgressRect.x2);
  SetColorIndex(cbBGColorP, HighColor(doc.ProgressColors));
  SetColorIndex(cbFGColorP, LowColor(doc.ProgressColors));
  SetColorIndex(cbEdgeColorP, doc.ProgressEdgeColor);

  ControlAt(txtFileDir).SetText(doc.MenuFileDir);
  ControlAt(txtMenuFileName).SetText(doc.MenuFileName);
  SetNumber(txtWaitTime, doc.WaitTime);

  if (doc.AccKeyMode != 255) doc.AccKeyMode = 0;
  RadioButton(ControlAt(doc.AccKeyMode == 255 ? optAccExec : optAccSelect)).Select();
  if (doc.KeyTransfer != 'A' && doc.KeyTransfer != 'a') doc.KeyTransfer = 0;
  RadioButton(ControlAt(doc.KeyTransfer == 'A'   ? optToUpper
                        : doc.KeyTransfer == 'a' ? optToLower
                                                 : optNoTrans))
      .Select();

  CheckBox(ControlAt(chkAutoLoad)).SetChecked(TheMainSettings.AutoLoad != 0);
  CheckBox(ControlAt(chkPrevEdit)).SetChecked(previewEditOn_);
  --fillingFields_;
}
