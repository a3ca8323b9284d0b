#include "ui/frm_new_image.h"

#include "app/language.h"
#include "app/string_ids.h"
#include "image/new_image.h"
#include "menu/document.h"
#include "ui/tool_dialogs.h"

TfrmNewImage* frmNewImage = nullptr;

namespace {

typedef TfrmNewImage F;

const char* const kNames[] = {FRM_NEW_IMAGE_NAMES(TW_NAME_TEXT)};

// Rows in tab order. The size list is filled from the image maker's table
// when the form is created.
const ControlDescription kRows[] = {
    {F::lbSeedImg, kRoleLabel, kFormItself, 16, 19, 90, 16, "Seed Image:"},
    {F::txtSeedImage, kRoleEdit, kFormItself, 110, 16, 155, 21, ""},
    {F::btnSetBootImage, kRoleButton, kFormItself, 269, 16, 21, 21, "..."},
    {F::lbImgSize, kRoleLabel, kFormItself, 16, 51, 90, 16, "Image Size(KB):"},
    {F::cbSize, kRoleComboBox, kFormItself, 110, 48, 80, 21, ""},
    {F::lbFileName, kRoleLabel, kFormItself, 16, 84, 200, 16, "Output Image Filename:"},
    {F::txtFileName, kRoleEdit, kFormItself, 16, 102, 249, 21, ""},
    {F::btnFileName, kRoleButton, kFormItself, 269, 102, 21, 21, "..."},
    {F::btnCreate, kRoleButton, kFormItself, 134, 138, 75, 25, "Create"},
    {F::btnCancel, kRoleButton, kFormItself, 215, 138, 75, 25, "Return", kStyleCancel, 0, kModalCancel},
};

const CaptionEntry kCaptions[] = {
    {kFormItself, kCaptionText, 0, 14001},    // "Create New Image"
    {F::lbSeedImg, kCaptionText, 0, 14002},   // "Seed Image:"
    {F::lbImgSize, kCaptionText, 0, 14003},   // "Image Size(KB):"
    {F::lbFileName, kCaptionText, 0, 14004},  // "Output Image Filename:"
    {F::btnCreate, kCaptionText, 0, 14005},   // "Create"
    {F::btnCancel, kCaptionText, 0, 14006},   // "Return"
};

// Arabic: a wider label column; the seed field keeps its right edge.
const LayoutOverride k10241[] = {
    {F::lbSeedImg, kOverrideWidth, 124}, {F::txtSeedImage, kOverrideLeft, 144},
    {F::txtSeedImage, kOverrideWidth, 121}, {F::lbImgSize, kOverrideWidth, 124},
    {F::cbSize, kOverrideLeft, 144},
};

const LanguageLayout kLayouts[] = {{10241, k10241, sizeof k10241 / sizeof k10241[0]}};

}  // namespace

const FormDescription kNewImageFormDescription = {
    "frmNewImage", "TfrmNewImage", "Create New Image", 0, 0, 305, 175, kBorderDialog, 0, COLOR_BTNFACE,
    "MS Sans Serif", 8, DEFAULT_CHARSET, kRows, sizeof kRows / sizeof kRows[0], kNames, F::kNameCount,
    kCaptions, sizeof kCaptions / sizeof kCaptions[0], kLayouts, sizeof kLayouts / sizeof kLayouts[0]};

TfrmNewImage::TfrmNewImage() : Form(kNewImageFormDescription) {}

void RunNewImageMaker() { frmNewImage->ShowModal(); }

void TfrmNewImage::OnEvent(FormEvent& event) {
  switch (event.control) {
    case kFormItself:
      if (event.kind == kEventCreate) FormCreate();
      if (event.kind == kEventShow) FormShow();
      break;
    case cbSize:
      if (event.kind == kEventChange) cbSizeChange();
      break;
    case btnSetBootImage:
      if (event.kind == kEventClick) btnSetBootImageClick();
      break;
    case btnFileName:
      if (event.kind == kEventClick) btnFileNameClick();
      break;
    case btnCreate:
      if (event.kind == kEventClick) btnCreateClick();
      break;
  }
}

void TfrmNewImage::FormCreate() {
  ComboBox sizes(ControlAt(cbSize));
  for (int i = 0; i < kNewImageSizeItemCount; ++i) sizes.Add(kNewImageSizeItems[i]);
  sizes.SetText(kNewImageInitialSize);
}

// The size and the seed stay from the last showing; the output name is
// made again from the size.
void TfrmNewImage::FormShow() {
  PlaceToolDialog(*this);
  LocalizeToolDialog(*this);
  cbSizeChange();
}

// Every change of the size text names the output after it, replacing
// whatever the field held.
void TfrmNewImage::cbSizeChange() {
  std::string size = ControlAt(cbSize).Text();
  char outputName[kPathSize];
  MakeNewImageOutputName(outputName, sizeof outputName, TheDocument.MenuFileDir, size.c_str());
  ControlAt(txtFileName).SetText(outputName);
}

void TfrmNewImage::btnSetBootImageClick() {
  FileDialogRequest request = ToolFileRequest(*this, false, GetString(kStrSeedImageTitle));
  request.filter = GetString(kStrSeedImageFilter);
  request.initialDir = TheDocument.MenuFileDir;
  request.defaultExt = "img";
  if (RunFileDialog(request)) ControlAt(txtSeedImage).SetText(request.file);
}

void TfrmNewImage::btnFileNameClick() {
  FileDialogRequest request = ToolFileRequest(*this, true, GetString(kStrOutputImageTitle));
  request.filter = GetString(kStrFloppyImageFilter);
  request.defaultExt = "img";
  if (RunFileDialog(request)) ControlAt(txtFileName).SetText(request.file);
}

// A size that is not a whole number gets the image maker's own message.
void TfrmNewImage::btnCreateClick() {
  std::string size = ControlAt(cbSize).Text();
  std::string seed = ControlAt(txtSeedImage).Text();
  std::string output = ControlAt(txtFileName).Text();
  ShowNewImageResult(CreateNewImage(size.c_str(), seed.c_str(), output.c_str()), size.c_str());
}
