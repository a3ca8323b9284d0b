#pragma once
// TfrmFloppy, the floppy image reader (modal).
#include "win/form.h"

class TfrmFloppy : public Form {
 public:
  TfrmFloppy();
};

extern TfrmFloppy* frmFloppy;
