#include "platform/file_dialog.h"

#include "platform/files.h"

#ifdef TW_WIN32
#include <windows.h>
#include <commdlg.h>

#include <cstddef>

// The older structure ends with lpTemplateName.
static const unsigned kOlderStructureSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#ifndef _WIN64
static_assert(sizeof(OPENFILENAMEA) == 88 && kOlderStructureSize == 76,
              "the 32-bit structure versions are 88 and 76 bytes");
#endif
#endif

static FileDialogHandler g_fileDialogHandler = nullptr;

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
  FileDialogHandler before = g_fileDialogHandler;
  g_fileDialogHandler = handler;
  return before;
}

static bool RunDialogOrHandler(FileDialogRequest& request) {
  if (g_fileDialogHandler) return g_fileDialogHandler(request);
#ifdef TW_WIN32
  OPENFILENAMEA ofn;
  ZeroMemory(&ofn, sizeof ofn);
  // The structure size tells older systems which fields to expect.
  ofn.lStructSize = request.olderStructure ? kOlderStructureSize : sizeof ofn;
  ofn.hwndOwner = (HWND)request.owner;
  ofn.lpstrFilter = request.filter;
  ofn.lpstrFile = request.file;
  ofn.nMaxFile = kFileDialogPathSize;
  ofn.lpstrFileTitle = request.fileTitle;
  ofn.nMaxFileTitle = kFileDialogPathSize;
  ofn.lpstrInitialDir = request.initialDir;
  ofn.lpstrTitle = request.title;
  ofn.lpstrDefExt = request.defaultExt;
  ofn.Flags = request.flags;
  BOOL chosen = request.save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  return chosen != FALSE;
#else
  return false;
#endif
}

bool RunFileDialog(FileDialogRequest& request) {
  // A folder the user deleted: the dialog opens in the nearest folder above
  // it that is still there (none: the system's choice).
  const char* asked = request.initialDir;
  char nearest[kFileDialogPathSize];
  if (asked) request.initialDir = NearestExistingFolder(nearest, sizeof nearest, asked) ? nearest : nullptr;
  bool chosen = RunDialogOrHandler(request);
  request.initialDir = asked;
  return chosen;
}
