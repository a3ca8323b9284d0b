#include "ui/frm_preview.h"

TfrmPreview* frmPreview = nullptr;

namespace {

const FormDescription kDescription = {
    "frmPreview", "TfrmPreview", "", 0, 0, 640, 480, kBorderToolWindow, 0, COLOR_BTNTEXT,
    "MS Sans Serif", 8, DEFAULT_CHARSET, nullptr, 0};

}  // namespace

TfrmPreview::TfrmPreview() : Form(kDescription) {}
