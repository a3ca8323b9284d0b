#include "platform/cursor.h"

#ifdef TW_WIN32
#include <windows.h>
#endif

namespace {

ScreenPoint SystemPosition() {
#ifdef TW_WIN32
  POINT point = {0, 0};
  GetCursorPos(&point);
  return ScreenPoint{point.x, point.y};
#else
  return ScreenPoint{0, 0};
#endif
}

void SystemMoveTo(ScreenPoint point) {
#ifdef TW_WIN32
  SetCursorPos(point.x, point.y);
#endif
}

const CursorBackend kSystemCursor = {SystemPosition, SystemMoveTo};
const CursorBackend* g_cursor = nullptr;

const CursorBackend& Cursor() { return g_cursor ? *g_cursor : kSystemCursor; }

}  // namespace

const CursorBackend* SetCursorBackend(const CursorBackend* backend) {
  const CursorBackend* before = g_cursor;
  g_cursor = backend;
  return before;
}

ScreenPoint CursorPosition() { return Cursor().position(); }

void MoveCursorTo(ScreenPoint point) { Cursor().moveTo(point); }
