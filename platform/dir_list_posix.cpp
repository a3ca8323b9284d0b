// POSIX folder listing and source examination.
#include "platform/dir_list.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

#include <strings.h>

// The names are read at once and handed out in case-blind alphabetical
// order, as NTFS lists them, so that a native build walks a folder in the
// order the Windows program does (readdir's order is the file system's).
struct DirListing {
  char** names;
  size_t count;
  size_t next;
  bool broken;  // readdir failed before the end
};

static int CompareNames(const void* a, const void* b) {
  const char* x = *(const char* const*)a;
  const char* y = *(const char* const*)b;
  int c = strcasecmp(x, y);
  return c ? c : strcmp(x, y);
}

void CloseDirListing(DirListing* listing) {
  if (!listing) return;
  for (size_t i = 0; i < listing->count; i++) free(listing->names[i]);
  free(listing->names);
  free(listing);
}

DirListing* OpenDirListing(const char* folder) {
  DIR* dir = opendir(folder);
  if (!dir) return nullptr;
  DirListing* listing = (DirListing*)calloc(1, sizeof(DirListing));
  size_t capacity = 0;
  bool ok = listing != nullptr;
  while (ok) {
    errno = 0;
    struct dirent* found = readdir(dir);
    if (!found) {
      listing->broken = errno != 0;
      break;
    }
    if (listing->count == capacity) {
      capacity = capacity ? capacity * 2 : 64;
      char** grown = (char**)realloc(listing->names, capacity * sizeof(char*));
      if (!grown) { ok = false; break; }
      listing->names = grown;
    }
    char* copy = strdup(found->d_name);
    if (!copy) { ok = false; break; }
    listing->names[listing->count++] = copy;
  }
  closedir(dir);
  if (!ok) {
    CloseDirListing(listing);
    return nullptr;
  }
  if (listing->count) qsort(listing->names, listing->count, sizeof(char*), CompareNames);
  return listing;
}

bool NextDirItem(DirListing* listing, DirItem* item) {
  if (listing->next >= listing->count) return false;
  const char* name = listing->names[listing->next++];
  size_t length = strlen(name);
  item->name_cut = length >= sizeof item->name;
  if (item->name_cut) length = sizeof item->name - 1;
  memcpy(item->name, name, length);
  item->name[length] = 0;
  item->facts_listed = false;
  return true;
}

bool DirListingBroken(const DirListing* listing) { return listing->broken; }

bool NameStandsInPath(const char*) { return true; }

// stat gives the identity with the rest, so it is always told.
bool ExamineSource(const char* path, SourceFacts* facts, bool) {
  struct stat st;
  if (stat(path, &st) != 0) return false;
  facts->is_folder = S_ISDIR(st.st_mode);
  facts->hidden = false;
  facts->size = facts->is_folder ? 0 : (int64_t)st.st_size;
  facts->modified = st.st_mtime;
  facts->identity_known = facts->is_folder;
  facts->identity = {(uint64_t)st.st_dev, (uint64_t)st.st_ino, true};
  return true;
}

bool DirListingIdentity(DirListing*, const char* path, FolderIdentity* identity) {
  struct stat st;
  if (stat(path, &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  *identity = {(uint64_t)st.st_dev, (uint64_t)st.st_ino, true};
  return true;
}

// stat tells the device with the inode.
bool SameFolder(const char*, FolderIdentity* identity, const char*, FolderIdentity* other) {
  return identity->volume == other->volume && identity->index == other->index;
}
