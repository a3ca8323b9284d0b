#pragma once
// File operations beyond the standard library's streams, with a Win32 and a
// POSIX implementation. Data files themselves are read and written through
// <cstdio> streams in binary mode; paths are composed with JoinPath so that
// the same code runs with '\' on Windows and '/' natively.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#ifdef TW_WIN32
const char kPathSeparator = '\\';
#else
const char kPathSeparator = '/';
#endif

// dir + separator + name into out (size bytes). Returns false, with out
// emptied, when the result would not fit. An empty dir gives name alone.
bool JoinPath(char* out, size_t size, const char* dir, const char* name);

// The folder itself when it exists, else the nearest folder above it that
// does (cut at the last separator, again and again), into out (size
// bytes); empty when none does or it does not fit. False when empty.
bool NearestExistingFolder(char* out, size_t size, const char* folder);

bool PathExists(const char* path);     // a file or a folder of that name
bool FolderExists(const char* path);
bool FileExists(const char* path);     // a file that is not a folder

// Size in bytes, or -1 when the file cannot be examined.
int64_t GetFileSize64(const char* path);

// Whether the file carries the read-only attribute (natively: its owner has
// no write permission). Windows refuses to open such a file for writing
// whoever asks; POSIX lets root write it anyway.
bool FileIsReadOnly(const char* path);
// Clears the read-only attribute (gives the owner write permission).
bool MakeFileWritable(const char* path);
// Deletes a file; true on success.
bool DeleteFileAt(const char* path);
// Renames a file; an existing target is replaced. True on success.
bool RenameFileTo(const char* from, const char* to);
// Renames a file to a name nothing holds: when a file or folder of that
// name exists, even one made a moment before by another program, nothing
// changes and the result is false.
bool RenameFileToNewName(const char* from, const char* to);
// Copies a file; with failIfExists an existing target is left alone and the
// copy fails. True on success.
bool CopyFileTo(const char* from, const char* to, bool failIfExists);

// True when both paths name one existing file (the same file reached by
// two spellings, links included); false when either is missing.
bool SameFile(const char* path, const char* other);

// Moves a stream to a byte offset from its start that may lie beyond 2 GB
// (fseek takes a 32-bit long on Windows). True on success.
bool SeekStream64(FILE* stream, int64_t offset);
// The length of an open stream's file in bytes, or -1.
int64_t GetStreamSize64(FILE* stream);

// Last modification time in seconds since 1970 (UTC), or -1.
int64_t GetFileModifiedTime(const char* path);

bool CreateFolder(const char* path);   // true when it exists afterwards
bool RemoveFolder(const char* path);   // an empty folder only

// True when the path itself is a symbolic link, or on Windows a junction or
// another reparse point, whatever it leads to (a missing target included).
bool IsLink(const char* path);
// Removes such a link itself, never what it leads to. True on success.
bool RemoveLink(const char* path);

// The current folder and the folder for temporary files as the system
// reports them (a root keeps its separator, C:\ or /). False when
// the text does not fit.
bool GetCurrentFolder(char* out, size_t size);
bool GetTempFolder(char* out, size_t size);
