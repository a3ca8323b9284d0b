#include "ui/frm_floppy.h"

#include "app/language.h"
#include "app/message_boxes.h"
#include "app/string_ids.h"
#include "image/floppy_drives.h"
#include "image/floppy_reader.h"
#include "image/staged_output.h"
#include "menu/document.h"
#include "platform/cursor_shape.h"
#include "ui/main_settings.h"
#include "ui/tool_dialogs.h"

TfrmFloppy* frmFloppy = nullptr;

namespace {

typedef TfrmFloppy F;

const char* const kNames[] = {FRM_FLOPPY_NAMES(TW_NAME_TEXT)};

// Rows in tab order.
const ControlDescription kRows[] = {
    {F::lbFloppy, kRoleLabel, kFormItself, 16, 19, 65, 16, "Floppy Drive:"},
    {F::cmbFloppyDrive, kRoleComboBox, kFormItself, 88, 16, 73, 21, "", kStyleDropDownList},
    {F::lbFileName, kRoleLabel, kFormItself, 16, 50, 200, 16, "Output Filename:"},
    {F::txtFileName, kRoleEdit, kFormItself, 16, 68, 249, 21, ""},
    {F::btnFileName, kRoleButton, kFormItself, 269, 68, 21, 21, "..."},
    {F::btnMakeImage, kRoleButton, kFormItself, 134, 104, 75, 25, "Make"},
    {F::btnCancel, kRoleButton, kFormItself, 215, 104, 75, 25, "Return", kStyleCancel, 0, kModalCancel},
};

const CaptionEntry kCaptions[] = {
    {kFormItself, kCaptionText, 0, 13001},     // "Make Floppy Image"
    {F::lbFloppy, kCaptionText, 0, 13002},     // "Floppy Drive:"
    {F::lbFileName, kCaptionText, 0, 13003},   // "Output Filename:"
    {F::btnMakeImage, kCaptionText, 0, 13004}, // "Make"
    {F::btnCancel, kCaptionText, 0, 13005},    // "Return"
};

// Per language: the drive label at 16 with its width, the drive list's left edge.
const LayoutOverride k1028[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 41}, {F::cmbFloppyDrive, kOverrideLeft, 60}};
const LayoutOverride k1029[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 95}, {F::cmbFloppyDrive, kOverrideLeft, 120}};
const LayoutOverride k1031[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 95}, {F::cmbFloppyDrive, kOverrideLeft, 114}};
const LayoutOverride k1034[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 92}, {F::cmbFloppyDrive, kOverrideLeft, 108}};
const LayoutOverride k1036[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 104}, {F::cmbFloppyDrive, kOverrideLeft, 122}};
const LayoutOverride k1040[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 63}, {F::cmbFloppyDrive, kOverrideLeft, 83}};
const LayoutOverride k1043[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 61}, {F::cmbFloppyDrive, kOverrideLeft, 80}};
const LayoutOverride k1044[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 74}, {F::cmbFloppyDrive, kOverrideLeft, 96}};
const LayoutOverride k1045[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 70}, {F::cmbFloppyDrive, kOverrideLeft, 92}};
const LayoutOverride k1048[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 69}, {F::cmbFloppyDrive, kOverrideLeft, 89}};
const LayoutOverride k1055[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 81}, {F::cmbFloppyDrive, kOverrideLeft, 104}};
const LayoutOverride k2052[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 30}, {F::cmbFloppyDrive, kOverrideLeft, 48}};
const LayoutOverride k2070[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 91}, {F::cmbFloppyDrive, kOverrideLeft, 112}};
const LayoutOverride k10241[] = {
    {F::lbFloppy, kOverrideLeft, 16}, {F::lbFloppy, kOverrideWidth, 69}, {F::cmbFloppyDrive, kOverrideLeft, 88}};

const LanguageLayout kLayouts[] = {
    {1028, k1028, 3}, {1029, k1029, 3}, {1031, k1031, 3}, {1034, k1034, 3}, {1036, k1036, 3},
    {1040, k1040, 3}, {1043, k1043, 3}, {1044, k1044, 3}, {1045, k1045, 3}, {1048, k1048, 3},
    {1055, k1055, 3}, {2052, k2052, 3}, {2070, k2070, 3}, {10241, k10241, 3},
};

}  // namespace

const FormDescription kFloppyFormDescription = {
    "frmFloppy", "TfrmFloppy", "Make Floppy Image", 0, 0, 305, 141, kBorderDialog, 0, COLOR_BTNFACE,
    "MS Sans Serif", 8, DEFAULT_CHARSET, kRows, sizeof kRows / sizeof kRows[0], kNames, F::kNameCount,
    kCaptions, sizeof kCaptions / sizeof kCaptions[0], kLayouts, sizeof kLayouts / sizeof kLayouts[0]};

TfrmFloppy::TfrmFloppy() : Form(kFloppyFormDescription) {}

void RunFloppyReader() { frmFloppy->ShowModal(); }

void TfrmFloppy::OnEvent(FormEvent& event) {
  switch (event.control) {
    case kFormItself:
      if (event.kind == kEventShow) FormShow();
      break;
    case btnFileName:
      if (event.kind == kEventClick) btnFileNameClick();
      break;
    case btnMakeImage:
      if (event.kind == kEventClick) btnMakeImageClick();
      break;
  }
}

// The drive list and the default output name are made anew at every
// showing; without a removable drive the output field keeps its text.
void TfrmFloppy::FormShow() {
  PlaceToolDialog(*this);
  LocalizeToolDialog(*this);
  ComboBox drives(ControlAt(cmbFloppyDrive));
  drives.Clear();
  FloppyDriveList list;
  if (ListRemovableDrives(&list) == 0) {
    ShowError(kNoFloppyDriveText);
    return;
  }
  for (int i = 0; i < list.count; ++i) drives.Add(list.names[i]);
  drives.SetItemIndex(0);
  char outputName[kPathSize];
  MakeFloppyOutputName(outputName, sizeof outputName, TheDocument.MenuFileDir);
  ControlAt(txtFileName).SetText(outputName);
}

void TfrmFloppy::btnFileNameClick() {
  FileDialogRequest request = ToolFileRequest(*this, true, GetString(kStrSetOutputImgTitle));
  request.filter = GetString(kStrFloppyImageFilter);
  request.defaultExt = "img";
  if (RunFileDialog(request)) ControlAt(txtFileName).SetText(request.file);
}

void TfrmFloppy::btnMakeImageClick() {
  std::string drive = ControlAt(cmbFloppyDrive).Text();
  std::string output = ControlAt(txtFileName).Text();
  SetCursorShape(kShapeHourglass);
  char kept[kStagedPathSize] = "";
  FloppyReadResult result = ReadFloppyImage(drive.c_str(), output.c_str(), IsWin2000OrLater(), kept);
  SetCursorShape(kShapeArrow);
  ShowFloppyReadResult(result, drive.c_str(), output.c_str(), kept);
}
