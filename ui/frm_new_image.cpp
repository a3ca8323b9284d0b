#include "ui/frm_new_image.h"

TfrmNewImage* frmNewImage = nullptr;

namespace {

const FormDescription kDescription = {
    "frmNewImage", "TfrmNewImage", "", 0, 0, 305, 145, kBorderDialog, 0, COLOR_BTNFACE,
    "MS Sans Serif", 8, DEFAULT_CHARSET, nullptr, 0};

}  // namespace

TfrmNewImage::TfrmNewImage() : Form(kDescription) {}
