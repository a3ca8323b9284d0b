// Win32 folder listing and source examination. On the NT family a folder
// is opened once and read with NtQueryDirectoryFile, the call under
// FindFirstFile/FindNextFile, so that the same handle also tells the
// folder's identity; a folder that refuses that call is read with
// FindFirstFileW/FindNextFileW. The 9x family lists with
// FindFirstFileA/FindNextFileA.
#include "platform/dir_list_win32.h"

#include <cstdlib>
#include <cstring>

#include "platform/byte_order.h"
#include "platform/file_ticks.h"

// ------------------------------------------------------------ ntdll

// The ntdll calls of the NT family's listing; null members on the 9x family.
typedef LONG(WINAPI* QueryInformationFile)(HANDLE, IoStatus*, void*, ULONG, int);
typedef LONG(WINAPI* UnicodeToMultiByte)(char*, ULONG, ULONG*, const WCHAR*, ULONG);
typedef LONG(WINAPI* MultiByteToUnicode)(WCHAR*, ULONG, ULONG*, const char*, ULONG);
struct NtCalls {
  QueryInformationFile query_information;
  QueryDirectoryFile query_directory;
  UnicodeToMultiByte to_ansi;  // the conversion FindFirstFileA gives its names
  MultiByteToUnicode from_ansi;
};

static NtCalls LoadNtCalls() {
  NtCalls calls = {};
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (!ntdll) return calls;
  calls.query_information = (QueryInformationFile)(void*)GetProcAddress(ntdll, "NtQueryInformationFile");
  calls.query_directory = (QueryDirectoryFile)(void*)GetProcAddress(ntdll, "NtQueryDirectoryFile");
  calls.to_ansi = (UnicodeToMultiByte)(void*)GetProcAddress(ntdll, "RtlUnicodeToMultiByteN");
  calls.from_ansi = (MultiByteToUnicode)(void*)GetProcAddress(ntdll, "RtlMultiByteToUnicodeN");
  if (!calls.query_information || !calls.query_directory || !calls.to_ansi || !calls.from_ansi) calls = NtCalls();
  return calls;
}

// Null on the 9x family.
static const NtCalls* Nt() {
  static const NtCalls calls = LoadNtCalls();
  return calls.query_directory ? &calls : nullptr;
}

enum { kFileFullDirectoryInformation = 2, kFileInternalInformation = 6 };
const LONG kStatusNoMoreFiles = (LONG)0x80000006, kStatusNoSuchFile = (LONG)0xC000000F;

static QueryDirectoryFile g_directory_query = nullptr;  // a test's, in place of ntdll's

void SetDirectoryQuery(QueryDirectoryFile query) { g_directory_query = query; }

// FILE_FULL_DIR_INFORMATION, one record of a listing buffer.
enum {
  kNextEntryOffset = 0,
  kLastWriteTime = 24,
  kEndOfFile = 40,
  kFileAttributes = 56,
  kFileNameLength = 60,
  kFileName = 68,
};
const ULONG kListingBufferSize = 65536;

// ------------------------------------------------------------ listing

struct DirListing {
  enum Kind { kNtQuery, kFindWide, kFindAnsi } kind;
  // NtQueryDirectoryFile: the folder itself and the records of the last query.
  HANDLE folder;
  uint8_t* buffer;
  ULONG filled;      // bytes of records in buffer
  ULONG next;        // offset of the next record, filled at the buffer's end
  bool ended;
  bool broken;       // the listing ended on an error, not at its end
  // FindFirstFileW (NT family) or FindFirstFileA (9x family).
  HANDLE find;       // INVALID_HANDLE_VALUE for a folder with nothing in it
  WIN32_FIND_DATAW wide;
  WIN32_FIND_DATAA ansi;
  bool pending;      // the find data holds a name not yet handed out
};

static time_t TimeOfTicks(uint64_t ticks) { return (time_t)SecondsOfFileTicks(ticks); }

static void FillFacts(DWORD attributes, uint64_t size, uint64_t last_write, SourceFacts* facts) {
  facts->is_folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  facts->hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  facts->size = facts->is_folder ? 0 : (int64_t)size;
  facts->modified = TimeOfTicks(last_write);
  facts->identity_known = false;
}

static uint64_t TicksOf(const FILETIME& time) { return ((uint64_t)time.dwHighDateTime << 32) | time.dwLowDateTime; }

static uint64_t Get64le(const uint8_t* p) { return get32le(p) | ((uint64_t)get32le(p + 4) << 32); }

// Whether a listed name can stand in a path. One that cannot (a character
// that the ANSI code page lacks became "?" or a look-alike, or the file
// system allows what Windows paths do not) is not vouched for by its
// listing: the scan then examines its path, which fails, as it does for
// every such name.
static bool UsableInPath(const char* name) {
  for (const unsigned char* p = (const unsigned char*)name; *p; p++) {
    if (*p < 32 || strchr("*?\"<>|:/\\", *p)) return false;
  }
  return true;
}

// The next buffer of records; false at the end of the listing or on an
// error, with status set.
static bool QueryRecords(DirListing* listing, LONG* status) {
  IoStatus io = {};
  QueryDirectoryFile query = g_directory_query ? g_directory_query : Nt()->query_directory;
  *status = query(listing->folder, nullptr, nullptr, nullptr, &io, listing->buffer, kListingBufferSize,
                  kFileFullDirectoryInformation, FALSE, nullptr, FALSE);
  if (*status < 0 || io.information == 0 || io.information > kListingBufferSize) return false;
  listing->filled = (ULONG)io.information;
  listing->next = 0;
  return true;
}

static DirListing* OpenFindListing(const char* folder, bool wide);

static DirListing* OpenNtListing(const char* folder) {
  DirListing* listing = (DirListing*)calloc(1, sizeof(DirListing));
  if (!listing) return nullptr;
  listing->kind = DirListing::kNtQuery;
  listing->find = INVALID_HANDLE_VALUE;
  listing->buffer = (uint8_t*)malloc(kListingBufferSize);
  listing->folder = listing->buffer ? CreateFileA(folder, FILE_LIST_DIRECTORY,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)
                                    : INVALID_HANDLE_VALUE;
  LONG status = 0;
  if (listing->folder != INVALID_HANDLE_VALUE && QueryRecords(listing, &status)) return listing;
  // A drive's empty root lists nothing, not even "." and "..": that is an
  // empty folder.
  if (listing->folder != INVALID_HANDLE_VALUE && (status == kStatusNoSuchFile || status == kStatusNoMoreFiles)) {
    listing->ended = true;
    return listing;
  }
  // A file system or redirector may refuse the information class: the
  // plain way then lists the folder, or finds it cannot be listed.
  CloseDirListing(listing);
  return OpenFindListing(folder, true);
}

static DirListing* OpenFindListing(const char* folder, bool wide) {
  char pattern[MAX_PATH];
  size_t length = strlen(folder);
  bool separator = length > 0 && folder[length - 1] != '\\' && folder[length - 1] != '/';
  if (length + (separator ? 1 : 0) + 4 > sizeof pattern) return nullptr;
  memcpy(pattern, folder, length);
  if (separator) pattern[length++] = '\\';
  memcpy(pattern + length, "*.*", 4);
  WCHAR wide_pattern[MAX_PATH];
  if (wide && !MultiByteToWideChar(CP_ACP, 0, pattern, -1, wide_pattern, MAX_PATH)) return nullptr;
  DirListing* listing = (DirListing*)calloc(1, sizeof(DirListing));
  if (!listing) return nullptr;
  listing->kind = wide ? DirListing::kFindWide : DirListing::kFindAnsi;
  listing->folder = INVALID_HANDLE_VALUE;
  listing->find = wide ? FindFirstFileW(wide_pattern, &listing->wide) : FindFirstFileA(pattern, &listing->ansi);
  if (listing->find == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return listing;
    free(listing);
    return nullptr;
  }
  listing->pending = true;
  return listing;
}

DirListing* OpenDirListing(const char* folder) {
  return Nt() ? OpenNtListing(folder) : OpenFindListing(folder, false);
}

enum { kMaxNameUnits = 255 };

// Fills item with a listed UTF-16 name of units units, in the ANSI code
// page as FindFirstFileA gives it. A name whose ANSI form has no room in
// item->name (260 bytes or more, in a double-byte or UTF-8 code page) is
// cut to the characters that fit (name_cut). False when it cannot be
// converted.
static bool FillItemName(const WCHAR* name, size_t units, DirItem* item) {
  // In UTF-8 a unit takes up to three bytes.
  char ansi[3 * kMaxNameUnits + 1];
  ULONG ansi_length = 0;
  item->name_cut = units > kMaxNameUnits;
  if (item->name_cut) units = kMaxNameUnits;
  if (Nt()->to_ansi(ansi, sizeof ansi - 1, &ansi_length, name, (ULONG)(units * sizeof(WCHAR))) < 0) return false;
  for (; ansi_length >= sizeof item->name && units > 0; units--) {
    item->name_cut = true;
    if (Nt()->to_ansi(ansi, sizeof ansi - 1, &ansi_length, name, (ULONG)((units - 1) * sizeof(WCHAR))) < 0)
      return false;
  }
  memcpy(item->name, ansi, ansi_length);
  item->name[ansi_length] = 0;
  // The ANSI name names this entry only when it gives back its own name.
  WCHAR again[sizeof item->name];
  ULONG again_bytes = 0;
  bool same = !item->name_cut && Nt()->from_ansi(again, sizeof again, &again_bytes, ansi, ansi_length) >= 0 &&
              again_bytes == units * sizeof(WCHAR) && memcmp(again, name, again_bytes) == 0;
  item->facts_listed = same && UsableInPath(item->name);
  return true;
}

// The next record of an NT listing as an item; false at the end. A record
// that does not lie whole in the buffer ends the listing.
static bool NextNtItem(DirListing* listing, DirItem* item) {
  for (;;) {
    if (listing->next >= listing->filled) {
      LONG status = kStatusNoMoreFiles;
      if (listing->ended || !QueryRecords(listing, &status)) {
        if (!listing->ended && status != kStatusNoMoreFiles) listing->broken = true;
        listing->ended = true;
        return false;
      }
    }
    const uint8_t* record = listing->buffer + listing->next;
    ULONG room = listing->filled - listing->next;
    if (room < kFileName || get32le(record + kFileNameLength) > room - kFileName) {
      listing->ended = listing->broken = true;
      return false;
    }
    ULONG following = get32le(record + kNextEntryOffset);
    listing->next = following && following < room ? listing->next + following : listing->filled;
    size_t units = get32le(record + kFileNameLength) / sizeof(WCHAR);
    WCHAR name[kMaxNameUnits + 1];
    memcpy(name, record + kFileName, (units < kMaxNameUnits + 1 ? units : kMaxNameUnits + 1) * sizeof(WCHAR));
    if (!FillItemName(name, units, item)) continue;
    FillFacts(get32le(record + kFileAttributes), Get64le(record + kEndOfFile), Get64le(record + kLastWriteTime),
              &item->facts);
    return true;
  }
}

static bool NextFindItem(DirListing* listing, DirItem* item) {
  for (;;) {
    if (listing->find == INVALID_HANDLE_VALUE) return false;
    bool wide = listing->kind == DirListing::kFindWide;
    if (!listing->pending &&
        !(wide ? FindNextFileW(listing->find, &listing->wide) : FindNextFileA(listing->find, &listing->ansi))) {
      listing->broken = GetLastError() != ERROR_NO_MORE_FILES;
      return false;
    }
    listing->pending = false;
    DWORD attributes = wide ? listing->wide.dwFileAttributes : listing->ansi.dwFileAttributes;
    uint64_t size = wide ? ((uint64_t)listing->wide.nFileSizeHigh << 32) | listing->wide.nFileSizeLow
                         : ((uint64_t)listing->ansi.nFileSizeHigh << 32) | listing->ansi.nFileSizeLow;
    uint64_t written = TicksOf(wide ? listing->wide.ftLastWriteTime : listing->ansi.ftLastWriteTime);
    if (wide) {
      const WCHAR* name = listing->wide.cFileName;
      if (!FillItemName(name, wcsnlen(name, MAX_PATH), item)) continue;
    } else {
      const char* name = listing->ansi.cFileName;
      size_t length = strnlen(name, MAX_PATH);
      if (length >= sizeof item->name) length = sizeof item->name - 1;
      memcpy(item->name, name, length);
      item->name[length] = 0;
      item->name_cut = false;
      item->facts_listed = UsableInPath(item->name);
    }
    FillFacts(attributes, size, written, &item->facts);
    return true;
  }
}

bool NextDirItem(DirListing* listing, DirItem* item) {
  return listing->kind == DirListing::kNtQuery ? NextNtItem(listing, item) : NextFindItem(listing, item);
}

bool DirListingBroken(const DirListing* listing) { return listing->broken; }

bool NameStandsInPath(const char* name) {
  if (!strcmp(name, ".") || !strcmp(name, "..")) return true;
  size_t length = strlen(name);
  return length == 0 || (name[length - 1] != '.' && name[length - 1] != ' ');
}

void CloseDirListing(DirListing* listing) {
  if (!listing) return;
  if (listing->folder != INVALID_HANDLE_VALUE && listing->folder) CloseHandle(listing->folder);
  if (listing->find != INVALID_HANDLE_VALUE && listing->find) FindClose(listing->find);
  free(listing->buffer);
  free(listing);
}

// ------------------------------------------------------------ identity

// The volume serial number and file index of a folder (through a junction
// or link: of the folder it leads to). GetFileInformationByHandle asks the
// volume for its serial number (under Wine: the mount manager, which costs
// more than the rest of a folder's scan), so that is done only when needed.
static bool WholeIdentity(const char* path, FolderIdentity* identity) {
  HANDLE folder = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
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

bool DirListingIdentity(DirListing* listing, const char* folder, FolderIdentity* identity) {
  if (listing->kind != DirListing::kNtQuery) return WholeIdentity(folder, identity);
  // The file index alone (FileInternalInformation), the number
  // GetFileInformationByHandle reports.
  IoStatus io = {};
  LARGE_INTEGER index = {};
  if (Nt()->query_information(listing->folder, &io, &index, sizeof index, kFileInternalInformation) < 0)
    return WholeIdentity(folder, identity);
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

// ------------------------------------------------------------ examining

bool ExamineSource(const char* path, SourceFacts* facts, bool want_identity) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
  FillFacts(data.dwFileAttributes, ((uint64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow,
            TicksOf(data.ftLastWriteTime), facts);
  if (facts->is_folder && want_identity) facts->identity_known = WholeIdentity(path, &facts->identity);
  return true;
}
