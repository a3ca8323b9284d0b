// Win32 folder listing (find-first/find-next) and source examination.
#include "platform/dir_list.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

struct DirListing {
  HANDLE find;   // INVALID_HANDLE_VALUE for a folder with nothing in it
  WIN32_FIND_DATAA data;
  bool pending;  // data holds a name not yet handed out
};

DirListing* OpenDirListing(const char* folder) {
  char pattern[MAX_PATH + 8];
  size_t length = strlen(folder);
  if (length + 5 >= sizeof pattern) return nullptr;
  memcpy(pattern, folder, length);
  if (length == 0 || (folder[length - 1] != '\\' && folder[length - 1] != '/')) pattern[length++] = '\\';
  memcpy(pattern + length, "*.*", 4);
  DirListing* listing = (DirListing*)calloc(1, sizeof(DirListing));
  if (!listing) return nullptr;
  listing->find = FindFirstFileA(pattern, &listing->data);
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

bool NextDirItem(DirListing* listing, DirItem* item) {
  if (listing->find == INVALID_HANDLE_VALUE) return false;
  if (!listing->pending && !FindNextFileA(listing->find, &listing->data)) return false;
  listing->pending = false;
  size_t length = strlen(listing->data.cFileName);
  if (length >= sizeof item->name) length = sizeof item->name - 1;
  memcpy(item->name, listing->data.cFileName, length);
  item->name[length] = 0;
  return true;
}

void CloseDirListing(DirListing* listing) {
  if (!listing) return;
  if (listing->find != INVALID_HANDLE_VALUE) FindClose(listing->find);
  free(listing);
}

bool ExamineSource(const char* path, SourceFacts* facts) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
  facts->is_folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  facts->hidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  facts->size = facts->is_folder ? 0 : (((int64_t)data.nFileSizeHigh << 32) | data.nFileSizeLow);
  // FILETIME counts 100 ns from 1601; time_t seconds from 1970.
  uint64_t ticks = ((uint64_t)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
  facts->modified = (time_t)((int64_t)(ticks / 10000000ULL) - 11644473600LL);
  facts->identity_known = false;
  if (facts->is_folder) {
    // Opening the folder itself (through a junction or link: the folder it
    // leads to) gives its volume serial number and file index.
    HANDLE folder = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder != INVALID_HANDLE_VALUE) {
      BY_HANDLE_FILE_INFORMATION info;
      if (GetFileInformationByHandle(folder, &info)) {
        facts->identity_known = true;
        facts->identity.volume = info.dwVolumeSerialNumber;
        facts->identity.index = ((uint64_t)info.nFileIndexHigh << 32) | info.nFileIndexLow;
      }
      CloseHandle(folder);
    }
  }
  return true;
}
