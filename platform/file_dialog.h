#pragma once
// The one seam through which the program asks the user for a file name.
// Win32 uses the common open and save dialogs; tests install a handler.

enum { kFileDialogPathSize = 1024 };

struct FileDialogRequest {
  bool save;                // save dialog instead of open dialog
  void* owner;              // owner window handle or null
  const char* filter;       // "Text\0*.pat\0...\0\0"
  const char* title;
  const char* initialDir;   // may be null
  const char* defaultExt;   // may be null
  unsigned flags;           // OFN_... flags as the Win32 dialog takes them
  // Windows before 2000 take the shorter, older structure (76 bytes in the
  // 32-bit build, 88 for the newer one); each build passes the sizes of the
  // two versions in its own layout.
  bool olderStructure;
  char file[kFileDialogPathSize];       // in: proposed name; out: chosen path
  char fileTitle[kFileDialogPathSize];  // out: file name without folder
};

typedef bool (*FileDialogHandler)(FileDialogRequest& request);

// Runs the dialog; true when the user chose a file (request.file holds it).
// A missing initialDir is replaced, for the dialog, by the nearest folder
// above it that exists (NearestExistingFolder).
bool RunFileDialog(FileDialogRequest& request);

// Installs a handler in place of the real dialog; null restores it.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);
