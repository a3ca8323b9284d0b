#pragma once
// The one seam through which every message box of the program is shown.
// The Win32 build calls MessageBoxA; tests install a handler that records
// the request and answers it, so no test ever waits for a click.

// Style and answer values are those of the Win32 message box.
enum {
  kMbOk = 0x00,
  kMbYesNoCancel = 0x03,
  kMbYesNo = 0x04,
  kMbIconError = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconInformation = 0x40,
  kMbDefButton2 = 0x100,  // the second button (No) is the default
};
enum { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

struct MessageBoxRequest {
  void* owner;          // owner window handle, or null for an owner-less box
  const char* text;
  const char* caption;
  unsigned style;       // kMb... values or-ed together
};

typedef int (*MessageBoxHandler)(const MessageBoxRequest& request);

// Shows the box (or hands it to the installed handler) and returns the
// button pressed: kIdOk, kIdCancel, kIdYes or kIdNo.
int ShowMessageBox(void* owner, const char* text, const char* caption, unsigned style);

// Installs a handler in place of the real box; null restores the platform's.
// Returns the handler that was installed before.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
