#pragma once
// TfrmMakeISO, the Make-ISO dialog (modeless): the disc folder, the boot
// image, the options, the volume label and the output file of one ISO
// image, and the Make button that builds it with the image engine while the
// progress window shows the run. The main window's Make ISO command shows
// it; the build runs inside the Make button's click.
//
// The image is written to a work file beside the output file and replaces
// the output file only when the build succeeded, so an earlier image of the
// same name survives a failed, refused or stopped build; a finished image
// that cannot replace it is kept beside it under a name of its own.
#include "win/form.h"

#define FRM_MAKE_ISO_NAMES(X)                                                                                 \
  X(lbCDFileDir) X(txtCDFileDir) X(lbBootImg) X(txtBootImage) X(btnSetBootImage) X(gbOption) X(chkOptimize) \
  X(chkDOS) X(chkJoliet) X(chkLowercase) X(chkDateTime) X(datePicker) X(timePicker) X(chkHideFolder)        \
  X(chkHideFiles) X(lbCDVol) X(txtCDVol) X(lbISOFile) X(txtISOFile) X(btnSetISOFile) X(btnMake) X(btnReturn)

// The paths of one build.
struct MakeIsoJob {
  char folder[260];    // the disc folder
  char bootImage[260];
  char target[260];    // the output image
  char workFile[260];  // written first, beside the target; names a kept image after kImageKept
};

class TfrmMakeISO : public Form {
 public:
  enum Name { FRM_MAKE_ISO_NAMES(TW_NAME_ENUM) kNameCount };
  TfrmMakeISO();

  // True while a build runs (one at a time).
  bool Building() const { return building_; }

 protected:
  void OnEvent(FormEvent& event) override;

 private:
  void frmMakeISOShow();
  void FormHide();
  void btnMakeClick();
  void btnReturnClick();
  void btnSetISOFileClick();
  void btnSetBootImageClick();
  void txtCDVolChange();
  void chkDateTimeClick();
  void chkHideFolderClick();
  void chkHideFilesClick();

  // The steps of Make.
  bool ReadJob(MakeIsoJob& job);
  bool FieldPathFits(int label, const char* path, int limit);
  bool ConfirmOverwrite(const char* target);
  void FillBuildOptions();
  int RunEngine(MakeIsoJob& job);
  void TellImageKept(const MakeIsoJob& job);
  void TellLeftOut(const char* image);
  void ShowPathError(const char* format, const char* path);

  bool building_ = false;
};

extern TfrmMakeISO* frmMakeISO;

// The output image's full path, set by Make and shown by the progress
// window.
enum { kIsoFilePathSize = 264 };
extern char ISOFilePath[kIsoFilePathSize];
