#include "ui/frm_replace.h"

TfrmReplace* frmReplace = nullptr;

namespace {

const FormDescription kDescription = {
    "frmReplace", "TfrmReplace", "", 0, 0, 336, 137, kBorderDialog, 0, COLOR_BTNFACE,
    "MS Sans Serif", 8, DEFAULT_CHARSET, nullptr, 0};

}  // namespace

TfrmReplace::TfrmReplace() : Form(kDescription) {}
