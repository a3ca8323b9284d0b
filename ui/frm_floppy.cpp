#include "ui/frm_floppy.h"

TfrmFloppy* frmFloppy = nullptr;

namespace {

const FormDescription kDescription = {
    "frmFloppy", "TfrmFloppy", "", 0, 0, 305, 113, kBorderDialog, 0, COLOR_BTNFACE,
    "MS Sans Serif", 8, DEFAULT_CHARSET, nullptr, 0};

}  // namespace

TfrmFloppy::TfrmFloppy() : Form(kDescription) {}
