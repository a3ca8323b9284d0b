#pragma once
// TfrmProgress, the progress window of long jobs, above every other window.
#include "win/form.h"

class TfrmProgress : public Form {
 public:
  TfrmProgress();
};

extern TfrmProgress* frmProgress;
