// Win32 implementation of the file layer.
#include "platform/files.h"

#include <windows.h>

#include <cstring>

bool PathExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool FolderExists(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int64_t GetFileSize64(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return -1;
  return ((int64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

bool MakeFileWritable(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY) != 0;
}

bool DeleteFileAt(const char* path) { return DeleteFileA(path) != 0; }

bool RenameFileTo(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != 0;
}

bool CopyFileTo(const char* from, const char* to, bool failIfExists) {
  return CopyFileA(from, to, failIfExists ? TRUE : FALSE) != 0;
}

// Seconds between 1601-01-01 and 1970-01-01, the two epochs.
static const int64_t kEpochDifference = 11644473600LL;

int64_t GetFileModifiedTime(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return -1;
  int64_t ticks = ((int64_t)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
  return ticks / 10000000 - kEpochDifference;
}

bool CreateFolder(const char* path) {
  if (CreateDirectoryA(path, nullptr)) return true;
  return FolderExists(path);
}

bool RemoveFolder(const char* path) { return RemoveDirectoryA(path) != 0; }

bool GetCurrentFolder(char* out, size_t size) {
  DWORD got = GetCurrentDirectoryA((DWORD)size, out);
  if (got == 0 || got >= size) {
    if (size) out[0] = 0;
    return false;
  }
  return true;
}

bool GetTempFolder(char* out, size_t size) {
  DWORD got = GetTempPathA((DWORD)size, out);
  if (got == 0 || got >= size) {
    if (size) out[0] = 0;
    return false;
  }
  // GetTempPath ends in a backslash; the folder is wanted without it.
  if (got > 3 && out[got - 1] == '\\') out[got - 1] = 0;
  return true;
}
