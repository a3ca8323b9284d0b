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

void SystemConfine(const ScreenRect* area) {
#ifdef TW_WIN32
  if (area == nullptr) {
    ClipCursor(nullptr);
    return;
  }
  RECT rect = {area->left, area->top, area->right, area->bottom};
  ClipCursor(&rect);
#endif
}

const CursorBackend kSystemCursor = {SystemPosition, SystemMoveTo, SystemConfine};
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

void ConfineCursor(const ScreenRect& area) { Cursor().confine(&area); }

void FreeCursor() { Cursor().confine(nullptr); }
