#include "ui/frm_preview.h"

#include <cstdio>

#include "app/startup.h"
#include "menu/document.h"
#include "platform/registry.h"
#include "ui/preview_font.h"
#include "win/application.h"

TfrmPreview* frmPreview = nullptr;

namespace {

const char* const kNames[] = {FRM_PREVIEW_NAMES(TW_NAME_TEXT)};

// One centred panel for the cursor position or the edited rectangle.
const PartDescription kStatusPanels[] = {{"(0,0)", 80}};

const ControlDescription kRows[] = {
    {TfrmPreview::sbStatus, kRoleStatusBar, kFormItself, 0, 461, 640, 19, "", 0, 0, 0, 0, 0, kStatusPanels, 1},
};

const CaptionEntry kCaptions[] = {
    {kFormItself, kCaptionText, 0, 11001},  // "CD/DVD Boot Menu Preview"
};

const FormDescription kDescription = {
    "frmPreview", "TfrmPreview", "", 0, 0, 640, 480, kBorderToolWindow,
    kFormWantAllKeys | kFormPaintsAll, COLOR_BTNTEXT, "MS Sans Serif", 8, DEFAULT_CHARSET,
    kRows, sizeof kRows / sizeof kRows[0], kNames, TfrmPreview::kNameCount,
    kCaptions, sizeof kCaptions / sizeof kCaptions[0]};

// The height of the task bar that the default place leaves free.
const int kTaskBarHeight = 26;

}  // namespace

TfrmPreview::TfrmPreview() : Form(kDescription), editor_(*this) {}

TfrmPreview::~TfrmPreview() {
  if (linked_) SetPreviewLink(linkBefore_);
  ReleaseBackImage(imgBack);
}

void TfrmPreview::OnEvent(FormEvent& event) {
  if (event.control != kFormItself) return;
  switch (event.kind) {
    case kEventCreate: FormCreate(); break;
    case kEventShow: frmPreviewShow(); break;
    case kEventHide: editor_.ResetEdit(); break;
    case kEventDeactivate: editor_.PreviewLeft(); break;
    case kEventPaint: frmPreviewPaint(); break;
    case kEventMouseDown: frmPreviewMouseDown(event); break;
    case kEventMouseMove: editor_.TrackPreviewMouse(event.x, event.y, false); break;
    case kEventKeyDown: editor_.PreviewKey(event.key); break;
    default: break;
  }
}

void TfrmPreview::FormCreate() {
  InitPreviewFont();
  ShowStatus("(0,0)");
  linkBefore_ = SetPreviewLink(this);
  linked_ = true;
}

void TfrmPreview::frmPreviewShow() {
  Localize();
  PlacePreviewWindow();
}

// The new language's caption and font; the status line's height may change
// with the font, so the client area is fitted to the menu screen again,
// where the window stands.
void TfrmPreview::LocalizePreview() {
  Localize();
  SizeToScreen();
}

// The whole client area is painted, not only the invalid part, so that
// the picture and the frame stay in step (the frame is drawn with XOR).
void TfrmPreview::frmPreviewPaint() {
  HDC dc = GetDC(*this);
  canvas_.Paint(dc, imgBack);
  ReleaseDC(*this, dc);
}

void TfrmPreview::frmPreviewMouseDown(const FormEvent& event) {
  const PreviewButton button = event.button == kMouseLeft    ? kPreviewLeftButton
                               : event.button == kMouseRight ? kPreviewRightButton
                                                             : kPreviewOtherButton;
  editor_.MouseDown(button, event.x, event.y);
}

// The client area is the menu screen with the status line below it; only
// the difference is applied to the outer size, which includes the frame.
void TfrmPreview::SizeToScreen() {
  const ScreenSize& screen = TheDocument.MenuScreenSize;
  const int wantedWidth = screen.width;
  const int wantedHeight = screen.height + ControlAt(sbStatus).Height();
  if (ClientWidth() != wantedWidth) SetWidth(Width() + wantedWidth - ClientWidth());
  if (ClientHeight() != wantedHeight) SetHeight(Height() + wantedHeight - ClientHeight());
}

// Just right of the main window, pulled back inside the screen when it
// would pass its right edge; centred in the height above the task bar.
void TfrmPreview::DefaultPosition(int* left, int* top) const {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const Form* main = TheApplication.MainForm();
  *left = main != nullptr && main != this ? main->Left() + main->Width() : 0;
  if (*left + Width() >= screenWidth) *left = screenWidth - Width() - 1;
  *top = (screenHeight - kTaskBarHeight - Height()) / 2;
}

void TfrmPreview::PlacePreviewWindow() {
  SizeToScreen();
  int left = 0, top = 0;
  DefaultPosition(&left, &top);
  // The place stored at the last quit is used as it was read while the
  // title bar stays on the desktop; otherwise the window is moved the least
  // that brings the title bar back.
  if (RegistryKey key = OpenRegistryKeyForRead(kRegCurrentUser, kSettingsKeyPath)) {
    char text[1024];
    if (ReadRegistryText(key, "PreviewLeft", text, sizeof text) == kRegRead) sscanf(text, "%d", &left);
    if (ReadRegistryText(key, "PreviewTop", text, sizeof text) == kRegRead) sscanf(text, "%d", &top);
    CloseRegistryKey(key);
  }
  SetPosition(left, top);
  KeepOnDesktop();
  editor_.ResetEdit();
}

void TfrmPreview::RelayoutPreview() {
  SizeToScreen();
  int left = 0, top = 0;
  DefaultPosition(&left, &top);
  SetPosition(left, top);
  RepaintPreview();
}

void TfrmPreview::RepaintPreview() {
  InvalidateRect(*this, nullptr, FALSE);
  UpdateWindow(*this);
}

void TfrmPreview::LoadBackImage() { ::LoadBackImage(imgBack); }

void TfrmPreview::ShowCurrentItemFocus() {
  HDC dc = GetDC(*this);
  canvas_.Frame().ShowCurrentItemFocus(dc);
  ReleaseDC(*this, dc);
}

void TfrmPreview::EraseFocusRect() {
  HDC dc = GetDC(*this);
  canvas_.Frame().EraseFocusRect(dc);
  ReleaseDC(*this, dc);
}

void TfrmPreview::DrawSelectionFrame(const DrawingRect& rect) {
  HDC dc = GetDC(*this);
  canvas_.Frame().DrawSelectionFrame(dc, rect);
  ReleaseDC(*this, dc);
}

void TfrmPreview::SetEditEnabled(bool on) { editor_.SetEditEnabled(on); }

void TfrmPreview::ShowPreview() { Show(); }

void TfrmPreview::HidePreview() { Hide(); }

std::string TfrmPreview::StatusText() const { return StatusBar(ControlAt(sbStatus)).PanelText(0); }

void TfrmPreview::ShowStatus(const char* text) { StatusBar(ControlAt(sbStatus)).SetPanelText(0, text, true); }

void TfrmPreview::CursorClientPosition(int32_t* x, int32_t* y) {
  const ScreenPoint cursor = CursorPosition();
  POINT point = {cursor.x, cursor.y};
  ScreenToClient(*this, &point);
  *x = point.x;
  *y = point.y;
}

void TfrmPreview::SetCursorClientPosition(int32_t x, int32_t y) {
  POINT point = {x, y};
  ClientToScreen(*this, &point);
  MoveCursorTo(ScreenPoint{point.x, point.y});
}

void TfrmPreview::TakeFocus() { SetFocus(*this); }
