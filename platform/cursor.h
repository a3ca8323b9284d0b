#pragma once
// The one seam through which the program reads and moves the mouse cursor.
// Win32 uses GetCursorPos and SetCursorPos;
// tests install a backend that keeps a cursor of its own and records what
// was asked, so a window test never moves the real cursor.
#include <cstdint>

struct ScreenPoint {
  int32_t x, y;
};

struct CursorBackend {
  ScreenPoint (*position)();
  void (*moveTo)(ScreenPoint point);
};

// The cursor's position in screen pixels.
ScreenPoint CursorPosition();
void MoveCursorTo(ScreenPoint point);

// Installs another implementation; null restores the platform's own.
// Returns the one installed before (null for the platform's own).
const CursorBackend* SetCursorBackend(const CursorBackend* backend);
