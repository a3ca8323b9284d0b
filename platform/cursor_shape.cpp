#include "platform/cursor_shape.h"

#ifdef TW_WIN32
#include <windows.h>
#endif

static CursorShapeHandler g_shapeHandler = nullptr;
static CursorShape g_shape = kShapeArrow;

CursorShapeHandler SetCursorShapeHandler(CursorShapeHandler handler) {
  CursorShapeHandler before = g_shapeHandler;
  g_shapeHandler = handler;
  return before;
}

CursorShape CurrentCursorShape() { return g_shape; }

void SetCursorShape(CursorShape cursor) {
  g_shape = cursor;
  if (g_shapeHandler) {
    g_shapeHandler(cursor);
    return;
  }
#ifdef TW_WIN32
  SetCursor(LoadCursor(nullptr, cursor == kShapeHourglass ? IDC_WAIT : IDC_ARROW));
#endif
}
