#include "ui/frm_tb.h"

TfrmTb* frmTb = nullptr;

namespace {

const FormDescription kDescription = {
    "frmTb", "TfrmTb", "Tarnwick", 20, 40, 331, 437, kBorderSingle, kFormKeyPreview, COLOR_BTNFACE,
    "MS Sans Serif", 8, DEFAULT_CHARSET, nullptr, 0};

}  // namespace

TfrmTb::TfrmTb() : Form(kDescription) {}
