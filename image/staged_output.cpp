#include "image/staged_output.h"

#include <cstring>

#include "app/message_boxes.h"
#include "platform/files.h"

const char kKeptUnderWorkNameText[] =
    "The new image is complete, but '%s' could not be replaced: it may be open in another program. The new "
    "image is kept as '%s'; rename it once that file is free (the next build of this image removes it).";

namespace {

enum { kWorkNameCount = 10 };

// The index-th work name of target: ".tw~", then ".tw1~" ... ".tw9~".
bool MakeWorkName(char* work, size_t size, const char* target, int index) {
  int length = index == 0 ? snprintf(work, size, "%s.tw~", target) : snprintf(work, size, "%s.tw%d~", target, index);
  return length >= 0 && (size_t)length < size;
}

}  // namespace

bool ChooseWorkFile(char* work, size_t size, const char* target) {
  for (int index = 0; index < kWorkNameCount; ++index) {
    if (!MakeWorkName(work, size, target, index)) break;
    // A work file that can be removed is no running job's.
    if (FileExists(work)) ForceDeleteFile(work);
  }
  for (int index = 0; index < kWorkNameCount; ++index) {
    if (!MakeWorkName(work, size, target, index)) break;
    if (!PathExists(work)) return true;
  }
  if (size) work[0] = 0;
  return false;
}

bool MoveWorkFileOverTarget(const char* work, const char* target) {
  if (FileExists(target)) MakeFileWritable(target);
  return RenameFileTo(work, target);
}

bool OpenStagedOutput(StagedOutput* output, const char* target) {
  output->file = nullptr;
  output->temp[0] = 0;
  size_t length = strlen(target);
  if (length + 1 > sizeof output->target) return false;
  memcpy(output->target, target, length + 1);
  if (!ChooseWorkFile(output->temp, sizeof output->temp, target)) return false;
  output->file = fopen(output->temp, "wb");
  if (output->file) return true;
  output->temp[0] = 0;
  return false;
}

StagedCommitResult CommitStagedOutput(StagedOutput* output) {
  bool closed = fclose(output->file) == 0;
  output->file = nullptr;
  if (!closed) {
    ForceDeleteFile(output->temp);
    return kStagedCloseFailed;
  }
  return MoveWorkFileOverTarget(output->temp, output->target) ? kStagedCommitted : kStagedMoveFailed;
}

void DiscardStagedOutput(StagedOutput* output) {
  if (output->file) fclose(output->file);
  output->file = nullptr;
  ForceDeleteFile(output->temp);
}
