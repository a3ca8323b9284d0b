#pragma once
// TfrmReplace, the replace-text tool (modal): a file, a text to find and
// its replacement; Replace patches every occurrence in place.
#include "win/form.h"

#define FRM_REPLACE_NAMES(X)                                                                       \
  X(lbFileName) X(txtFileName) X(btnFileName) X(btnReplace) X(btnCancel) X(lbFind) X(txtFind) \
  X(lbReplace) X(txtReplace)

class TfrmReplace : public Form {
 public:
  enum Name { FRM_REPLACE_NAMES(TW_NAME_ENUM) kNameCount };
  TfrmReplace();

 protected:
  void OnEvent(FormEvent& event) override;

 private:
  void FormShow();
  void btnFileNameClick();
  void btnReplaceClick();
};

extern TfrmReplace* frmReplace;
extern const FormDescription kReplaceFormDescription;

// Shows frmReplace modally (the Tools menu's replace text item).
void RunReplaceText();
