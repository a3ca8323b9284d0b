#pragma once
// Listing a folder and examining a source file, for the image engine's scan.
// Win32 walks "<folder>\*.*" with FindFirstFileA/FindNextFileA (hidden and
// system names included); POSIX uses opendir/readdir and stat.
#include <cstdint>
#include <ctime>

struct DirListing;

struct DirItem {
  char name[260];   // as listed, "." and ".." included when the system lists them
};

// Opens the listing of a folder; null when it cannot be listed (missing,
// not a folder, no right to list it). A folder with nothing in it gives an
// empty listing, not null.
DirListing* OpenDirListing(const char* folder);
// The next name; false at the end.
bool NextDirItem(DirListing* listing, DirItem* item);
void CloseDirListing(DirListing* listing);

// What tells one folder from every other while the system runs: the device
// and inode natively, the volume serial number and file index on Windows.
// A link or junction to a folder has the identity of the folder it leads to.
struct FolderIdentity {
  uint64_t volume;
  uint64_t index;
};

struct SourceFacts {
  bool is_folder;
  bool hidden;       // the Windows hidden attribute (never set natively)
  int64_t size;      // bytes, 0 for folders
  time_t modified;   // last modification
  bool identity_known;      // folders only: identity holds the folder's identity
  FolderIdentity identity;
};

// Examines a path; false when it does not exist or cannot be examined.
bool ExamineSource(const char* path, SourceFacts* facts);
