#include "ui/frm_config.h"

TfrmConfig* frmConfig = nullptr;

namespace {

const FormDescription kDescription = {
    "frmConfig", "TfrmConfig", "", 0, 0, 361, 341, kBorderDialog, 0, COLOR_BTNFACE,
    "MS Sans Serif", 8, DEFAULT_CHARSET, nullptr, 0};

}  // namespace

TfrmConfig::TfrmConfig() : Form(kDescription) {}
