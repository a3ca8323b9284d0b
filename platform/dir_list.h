#pragma once
// Listing a folder and examining a source file, for the image engine's scan.
// Win32 walks "<folder>\*.*" with FindFirstFileA/FindNextFileA (hidden and
// system names included); POSIX uses opendir/readdir and stat.
#include <cstdint>
#include <ctime>

struct DirListing;

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

struct DirItem {
  char name[260];   // as listed, "." and ".." included when the system lists them
  // What the listing tells of the entry itself, so that it need not be
  // examined again (Win32: the find data's attributes, size and last write
  // time; identity_known is never set). Natively the listing gives names
  // only and facts_listed is false.
  bool facts_listed;
  SourceFacts facts;
};

// Opens the listing of a folder; null when it cannot be listed (missing,
// not a folder, no right to list it). A folder with nothing in it gives an
// empty listing, not null. On Windows a folder of up to 259 characters is
// listed, also where the pattern appended to it passes the path limit.
DirListing* OpenDirListing(const char* folder);
// The next name; false at the end.
bool NextDirItem(DirListing* listing, DirItem* item);
void CloseDirListing(DirListing* listing);

// Examines a path; false when it does not exist or cannot be examined.
// A folder's identity is looked up only with want_identity (on Windows it
// costs opening the folder and a query of its volume).
bool ExamineSource(const char* path, SourceFacts* facts, bool want_identity = true);
// The identity of a folder; false when it cannot be had.
bool ExamineFolderIdentity(const char* path, FolderIdentity* identity);
