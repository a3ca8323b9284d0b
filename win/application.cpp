#include "win/application.h"

#include <commctrl.h>

#include <cstring>

#include "platform/message_box.h"
#include "win/container.h"
#include "win/dpi_scale.h"
#include "win/form.h"

Application TheApplication;


bool Application::Initialize(HINSTANCE instance) {
  instance_ = instance;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES |
                                                        ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                        ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                        ICC_UPDOWN_CLASS};
  bool ready = InitCommonControlsEx(&controls) != FALSE;
  HDC screen = GetDC(nullptr);
  pixelsPerInch_ = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  if (pixelsPerInch_ <= 0) pixelsPerInch_ = 96;
  return RegisterContainerClass(instance) && ready;
}

int Application::Scale(int designPixels) const { return ScaleDesignPixels(designPixels, pixelsPerInch_); }

void Application::AddForm(Form* form) {
  forms_.push_back(form);
  form->Create();
}

Form* Application::FindForm(const char* name) const {
  for (Form* form : forms_) {
    if (strcmp(form->Name(), name) == 0) return form;
  }
  return nullptr;
}

namespace {

// The dialog manager looks for the control whose mnemonic a character is by
// walking the windows from the one the character is for until it comes
// back to it. The walk does not enter hidden or disabled containers, so
// from a window inside one (a page that is not shown) it never comes back
// and never ends: a character for such a window goes to it directly.
bool MnemonicSearchEnds(HWND root, const MSG& message) {
  if (message.message != WM_CHAR && message.message != WM_SYSCHAR) return true;
  for (HWND parent = GetAncestor(message.hwnd, GA_PARENT); message.hwnd != root && parent && parent != root;
       parent = GetAncestor(parent, GA_PARENT)) {
    if ((GetWindowLongA(parent, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED)) != WS_VISIBLE) return false;
  }
  return true;
}

}  // namespace

// Enter and Escape go to the form's default and cancel buttons first; Tab
// moves the focus between the controls of the form that holds it; the form
// and the controls that want a key say so through WM_GETDLGCODE.
void Application::Dispatch(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (Form* form = root ? Form::FromWindow(root) : nullptr) {
    if (message.message == WM_KEYDOWN && form->RunDialogKey(message.hwnd, message.wParam, message.lParam)) return;
    // From a control of a page that is not shown, the dialog manager's Tab
    // would walk on through that page's controls: it goes to the form's
    // first (Shift+Tab: last) control that is shown instead.
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && message.hwnd != root &&
        IsWindowVisible(root) && !IsWindowVisible(message.hwnd)) {
      if (HWND next = GetNextDlgTabItem(root, nullptr, GetKeyState(VK_SHIFT) < 0)) SetFocus(next);
      return;
    }
    if (MnemonicSearchEnds(root, message) && IsDialogMessageA(root, &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

int Application::Run() {
  if (Form* main = MainForm()) main->Show();
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return message.message == WM_QUIT ? (int)message.wParam : 0;
}

bool Application::ProcessMessage() {
  MSG message;
  BOOL got = GetMessageA(&message, nullptr, 0, 0);
  if (got <= 0) {
    PostQuitMessage(got == 0 ? (int)message.wParam : 0);  // the outer loop ends too
    return false;
  }
  Dispatch(message);
  return true;
}

void Application::ShowException(const std::exception& error) {
  HWND owner = MainForm() ? MainForm()->Handle() : nullptr;
  ShowMessageBox(owner, error.what(), title_.c_str(), kMbOk | kMbIconError);
}

void Application::ShowCurrentException() {
  try {
    throw;
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    // Anything that is not an exception object shows as an empty message.
    ShowException(Exception(""));
  }
}

void Application::DestroyForms() {
  while (!forms_.empty()) {
    Form* form = forms_.back();
    forms_.pop_back();
    form->Destroy();
    delete form;
  }
}

HFONT Application::GetFont(const char* name, int size, int charset, bool bold) {
  for (const CachedFont& cached : fonts_) {
    if (cached.name == name && cached.size == size && cached.charset == charset &&
        cached.bold == bold && cached.pixelsPerInch == pixelsPerInch_) {
      return cached.font;
    }
  }
  LOGFONTA font = {};
  font.lfHeight = -MulDiv(size, pixelsPerInch_, 72);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = (BYTE)charset;
  lstrcpynA(font.lfFaceName, name, LF_FACESIZE);
  HFONT handle = CreateFontIndirectA(&font);
  if (!handle) return (HFONT)GetStockObject(DEFAULT_GUI_FONT);
  fonts_.push_back({name, size, charset, bold, pixelsPerInch_, handle});
  return handle;
}
