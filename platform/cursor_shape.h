#pragma once
// The one seam through which the program sets the shape of the screen
// cursor (the arrow, or the hourglass of a long job). Win32 sets the
// system's cursor; tests install a handler that records the requests.

enum CursorShape { kShapeArrow, kShapeHourglass };

// Sets the cursor (or hands it to the installed handler) and keeps it as
// the current one.
void SetCursorShape(CursorShape cursor);
// The cursor set last (the arrow at start).
CursorShape CurrentCursorShape();

typedef void (*CursorShapeHandler)(CursorShape cursor);

// Installs a handler in place of the system's cursor; null restores it.
// Returns the handler that was installed before.
CursorShapeHandler SetCursorShapeHandler(CursorShapeHandler handler);
