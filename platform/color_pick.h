#pragma once
// The two ways the user picks a colour, each one seam: the system colour
// dialog and a pixel read from the screen. Tests install handlers that
// answer them, so no test waits for the user or depends on the screen.
#include <cstdint>

#include "platform/cursor.h"

struct ColorDialogRequest {
  void* owner;                // owner window handle or null
  uint32_t color;             // in: the colour shown first; out: the one chosen
  uint32_t customColors[16];  // the dialog's custom colours, in and out
};

typedef bool (*ColorDialogHandler)(ColorDialogRequest& request);

// Opens the system colour dialog fully open at request.color (ChooseColorA
// with CC_RGBINIT | CC_FULLOPEN and the structure of this build). True when
// the user chose a colour; request.color then holds it.
bool RunColorDialog(ColorDialogRequest& request);
ColorDialogHandler SetColorDialogHandler(ColorDialogHandler handler);

typedef bool (*ScreenPixelReader)(ScreenPoint point, uint32_t* color);

// The colour (0x00BBGGRR) of one pixel of the screen; false when it cannot
// be read (the point lies outside the screen).
bool ReadScreenPixel(ScreenPoint point, uint32_t* color);
ScreenPixelReader SetScreenPixelReader(ScreenPixelReader reader);
