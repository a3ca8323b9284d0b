#pragma once
// TfrmPreview, the live preview of the boot screen.
#include "win/form.h"

class TfrmPreview : public Form {
 public:
  TfrmPreview();
};

extern TfrmPreview* frmPreview;
