// Win32 implementation of the file layer.
#include "platform/files.h"

#include <windows.h>
#include <io.h>

#include <cstring>

#include "platform/file_ticks.h"

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

bool FileIsReadOnly(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool MakeFileWritable(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return SetFileAttributesA(path, attributes & ~FILE_ATTRIBUTE_READONLY) != 0;
}

bool DeleteFileAt(const char* path) { return DeleteFileA(path) != 0; }

bool RenameFileTo(const char* from, const char* to) {
  if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING)) return true;
  // The 9x family has MoveFileExA only as a stub: delete, then move.
  if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
  if (GetFileAttributesA(to) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(to)) return false;
  return MoveFileA(from, to) != 0;
}

// MoveFileA never replaces an existing file, on the NT and the 9x family.
bool RenameFileToNewName(const char* from, const char* to) { return MoveFileA(from, to) != 0; }

bool CopyFileTo(const char* from, const char* to, bool failIfExists) {
  return CopyFileA(from, to, failIfExists ? TRUE : FALSE) != 0;
}

int64_t GetFileModifiedTime(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return -1;
  uint64_t ticks = ((uint64_t)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
  return SecondsOfFileTicks(ticks);
}

bool CreateFolder(const char* path) {
  if (CreateDirectoryA(path, nullptr)) return true;
  return FolderExists(path);
}

bool RemoveFolder(const char* path) { return RemoveDirectoryA(path) != 0; }

// The 9x family knows no reparse points: there the attribute is never set.
bool IsLink(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A link to a folder (or a junction) is removed as a folder, which removes
// the link alone; a link to a file is deleted as a file.
bool RemoveLink(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return RemoveDirectoryA(path) != 0;
  return DeleteFileA(path) != 0;
}

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

// The volume and the file index name a file; both handles are opened
// without access rights, so files in use by others are compared too (no
// FILE_SHARE_DELETE: the 9x family refuses it).
static bool FileIdentity(const char* path, BY_HANDLE_FILE_INFORMATION* info) {
  HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  BOOL ok = GetFileInformationByHandle(h, info);
  CloseHandle(h);
  return ok != 0;
}

bool SameFile(const char* path, const char* other) {
  BY_HANDLE_FILE_INFORMATION a, b;
  if (!FileIdentity(path, &a) || !FileIdentity(other, &b)) return false;
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

// msvcrt's fpos_t is a 64-bit byte offset, and fsetpos exists in every
// version of the library (the 64-bit seek functions do not).
bool SeekStream64(FILE* stream, int64_t offset) {
  fpos_t position = offset;
  return fsetpos(stream, &position) == 0;
}

int64_t GetStreamSize64(FILE* stream) {
  if (fflush(stream) != 0) return -1;
  HANDLE h = (HANDLE)_get_osfhandle(_fileno(stream));
  if (h == INVALID_HANDLE_VALUE) return -1;
  DWORD high = 0;
  DWORD low = GetFileSize(h, &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return -1;
  return ((int64_t)high << 32) | low;
}
