#pragma once
// The one seam through which the program reads, moves and confines the
// mouse cursor. Win32 uses GetCursorPos, SetCursorPos and ClipCursor;
// tests install a backend that keeps a cursor of its own and records what
// was asked, so a window test never moves the real cursor.
#include <cstdint>

struct ScreenPoint {
  int32_t x, y;
};

// Screen pixels left..right-1 and top..bottom-1.
struct ScreenRect {
  int32_t left, top, right, bottom;
};

struct CursorBackend {
  ScreenPoint (*position)();
  void (*moveTo)(ScreenPoint point);
  void (*confine)(const ScreenRect* area);  // null frees the cursor
};

// The cursor's position in screen pixels.
ScreenPoint CursorPosition();
void MoveCursorTo(ScreenPoint point);
// Keeps the cursor inside area until FreeCursor.
void ConfineCursor(const ScreenRect& area);
void FreeCursor();

// Installs another implementation; null restores the platform's own.
// Returns the one installed before (null for the platform's own).
const CursorBackend* SetCursorBackend(const CursorBackend* backend);
