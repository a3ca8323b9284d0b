#pragma once
// The program's eight forms, created once at start in a fixed order.
#include "win/application.h"

// Creates frmTb (the main form), frmPreview, frmMakeISO, frmProgress,
// frmFloppy, frmNewImage, frmReplace and frmConfig, in this order; none is
// shown.
void CreateProgramForms(Application& application);
