// Win32 folder listing (find-first/find-next) and source examination.
#include "platform/dir_list.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

struct DirListing {
  HANDLE find;   // INVALID_HANDLE_VALUE for a folder with nothing in it
  bool wide;     // listed through the wide calls (wide_data), else data
  WIN32_FIND_DATAA data;
  WIN32_FIND_DATAW wide_data;
  bool pending;  // the find data holds a name not yet handed out
};

// A folder path and the pattern "*.*" no longer than the ANSI calls take.
static const size_t kLongestAnsiPattern = MAX_PATH - 1;

static bool EndsInSeparator(const char* path, size_t length) {
  return length > 0 && (path[length - 1] == '\\' || path[length - 1] == '/');
}

// "<folder>\*.*" for FindFirstFileA; false when it would pass the limit.
static bool AnsiPattern(const char* folder, char* pattern) {
  size_t length = strlen(folder);
  size_t separator = EndsInSeparator(folder, length) ? 0 : 1;
  if (length + separator + 3 > kLongestAnsiPattern) return false;
  memcpy(pattern, folder, length);
  if (separator) pattern[length++] = '\\';
  memcpy(pattern + length, "*.*", 4);
  return true;
}

// "\\?\<full path>\*.*" for FindFirstFileW, which takes it past the ANSI
// limit; null when the folder cannot be given that form. Freed by the caller.
static wchar_t* WidePattern(const char* folder) {
  int count = MultiByteToWideChar(CP_ACP, 0, folder, -1, nullptr, 0);
  if (count <= 0) return nullptr;
  wchar_t* relative = (wchar_t*)malloc((size_t)count * sizeof(wchar_t));
  if (!relative || !MultiByteToWideChar(CP_ACP, 0, folder, -1, relative, count)) {
    free(relative);
    return nullptr;
  }
  // The prefix turns off the system's path parsing: the path must be whole,
  // with backslashes only and no "." or ".." steps.
  DWORD full_length = GetFullPathNameW(relative, 0, nullptr, nullptr);
  const size_t kRoom = 16;  // "\\?\UNC\" and "\*.*" with the NUL
  wchar_t* full = full_length ? (wchar_t*)malloc((full_length + kRoom) * sizeof(wchar_t)) : nullptr;
  wchar_t* pattern = full ? (wchar_t*)malloc((full_length + kRoom) * sizeof(wchar_t)) : nullptr;
  DWORD got = pattern ? GetFullPathNameW(relative, full_length, full, nullptr) : 0;
  free(relative);
  if (!got || got >= full_length) {
    free(full);
    free(pattern);
    return nullptr;
  }
  if (full[0] == L'\\' && full[1] == L'\\') {  // \\server\share\...
    wcscpy(pattern, L"\\\\?\\UNC\\");
    wcscat(pattern, full + 2);
  } else {
    wcscpy(pattern, L"\\\\?\\");
    wcscat(pattern, full);
  }
  free(full);
  size_t length = wcslen(pattern);
  if (pattern[length - 1] != L'\\') pattern[length++] = L'\\';
  wcscpy(pattern + length, L"*.*");
  return pattern;
}

DirListing* OpenDirListing(const char* folder) {
  DirListing* listing = (DirListing*)calloc(1, sizeof(DirListing));
  if (!listing) return nullptr;
  char pattern[MAX_PATH];
  if (AnsiPattern(folder, pattern)) {
    listing->find = FindFirstFileA(pattern, &listing->data);
  } else {
    wchar_t* wide = WidePattern(folder);
    listing->wide = true;
    listing->find = wide ? FindFirstFileW(wide, &listing->wide_data) : INVALID_HANDLE_VALUE;
    if (!wide) SetLastError(ERROR_FILENAME_EXCED_RANGE);
    free(wide);
  }
  if (listing->find == INVALID_HANDLE_VALUE) {
    // A drive's empty root lists nothing, not even "." and "..": that is an
    // empty folder. Any other failure means the folder cannot be listed.
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return listing;
    free(listing);
    return nullptr;
  }
  listing->pending = true;
  return listing;
}

// FILETIME counts 100 ns from 1601; time_t seconds from 1970.
static time_t TimeOfFileTime(const FILETIME& time) {
  uint64_t ticks = ((uint64_t)time.dwHighDateTime << 32) | time.dwLowDateTime;
  return (time_t)((int64_t)(ticks / 10000000ULL) - 11644473600LL);
}

static void FillFacts(DWORD attributes, DWORD size_high, DWORD size_low, const FILETIME& last_write,
                      SourceFacts* facts) {
  facts->is_folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  facts->hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  facts->size = facts->is_folder ? 0 : (((int64_t)size_high << 32) | size_low);
  facts->modified = TimeOfFileTime(last_write);
  facts->identity_known = false;
}

// The next find data; false at the end.
static bool NextFindData(DirListing* listing) {
  if (listing->find == INVALID_HANDLE_VALUE) return false;
  if (listing->pending) {
    listing->pending = false;
    return true;
  }
  return listing->wide ? FindNextFileW(listing->find, &listing->wide_data) != 0
                       : FindNextFileA(listing->find, &listing->data) != 0;
}

bool NextDirItem(DirListing* listing, DirItem* item) {
  while (NextFindData(listing)) {
    if (listing->wide) {
      // A name that has no room in the ANSI name is passed over, as the
      // program could not name it again.
      const WIN32_FIND_DATAW& found = listing->wide_data;
      if (!WideCharToMultiByte(CP_ACP, 0, found.cFileName, -1, item->name, sizeof item->name, nullptr, nullptr))
        continue;
      FillFacts(found.dwFileAttributes, found.nFileSizeHigh, found.nFileSizeLow, found.ftLastWriteTime, &item->facts);
    } else {
      const WIN32_FIND_DATAA& found = listing->data;
      size_t length = strlen(found.cFileName);
      if (length >= sizeof item->name) length = sizeof item->name - 1;
      memcpy(item->name, found.cFileName, length);
      item->name[length] = 0;
      FillFacts(found.dwFileAttributes, found.nFileSizeHigh, found.nFileSizeLow, found.ftLastWriteTime, &item->facts);
    }
    item->facts_listed = true;
    return true;
  }
  return false;
}

void CloseDirListing(DirListing* listing) {
  if (!listing) return;
  if (listing->find != INVALID_HANDLE_VALUE) FindClose(listing->find);
  free(listing);
}

// NtQueryInformationFile's FileInternalInformation (NT family): the file
// index alone, the number GetFileInformationByHandle reports beside the
// volume's serial number, which it asks of the volume (under Wine: of the
// mount manager, costing more than the rest of a folder's scan).
enum { kFileInternalInformation = 6 };
struct IoStatus {
  union {
    LONG status;
    void* pointer;
  };
  ULONG_PTR information;
};
typedef LONG(WINAPI* QueryInformationFile)(HANDLE, IoStatus*, void*, ULONG, int);

static QueryInformationFile FileIndexQuery() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  static QueryInformationFile query =
      ntdll ? (QueryInformationFile)(void*)GetProcAddress(ntdll, "NtQueryInformationFile") : nullptr;
  return query;
}

// Opens a folder itself (through a junction or link: the folder it leads
// to), for its identity.
static HANDLE OpenFolder(const char* path) {
  return CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The volume serial number and file index of a folder.
static bool WholeIdentity(const char* path, FolderIdentity* identity) {
  HANDLE folder = OpenFolder(path);
  if (folder == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  bool known = GetFileInformationByHandle(folder, &info) != 0;
  if (known) {
    identity->volume = info.dwVolumeSerialNumber;
    identity->index = ((uint64_t)info.nFileIndexHigh << 32) | info.nFileIndexLow;
    identity->volume_known = true;
  }
  CloseHandle(folder);
  return known;
}

bool ExamineFolderIdentity(const char* path, FolderIdentity* identity) {
  QueryInformationFile query = FileIndexQuery();
  if (!query) return WholeIdentity(path, identity);  // the 9x family
  HANDLE folder = OpenFolder(path);
  if (folder == INVALID_HANDLE_VALUE) return false;
  IoStatus status = {};
  LARGE_INTEGER index = {};
  bool known = query(folder, &status, &index, sizeof index, kFileInternalInformation) >= 0;
  CloseHandle(folder);
  if (!known) return WholeIdentity(path, identity);
  identity->volume = 0;
  identity->index = (uint64_t)index.QuadPart;
  identity->volume_known = false;
  return true;
}

bool SameFolder(const char* path, FolderIdentity* identity, const char* other_path, FolderIdentity* other) {
  if (identity->index != other->index) return false;
  if (!identity->volume_known && !WholeIdentity(path, identity)) return false;
  if (!other->volume_known && !WholeIdentity(other_path, other)) return false;
  return identity->volume == other->volume && identity->index == other->index;
}

bool ExamineSource(const char* path, SourceFacts* facts, bool want_identity) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
  FillFacts(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime, facts);
  if (facts->is_folder && want_identity) facts->identity_known = WholeIdentity(path, &facts->identity);
  return true;
}
