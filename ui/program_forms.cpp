#include "ui/program_forms.h"

#include "ui/frm_config.h"
#include "ui/frm_floppy.h"
#include "ui/frm_make_iso.h"
#include "ui/frm_new_image.h"
#include "ui/frm_preview.h"
#include "ui/frm_progress.h"
#include "ui/frm_replace.h"
#include "ui/frm_tb.h"

void CreateProgramForms(Application& application) {
  application.CreateForm(frmTb);
  application.CreateForm(frmPreview);
  application.CreateForm(frmMakeISO);
  application.CreateForm(frmProgress);
  application.CreateForm(frmFloppy);
  application.CreateForm(frmNewImage);
  application.CreateForm(frmReplace);
  application.CreateForm(frmConfig);
}
