#include "platform/color_pick.h"

#ifdef TW_WIN32
#include <windows.h>
#include <commdlg.h>
#endif

static ColorDialogHandler g_colorDialogHandler = nullptr;
static ScreenPixelReader g_screenPixelReader = nullptr;

ColorDialogHandler SetColorDialogHandler(ColorDialogHandler handler) {
  ColorDialogHandler before = g_colorDialogHandler;
  g_colorDialogHandler = handler;
  return before;
}

bool RunColorDialog(ColorDialogRequest& request) {
  if (g_colorDialogHandler) return g_colorDialogHandler(request);
#ifdef TW_WIN32
  COLORREF custom[16];
  for (int i = 0; i < 16; ++i) custom[i] = request.customColors[i];
  CHOOSECOLORA dialog;
  ZeroMemory(&dialog, sizeof dialog);
  dialog.lStructSize = sizeof dialog;  // 36 bytes in the 32-bit build
  dialog.hwndOwner = (HWND)request.owner;
  dialog.rgbResult = request.color;
  dialog.lpCustColors = custom;
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  const bool chosen = ChooseColorA(&dialog) != FALSE;
  for (int i = 0; i < 16; ++i) request.customColors[i] = custom[i];
  if (chosen) request.color = dialog.rgbResult;
  return chosen;
#else
  return false;
#endif
}

ScreenPixelReader SetScreenPixelReader(ScreenPixelReader reader) {
  ScreenPixelReader before = g_screenPixelReader;
  g_screenPixelReader = reader;
  return before;
}

bool ReadScreenPixel(ScreenPoint point, uint32_t* color) {
  if (g_screenPixelReader) return g_screenPixelReader(point, color);
#ifdef TW_WIN32
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return false;
  const COLORREF pixel = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  if (pixel == CLR_INVALID) return false;
  *color = pixel;
  return true;
#else
  return false;
#endif
}
