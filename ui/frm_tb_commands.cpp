// The main window's small commands: the Tools, Options, Help and Burn menu
// items, the About page's links, the logo, background, countdown and
// progress-bar switches, the edge-width arrows, the main-password button,
// the "use image text" switch and the colour-table file commands.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/editor_launcher.h"
#include "app/language.h"
#include "app/process_settings.h"
#include "app/string_ids.h"
#include "app/text_helpers.h"
#include "menu/color_table_file.h"
#include "menu/document.h"
#include "menu/menu_file_writer.h"
#include "menu/picture_name.h"
#include "platform/file_dialog.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/shell_launch.h"
#include "ui/frm_config.h"
#include "ui/frm_floppy.h"
#include "ui/frm_new_image.h"
#include "ui/frm_replace.h"
#include "ui/frm_tb.h"
#include "ui/main_settings.h"

namespace {

const char kSupportForumAddress[] = "http://www.tarnwick.com/forum/";
const char kSupportMailLink[] = "mailto:support@tarnwick.com";

// The field code of the layout edge width; the arrows keep it in 0..15.
enum { kEdgeWidthCode = 14, kMaxEdgeWidth = 15 };

// Flags of the colour-table dialogs: hide read-only, path must exist, no
// network button; opening adds file-must-exist, saving overwrite-prompt.
const unsigned kOpenTableFlags = 0x21804;
const unsigned kSaveTableFlags = 0x20806;

// Runs an open or save dialog in the menu folder; true with the chosen path
// in request.file.
bool AskTablePath(void* owner, bool save, int filter, int title, const char* extension,
                  FileDialogRequest& request) {
  request = FileDialogRequest();
  request.save = save;
  request.owner = owner;
  request.filter = GetString(filter);
  request.title = GetString(title);
  request.initialDir = TheDocument.MenuFileDir;
  request.defaultExt = extension;
  request.flags = save ? kSaveTableFlags : kOpenTableFlags;
  request.olderStructure = !IsWin2000OrLater();
  return RunFileDialog(request);
}

}  // namespace

bool TfrmTb::OnCommand(FormEvent& event) {
  MenuDocument& doc = TheDocument;
  if (event.control == txtLogoImg && (event.kind == kEventKeyPress || event.kind == kEventExit)) {
    if (event.kind == kEventKeyPress) RefusePathKey(event.keyChar);
    if (event.kind == kEventExit) txtLogoImgExit();
    return true;
  }
  if (event.kind == kEventChange) {
    if (event.control == txtLogoImg) txtLogoImgChange();
    if (event.control == txtLogoTime) txtLogoTimeChange();
    return event.control == txtLogoImg || event.control == txtLogoTime;
  }
  if (event.kind == kEventUpDownClick && event.control == upEdgeL) {
    upEdgeLClick(event.upButton);
    event.allow = false;  // the arrows' position is set with the field's
    return true;
  }
  if (event.kind != kEventClick) return false;
  switch (event.control) {
    case pmFloppyImage: RunFloppyReader(); break;
    case pmNewImage: RunNewImageMaker(); break;
    case pmReplaceText: RunReplaceText(); break;
    case pmConfig: pmConfigClick(); break;
    case pmLoadColors: pmLoadColorsClick(); break;
    case pmSaveColors: pmSaveColorsClick(); break;
    case pmLoadColorsBMP: pmLoadColorsBMPClick(); break;
    case pmBurnCD:
      BurnImageWithEditor(Handle(), TheMainSettings.ISOFileDir, TheMainSettings.ISOFileName);
      break;
    case pmWriteUSB:
      WriteImageToUsbWithEditor(Handle(), TheMainSettings.ISOFileDir, TheMainSettings.ISOFileName);
      break;
    // The home page may come from the settings key: only a web address is
    // handed to the shell, which would run a path or a program.
    case lbAboutWeb:
    case pmHomePage: OpenWebAddress(TheProcessSettings.homePageLink); break;
    case pmSupportForum: OpenWebAddress(kSupportForumAddress); break;
    case lbAboutContact: ShellOpen(kSupportMailLink); break;
    case chkLogoImg: chkLogoImgClick(); break;
    case chkBackImg: chkBackImgClick(); break;
    case chkDispCount: SetShowSwitch(doc.ShowCounter, chkDispCount); break;
    case chkShowProg: SetShowSwitch(doc.ShowProgress, chkShowProg); break;
    case btnPassword: btnPasswordClick(); break;
    case chkHotSpot: chkHotSpotClick(); break;
    default: return false;
  }
  return true;
}

// OK stores the dialog's table and settings in the document; new colour
// names show in the lists and the combos. The background is checked by the
// screen's colour mode and size, so after a change of either it is loaded
// again: a picture refused before may now show, or be refused with a word.
void TfrmTb::pmConfigClick() {
  const uint8_t colorMode = TheDocument.ColorMode;
  const uint8_t resolution = TheDocument.Resolution;
  if (!RunConfigDialog()) return;
  TheDocument.DocumentModified = 1;
  if (TheDocument.ColorMode != colorMode || TheDocument.Resolution != resolution) LoadBackImage();
  ShowColorTable();
}

// The current colour table, new in the document: the lists' colour columns,
// the combos' names and the preview.
void TfrmTb::ShowColorTable() {
  FillColorCombos();
  RefreshListViews(kAllLists);
  RepaintPreview();
}

void TfrmTb::pmLoadColorsClick() {
  FileDialogRequest request;
  if (!AskTablePath(Handle(), false, kStrColorTableFilter, kStrLoadColorTableTitle, "ctb", request)) return;
  if (!LoadColorTable(request.file, Handle())) return;
  TheDocument.DocumentModified = 1;
  ShowColorTable();
}

void TfrmTb::pmSaveColorsClick() {
  FileDialogRequest request;
  if (!AskTablePath(Handle(), true, kStrColorTableFilter, kStrSaveColorTableTitle, "ctb", request)) return;
  SaveColorTable(request.file, Handle());
}

void TfrmTb::pmLoadColorsBMPClick() {
  FileDialogRequest request;
  if (!AskTablePath(Handle(), false, kStrBitmapFilter, kStrOpenBitmapTitle, "bmp", request)) return;
  if (!LoadColorTableFromBmp(request.file, Handle())) return;
  TheDocument.DocumentModified = 1;
  ShowColorTable();
}

// The logo switch marks the document only when LogoOn changes; the preview
// shows no logo, so it is not repainted.
void TfrmTb::chkLogoImgClick() {
  const uint8_t on = CheckBox(ControlAt(chkLogoImg)).Checked() ? 1 : 0;
  ControlAt(txtLogoImg).SetEnabled(on != 0);
  ControlAt(txtLogoTime).SetEnabled(on != 0);
  if (TheDocument.LogoOn == on) return;
  TheDocument.LogoOn = on;
  TheDocument.DocumentModified = 1;
}

// The logo and background pictures are files of the menu folder, named
// without a path: a menu file whose stored names hold one is refused when it
// is opened, so the fields take no folder separator or drive colon as keys.
void TfrmTb::RefusePathKey(char& key) {
  if (key == '\\' || key == '/' || key == ':') key = 0;
}

// A name that came in whole (pasted, set from outside) is checked when the
// field is left: one that the menu file could not store is refused with
// the reason, and the field shows its former name again. True when refused.
bool TfrmTb::RefusePictureName(int field, const char* former) {
  const std::string name = ControlAt(field).Text();
  const char* fault = PictureNameFault(name.c_str());
  if (!fault) return false;
  char text[600];
  snprintf(text, sizeof text,
           "The picture name '%s' cannot be used: %s. A logo or background picture is a file of "
           "the menu folder, named without a folder or drive. %s%s%s",
           name.c_str(), fault, former[0] ? "The field shows '" : "The field is emptied again.",
           former, former[0] ? "' again." : "");
  ++fillingFields_;
  ControlAt(field).SetText(former);
  --fillingFields_;
  ShowMessageBox(Handle(), text, GetString(kStrCaptionError), kMbIconError);
  return true;
}

// The logo's name and time live in their fields until the next save; a
// change counts only when it differs from the menu file's. A name that
// cannot be stored changes nothing: it is refused when the field is left.
void TfrmTb::txtLogoImgChange() {
  if (fillingFields_) return;
  const std::string name = ControlAt(txtLogoImg).Text();
  if (PictureNameFault(name.c_str())) return;
  if (_stricmp(name.c_str(), TheDocument.FileLogoName) != 0) TheDocument.DocumentModified = 1;
}

void TfrmTb::txtLogoImgExit() {
  if (!RefusePictureName(txtLogoImg, logoName_.c_str())) logoName_ = ControlAt(txtLogoImg).Text();
}

void TfrmTb::txtLogoTimeChange() {
  if (fillingFields_) return;
  if (TextToInt(ControlAt(txtLogoTime).Text().c_str()) != TheDocument.FileLogoTime) {
    TheDocument.DocumentModified = 1;
  }
}

void TfrmTb::chkBackImgClick() {
  const bool on = CheckBox(ControlAt(chkBackImg)).Checked();
  ControlAt(txtBackImg).SetEnabled(on);
  TheDocument.BackImageOn = on ? 1 : 0;
  TheDocument.DocumentModified = 1;
  RepaintPreview();
}

// The countdown and progress-bar switches.
void TfrmTb::SetShowSwitch(uint8_t& setting, int checkBox) {
  setting = CheckBox(ControlAt(checkBox)).Checked() ? 1 : 0;
  TheDocument.DocumentModified = 1;
  RepaintPreview();
}

// One step of the edge width within 0..15, committed like a typed width.
void TfrmTb::upEdgeLClick(bool up) {
  const int value = TextToInt(ControlAt(txtEdgeL).Text().c_str()) + (up ? 1 : -1);
  if (value < 0 || value > kMaxEdgeWidth) return;
  ++fillingFields_;
  SetNumber(txtEdgeL, value);
  --fillingFields_;
  UpDown(ControlAt(upEdgeL)).SetPosition(value);
  NumericFieldExit(txtEdgeL, kEdgeWidthCode);
}

// The main password goes at once into the boot files of the menu folder.
// They exist only after a save of a main menu; a file that is missing or
// cannot be written is reported, so the user does not take the password
// for set.
void TfrmTb::btnPasswordClick() {
  const bool loaderWritten = WriteLoaderPassword();
  const bool secondWritten = WriteSecondLoaderPassword();
  if (loaderWritten && secondWritten) return;
  char path[2 * kPathSize];
  if (!JoinPath(path, sizeof path, TheDocument.MenuFileDir, loaderWritten ? "kvldr" : "loader.bin")) return;
  char text[2 * kPathSize + 200];
  snprintf(text, sizeof text, GetString(FileExists(path) ? kStrFileOpenError : kStrFileNotExist), path);
  ShowMessageBox(Handle(), text, GetString(kStrCaptionError), kMbIconError);
}

void TfrmTb::chkHotSpotClick() {
  MenuDocument& doc = TheDocument;
  if (doc.ItemCount[kMenuList] == 0) return;
  doc.menuStrings[doc.CurrentItem[kMenuList]].useImageText = CheckBox(ControlAt(chkHotSpot)).Checked() ? 1 : 0;
  doc.DocumentModified = 1;
  RepaintPreview();
}
