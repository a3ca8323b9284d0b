// The thirteen owner-drawn colour combos: each lists the sixteen colours
// of the current colour table (row i = entry i) with a swatch and the
// name, and commits the chosen index.
#include <cstring>

#include "app/language.h"
#include "menu/document.h"
#include "menu/item_ops.h"
#include "ui/frm_tb.h"
#include "ui/frm_tb_tables.h"
#include "win/application.h"

namespace {

// The colour a combo code edits, as the current item of its list holds it.
int ItemColor(int code) {
  const MenuDocument& doc = TheDocument;
  const LayoutItem& box = doc.layoutItems[doc.CurrentItem[kLayoutList]];
  const MenuItemGeometry& entry = doc.menuGeometry[doc.CurrentItem[kMenuList]];
  switch (code) {
    case 0: return HighColor(box.edgeColors);
    case 1: return LowColor(box.edgeColors);
    case 2: return HighColor(entry.highlightColors);
    case 3: return LowColor(entry.highlightColors);
    case 4: return box.mainColor;
    case 5: return doc.textItems[doc.CurrentItem[kTextList]].geometry.color;
    case 6: return HighColor(entry.normalColors);
    case 7: return LowColor(entry.normalColors);
    default: return -1;
  }
}

enum { kNameFontSize = 9 };

// The character sets of the languages written from right to left.
bool IsRightToLeftCharset(int charset) { return charset == ARABIC_CHARSET || charset == HEBREW_CHARSET; }
const COLORREF kFocusFrameColor = RGB(0, 0, 255);

}  // namespace

// The combos' rows carry the names of the current colour table; each keeps
// its selection.
void TfrmTb::FillColorCombos() {
  for (const CodedControl& entry : kColorCombos) {
    ComboBox combo(ControlAt(entry.control));
    const int selected = combo.ItemIndex();
    combo.Clear();
    for (const ColorEntry& color : TheDocument.CurrentColorTable) combo.Add(color.name);
    combo.SetItemIndex(selected);
  }
}

void TfrmTb::ColorComboChange(int combo, int code) {
  // Without a selection there is no colour to commit.
  const int index = ComboBox(ControlAt(combo)).ItemIndex();
  if (index < 0 || index >= kColorCount) return;
  MenuDocument& doc = TheDocument;
  const int list = kColorComboList[code];
  if (list != kNoList) {
    if (currentList_ == list && ListHasItems(list) && index != ItemColor(code)) ModifyItem(list);
    return;
  }
  // The countdown's and the progress bar's colours: stored on every change.
  auto indexOf = [this](int other, int before) {
    const int i = ComboBox(ControlAt(other)).ItemIndex();
    return i >= 0 ? i : before;
  };
  if (code == 8 || code == 9) {
    doc.CounterColors = MakeColorPair(indexOf(cbCColorBG, HighColor(doc.CounterColors)),
                                      indexOf(cbCColorFG, LowColor(doc.CounterColors)));
  } else if (code == 10 || code == 11) {
    doc.ProgressColors = MakeColorPair(indexOf(cbBGColorP, HighColor(doc.ProgressColors)),
                                       indexOf(cbFGColorP, LowColor(doc.ProgressColors)));
  } else {
    doc.ProgressEdgeColor = (uint8_t)index;
  }
  doc.DocumentModified = 1;
  RepaintPreview();
}

// A row: a framed swatch of the colour, its name in black, and a blue frame
// around the row that has the focus (white around the others).
void TfrmTb::DrawColorItem(const FormEvent& event) {
  const DRAWITEMSTRUCT& draw = *event.draw;
  HDC dc = draw.hDC;
  RECT row = draw.rcItem;
  FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));
  const int index = (int)draw.itemID;
  if (index >= 0 && index < kColorCount) {
    const ColorEntry& color = TheDocument.CurrentColorTable[index];
    HBRUSH swatch = CreateSolidBrush(color.color);
    HGDIOBJ oldBrush = SelectObject(dc, swatch);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, row.left + 1, row.top + 1, row.left + 15, row.bottom - 1);
    RECT inside = {row.left + 2, row.top + 2, row.left + 14, row.bottom - 2};
    FillRect(dc, &inside, swatch);
    HGDIOBJ oldFont = SelectObject(dc, TheApplication.GetFont(TheLanguage.uiFontName, kNameFontSize,
                                                              TheLanguage.uiFontCharset, false));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    // The name lies between the swatch and the row's end (the drop-down
    // arrow is beyond it) and is clipped there. A right-to-left name reads
    // from the row's end, so that a name too long for the row loses its
    // end rather than its start; it starts at the row's top, since Arabic
    // letters reach further below the line than the font's descent and
    // would lose their lowest pixels to the row's bottom.
    RECT nameBox = {row.left + 20, row.top, row.right - 2, row.bottom};
    const bool rightToLeft = IsRightToLeftCharset(TheLanguage.uiFontCharset);
    const UINT oldAlign = SetTextAlign(dc, rightToLeft ? TA_RIGHT | TA_TOP | TA_RTLREADING : TA_LEFT | TA_TOP);
    ExtTextOutA(dc, rightToLeft ? nameBox.right : nameBox.left, rightToLeft ? row.top + 1 : row.top + 2,
                ETO_CLIPPED | (rightToLeft ? ETO_RTLREADING : 0), &nameBox, color.name,
                (UINT)strnlen(color.name, kColorNameSize), nullptr);
    SetTextAlign(dc, oldAlign);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(swatch);
  }
  HPEN framePen = CreatePen(PS_SOLID, 1, (draw.itemState & ODS_FOCUS) ? kFocusFrameColor : RGB(255, 255, 255));
  HGDIOBJ oldPen = SelectObject(dc, framePen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, row.left, row.top, row.right, row.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(framePen);
}
