#pragma once
// What the three modal dialogs of the Tools menu (floppy reader, new image,
// replace text) share: where they stand, how they localise, and their file
// dialogs.
#include "platform/file_dialog.h"
#include "win/form.h"

// Puts the dialog's left edge at the main form's horizontal centre and its
// top a quarter of the main form's height below the main form's top.
void PlaceToolDialog(Form& dialog);

// Captions, the language font and the current language's layout. The rows
// first go back to their design left and width, so that the layout of the
// language shown before does not stay when the language has none of its
// own. (The layouts of these dialogs move and widen rows only.)
void LocalizeToolDialog(Form& dialog);

// A file dialog owned by the tool dialog: hide read-only, path must exist,
// no network button; the older structure before Windows 2000. The file
// name starts empty. The caller sets filter, initial folder and extension.
FileDialogRequest ToolFileRequest(Form& owner, bool save, const char* title);
