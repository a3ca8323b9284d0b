#include "win/controls.h"

#include <vector>

#include "win/application.h"
#include "win/form.h"

namespace {

// The control's rectangle in its parent's client coordinates (screen
// coordinates for a top-level window).
RECT RectInParent(HWND hwnd) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  HWND parent = (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;
  if (parent) MapWindowPoints(HWND_DESKTOP, parent, (POINT*)&rect, 2);
  return rect;
}

void Place(HWND hwnd, int left, int top, int width, int height) {
  SetWindowPos(hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool FontOf(HWND hwnd, LOGFONTA& font) {
  HFONT handle = (HFONT)SendMessageA(hwnd, WM_GETFONT, 0, 0);
  if (!handle) handle = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
  return GetObjectA(handle, sizeof font, &font) != 0;
}

}  // namespace

std::string Control::Caption() const {
  int length = GetWindowTextLengthA(hwnd_);
  std::vector<char> text(length + 1);
  GetWindowTextA(hwnd_, text.data(), length + 1);
  return text.data();
}

int Control::Left() const { return RectInParent(hwnd_).left; }
int Control::Top() const { return RectInParent(hwnd_).top; }
int Control::Width() const {
  RECT r = RectInParent(hwnd_);
  return r.right - r.left;
}
int Control::Height() const {
  RECT r = RectInParent(hwnd_);
  return r.bottom - r.top;
}

void Control::SetLeft(int left) const {
  RECT r = RectInParent(hwnd_);
  Place(hwnd_, left, r.top, r.right - r.left, r.bottom - r.top);
}
void Control::SetTop(int top) const {
  RECT r = RectInParent(hwnd_);
  Place(hwnd_, r.left, top, r.right - r.left, r.bottom - r.top);
}
void Control::SetWidth(int width) const {
  RECT r = RectInParent(hwnd_);
  Place(hwnd_, r.left, r.top, width, r.bottom - r.top);
}
void Control::SetHeight(int height) const {
  RECT r = RectInParent(hwnd_);
  Place(hwnd_, r.left, r.top, r.right - r.left, height);
}

void Control::SetFont(const char* name, int size, int charset, bool bold) const {
  SendMessageA(hwnd_, WM_SETFONT, (WPARAM)TheApplication.GetFont(name, size, charset, bold), TRUE);
}

std::string Control::FontName() const {
  LOGFONTA font;
  return FontOf(hwnd_, font) ? font.lfFaceName : "";
}

int Control::FontSize() const {
  LOGFONTA font;
  if (!FontOf(hwnd_, font)) return 0;
  int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
  return MulDiv(height, 72, TheApplication.ScreenPixelsPerInch());
}

int Control::FontCharset() const {
  LOGFONTA font;
  return FontOf(hwnd_, font) ? font.lfCharSet : 0;
}

void Control::SetHint(const char* text) const {
  if (Form* form = Form::FromWindow(hwnd_)) form->SetHint(*this, text);
}

std::string Control::Hint() const {
  Form* form = Form::FromWindow(hwnd_);
  return form ? form->Hint(*this) : "";
}

int Edit::SelStart() const {
  DWORD start = 0;
  SendMessageA(hwnd_, EM_GETSEL, (WPARAM)&start, 0);
  return (int)start;
}

int Edit::SelLength() const {
  DWORD start = 0, end = 0;
  SendMessageA(hwnd_, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
  return (int)(end - start);
}

int ComboBox::SelStart() const {
  DWORD start = 0;
  SendMessageA(hwnd_, CB_GETEDITSEL, (WPARAM)&start, 0);
  return (int)start;
}

int ComboBox::SelLength() const {
  DWORD start = 0, end = 0;
  SendMessageA(hwnd_, CB_GETEDITSEL, (WPARAM)&start, (LPARAM)&end);
  return (int)(end - start);
}

void RadioButton::Select() const {
  if (Form* form = Form::FromWindow(hwnd_)) form->SelectRadio(hwnd_);
}

std::string ComboBox::ItemText(int index) const {
  LRESULT length = SendMessageA(hwnd_, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return "";
  std::vector<char> text(length + 1);
  SendMessageA(hwnd_, CB_GETLBTEXT, index, (LPARAM)text.data());
  return text.data();
}

void ListView::SetColumnCaption(int column, const char* text) const {
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT;
  col.pszText = (char*)text;
  SendMessageA(hwnd_, LVM_SETCOLUMNA, column, (LPARAM)&col);
}

std::string ListView::ColumnCaption(int column) const {
  char text[260] = "";
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT;
  col.pszText = text;
  col.cchTextMax = sizeof text;
  if (!SendMessageA(hwnd_, LVM_GETCOLUMNA, column, (LPARAM)&col)) return "";
  return text;
}

int ListView::AddItem(const char* text) const {
  LVITEMA item = {};
  item.mask = LVIF_TEXT;
  item.iItem = ItemCount();
  item.pszText = (char*)text;
  return (int)SendMessageA(hwnd_, LVM_INSERTITEMA, 0, (LPARAM)&item);
}

void ListView::SetItemText(int item, int column, const char* text) const {
  LVITEMA lv = {};
  lv.iSubItem = column;
  lv.pszText = (char*)text;
  SendMessageA(hwnd_, LVM_SETITEMTEXTA, item, (LPARAM)&lv);
}

std::string ListView::ItemText(int item, int column) const {
  char text[1024] = "";
  LVITEMA lv = {};
  lv.iSubItem = column;
  lv.pszText = text;
  lv.cchTextMax = sizeof text;
  SendMessageA(hwnd_, LVM_GETITEMTEXTA, item, (LPARAM)&lv);
  return text;
}

void ListView::SelectItem(int item) const {
  LVITEMA lv = {};
  lv.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  lv.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(hwnd_, LVM_SETITEMSTATE, item, (LPARAM)&lv);
}

namespace {

// The header's margins around a column's text, in pixels.
const int kHeaderTextMargin = 16;

}  // namespace

void ListView::SetColumnWidths(int width) const {
  int count = ColumnCount();
  for (int column = 0; column < count; ++column) {
    SetColumnWidth(column, width);
    if (width != kColumnWidthFitHeader || column + 1 == count) continue;
    std::string caption = ColumnCaption(column);
    int header = (int)SendMessageA(hwnd_, LVM_GETSTRINGWIDTHA, 0, (LPARAM)caption.c_str()) + kHeaderTextMargin;
    if (ColumnWidth(column) < header) SetColumnWidth(column, header);
  }
}

void ListView::EndUpdate() const {
  SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void StatusBar::SetPanelText(int panel, const char* text, bool centred) const {
  std::string shown = centred ? std::string("\t") + text : std::string(text);
  SendMessageA(hwnd_, SB_SETTEXTA, panel, (LPARAM)shown.c_str());
}

std::string StatusBar::PanelText(int panel) const {
  int length = LOWORD(SendMessageA(hwnd_, SB_GETTEXTLENGTHA, panel, 0));
  std::vector<char> text(length + 1);
  SendMessageA(hwnd_, SB_GETTEXTA, panel, (LPARAM)text.data());
  const char* shown = text.data();
  if (*shown == '\t') ++shown;
  return shown;
}

bool Image::LoadBitmapFile(const char* path) const {
  HBITMAP bitmap = (HBITMAP)LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0,
                                       LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  if (!bitmap) return false;
  HBITMAP before = (HBITMAP)SendMessageA(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap);
  if (before && before != bitmap) DeleteObject(before);
  return true;
}

void Image::SetBitmap(HBITMAP bitmap) const {
  HBITMAP before = (HBITMAP)SendMessageA(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap);
  if (before && before != bitmap) DeleteObject(before);
}

std::string PopupMenuItem::Caption() const {
  char text[260] = "";
  GetMenuStringA(menu_, item_, text, sizeof text, by_);
  return text;
}

void PopupMenuItem::SetCaption(const char* text) const {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_TYPE;
  info.fType = MFT_STRING;
  info.dwTypeData = (char*)text;
  SetMenuItemInfoA(menu_, item_, by_ == MF_BYPOSITION, &info);
}
