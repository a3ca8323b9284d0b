#include "ui/frm_progress.h"

TfrmProgress* frmProgress = nullptr;

namespace {

const FormDescription kDescription = {
    "frmProgress", "TfrmProgress", "", 0, 0, 304, 137, kBorderToolWindow, kFormStayOnTop, COLOR_BTNFACE,
    "MS Sans Serif", 8, DEFAULT_CHARSET, nullptr, 0};

}  // namespace

TfrmProgress::TfrmProgress() : Form(kDescription) {}
