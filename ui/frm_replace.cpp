#include "ui/frm_replace.h"

#include "app/language.h"
#include "app/string_ids.h"
#include "image/replace_text.h"
#include "ui/tool_dialogs.h"

TfrmReplace* frmReplace = nullptr;

namespace {

typedef TfrmReplace F;

const char* const kNames[] = {FRM_REPLACE_NAMES(TW_NAME_TEXT)};

// The file dialog's filter is fixed, not translated.
const char kAllFilesFilter[] = "All Files(*.*)\0*.*\0";

// Rows in tab order.
const ControlDescription kRows[] = {
    {F::lbFileName, kRoleLabel, kFormItself, 16, 19, 80, 16, "File:"},
    {F::txtFileName, kRoleEdit, kFormItself, 100, 16, 195, 21, ""},
    {F::btnFileName, kRoleButton, kFormItself, 299, 16, 21, 21, "..."},
    {F::lbFind, kRoleLabel, kFormItself, 16, 51, 80, 16, "Text to find:"},
    {F::txtFind, kRoleEdit, kFormItself, 100, 48, 220, 21, "", 0, kMaxReplaceTextLength},
    {F::lbReplace, kRoleLabel, kFormItself, 16, 83, 80, 16, "Replace with:"},
    {F::txtReplace, kRoleEdit, kFormItself, 100, 80, 220, 21, "", 0, kMaxReplaceTextLength},
    {F::btnReplace, kRoleButton, kFormItself, 164, 116, 75, 25, "Replace"},
    {F::btnCancel, kRoleButton, kFormItself, 245, 116, 75, 25, "Return", kStyleCancel, 0, kModalCancel},
};

const CaptionEntry kCaptions[] = {
    {kFormItself, kCaptionText, 0, 15001},    // "Replace Text"
    {F::lbFileName, kCaptionText, 0, 15002},  // "File:"
    {F::lbFind, kCaptionText, 0, 15003},      // "Text to find:"
    {F::lbReplace, kCaptionText, 0, 15004},   // "Replace with:"
    {F::btnReplace, kCaptionText, 0, 15005},  // "Replace"
    {F::btnCancel, kCaptionText, 0, 15006},   // "Return"
};

// Arabic: a wider label column; the fields keep their right edges.
const LayoutOverride k10241[] = {
    {F::lbFileName, kOverrideWidth, 108}, {F::lbFind, kOverrideWidth, 108},
    {F::lbReplace, kOverrideWidth, 108},  {F::txtFileName, kOverrideLeft, 128},
    {F::txtFileName, kOverrideWidth, 167}, {F::txtFind, kOverrideLeft, 128},
    {F::txtFind, kOverrideWidth, 192},    {F::txtReplace, kOverrideLeft, 128},
    {F::txtReplace, kOverrideWidth, 192},
};

const LanguageLayout kLayouts[] = {{10241, k10241, sizeof k10241 / sizeof k10241[0]}};

}  // namespace

const FormDescription kReplaceFormDescription = {
    "frmReplace", "TfrmReplace", "Replace Text", 0, 0, 336, 153, kBorderDialog, 0, COLOR_BTNFACE,
    "MS Sans Serif", 8, DEFAULT_CHARSET, kRows, sizeof kRows / sizeof kRows[0], kNames, F::kNameCount,
    kCaptions, sizeof kCaptions / sizeof kCaptions[0], kLayouts, sizeof kLayouts / sizeof kLayouts[0]};

TfrmReplace::TfrmReplace() : Form(kReplaceFormDescription) {}

void RunReplaceText() { frmReplace->ShowModal(); }

void TfrmReplace::OnEvent(FormEvent& event) {
  switch (event.control) {
    case kFormItself:
      if (event.kind == kEventShow) FormShow();
      break;
    case btnFileName:
      if (event.kind == kEventClick) btnFileNameClick();
      break;
    case btnReplace:
      if (event.kind == kEventClick) btnReplaceClick();
      break;
  }
}

// The three fields keep what they held.
void TfrmReplace::FormShow() {
  PlaceToolDialog(*this);
  LocalizeToolDialog(*this);
}

void TfrmReplace::btnFileNameClick() {
  FileDialogRequest request = ToolFileRequest(*this, false, GetString(kStrSelectFileToChange));
  request.filter = kAllFilesFilter;
  if (RunFileDialog(request)) ControlAt(txtFileName).SetText(request.file);
}

void TfrmReplace::btnReplaceClick() {
  std::string path = ControlAt(txtFileName).Text();
  std::string find = ControlAt(txtFind).Text();
  std::string replacement = ControlAt(txtReplace).Text();
  int count = 0;
  ReplaceTextResult result = ReplaceTextInFile(path.c_str(), find.c_str(), replacement.c_str(), &count);
  ShowReplaceTextResult(result, path.c_str(), count);
}
