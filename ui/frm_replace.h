#pragma once
// TfrmReplace, the replace-text tool (modal).
#include "win/form.h"

class TfrmReplace : public Form {
 public:
  TfrmReplace();
};

extern TfrmReplace* frmReplace;
