#pragma once
// Writing a whole file so that a failed write never passes for a written
// file: the bytes go to a work file beside the target, "<target>.tmp",
// which takes the target's place only when every byte reached the disk.
// A failed write (a full disk, a lost network share) removes the work file
// and leaves the target as it was, so a reader never finds half a file.
//
// The last buffered bytes are checked on their own: Wine's C library
// returns 0 from fclose when the flush inside it failed, so a writer that
// trusts fclose takes a full disk for success.
#include <cstddef>
#include <cstdint>
#include <cstdio>

// Flushes and closes a stream written to. False when any write on it, the
// flush of its last bytes or the close failed.
bool CloseWrittenStream(FILE* stream);

// Creates the work file of target for binary writing; one an earlier run
// left is removed first. Null when the name does not fit or the file cannot
// be created.
FILE* OpenWorkFile(const char* target);

// Finishes the work file of target that OpenWorkFile gave: closes it and,
// when written is true, CloseWrittenStream succeeds and (for an
// expectedSize of 0 or more) the file on disk has that many bytes, moves it
// over target (a read-only target is made writable first). Otherwise the
// work file is removed and target stays as it was. True when target now
// holds the new bytes.
bool CommitWorkFile(FILE* stream, const char* target, bool written, int64_t expectedSize);

// The two in one: size bytes as the whole new content of target.
bool WriteWholeFile(const char* target, const void* bytes, size_t size);

// Copies a file through the work file of to (the system's copy leaves a
// partly written target behind when a write fails, Wine's among them).
bool CopyWholeFile(const char* from, const char* to);
