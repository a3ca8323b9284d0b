#include "ui/tool_dialogs.h"

#include "ui/main_settings.h"
#include "win/application.h"

namespace {

// OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NONETWORKBUTTON.
const unsigned kToolFileDialogFlags = 0x20804;

}  // namespace

void PlaceToolDialog(Form& dialog) {
  Form* main = TheApplication.MainForm();
  if (!main || main == &dialog) return;
  dialog.SetPosition(main->Left() + main->Width() / 2, main->Top() + main->Height() / 4);
}

void LocalizeToolDialog(Form& dialog) {
  const FormDescription& description = dialog.Description();
  for (int i = 0; i < description.controlCount; ++i) {
    const ControlDescription& row = description.controls[i];
    Control control = dialog.ControlAt(row.id);
    if (!control.IsValid()) continue;
    control.SetLeft(TheApplication.Scale(row.left));
    control.SetWidth(TheApplication.Scale(row.width));
  }
  dialog.Localize();
}

FileDialogRequest ToolFileRequest(Form& owner, bool save, const char* title) {
  FileDialogRequest request = {};
  request.save = save;
  request.owner = owner.Handle();
  request.title = title;
  request.flags = kToolFileDialogFlags;
  request.olderStructure = !IsWin2000OrLater();
  return request;
}
