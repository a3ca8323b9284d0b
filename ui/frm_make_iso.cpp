#include "ui/frm_make_iso.h"

TfrmMakeISO* frmMakeISO = nullptr;

namespace {

const FormDescription kDescription = {
    "frmMakeISO", "TfrmMakeISO", "", 0, 0, 292, 350, kBorderDialog, 0, COLOR_BTNFACE,
    "MS Sans Serif", 8, DEFAULT_CHARSET, nullptr, 0};

}  // namespace

TfrmMakeISO::TfrmMakeISO() : Form(kDescription) {}
