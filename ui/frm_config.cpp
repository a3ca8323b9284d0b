#include "ui/frm_config.h"

#include <cstdio>

#include "app/language.h"
#include "app/string_ids.h"
#include "menu/document.h"
#include "platform/color_pick.h"
#include "platform/cursor.h"
#include "platform/message_box.h"
#include "ui/designer_links.h"
#include "win/application.h"

TfrmConfig* frmConfig = nullptr;

namespace {

typedef TfrmConfig F;

const char* const kNames[] = {FRM_CONFIG_NAMES(TW_NAME_TEXT)};

// Panel n (1..16) of the colour table: two rows of eight.
#define COLOR_PANEL(n) \
  {F::pColor##n, kRolePanel, F::gbColors, 12 + 28 * (((n) - 1) % 8), 20 + 28 * (((n) - 1) / 8), 24, 24, ""}

const ControlDescription kRows[] = {
    {F::gbColors, kRoleGroupBox, kFormItself, 8, 8, 345, 116, "Color Table"},
    COLOR_PANEL(1), COLOR_PANEL(2), COLOR_PANEL(3), COLOR_PANEL(4),
    COLOR_PANEL(5), COLOR_PANEL(6), COLOR_PANEL(7), COLOR_PANEL(8),
    COLOR_PANEL(9), COLOR_PANEL(10), COLOR_PANEL(11), COLOR_PANEL(12),
    COLOR_PANEL(13), COLOR_PANEL(14), COLOR_PANEL(15), COLOR_PANEL(16),
    {F::btnPick, kRoleButton, F::gbColors, 248, 19, 85, 25, "Pick"},
    {F::btnDefine, kRoleButton, F::gbColors, 248, 47, 85, 25, "Define..."},
    {F::lbColor, kRoleLabel, F::gbColors, 12, 88, 44, 13, "Name:"},
    {F::txtColor, kRoleEdit, F::gbColors, 60, 84, 273, 21, "", 0, kColorNameSize - 1},
    {F::gbMode, kRoleGroupBox, kFormItself, 8, 132, 170, 100, "Screen Mode"},
    {F::rbtn16, kRoleRadioButton, F::gbMode, 12, 18, 150, 17, "16 Color(4bits)"},
    {F::rbtn256, kRoleRadioButton, F::gbMode, 12, 38, 150, 17, "256 Color(8bits)"},
    {F::rbtnHi, kRoleRadioButton, F::gbMode, 12, 58, 150, 17, "64K Color(16bits)"},
    {F::rbtnTrue, kRoleRadioButton, F::gbMode, 12, 78, 150, 17, "16M Color(24bits)"},
    {F::gbResolution, kRoleGroupBox, kFormItself, 186, 132, 167, 100, "Screen Resolution"},
    {F::rbtn640x480, kRoleRadioButton, F::gbResolution, 12, 18, 145, 17, "640x480"},
    {F::rbtn800x600, kRoleRadioButton, F::gbResolution, 12, 38, 145, 17, "800x600"},
    {F::rbtn1024x768, kRoleRadioButton, F::gbResolution, 12, 58, 145, 17, "1024x768", kStyleKeepFont},
    {F::chkDefMenu, kRoleCheckBox, kFormItself, 14, 242, 339, 17, "Enable Default Menu File (default.zqk)"},
    {F::chkMouse, kRoleCheckBox, kFormItself, 14, 264, 339, 17, "Enable PS/2 Mouse"},
    {F::chkKernel, kRoleCheckBox, kFormItself, 14, 286, 339, 17, "Enable Coming Back from DOS (korvel.com)"},
    {F::chkSmoothVideo, kRoleCheckBox, kFormItself, 14, 308, 339, 17, "Enable Smooth Video"},
    {F::btnOK, kRoleButton, kFormItself, 196, 338, 75, 25, "OK", kStyleDefault, 0, kModalOk},
    {F::btnCancel, kRoleButton, kFormItself, 278, 338, 75, 25, "Cancel", kStyleCancel, 0, kModalCancel},
};

const CaptionEntry kCaptions[] = {
    {kFormItself, kCaptionText, 0, 15101},     {F::gbColors, kCaptionText, 0, 15102},
    {F::lbColor, kCaptionText, 0, 15103},      {F::btnDefine, kCaptionText, 0, 15104},
    {F::chkDefMenu, kCaptionText, 0, 15105},   {F::chkMouse, kCaptionText, 0, 15106},
    {F::chkKernel, kCaptionText, 0, 15114},    {F::chkSmoothVideo, kCaptionText, 0, 15115},
    {F::btnOK, kCaptionText, 0, 15107},        {F::btnCancel, kCaptionText, 0, 15108},
    {F::gbMode, kCaptionText, 0, 15109},       {F::rbtn16, kCaptionText, 0, 15110},
    {F::rbtn256, kCaptionText, 0, 15111},      {F::rbtnHi, kCaptionText, 0, 15112},
    {F::rbtnTrue, kCaptionText, 0, 15116},     {F::gbResolution, kCaptionText, 0, 15113},
};

const FormDescription kDescription = {
    "frmConfig", "TfrmConfig", "Configuration", 0, 0, 361, 371, kBorderDialog, 0, COLOR_BTNFACE,
    "MS Sans Serif", 8, DEFAULT_CHARSET, kRows, sizeof kRows / sizeof kRows[0], kNames, F::kNameCount,
    kCaptions, sizeof kCaptions / sizeof kCaptions[0]};

// How long the screen picker sleeps between looks at its capture.
const DWORD kPickerWaitMs = 100;

bool IsColorPanel(int id) { return id >= F::pColor1 && id <= F::pColor16; }

}  // namespace

TfrmConfig::TfrmConfig() : Form(kDescription) {}

void TfrmConfig::OnEvent(FormEvent& event) {
  if (event.control == kFormItself) {
    if (event.kind == kEventShow) FormShow();
    return;
  }
  if (event.kind == kEventClick) OnClick(event.control);
  if (event.kind == kEventChange && event.control == txtColor) txtColorChange();
}

void TfrmConfig::OnClick(int id) {
  if (IsColorPanel(id)) {
    pColor1Click(id - pColor1 + 1);
    return;
  }
  switch (id) {
    case btnDefine: btnDefineClick(); break;
    case btnPick: btnPickClick(); break;
    case btnOK: btnOKClick(); break;
    case rbtn16: case rbtn256: case rbtnHi: case rbtnTrue: ModeClick(id); break;
    case rbtn640x480: case rbtn800x600: case rbtn1024x768: ResolutionClick(id); break;
    case chkDefMenu: case chkMouse: case chkKernel: case chkSmoothVideo: CheckBoxClick(id); break;
    default: break;
  }
}

// A radio button selected by the program runs its click handler as a
// click of the user would.
void TfrmConfig::SelectAndClick(int id) {
  RadioButton(ControlAt(id)).Select();
  OnClick(id);
}

void TfrmConfig::FormShow() {
  const MenuDocument& doc = TheDocument;
  Localize();
  for (int i = 0; i < kColorCount; ++i) {
    Panel panel(ControlAt(pColor1 + i));
    panel.SetColor(doc.CurrentColorTable[i].color);
    panel.SetBorder(i == SelectedColorIndex);
    SetHint(panel, doc.CurrentColorTable[i].name);
  }
  ControlAt(txtColor).SetText(doc.CurrentColorTable[SelectedColorIndex].name);

  const int mode = doc.ColorMode == kColors256 ? rbtn256
                   : doc.ColorMode == kColors64K ? rbtnHi
                   : doc.ColorMode == kColors16M ? rbtnTrue
                                                 : rbtn16;
  SelectAndClick(mode);
  // 16 colours exist only at 640 x 480, whatever the document says.
  if (mode != rbtn16) {
    SelectAndClick(doc.Resolution == kResolution1024x768  ? rbtn1024x768
                   : doc.Resolution == kResolution800x600 ? rbtn800x600
                                                          : rbtn640x480);
  }
  CheckBox(ControlAt(chkMouse)).SetChecked(doc.MouseOff == 0);
  CheckBox(ControlAt(chkDefMenu)).SetChecked(doc.DefaultMenuOff == 0);
  CheckBox(ControlAt(chkKernel)).SetChecked(doc.KeepKernel == 1);
  CheckBox(ControlAt(chkSmoothVideo)).SetChecked(doc.SmoothVideo == 1);
  // Last, so that whatever the handlers above stored is replaced.
  LoadWorkingCopy(working_);
}

void TfrmConfig::ShowWorkingColor(int index) { Panel(ControlAt(pColor1 + index)).SetColor(working_.WorkingColorTable[index].color); }

void TfrmConfig::pColor1Click(int panel) {
  if (panel - 1 == SelectedColorIndex) return;
  Panel(ControlAt(pColor1 + SelectedColorIndex)).SetBorder(false);
  Panel(ControlAt(pColor1 + panel - 1)).SetBorder(true);
  SelectedColorIndex = panel - 1;
  ControlAt(txtColor).SetText(working_.WorkingColorTable[SelectedColorIndex].name);
}

void TfrmConfig::txtColorChange() {
  SetColorName(working_.WorkingColorTable[SelectedColorIndex], ControlAt(txtColor).Text().c_str());
}

void TfrmConfig::btnDefineClick() {
  ColorDialogRequest request = {};
  request.owner = Handle();
  request.color = working_.WorkingColorTable[SelectedColorIndex].color;
  for (int i = 0; i < kColorCount; ++i) request.customColors[i] = working_.WorkingColorTable[i].color;
  if (!RunColorDialog(request)) return;
  working_.WorkingColorTable[SelectedColorIndex].color = request.color;
  ShowWorkingColor(SelectedColorIndex);
}

// Waits, with the mouse captured and the cross cursor, for a left click
// anywhere on the screen and takes the colour of the pixel under it. Esc
// or a lost capture (another window took the mouse) ends the wait without
// a colour; keys do nothing else meanwhile. Other messages are handled as
// usual, so the windows keep painting.
void TfrmConfig::btnPickClick() {
  CaptureMouse();
  SetCursor(LoadCursor(nullptr, IDC_CROSS));
  bool clicked = false;
  bool waiting = true;
  while (waiting && MouseCaptured()) {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, kPickerWaitMs, QS_ALLINPUT);
      continue;
    }
    switch (message.message) {
      case WM_QUIT:
        PostQuitMessage((int)message.wParam);  // for the loop that waits for it
        waiting = false;
        break;
      case WM_LBUTTONDOWN:
        clicked = true;
        waiting = false;
        break;
      case WM_KEYDOWN:
        waiting = message.wParam != VK_ESCAPE;
        break;
      case WM_KEYUP:
      case WM_CHAR:
      case WM_SYSKEYDOWN:
      case WM_SYSKEYUP:
      case WM_SYSCHAR:
        break;
      default:
        TheApplication.Dispatch(message);
        break;
    }
  }
  if (MouseCaptured()) ReleaseMouse();
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  uint32_t color = 0;
  if (!clicked || !ReadScreenPixel(CursorPosition(), &color)) return;
  working_.WorkingColorTable[SelectedColorIndex].color = color;
  ShowWorkingColor(SelectedColorIndex);
}

void TfrmConfig::ModeClick(int id) {
  if (!RadioButton(ControlAt(id)).Checked()) return;
  const int mode = id == rbtn256 ? kColors256 : id == rbtnHi ? kColors64K : id == rbtnTrue ? kColors16M : kColors16;
  SetWorkingColorMode(working_, mode);
  const bool larger = mode != kColors16;
  if (!larger) RadioButton(ControlAt(rbtn640x480)).Select();  // clears the other two
  ControlAt(rbtn800x600).SetEnabled(larger);
  ControlAt(rbtn1024x768).SetEnabled(larger);
}

void TfrmConfig::ResolutionClick(int id) {
  if (!RadioButton(ControlAt(id)).Checked()) return;
  working_.WorkingSettings.Resolution = id == rbtn1024x768  ? kResolution1024x768
                                        : id == rbtn800x600 ? kResolution800x600
                                                            : kResolution640x480;
}

void TfrmConfig::CheckBoxClick(int id) {
  const bool ticked = CheckBox(ControlAt(id)).Checked();
  ConfigSettings& settings = working_.WorkingSettings;
  switch (id) {
    case chkMouse: settings.MouseOff = ticked ? 0 : 255; break;
    case chkDefMenu: settings.DefaultMenuOff = ticked ? 0 : 1; break;
    case chkKernel: settings.KeepKernel = ticked ? 1 : 0; break;
    default: settings.SmoothVideo = ticked ? 1 : 0; break;
  }
}

void TfrmConfig::btnOKClick() {
  const ScreenSize before = TheDocument.MenuScreenSize;
  if (!ApplyWorkingCopy(working_)) return;
  ThePreviewLink().RelayoutPreview();
  const ScreenSize& now = TheDocument.MenuScreenSize;
  if (now.width < before.width || now.height < before.height) WarnItemsOutside();
}

// A smaller screen can leave items where the boot loader cannot show them;
// they are left as they are, and the user is told once how many there are.
void TfrmConfig::WarnItemsOutside() {
  const int outside = CountItemsOutsideScreen();
  if (outside == 0) return;
  char text[256];
  snprintf(text, sizeof text,
           "%d %s partly or wholly outside the %dx%d screen. %s kept where %s; move %s onto the "
           "screen before you build the disc.",
           outside, outside == 1 ? "item lies" : "items lie", (int)TheDocument.MenuScreenSize.width,
           (int)TheDocument.MenuScreenSize.height, outside == 1 ? "It is" : "They are",
           outside == 1 ? "it is" : "they are", outside == 1 ? "it" : "them");
  ShowMessageBox(Handle(), text, GetString(kStrCaptionPrompt), kMbOk | kMbIconInformation);
}

bool RunConfigDialog() {
  const Form* main = TheApplication.MainForm();
  if (main != nullptr && main != frmConfig) {
    frmConfig->SetPosition(main->Left() + (main->Width() - frmConfig->Width()) / 2,
                           main->Top() + (main->Height() - frmConfig->Height()) / 2);
  }
  return frmConfig->ShowModal() == kModalOk;
}
