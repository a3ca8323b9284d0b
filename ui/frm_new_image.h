#pragma once
// TfrmNewImage, the new floppy image maker (modal).
#include "win/form.h"

class TfrmNewImage : public Form {
 public:
  TfrmNewImage();
};

extern TfrmNewImage* frmNewImage;
