#pragma once
// TfrmConfig, the configuration dialog (modal).
#include "win/form.h"

class TfrmConfig : public Form {
 public:
  TfrmConfig();
};

extern TfrmConfig* frmConfig;
