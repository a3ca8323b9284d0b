#include "image/staged_output.h"

#include <cstring>

#include "app/message_boxes.h"
#include "platform/files.h"
#include "platform/work_file.h"

const char kImageKeptText[] =
    "The new image is complete, but '%s' could not be replaced: it may be open in another program. The new "
    "image is kept as '%s'; rename it once that file is free.%s";

namespace {

enum { kWorkNameCount = 10 };

const char kUnderWorkNameNote[] =
    " It could not be given a name of its own: the next image made for the same file removes it, so rename it "
    "before then.";

// The index-th work name of target: ".tw~", then ".tw1~" ... ".tw9~". Work
// names, and only they, end in '~'.
bool MakeWorkName(char* work, size_t size, const char* target, int index) {
  int length = index == 0 ? snprintf(work, size, "%s.tw~", target) : snprintf(work, size, "%s.tw%d~", target, index);
  return length >= 0 && (size_t)length < size;
}

// The index-th kept name of target: ".new", then ".new1", ".new2" ...
bool MakeKeptName(char* kept, size_t size, const char* target, unsigned index) {
  int length = index == 0 ? snprintf(kept, size, "%s.new", target) : snprintf(kept, size, "%s.new%u", target, index);
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

void KeepWorkFile(char* work, size_t size, const char* target) {
  char kept[kStagedPathSize];
  for (unsigned index = 0; index < 0xFFFFFFFFu; ++index) {
    if (!MakeKeptName(kept, sizeof kept, target, index) || strlen(kept) >= size) return;
    if (PathExists(kept)) continue;  // an image kept earlier, or a file of the user's
    // Never over a file: another program keeping an image of the same
    // target may take this name first, and the next one is tried then.
    if (RenameFileToNewName(work, kept)) {
      memcpy(work, kept, strlen(kept) + 1);
      return;
    }
    if (!PathExists(kept)) return;  // the rename failed for another reason
  }
}

const char* KeptImageNote(const char* kept) {
  size_t length = strlen(kept);
  return length > 0 && kept[length - 1] == '~' ? kUnderWorkNameNote : "";
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
  bool closed = CloseWrittenStream(output->file);
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
