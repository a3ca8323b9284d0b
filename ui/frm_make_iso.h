#pragma once
// TfrmMakeISO, the Make-ISO dialog (modeless).
#include "win/form.h"

class TfrmMakeISO : public Form {
 public:
  TfrmMakeISO();
};

extern TfrmMakeISO* frmMakeISO;
