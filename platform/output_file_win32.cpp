// Win32 raw file handles.
#include "platform/output_file.h"

#include <windows.h>

// A new file is made with CREATE_NEW: Wine makes a CREATE_ALWAYS file by
// truncating it after the open, and on ext4 a file truncated to nothing
// writes all its data out when it is closed (0.5 s for a 1 GB image, with
// the program not answering). Only an existing file is emptied.
FileHandle CreateOutputFile(const char* path) {
  HANDLE h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS) {
    h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
  }
  return h == INVALID_HANDLE_VALUE ? kInvalidFileHandle : (FileHandle)h;
}

FileHandle OpenInputFile(const char* path) {
  HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  return h == INVALID_HANDLE_VALUE ? kInvalidFileHandle : (FileHandle)h;
}

bool WriteToHandle(FileHandle handle, const void* data, size_t bytes) {
  DWORD written = 0;
  if (!WriteFile((HANDLE)handle, data, (DWORD)bytes, &written, nullptr)) return false;
  return written == bytes;
}

long ReadFromHandle(FileHandle handle, void* data, size_t bytes) {
  char* p = (char*)data;
  size_t done = 0;
  while (done < bytes) {
    DWORD got = 0;
    if (!ReadFile((HANDLE)handle, p + done, (DWORD)(bytes - done), &got, nullptr)) return done ? (long)done : -1;
    if (got == 0) break;
    done += got;
  }
  return (long)done;
}

bool CloseFileHandle(FileHandle handle) { return CloseHandle((HANDLE)handle) != 0; }
