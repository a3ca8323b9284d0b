#include "ui/frm_make_iso.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/language.h"
#include "app/engine_log.h"
#include "app/message_boxes.h"
#include "app/string_ids.h"
#include "image/iso_engine.h"
#include "image/progress_seam.h"
#include "image/staged_output.h"
#include "menu/document.h"
#include "platform/file_dialog.h"
#include "platform/file_ticks.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/time_seconds.h"
#include "ui/design_layout.h"
#include "ui/frm_progress.h"
#include "ui/main_settings.h"
#include "ui/make_iso_engine.h"
#include "win/application.h"

TfrmMakeISO* frmMakeISO = nullptr;
char ISOFilePath[kIsoFilePathSize] = "";

namespace {

typedef TfrmMakeISO M;

const char* const kNames[] = {FRM_MAKE_ISO_NAMES(TW_NAME_TEXT)};

const ControlDescription kRows[] = {
    {M::lbCDFileDir, kRoleLabel, kFormItself, 8, 12, 64, 13, "CD File Dir:"},
    {M::txtCDFileDir, kRoleEdit, kFormItself, 76, 8, 181, 21, ""},
    {M::lbBootImg, kRoleLabel, kFormItself, 8, 40, 64, 13, "Boot Image:"},
    {M::txtBootImage, kRoleEdit, kFormItself, 76, 36, 181, 21, ""},
    {M::btnSetBootImage, kRoleButton, kFormItself, 260, 36, 23, 21, "..."},
    {M::gbOption, kRoleGroupBox, kFormItself, 8, 64, 276, 180, "Option"},
    {M::chkOptimize, kRoleCheckBox, M::gbOption, 16, 20, 92, 17, "Optimize"},
    {M::chkDOS, kRoleCheckBox, M::gbOption, 116, 20, 72, 17, "DOS(8.3)"},
    {M::chkJoliet, kRoleCheckBox, M::gbOption, 192, 20, 73, 17, "Joliet"},
    {M::chkLowercase, kRoleCheckBox, M::gbOption, 16, 44, 240, 17, "Allow lower case"},
    {M::chkDateTime, kRoleCheckBox, M::gbOption, 16, 68, 240, 17, "Set Date/Time"},
    {M::datePicker, kRoleDateTimePicker, M::gbOption, 32, 90, 113, 21, ""},
    {M::timePicker, kRoleDateTimePicker, M::gbOption, 152, 90, 105, 21, "", kStyleTimeKind},
    {M::chkHideFolder, kRoleCheckBox, M::gbOption, 16, 122, 240, 17, "Hide Boot Folder"},
    {M::chkHideFiles, kRoleCheckBox, M::gbOption, 16, 146, 250, 17, "Hide All Files in Boot Folder"},
    {M::lbCDVol, kRoleLabel, kFormItself, 8, 260, 64, 13, "CD Volume:"},
    {M::txtCDVol, kRoleEdit, kFormItself, 76, 256, 181, 21, "", 0, kLabelSize - 1},
    {M::lbISOFile, kRoleLabel, kFormItself, 8, 288, 64, 13, "ISO File:"},
    {M::txtISOFile, kRoleEdit, kFormItself, 76, 284, 181, 21, ""},
    {M::btnSetISOFile, kRoleButton, kFormItself, 260, 284, 23, 21, "..."},
    {M::btnMake, kRoleButton, kFormItself, 56, 316, 75, 25, "Make"},
    {M::btnReturn, kRoleButton, kFormItself, 161, 316, 75, 25, "Return", kStyleCancel},
};

const CaptionEntry kCaptions[] = {
    {kFormItself, kCaptionText, 0, 12001},       // "Make ISO File"
    {M::lbCDFileDir, kCaptionText, 0, 12002},    // "CD File Dir:"
    {M::lbBootImg, kCaptionText, 0, 12003},      // "Boot Image:"
    {M::gbOption, kCaptionText, 0, 12004},       // "Option"
    {M::chkOptimize, kCaptionText, 0, 12005},    // "Optimize"
    {M::chkJoliet, kCaptionText, 0, 12006},      // "Joliet"
    {M::chkDateTime, kCaptionText, 0, 12007},    // "Set Date/Time"
    {M::lbCDVol, kCaptionText, 0, 12008},        // "CD Volume:"
    {M::lbISOFile, kCaptionText, 0, 12009},      // "ISO File:"
    {M::btnMake, kCaptionText, 0, 12010},        // "Make"
    {M::btnReturn, kCaptionText, 0, 12011},      // "Return"
    {M::chkHideFolder, kCaptionText, 0, 12012},  // "Hide Boot Folder"
    {M::chkHideFiles, kCaptionText, 0, 12013},   // "Hide All Files in Boot Folder"
    {M::chkLowercase, kCaptionText, 0, 12014},   // "Allow lower case"
};

// Left and width of a row, the width or left alone, the form's outer width.
#define LW(name, left, width) {M::name, kOverrideLeft, left}, {M::name, kOverrideWidth, width}
#define L(name, left) {M::name, kOverrideLeft, left}
#define W(name, width) {M::name, kOverrideWidth, width}
#define WIDTH(width) {kFormItself, kOverrideWidth, width}

// By language: the labels and edits of the four rows, the option boxes of
// the first lines and the two buttons; the longest languages widen the form.
const LayoutOverride kMake1028[] = {
    LW(lbCDFileDir, 8, 60), LW(txtCDFileDir, 72, 185), LW(lbBootImg, 8, 52), LW(txtBootImage, 64, 193),
    LW(chkOptimize, 16, 60), LW(chkJoliet, 192, 73), LW(chkDateTime, 16, 90),
    LW(lbCDVol, 8, 52), LW(txtCDVol, 64, 193), LW(lbISOFile, 8, 44), LW(txtISOFile, 64, 193),
    LW(btnMake, 56, 75), LW(btnReturn, 161, 75)};
const LayoutOverride kMake1029[] = {
    LW(lbCDFileDir, 8, 80), LW(txtCDFileDir, 92, 165), LW(lbBootImg, 8, 70), LW(txtBootImage, 82, 175),
    LW(chkOptimize, 16, 90), LW(chkJoliet, 192, 73), LW(chkDateTime, 16, 130),
    LW(lbCDVol, 8, 64), LW(txtCDVol, 76, 181), LW(lbISOFile, 8, 52), LW(txtISOFile, 64, 193),
    LW(btnMake, 56, 75), LW(btnReturn, 161, 75)};
const LayoutOverride kMake1031[] = {
    LW(lbCDFileDir, 8, 75), LW(txtCDFileDir, 88, 169), LW(lbBootImg, 9, 53), LW(txtBootImage, 64, 193),
    LW(chkOptimize, 16, 97), LW(chkJoliet, 192, 73), LW(chkDateTime, 16, 105),
    LW(lbCDVol, 12, 49), LW(txtCDVol, 64, 193), LW(lbISOFile, 10, 49), LW(txtISOFile, 64, 193),
    LW(btnMake, 64, 57), LW(btnReturn, 168, 57)};
const LayoutOverride kMake1034[] = {
    WIDTH(346), W(gbOption, 297), W(chkHideFiles, 273), L(btnSetBootImage, 306),
    LW(lbCDFileDir, 8, 96), LW(txtCDFileDir, 108, 149), LW(lbBootImg, 8, 90), LW(txtBootImage, 102, 201),
    LW(chkOptimize, 16, 90), LW(chkJoliet, 192, 73), LW(chkDateTime, 16, 150),
    LW(lbCDVol, 8, 84), LW(txtCDVol, 96, 161), LW(lbISOFile, 8, 70), LW(txtISOFile, 82, 175),
    LW(btnMake, 74, 80), LW(btnReturn, 184, 80)};
const LayoutOverride kMake1036[] = {
    LW(lbCDFileDir, 8, 100), LW(txtCDFileDir, 112, 145), LW(lbBootImg, 8, 84), LW(txtBootImage, 96, 161),
    LW(chkOptimize, 16, 90), LW(chkJoliet, 192, 73), LW(chkDateTime, 16, 150),
    LW(lbCDVol, 8, 84), LW(txtCDVol, 96, 161), LW(lbISOFile, 8, 60), LW(txtISOFile, 72, 185),
    LW(btnMake, 56, 75), LW(btnReturn, 161, 75)};
const LayoutOverride kMake1040[] = {
    WIDTH(346), W(gbOption, 297), W(chkHideFiles, 273), L(btnSetBootImage, 306),
    LW(lbCDFileDir, 8, 100), LW(txtCDFileDir, 112, 145), LW(lbBootImg, 8, 84), LW(txtBootImage, 96, 207),
    LW(chkOptimize, 16, 90), LW(chkJoliet, 192, 73), LW(chkDateTime, 16, 150),
    LW(lbCDVol, 8, 80), LW(txtCDVol, 92, 165), LW(lbISOFile, 8, 56), LW(txtISOFile, 68, 189),
    LW(btnMake, 74, 80), LW(btnReturn, 184, 80)};
const LayoutOverride kMake1044[] = {
    LW(lbCDFileDir, 8, 84), LW(txtCDFileDir, 96, 161), LW(lbBootImg, 8, 60), LW(txtBootImage, 72, 185),
    LW(chkOptimize, 16, 90), LW(chkJoliet, 192, 73), LW(chkDateTime, 16, 130),
    LW(lbCDVol, 8, 60), LW(txtCDVol, 72, 185), LW(lbISOFile, 8, 50), LW(txtISOFile, 64, 193),
    LW(btnMake, 56, 75), LW(btnReturn, 161, 75)};
const LayoutOverride kMake1045[] = {
    LW(lbCDFileDir, 8, 96), LW(txtCDFileDir, 108, 149), LW(lbBootImg, 8, 90), LW(txtBootImage, 102, 155),
    LW(chkOptimize, 16, 96), LW(chkJoliet, 192, 73), LW(chkDateTime, 16, 140),
    LW(lbCDVol, 8, 80), LW(txtCDVol, 92, 165), LW(lbISOFile, 8, 56), LW(txtISOFile, 68, 189),
    LW(btnMake, 56, 75), LW(btnReturn, 161, 75)};
const LayoutOverride kMake1048[] = {
    WIDTH(346), W(gbOption, 297), W(chkHideFiles, 273), L(btnSetBootImage, 306),
    LW(lbCDFileDir, 8, 100), LW(txtCDFileDir, 112, 145), LW(lbBootImg, 8, 90), LW(txtBootImage, 102, 201),
    LW(chkOptimize, 16, 90), LW(chkJoliet, 192, 73), LW(chkDateTime, 16, 150),
    LW(lbCDVol, 8, 90), LW(txtCDVol, 102, 155), LW(lbISOFile, 8, 60), LW(txtISOFile, 72, 185),
    LW(btnMake, 74, 80), LW(btnReturn, 184, 80)};
const LayoutOverride kMake1049[] = {
    LW(lbCDFileDir, 8, 104), LW(txtCDFileDir, 116, 141), LW(lbBootImg, 8, 100), LW(txtBootImage, 112, 145),
    LW(chkOptimize, 16, 96), LW(chkJoliet, 192, 73), LW(chkDateTime, 16, 170),
    LW(lbCDVol, 8, 96), LW(txtCDVol, 108, 149), LW(lbISOFile, 8, 60), LW(txtISOFile, 72, 185),
    LW(btnMake, 56, 75), LW(btnReturn, 161, 75)};
const LayoutOverride kMake1055[] = {
    LW(lbCDFileDir, 8, 96), LW(txtCDFileDir, 108, 149), LW(lbBootImg, 8, 80), LW(txtBootImage, 92, 165),
    LW(chkOptimize, 16, 96), LW(chkJoliet, 192, 73), LW(chkDateTime, 16, 140),
    LW(lbCDVol, 8, 80), LW(txtCDVol, 92, 165), LW(lbISOFile, 8, 56), LW(txtISOFile, 68, 189),
    LW(btnMake, 56, 75), LW(btnReturn, 161, 75)};
const LayoutOverride kMake2052[] = {
    LW(lbCDFileDir, 8, 60), LW(txtCDFileDir, 72, 185), LW(lbBootImg, 8, 52), LW(txtBootImage, 64, 193),
    LW(chkOptimize, 16, 60), LW(chkJoliet, 192, 73), LW(chkDateTime, 16, 90),
    LW(lbCDVol, 8, 52), LW(txtCDVol, 64, 193), LW(lbISOFile, 8, 44), LW(txtISOFile, 64, 193),
    LW(btnMake, 56, 75), LW(btnReturn, 161, 75)};
// Arabic: the four edits in one column after the longest label; Joliet a
// little to the right, clear of the wider "DOS(8.3)".
const LayoutOverride kMake10241[] = {
    LW(lbCDFileDir, 8, 104), LW(txtCDFileDir, 116, 141), LW(lbBootImg, 8, 104), LW(txtBootImage, 116, 141),
    LW(chkOptimize, 16, 60), LW(chkJoliet, 200, 65), LW(chkDateTime, 16, 120),
    LW(lbCDVol, 8, 104), LW(txtCDVol, 116, 141), LW(lbISOFile, 8, 104), LW(txtISOFile, 116, 141),
    LW(btnMake, 56, 75), LW(btnReturn, 161, 75)};

#define LANGUAGE(id, list) {id, list, sizeof list / sizeof list[0]}
const LanguageLayout kLayouts[] = {
    LANGUAGE(1028, kMake1028), LANGUAGE(1029, kMake1029), LANGUAGE(1031, kMake1031),
    LANGUAGE(1034, kMake1034), LANGUAGE(1036, kMake1036), LANGUAGE(1040, kMake1040),
    LANGUAGE(1044, kMake1044), LANGUAGE(1045, kMake1045), LANGUAGE(1048, kMake1048),
    LANGUAGE(1049, kMake1049), LANGUAGE(1055, kMake1055), LANGUAGE(2052, kMake2052),
    LANGUAGE(10241, kMake10241),
};

const FormDescription kDescription = {
    "frmMakeISO", "TfrmMakeISO", "", 0, 0, 292, 350, kBorderDialog, 0, COLOR_BTNFACE, "MS Sans Serif", 8,
    DEFAULT_CHARSET, kRows, sizeof kRows / sizeof kRows[0], kNames, M::kNameCount, kCaptions,
    sizeof kCaptions / sizeof kCaptions[0], kLayouts, sizeof kLayouts / sizeof kLayouts[0]};

// A path and the file dialogs' common settings.
const unsigned kFileDialogFlags = 0x20804;  // hide read-only, path must exist, no network button
const int kPathLimit = 259;                 // characters of a path, without its NUL
// The work file's name is the target's with ".tw~" (or ".tw1~" ...) added.
// A kept image's name (".new", ".new1" ...) is longer from ".new10" on; one
// beyond the path limit leaves the image under its work name, and the
// message about the kept image says so.
const int kWorkSuffixLength = 5;

// What a build came to: no image because the output file could not be
// made, or because the engine refused the disc folder (the dialog stays
// open for another try), a build that did not produce the image (the
// engine has said why), the image in place, or a finished image kept beside
// the earlier one because that could not be replaced.
enum BuildOutcome { kBuiltNothing, kFolderRefused, kBuildFailed, kBuildDone, kImageKept };

bool CheckedOf(Form& form, int id) { return CheckBox(form.ControlAt(id)).Checked(); }

void CopyText(char* out, size_t size, const char* text) { snprintf(out, size, "%s", text); }

// Keeps an output path as the folder and name of the image that the Burn
// items hand over and the next showing proposes, split at its last
// backslash (a relative path made full first). False when it has none.
bool RememberIsoFile(const char* path) {
  char full[MAX_PATH];
  DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
  char* cut = length > 0 && length < sizeof full ? strrchr(full, '\\') : nullptr;
  if (!cut) return false;
  *cut = 0;
  CopyText(TheMainSettings.ISOFileName, sizeof TheMainSettings.ISOFileName, cut + 1);
  CopyText(TheMainSettings.ISOFileDir, sizeof TheMainSettings.ISOFileDir, full);
  return true;
}

// Adds ".iso" when the path has no "." or its text after the last "." is
// not "iso" in any letter case.
std::string WithIsoExtension(std::string path) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || _stricmp(path.c_str() + dot + 1, "iso") != 0) path += ".iso";
  return path;
}

// The main window and this dialog are disabled while a build runs, so that
// neither a second Make nor another command starts meanwhile (the progress
// window's pump hands their messages on during the build).
class WindowsDisabledForBuild {
 public:
  WindowsDisabledForBuild(Form& dialog, bool& building) : building_(building) {
    building_ = true;
    Disable(dialog.Handle());
    if (Form* main = TheApplication.MainForm()) Disable(main->Handle());
  }
  ~WindowsDisabledForBuild() {
    for (int i = 0; i < count_; ++i) EnableWindow(disabled_[i], TRUE);
    building_ = false;
  }

 private:
  void Disable(HWND window) {
    if (!window || !IsWindowEnabled(window) || count_ == 2) return;
    EnableWindow(window, FALSE);
    disabled_[count_++] = window;
  }
  bool& building_;
  HWND disabled_[2] = {};
  int count_ = 0;
};

}  // namespace

TfrmMakeISO::TfrmMakeISO() : Form(kDescription) {}

void TfrmMakeISO::OnEvent(FormEvent& event) {
  if (event.kind == kEventShow && event.control == kFormItself) frmMakeISOShow();
  if (event.kind == kEventHide && event.control == kFormItself) FormHide();
  if (event.kind == kEventChange && event.control == txtCDVol) txtCDVolChange();
  if (event.kind != kEventClick) return;
  switch (event.control) {
    case btnMake: btnMakeClick(); break;
    case btnReturn: btnReturnClick(); break;
    case btnSetISOFile: btnSetISOFileClick(); break;
    case btnSetBootImage: btnSetBootImageClick(); break;
    case chkDateTime: chkDateTimeClick(); break;
    case chkHideFolder: chkHideFolderClick(); break;
    case chkHideFiles: chkHideFilesClick(); break;
  }
}

// ------------------------------------------------------------ showing

void TfrmMakeISO::frmMakeISOShow() {
  // Back to the design layout first: a language shown before leaves nothing.
  RestoreDesignLayout(*this);
  Localize();
  if (Form* main = TheApplication.MainForm()) {
    SetPosition(main->Left() + main->Width() / 2, main->Top() + main->Height() / 4);
  }

  const MainSettings& settings = TheMainSettings;
  char text[2 * kPathSize + 16];
  snprintf(text, sizeof text, "%s\\%s", settings.ISOFileDir, settings.ISOFileName);
  ControlAt(txtISOFile).SetText(text);
  snprintf(text, sizeof text, "%s\\loader.bin", TheDocument.MenuFileDir);
  ControlAt(txtBootImage).SetText(text);
  ControlAt(txtCDFileDir).SetText(TheDocument.CDFileDir);
  ControlAt(txtCDVol).SetText(settings.VolumeLabel);

  const IsoSettingValues& iso = settings.IsoSettings;
  const struct {
    int box, value;
  } boxes[] = {{chkJoliet, iso.VOL_Joliet},     {chkOptimize, iso.Optimize},        {chkDOS, iso.VOL_DOS83},
               {chkLowercase, iso.VOL_Lowercase}, {chkDateTime, iso.SetDateTime},   {chkHideFolder, iso.HideBootFolder},
               {chkHideFiles, iso.HideBootFiles}};
  for (const auto& b : boxes) {
    CheckBox(ControlAt(b.box)).SetChecked(b.value != 0);
    ControlAt(b.box).SetEnabled(true);
  }

  SYSTEMTIME now;
  GetLocalTime(&now);
  DateTimePicker(ControlAt(datePicker)).SetValue(now);
  DateTimePicker(ControlAt(timePicker)).SetValue(now);
  chkDateTimeClick();
}

// ------------------------------------------------------------ options while open

void TfrmMakeISO::chkDateTimeClick() {
  bool on = CheckedOf(*this, chkDateTime);
  ControlAt(datePicker).SetEnabled(on);
  ControlAt(timePicker).SetEnabled(on);
}

void TfrmMakeISO::chkHideFolderClick() { TheMainSettings.IsoSettings.HideBootFolder = CheckedOf(*this, chkHideFolder); }

void TfrmMakeISO::chkHideFilesClick() { TheMainSettings.IsoSettings.HideBootFiles = CheckedOf(*this, chkHideFiles); }

void TfrmMakeISO::txtCDVolChange() {
  CopyText(TheMainSettings.VolumeLabel, sizeof TheMainSettings.VolumeLabel, ControlAt(txtCDVol).Text().c_str());
}

void TfrmMakeISO::FormHide() {
  IsoSettingValues& iso = TheMainSettings.IsoSettings;
  iso.VOL_Joliet = CheckedOf(*this, chkJoliet);
  iso.VOL_DOS83 = CheckedOf(*this, chkDOS);
  iso.VOL_Lowercase = CheckedOf(*this, chkLowercase);
  iso.Optimize = CheckedOf(*this, chkOptimize);
  iso.SetDateTime = CheckedOf(*this, chkDateTime);
}

void TfrmMakeISO::btnReturnClick() { Close(); }

// ------------------------------------------------------------ browsing

void TfrmMakeISO::btnSetISOFileClick() {
  FileDialogRequest request = {};
  request.save = true;
  request.owner = Handle();
  request.filter = GetString(kStrIsoFileFilter);
  request.title = GetString(kStrSetIsoFileTitle);
  request.initialDir = TheMainSettings.ISOFileDir;
  request.defaultExt = "ISO";
  request.flags = kFileDialogFlags;
  request.olderStructure = !IsWin2000OrLater();
  if (!RunFileDialog(request) || !RememberIsoFile(request.file)) return;
  char text[2 * kPathSize + 16];
  snprintf(text, sizeof text, "%s\\%s", TheMainSettings.ISOFileDir, TheMainSettings.ISOFileName);
  ControlAt(txtISOFile).SetText(text);
}

void TfrmMakeISO::btnSetBootImageClick() {
  FileDialogRequest request = {};
  request.owner = Handle();
  request.filter = GetString(kStrBootImageFilter);
  request.title = GetString(kStrBootImageTitle);
  request.initialDir = TheDocument.MenuFileDir;
  request.defaultExt = "bin";
  request.flags = kFileDialogFlags;
  request.olderStructure = !IsWin2000OrLater();
  if (RunFileDialog(request)) ControlAt(txtBootImage).SetText(request.file);
}

// ------------------------------------------------------------ making the image

void TfrmMakeISO::btnMakeClick() {
  if (building_) return;  // one build at a time
  MakeIsoJob job = {};
  if (!ReadJob(job)) return;
  if (FileExists(job.target) && !ConfirmOverwrite(job.target)) return;
  // A name beside the target, so nothing of the user's is overwritten
  // before the build has succeeded; work files of killed builds go, images
  // kept by earlier builds stay.
  if (!ChooseWorkFile(job.workFile, sizeof job.workFile, job.target)) {
    ShowPathError(GetString(kStrFileCreateError), job.target);
    return;
  }

  BuildOutcome outcome;
  {
    WindowsDisabledForBuild disabled(*this, building_);
    CopyText(ISOFilePath, sizeof ISOFilePath, job.target);
    // The options of this build reach the engine before the wait line,
    // which names the Optimize option, is shown.
    FillBuildOptions();
    ShowPreparing();
    outcome = (BuildOutcome)RunEngine(job);
    // Also when the build ended before the window reached progress mode;
    // a quit that came during the build is posted again here.
    CloseProgress();
  }
  if (outcome == kBuiltNothing) {
    ShowPathError(GetString(kStrFileCreateError), job.target);
  } else if (outcome != kFolderRefused) {
    // The image just made is the one Burn hands over, typed or browsed.
    if (outcome != kBuildFailed) RememberIsoFile(job.target);
    if (outcome == kImageKept) TellImageKept(job);
    if (outcome != kBuildFailed) TellLeftOut(outcome == kImageKept ? job.workFile : job.target);
    Close();
  }
}

// The fields, checked in dialog order: each path must be shorter than the
// system's path limit and the disc folder and boot image must exist. The
// output path gets ".iso" when it lacks it.
bool TfrmMakeISO::ReadJob(MakeIsoJob& job) {
  std::string folder = ControlAt(txtCDFileDir).Text();
  if (!FieldPathFits(lbCDFileDir, folder.c_str(), kPathLimit)) return false;
  if (!PathExists(folder.c_str())) {
    ShowPathError(GetString(kStrDiscFolderMissing), folder.c_str());
    return false;
  }
  std::string boot = ControlAt(txtBootImage).Text();
  if (!FieldPathFits(lbBootImg, boot.c_str(), kPathLimit)) return false;
  if (!PathExists(boot.c_str())) {
    ShowPathError(GetString(kStrBootImageMissing), boot.c_str());
    return false;
  }
  std::string target = WithIsoExtension(ControlAt(txtISOFile).Text());
  if (!FieldPathFits(lbISOFile, target.c_str(), kPathLimit - kWorkSuffixLength)) return false;
  // The image's folder deleted (the default "iso" folder, say): named, so
  // that the user can make it or choose another.
  const size_t cut = target.rfind('\\');
  const std::string targetFolder = cut == std::string::npos ? std::string() : target.substr(0, cut);
  if (!targetFolder.empty() && targetFolder.back() != ':' && !FolderExists(targetFolder.c_str())) {
    ShowPathError(GetString(kStrFolderNotExist), targetFolder.c_str());
    return false;
  }
  CopyText(job.folder, sizeof job.folder, folder.c_str());
  CopyText(job.bootImage, sizeof job.bootImage, boot.c_str());
  CopyText(job.target, sizeof job.target, target.c_str());
  return true;
}

bool TfrmMakeISO::FieldPathFits(int label, const char* path, int limit) {
  int length = (int)strlen(path);
  if (length <= limit) return true;
  char text[512];
  snprintf(text, sizeof text,
           "%s the path is %d characters long; it must be shorter than %d characters. "
           "Choose a shorter folder or file name.",
           ControlAt(label).Text().c_str(), length, limit + 1);
  ShowMessageBox(Handle(), text, GetString(kStrCaptionError), kMbOk | kMbIconError);
  return false;
}

bool TfrmMakeISO::ConfirmOverwrite(const char* target) {
  char text[1024];
  snprintf(text, sizeof text, GetString(kStrOverwriteImage), target);
  return ShowMessageBox(Handle(), text, GetString(kStrCaptionPrompt), kMbYesNo | kMbIconQuestion) == kIdYes;
}

// The moment of a local date and time. The C library knows whether summer
// time applies on that day but nothing before 1970; such a date is counted
// from its calendar with the zone's standard offset.
static time_t SecondsOfLocalTime(const SYSTEMTIME& when) {
  struct tm local = {};
  local.tm_year = when.wYear - 1900;
  local.tm_mon = when.wMonth - 1;
  local.tm_mday = when.wDay;
  local.tm_hour = when.wHour;
  local.tm_min = when.wMinute;
  local.tm_sec = when.wSecond;
  local.tm_isdst = -1;
  if (when.wYear >= 1970) {
    time_t t = mktime(&local);
    if (t != (time_t)-1) return t;
  }
  FILETIME ticks;
  if (!SystemTimeToFileTime(&when, &ticks)) return 0;
  _tzset();
  return (time_t)(SecondsOfFileTicks(((uint64_t)ticks.dwHighDateTime << 32) | ticks.dwLowDateTime) + _timezone);
}

// The options of the build from the boxes and the date pickers.
void TfrmMakeISO::FillBuildOptions() {
  IsoMakeOptions& options = IsoOptions;
  options.AllowLowercase = 0;
  options.Joliet = 0;
  options.LongNames = 1;
  options.Optimize = 0;
  options.SetDateTime = 0;
  if (CheckedOf(*this, chkJoliet)) options.Joliet = 1;
  if (CheckedOf(*this, chkDOS)) options.LongNames = 0;
  if (CheckedOf(*this, chkLowercase)) options.AllowLowercase = 1;
  if (CheckedOf(*this, chkOptimize)) options.Optimize = 1;
  if (CheckedOf(*this, chkDateTime)) {
    SYSTEMTIME date = {}, time = {};
    DateTimePicker(ControlAt(datePicker)).Value(date);
    DateTimePicker(ControlAt(timePicker)).Value(time);
    date.wHour = time.wHour;
    date.wMinute = time.wMinute;
    date.wSecond = time.wSecond;
    date.wMilliseconds = 0;
    options.SetDateTime = 1;
    options.FixedTime = SecondsOfLocalTime(date);
  }
  options.HideBootFolder = TheMainSettings.IsoSettings.HideBootFolder;
  options.HideBootFiles = TheMainSettings.IsoSettings.HideBootFiles;
}

// The engine's calls in their order; the image goes to the work file and
// takes the target's place only when it was written completely.
int TfrmMakeISO::RunEngine(MakeIsoJob& job) {
  const MakeIsoEngine& engine = TheMakeIsoEngine();
  // The label is kept here because new_image resets the engine's own.
  CopyText(IsoOptions.SavedVolumeLabel, sizeof IsoOptions.SavedVolumeLabel, TheMainSettings.VolumeLabel);
  snprintf(IsoOptions.PreparerName, sizeof IsoOptions.PreparerName, "Tarnwick %s", ProgramVersion);
  engine.engine_init();
  engine.new_image();
  // Neither the image being replaced nor the work file goes into the image
  // when the output lies inside the disc folder.
  engine.leave_out_path(job.target);
  engine.leave_out_path(job.workFile);
  if (!engine.add_directory(engine.root_node(), job.folder)) {
    engine.engine_done();
    return kFolderRefused;
  }
  engine.set_boot_image(job.bootImage);
  if (!engine.create_output(job.workFile)) {
    engine.engine_done();
    return kBuiltNothing;
  }
  engine.build_image();
  engine.close_output();
  bool written = engine.last_build_result() == 1;
  engine.engine_done();
  if (!written) {
    ForceDeleteFile(job.workFile);  // the engine removes it too; a refused build leaves it empty
    return kBuildFailed;
  }
  // The finished image is never thrown away: when the earlier image cannot
  // be replaced, it is kept beside it (workFile then names it).
  if (MoveWorkFileOverTarget(job.workFile, job.target)) return kBuildDone;
  KeepWorkFile(job.workFile, sizeof job.workFile, job.target);
  return kImageKept;
}

void TfrmMakeISO::TellImageKept(const MakeIsoJob& job) {
  char text[1024];
  snprintf(text, sizeof text, kImageKeptText, job.target, job.workFile, KeptImageNote(job.workFile));
  ShowMessageBox(Handle(), text, GetString(kStrCaptionError), kMbOk | kMbIconError);
}

// One message after an image that lacks entries of the disc folder: how
// many, the first few, and the log that gives the reason of each.
void TfrmMakeISO::TellLeftOut(const char* image) {
  const MakeIsoEngine& engine = TheMakeIsoEngine();
  int count = engine.left_out_count();
  if (count <= 0) return;
  char line[600];
  snprintf(line, sizeof line, "The image '%s' was made without %d %s of the disc folder:\n", image, count,
           count == 1 ? "entry" : "entries");
  std::string text = line;
  int listed = 0;
  for (const char* path; (path = engine.left_out_path(listed)) != nullptr; ++listed) text += std::string("\n    ") + path;
  if (count > listed) {
    snprintf(line, sizeof line, "\n    ... and %d more", count - listed);
    text += line;
  }
  snprintf(line, sizeof line, "\n\nThe log file '%s' says why each was left out.", TheEngineLog.path);
  text += line;
  ShowMessageBox(Handle(), text.c_str(), GetString(kStrCaptionPrompt), kMbOk | kMbIconInformation);
}

void TfrmMakeISO::ShowPathError(const char* format, const char* path) {
  char text[1024];
  snprintf(text, sizeof text, format, path);
  ShowMessageBox(Handle(), text, GetString(kStrCaptionError), kMbOk | kMbIconError);
}
