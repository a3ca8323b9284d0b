#pragma once
// An output file written beside its target under a temporary name and moved
// over the target only when it is complete, so that a failed or stopped job
// leaves the target as it was and no partial file behind.
#include <cstdio>

// Room for a 259-character target and the temporary name's suffix.
enum { kStagedPathSize = 272 };

struct StagedOutput {
  char target[kStagedPathSize];
  char temp[kStagedPathSize];
  FILE* file;  // the temporary file, open "wb"; null when none is open
};

// Creates the temporary file "<target>.tw~" (or "<target>.tw1~" ...
// "<target>.tw9~" when that name is taken, so no existing file is
// overwritten) for binary writing. False when no name fits or the file
// cannot be created; nothing is left behind then.
bool OpenStagedOutput(StagedOutput* output, const char* target);

enum StagedCommitResult {
  kStagedCommitted,
  kStagedCloseFailed,  // the last writes did not reach the file
  kStagedMoveFailed,   // the target could not be replaced (a folder, locked, ...)
};

// Closes the temporary file, makes an existing target writable and moves
// the temporary file over it. On a failure the temporary file is removed
// and the target is as it was.
StagedCommitResult CommitStagedOutput(StagedOutput* output);

// Closes and removes the temporary file (a failed or stopped job).
void DiscardStagedOutput(StagedOutput* output);
