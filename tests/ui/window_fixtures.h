#pragma once
// What the preview and configuration window tests share: a plain main form
// for them to sit beside (the real main window is not needed), and a
// cursor of the tests' own behind the cursor seam that records where it
// was put.
#include <string>
#include <vector>

#include "platform/cursor.h"
#include "win/form.h"

class StandInMainForm : public Form {
 public:
  StandInMainForm();
};

// Installs itself while it lives; one at a time.
class FakeCursor {
 public:
  FakeCursor();
  ~FakeCursor();
  FakeCursor(const FakeCursor&) = delete;
  FakeCursor& operator=(const FakeCursor&) = delete;

  ScreenPoint position = {0, 0};
  int moves = 0;

 private:
  static ScreenPoint Position();
  static void MoveTo(ScreenPoint point);
  const CursorBackend* before_;
};

// For the screenshot programs: writes the file READY (the script's sign that
// the windows are up), then keeps the windows painted until the script has
// taken its picture and deleted the file (at most a minute).
void WaitForTheShot(const std::string& ready);
