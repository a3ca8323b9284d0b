#pragma once
// An output file written beside its target under a work name and moved
// over the target only when it is complete, so that a failed or stopped job
// leaves the target as it was and no partial file behind.
//
// The work name is the target's with ".tw~" added (".tw1~" ... ".tw9~"
// when that name is held by a job still running). A job removes the work
// files earlier jobs of its target left behind (a killed run) before it
// chooses its own.
//
// A finished file that cannot take the target's place (the target is open
// in another program) is kept: it is renamed at once to a kept name, the
// target's with ".new" added (".new1", ".new2" ... the first one free),
// which no job removes, so it stays until the user removes it. The rename
// never replaces a file, so two jobs keeping files of one target at the
// same moment each keep their own.
#include <cstddef>
#include <cstdio>

// Room for a 259-character target and the suffix of a work or kept name
// (".new" and up to ten digits).
enum { kStagedPathSize = 276 };

// The message of a finished image kept because the target could not be
// replaced: the target's path, the kept file's, then KeptImageNote.
extern const char kImageKeptText[];

// Removes the work files of target that earlier jobs left, then puts the
// first free work name into work (size bytes). False when the name does not
// fit or every work name is held (open in a running job, or a folder).
// Kept files are not touched.
bool ChooseWorkFile(char* work, size_t size, const char* target);

// Moves the finished work file over the target (an existing target is made
// writable first). False when the target cannot be replaced (open in
// another program, a folder, ...): the work file then stays, holding the
// finished result, and the target is as it was.
bool MoveWorkFileOverTarget(const char* work, const char* target);

// Keeps a finished work file that could not replace its target: renames it
// to the first free kept name of target and puts that name into work (size
// bytes). When the kept name does not fit into size bytes or the rename
// fails (the name too long for the system, a read-only folder), the file
// stays under its work name, which the next job of the target removes;
// KeptImageNote then says so.
void KeepWorkFile(char* work, size_t size, const char* target);

// What the message of a kept file adds after naming it: nothing for a kept
// name; for a file that stayed under its work name, that the next image
// made for the same target removes it.
const char* KeptImageNote(const char* kept);

struct StagedOutput {
  char target[kStagedPathSize];
  char temp[kStagedPathSize];
  FILE* file;  // the work file, open "wb"; null when none is open
};

// Chooses the work file (ChooseWorkFile) and creates it for binary
// writing. False when no name fits or the file cannot be created; nothing
// is left behind then.
bool OpenStagedOutput(StagedOutput* output, const char* target);

enum StagedCommitResult {
  kStagedCommitted,
  kStagedCloseFailed,  // the last writes did not reach the file
  kStagedMoveFailed,   // the target could not be replaced (a folder, locked, ...)
};

// Closes the work file and moves it over the target. When the close fails
// the work file is removed; when the move fails it stays, complete, under
// its work name (temp) for the caller to keep (KeepWorkFile) or discard.
// Either way the target is as it was.
StagedCommitResult CommitStagedOutput(StagedOutput* output);

// Closes and removes the work file (a failed or stopped job, or a finished
// one the caller does not keep).
void DiscardStagedOutput(StagedOutput* output);
