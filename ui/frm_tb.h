#pragma once
// TfrmTb, the main window: the designer's pages and commands; the first form, so the main form.
#include "win/form.h"

class TfrmTb : public Form {
 public:
  TfrmTb();
};

extern TfrmTb* frmTb;
