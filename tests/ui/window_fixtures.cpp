#include "tests/ui/window_fixtures.h"

#include <cstdio>

#include "win/application.h"

namespace {

const FormDescription kMainForm = {"frmMain", "TfrmStandInMain", "Main", 40, 30, 300, 200,
                                   kBorderSingle, 0, COLOR_BTNFACE, "MS Sans Serif", 8, DEFAULT_CHARSET};

FakeCursor* g_cursor = nullptr;

}  // namespace

StandInMainForm::StandInMainForm() : Form(kMainForm) {}

FakeCursor::FakeCursor() {
  static const CursorBackend kBackend = {Position, MoveTo};
  g_cursor = this;
  before_ = SetCursorBackend(&kBackend);
}

FakeCursor::~FakeCursor() {
  SetCursorBackend(before_);
  g_cursor = nullptr;
}

ScreenPoint FakeCursor::Position() { return g_cursor->position; }

void FakeCursor::MoveTo(ScreenPoint point) {
  g_cursor->position = point;
  ++g_cursor->moves;
}

void WaitForTheShot(const std::string& ready) {
  FILE* file = fopen(ready.c_str(), "w");
  if (file) fclose(file);
  MSG message;
  for (int step = 0; step < 1200 && GetFileAttributesA(ready.c_str()) != INVALID_FILE_ATTRIBUTES; ++step) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) TheApplication.Dispatch(message);
    Sleep(50);
  }
}
