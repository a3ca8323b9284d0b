#pragma once
// Listing a folder and examining a source file, for the image engine's scan.
// Win32 reads a folder with NtQueryDirectoryFile, the call under
// FindFirstFile/FindNextFile, on the NT family and walks "<folder>\*.*"
// with FindFirstFileA/FindNextFileA on the 9x family (hidden and system
// names included); POSIX uses opendir/readdir and stat.
#include <cstdint>
#include "platform/time_seconds.h"

struct DirListing;

// What tells one folder from every other while the system runs: the device
// and inode natively, the volume serial number and file index on Windows.
// A link or junction to a folder has the identity of the folder it leads to.
// On Windows the index may come alone (the volume's serial number costs a
// query of its own); the volume is asked for only when two indexes agree.
struct FolderIdentity {
  uint64_t volume;
  uint64_t index;
  bool volume_known;
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
  // The name did not fit (in the ANSI code page it has 260 bytes or more):
  // name holds its beginning. No path can name such an entry.
  bool name_cut;
  // What the listing tells of the entry itself, so that it need not be
  // examined again (Win32: the listed attributes, size and last write time
  // of a name that can stand in a path; identity_known is never set).
  // Natively the listing gives names only and facts_listed is false.
  bool facts_listed;
  SourceFacts facts;
};

// Opens the listing of a folder; null when it cannot be listed (missing,
// not a folder, no right to list it). A folder with nothing in it gives an
// empty listing, not null. A folder of up to 259 characters is listed,
// also where "\*.*" appended to it would pass the path limit. On the NT
// family a folder that refuses NtQueryDirectoryFile (a file system or
// redirector without its information class) is listed with
// FindFirstFileW/FindNextFileW instead, within the path limit.
DirListing* OpenDirListing(const char* folder);
// The next name; false at the end.
bool NextDirItem(DirListing* listing, DirItem* item);
// Whether the listing ended on an error (a network folder that went away)
// before its last name.
bool DirListingBroken(const DirListing* listing);
void CloseDirListing(DirListing* listing);
// Whether a path that ends in this listed name opens the entry itself. A
// Windows path loses the dots and blanks at the end of its last name, so
// "report." would open "report", another file, or nothing. Natively every
// name stands in a path.
bool NameStandsInPath(const char* name);

// Examines a path; false when it does not exist or cannot be examined.
// A folder's identity, with its volume, is looked up only with
// want_identity (on Windows it costs opening the folder and a query of its
// volume).
bool ExamineSource(const char* path, SourceFacts* facts, bool want_identity = true);
// The identity of the folder an open listing reads (at path), perhaps
// without its volume; false when it cannot be had.
bool DirListingIdentity(DirListing* listing, const char* path, FolderIdentity* identity);
// Whether two identities are one folder; an identity without its volume
// has it asked for by its folder's path. Folders whose volume cannot be
// had count as different.
bool SameFolder(const char* path, FolderIdentity* identity, const char* other_path, FolderIdentity* other);
