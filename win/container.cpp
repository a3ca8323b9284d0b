#include "win/container.h"

#include <commctrl.h>

#include "win/application.h"
#include "win/controls.h"
#include "win/form.h"

namespace {

const char kContainerClass[] = "TwContainer";

// Extra bytes of a container window.
enum {
  kSlotKind = 0,
  kSlotPageIndex = sizeof(LONG_PTR),
  kSlotColor = 2 * sizeof(LONG_PTR),
  kSlotFont = 3 * sizeof(LONG_PTR),
  kContainerExtraBytes = 4 * sizeof(LONG_PTR),
};

int KindOf(HWND container) { return (int)GetWindowLongPtrA(container, kSlotKind) & 0xFF; }

HWND TabsOf(HWND pageControl) { return FindWindowExA(pageControl, nullptr, WC_TABCONTROLA, nullptr); }

// Places the sheets of a page control over the tab strip's display area and
// shows only the sheet of the selected tab; then, with focusTabs, gives the
// focus to the tabs.
void LayoutPages(HWND pageControl, bool focusTabs = false) {
  HWND tabs = TabsOf(pageControl);
  if (!tabs) return;
  RECT client;
  GetClientRect(pageControl, &client);
  // The tab strip lies beneath the sheets, which cover its display area.
  SetWindowPos(tabs, HWND_BOTTOM, 0, 0, client.right, client.bottom, SWP_NOACTIVATE);
  RECT display = client;
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, (LPARAM)&display);
  int selected = (int)SendMessageA(tabs, TCM_GETCURSEL, 0, 0);
  const HWND focus = GetFocus();
  HWND shown = nullptr;
  bool focusHidden = false;
  for (HWND child = GetWindow(pageControl, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == tabs || KindOf(child) != kKindTabSheet) continue;
    int index = (int)GetWindowLongPtrA(child, kSlotPageIndex);
    if (index == selected) {
      shown = child;
    } else if (focus && IsChild(child, focus)) {
      focusHidden = true;
    }
    // The order of the siblings stays as it is, which keeps this walk finite.
    SetWindowPos(child, nullptr, display.left, display.top, display.right - display.left,
                 display.bottom - display.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (index == selected ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  }
  // The focus does not stay behind on a page that is no longer shown, where
  // no key could be seen to act: it goes to the first control of the shown
  // page that takes it, or to the tabs when that page has none.
  if (focusTabs) {
    SetFocus(tabs);
  } else if (focusHidden) {
    HWND next = shown ? GetNextDlgTabItem(shown, nullptr, FALSE) : nullptr;
    SetFocus(next && IsChild(shown, next) ? next : tabs);
  }
}

// The tabs keep the system's minimum width and padding while they all fit
// the strip; when a language's captions or font make them too wide for it,
// each tab takes only the width of its caption, and then less padding, a
// pixel at a time (a caption with none left touches the next tab), rather
// than scroll arrows hiding the last tabs. Run after a change of the
// captions, the font or the size.
bool LastTabFits(HWND tabs, int count) {
  RECT client, last;
  GetClientRect(tabs, &client);
  return SendMessageA(tabs, TCM_GETITEMRECT, count - 1, (LPARAM)&last) && last.right <= client.right;
}

void FitTabs(HWND pageControl) {
  enum { kTabPaddingX = 6, kTabPaddingY = 3, kNarrowPaddingX = 2 };
  HWND tabs = TabsOf(pageControl);
  const int count = tabs ? (int)SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) : 0;
  if (count == 0) return;
  SendMessageA(tabs, TCM_SETPADDING, 0, MAKELPARAM(kTabPaddingX, kTabPaddingY));
  SendMessageA(tabs, TCM_SETMINTABWIDTH, 0, -1);
  if (LastTabFits(tabs, count)) return;
  // The padding counts at the next layout of the tabs, which a new minimum
  // width starts.
  for (int padding = kTabPaddingX; padding >= kNarrowPaddingX; --padding) {
    SendMessageA(tabs, TCM_SETPADDING, 0, MAKELPARAM(padding, kTabPaddingY));
    SendMessageA(tabs, TCM_SETMINTABWIDTH, 0, 0);
    if (LastTabFits(tabs, count)) return;
  }
}

void PaintGroupFrame(HWND hwnd, HDC dc, RECT rect) {
  HFONT font = (HFONT)GetWindowLongPtrA(hwnd, kSlotFont);
  HGDIOBJ before = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  rect.top += metrics.tmHeight / 2;
  DrawEdge(dc, &rect, EDGE_ETCHED, BF_RECT);
  char text[260];
  int length = GetWindowTextA(hwnd, text, sizeof text);
  if (length > 0) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    SetBkMode(dc, OPAQUE);
    TextOutA(dc, 8, 0, text, length);
  }
  SelectObject(dc, before);
}

void PaintContainer(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT rect;
  GetClientRect(hwnd, &rect);
  LONG_PTR kind = GetWindowLongPtrA(hwnd, kSlotKind);
  COLORREF color = (COLORREF)GetWindowLongPtrA(hwnd, kSlotColor);
  HBRUSH brush = color == CLR_INVALID ? GetSysColorBrush(COLOR_BTNFACE) : CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  if (color != CLR_INVALID) DeleteObject(brush);
  if ((kind & 0xFF) == kKindGroupBox) {
    PaintGroupFrame(hwnd, dc, rect);
  } else if (kind & kKindBorder) {
    FrameRect(dc, &rect, (HBRUSH)GetStockObject(BLACK_BRUSH));
  } else if (kind & kKindSunken) {
    DrawEdge(dc, &rect, BDR_SUNKENOUTER, BF_RECT);
  }
  EndPaint(hwnd, &paint);
}

void SetSheetText(HWND pageControl, WPARAM page, const char* text) {
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = (char*)text;
  SendMessageA(TabsOf(pageControl), TCM_SETITEMA, page, (LPARAM)&item);
}

// What a container answers itself; false for what goes on to the form.
bool HandleContainerMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_PAINT:
      PaintContainer(hwnd);
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_SETFONT:
      SetWindowLongPtrA(hwnd, kSlotFont, (LONG_PTR)wParam);
      if (KindOf(hwnd) == kKindPageControl) {
        SendMessageA(TabsOf(hwnd), WM_SETFONT, wParam, lParam);
        FitTabs(hwnd);
      }
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      return true;
    case WM_GETFONT:
      result = GetWindowLongPtrA(hwnd, kSlotFont);
      return true;
    case WM_SETTEXT:
      result = DefWindowProcA(hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      if (KindOf(hwnd) == kKindTabSheet) {
        SendMessageA(GetParent(hwnd), kMsgSheetText, GetWindowLongPtrA(hwnd, kSlotPageIndex), lParam);
      }
      return true;
    case WM_SIZE:
      if (KindOf(hwnd) == kKindPageControl) {
        LayoutPages(hwnd);
        FitTabs(hwnd);
      }
      return false;
    case kMsgShowPage:
      SendMessageA(TabsOf(hwnd), TCM_SETCURSEL, wParam, 0);
      LayoutPages(hwnd);
      return true;
    case kMsgLayoutPages:
      LayoutPages(hwnd, wParam != 0);
      return true;
    case kMsgPageIndex:
      result = SendMessageA(TabsOf(hwnd), TCM_GETCURSEL, 0, 0);
      return true;
    case kMsgSheetText:
      SetSheetText(hwnd, wParam, (const char*)lParam);
      FitTabs(hwnd);
      return true;
    case kMsgSetColor:
      SetWindowLongPtrA(hwnd, kSlotColor, (LONG_PTR)lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return true;
    case kMsgGetColor:
      result = GetWindowLongPtrA(hwnd, kSlotColor);
      return true;
    case kMsgSetBorder: {
      LONG_PTR kind = GetWindowLongPtrA(hwnd, kSlotKind) & ~(LONG_PTR)kKindBorder;
      SetWindowLongPtrA(hwnd, kSlotKind, kind | (wParam ? kKindBorder : 0));
      InvalidateRect(hwnd, nullptr, TRUE);
      return true;
    }
    case kMsgGetBorder:
      result = (GetWindowLongPtrA(hwnd, kSlotKind) & kKindBorder) != 0;
      return true;
  }
  return false;
}

LRESULT CALLBACK ContainerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, kSlotColor, (LONG_PTR)CLR_INVALID);
  }
  // A C++ exception must never unwind through the system's frames.
  try {
    LRESULT result = 0;
    if (HandleContainerMessage(hwnd, message, wParam, lParam, result)) return result;
    if (Form* form = (Form*)GetWindowLongPtrA(hwnd, GWLP_USERDATA)) {
      bool handled = false;
      result = form->ContainerMessage(hwnd, message, wParam, lParam, handled);
      if (handled) return result;
    }
  } catch (...) {
    TheApplication.ShowCurrentException();
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Adds the sheet as the next page of its page control.
void AddTabSheet(HWND pageControl, HWND sheet, const char* caption) {
  HWND tabs = TabsOf(pageControl);
  int page = (int)SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = (char*)(caption ? caption : "");
  SendMessageA(tabs, TCM_INSERTITEMA, page, (LPARAM)&item);
  SetWindowLongPtrA(sheet, kSlotPageIndex, page);
  LayoutPages(pageControl);
}

}  // namespace

bool RegisterContainerClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(instance, kContainerClass, &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ContainerWindowProc;
  wc.cbWndExtra = kContainerExtraBytes;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kContainerClass;
  return RegisterClassExA(&wc) != 0;
}

HWND CreateContainer(int kind, const char* caption, DWORD style, int left, int top, int width,
                     int height, HWND parent, int id, void* form) {
  HINSTANCE instance = TheApplication.Instance();
  if ((kind & 0xFF) == kKindTabSheet) style &= ~WS_VISIBLE;  // the page control shows the selected sheet
  HWND hwnd = CreateWindowExA(WS_EX_CONTROLPARENT, kContainerClass, caption, style, left, top, width, height,
                              parent, (HMENU)(INT_PTR)id, instance, form);
  if (!hwnd) return nullptr;
  SetWindowLongPtrA(hwnd, kSlotKind, kind);
  if ((kind & 0xFF) == kKindPageControl) {
    HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
                                0, 0, width, height, hwnd, nullptr, instance, nullptr);
    if (!tabs) return nullptr;
  }
  if ((kind & 0xFF) == kKindTabSheet) {
    if (KindOf(parent) != kKindPageControl) return nullptr;
    AddTabSheet(parent, hwnd, caption);
  }
  return hwnd;
}
