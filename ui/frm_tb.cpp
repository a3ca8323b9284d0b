// The main window's events, its first showing, the page bookkeeping and
// the calls it hands on to the preview.
#include "ui/frm_tb.h"

#include <cstring>

#include "app/language.h"
#include "app/process_settings.h"
#include "app/windows_version.h"
#include "image/progress_seam.h"
#include "menu/document.h"
#include "menu/menu_file_reader.h"
#include "platform/files.h"
#include "ui/frm_tb_tables.h"
#include "ui/main_settings.h"

TfrmTb* frmTb = nullptr;

extern const FormDescription kFrmTbDescription;

namespace {

bool AskFat32Overflow() { return frmTb ? frmTb->ConfirmFat32Overflow() : true; }

// The About page's picture: a disc with a menu bar across it.
HBITMAP MakeAboutPicture(int size) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP picture = CreateCompatibleBitmap(screen, size, size);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = SelectObject(dc, picture);
  RECT all = {0, 0, size, size};
  FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
  HBRUSH silver = CreateSolidBrush(RGB(192, 192, 208));
  HGDIOBJ oldBrush = SelectObject(dc, silver);
  Ellipse(dc, 0, 0, size, size);
  SelectObject(dc, GetSysColorBrush(COLOR_BTNFACE));
  Ellipse(dc, size * 3 / 8, size * 3 / 8, size * 5 / 8, size * 5 / 8);
  RECT bar = {size / 8, size * 5 / 8 + 2, size * 7 / 8, size * 3 / 4 + 2};
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 128));
  FillRect(dc, &bar, blue);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldBitmap);
  DeleteObject(blue);
  DeleteObject(silver);
  DeleteDC(dc);
  return picture;
}

}  // namespace

TfrmTb::TfrmTb() : Form(kFrmTbDescription) {}

TfrmTb::~TfrmTb() {
  if (frmTb == this) frmTb = nullptr;  // the 4 GB question then finds no window
  if (&TheDocumentView() == this) SetDocumentView(nullptr);
  if (&TheMainWindowLink() == this) SetMainWindowLink(nullptr);
}

void TfrmTb::OnEvent(FormEvent& event) {
  if (event.control == kFormItself) {
    OnFormEvent(event);
    return;
  }
  if (OnFieldEvent(event) || OnListEvent(event) || OnFileCommand(event) || OnLanguageEvent(event)) return;
  if (OnCommand(event)) return;
  OnFileOption(event);
}

void TfrmTb::OnFormEvent(FormEvent& event) {
  switch (event.kind) {
    case kEventCreate:
      FormCreate();
      break;
    case kEventShow:
      if (!shown_) frmTbShow();
      break;
    case kEventCloseQuery:
      // The window goes away only through the quit message.
      SaveSettingsAndQuit();
      event.allow = false;
      break;
    case kEventKeyDown:
      FormKeyDown(event.key, event.shift);
      break;
    default:
      break;
  }
}

// The window and its controls exist: the document's view and the preview's
// way back are this window from now on.
void TfrmTb::FormCreate() {
  SetDocumentView(this);
  SetMainWindowLink(this);
  SetFat32Question(AskFat32Overflow);
  UpDown(ControlAt(upEdgeL)).SetRange(0, 15);
  FillColorCombos();
  Image(ControlAt(imgAbout)).SetBitmap(MakeAboutPicture(ControlAt(imgAbout).Width()));
}

// Key preview: the window sees every key before the focused control. F1
// opens the help file and passes on like every other key.
void TfrmTb::FormKeyDown(WORD& key, unsigned shift) {
  if (key == VK_F1) pmHelpClick();
}

void TfrmTb::frmTbShow() {
  shown_ = true;
  ApplyLanguage(true);
  char windowsVersion[256];
  GetWindowsVersionText(windowsVersion, sizeof windowsVersion);
  InitMainForm();
  // The lines of the About page span the page: its own client width, which
  // is the page control's less the tab strip's borders, so that the centred
  // lines sit in the page's middle and no line runs under its right border.
  const int lines[] = {lbAboutWeb, lbAboutNotice, lbAboutContact, lbLocalize};
  for (int line : lines) ControlAt(line).SetLeft(ControlAt(tabstrp).Left());
  ControlAt(lbWindowsVer).SetText(windowsVersion);
  RECT page;
  GetClientRect(ControlAt(tsAbout), &page);
  for (int line : lines) ControlAt(line).SetWidth(page.right);
  ControlAt(btnOpen).SetFocus();
  ShowStartupMenu();
  ApplyResolution();
  CheckBox(ControlAt(chkPrevShow)).SetChecked(true);
  ThePreviewLink().ShowPreview();
}

// The menu file named on the command line, else (auto-open) the last one.
void TfrmTb::ShowStartupMenu() {
  MenuDocument& doc = TheDocument;
  const char* startup = TheProcessSettings.startupMenuPath;
  if (startup[0] && FileExists(startup)) {
    const char* cut = strrchr(startup, '\\');
    // A bare name is a file of the folder that was current at start.
    if (cut) {
      OpenMenuFileAt(std::string(startup, cut - startup), cut + 1);
    } else {
      OpenMenuFileAt(TheProcessSettings.startDir, startup);
    }
  } else if (TheMainSettings.AutoLoad) {
    if (!FolderExists(doc.MenuFileDir)) JoinPath(doc.MenuFileDir, kPathSize, GetHomeDir(), "disk1");
    char path[2 * kPathSize];
    if (JoinPath(path, sizeof path, doc.MenuFileDir, doc.MenuFileName) && FileExists(path)) LoadMenuFile();
  }
  // No menu file loaded: the document is new and unnamed, so that Save asks
  // for a name and never replaces the last file unasked. The settings keep
  // that file's name (TheMainSettings.MenuFileName) for the next start.
  if (doc.LastMenuFilePath[0] == 0) {
    doc.MenuFileName[0] = 0;
    SetFieldText(ViewField::txtMenuFileName, "");
  }
}

void TfrmTb::UpdateCurrentList() {
  currentPage_ = PageControl(ControlAt(tabstrp)).ActivePage();
  currentList_ = currentPage_ >= kPageLayout && currentPage_ <= kPageMenu ? currentPage_ - 1 : kNoList;
  ThePreviewLink().ShowCurrentItemFocus();
}

// A page change by the program (undo, a click in the preview): no change
// event.
void TfrmTb::ShowListPage(int list) {
  int page = PageOfList(list);
  if (page < 0 || page == currentPage_) return;
  PageControl(ControlAt(tabstrp)).SetActivePage(page);
  UpdateCurrentList();
}

void TfrmTb::FocusMoveUpButton() {
  if (currentPage_ >= kPageLayout && currentPage_ <= kPageMisc) {
    ControlAt(kListControls[currentPage_ - 1].upButton).SetFocus();
  }
}

void TfrmTb::EnableUndoButtons(bool enabled) {
  for (const ListControls& controls : kListControls) ControlAt(controls.undoButton).SetEnabled(enabled);
}

void TfrmTb::RepaintPreview() { ThePreviewLink().RepaintPreview(); }
void TfrmTb::RelayoutPreview() { ThePreviewLink().RelayoutPreview(); }
void TfrmTb::LoadBackImage() { ThePreviewLink().LoadBackImage(); }

void TfrmTb::RefreshCurrentItem() {
  if (currentList_ == kNoList) return;
  ShowCurrentItem(currentList_);
  SelectCurrentRow(currentList_);
}

namespace {

int FieldControl(ViewField field) {
  switch (field) {
    case ViewField::txtLogoImg: return TfrmTb::txtLogoImg;
    case ViewField::txtLogoTime: return TfrmTb::txtLogoTime;
    case ViewField::txtPassword: return TfrmTb::txtPassword;
    case ViewField::txtBackImg: return TfrmTb::txtBackImg;
    case ViewField::txtFileDir: return TfrmTb::txtFileDir;
    case ViewField::txtMenuFileName: return TfrmTb::txtMenuFileName;
  }
  return kNone;
}

}  // namespace

std::string TfrmTb::GetFieldText(ViewField field) { return ControlAt(FieldControl(field)).Text(); }

void TfrmTb::SetFieldText(ViewField field, const char* text) {
  ControlAt(FieldControl(field)).SetText(text);
  if (field == ViewField::txtLogoImg) logoName_ = text;
}
