#pragma once
// TfrmFloppy, the floppy image reader (modal): a removable drive and an
// output file; Make copies the whole disk into the file.
#include "win/form.h"

#define FRM_FLOPPY_NAMES(X) \
  X(lbFloppy) X(cmbFloppyDrive) X(txtFileName) X(lbFileName) X(btnMakeImage) X(btnCancel) X(btnFileName)

class TfrmFloppy : public Form {
 public:
  enum Name { FRM_FLOPPY_NAMES(TW_NAME_ENUM) kNameCount };
  TfrmFloppy();

 protected:
  void OnEvent(FormEvent& event) override;

 private:
  void FormShow();
  void btnFileNameClick();
  void btnMakeImageClick();
};

extern TfrmFloppy* frmFloppy;
extern const FormDescription kFloppyFormDescription;

// Shows frmFloppy modally (the Tools menu's floppy image item).
void RunFloppyReader();
