#pragma once
// TfrmConfig, the configuration dialog (modal): the document's colour
// table (16 colour panels, names, the system colour dialog and a picker
// that reads a pixel of the screen), the screen mode and resolution, and
// four loader switches. Every edit goes to a working copy; OK copies it
// into the document (and relayouts the preview when the resolution
// changed), Cancel drops it.
#include "ui/config_working_copy.h"
#include "win/form.h"

#define FRM_CONFIG_NAMES(X)                                                                       \
  X(gbColors) X(pColor1) X(pColor2) X(pColor3) X(pColor4) X(pColor5) X(pColor6) X(pColor7)        \
  X(pColor8) X(pColor9) X(pColor10) X(pColor11) X(pColor12) X(pColor13) X(pColor14) X(pColor15)   \
  X(pColor16) X(btnPick) X(btnDefine) X(lbColor) X(txtColor) X(gbMode) X(rbtn16) X(rbtn256)        \
  X(rbtnHi) X(rbtnTrue) X(gbResolution) X(rbtn640x480) X(rbtn800x600) X(rbtn1024x768)              \
  X(chkDefMenu) X(chkMouse) X(chkKernel) X(chkSmoothVideo) X(btnOK) X(btnCancel)

class TfrmConfig : public Form {
 public:
  enum Name { FRM_CONFIG_NAMES(TW_NAME_ENUM) kNameCount };
  TfrmConfig();

  // What the handlers have changed so far (tests read it).
  const ConfigWorkingCopy& Working() const { return working_; }
  int SelectedColor() const { return SelectedColorIndex; }

 protected:
  void OnEvent(FormEvent& event) override;

 private:
  void FormShow();
  void OnClick(int id);
  void pColor1Click(int panel);
  void txtColorChange();
  void btnDefineClick();
  void btnPickClick();
  void btnOKClick();
  void ModeClick(int id);
  void ResolutionClick(int id);
  void CheckBoxClick(int id);
  void SelectAndClick(int id);
  void ShowWorkingColor(int index);
  void WarnItemsOutside();

  ConfigWorkingCopy working_ = {};
  // The entry being edited; kept between showings.
  int SelectedColorIndex = 0;
};

extern TfrmConfig* frmConfig;

// Shows the configuration dialog modally, centred on the main window.
// True when it was closed with OK: the document then holds the new table
// and settings and the preview has its new size; the caller marks the
// document modified and repaints the preview.
bool RunConfigDialog();
