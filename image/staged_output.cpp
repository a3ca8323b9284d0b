#include "image/staged_output.h"

#include <cstring>

#include "app/message_boxes.h"
#include "platform/files.h"

bool OpenStagedOutput(StagedOutput* output, const char* target) {
  output->file = nullptr;
  output->temp[0] = 0;
  size_t length = strlen(target);
  if (length + 1 > sizeof output->target) return false;
  memcpy(output->target, target, length + 1);
  for (int attempt = 0; attempt < 10; ++attempt) {
    char suffix[8];
    if (attempt == 0)
      snprintf(suffix, sizeof suffix, ".tw~");
    else
      snprintf(suffix, sizeof suffix, ".tw%d~", attempt);
    if (length + strlen(suffix) + 1 > sizeof output->temp) return false;
    snprintf(output->temp, sizeof output->temp, "%s%s", target, suffix);
    if (PathExists(output->temp)) continue;
    output->file = fopen(output->temp, "wb");
    if (output->file) return true;
    break;
  }
  output->temp[0] = 0;
  return false;
}

StagedCommitResult CommitStagedOutput(StagedOutput* output) {
  bool closed = fclose(output->file) == 0;
  output->file = nullptr;
  if (closed) {
    if (FileExists(output->target)) MakeFileWritable(output->target);
    if (RenameFileTo(output->temp, output->target)) return kStagedCommitted;
  }
  ForceDeleteFile(output->temp);
  return closed ? kStagedMoveFailed : kStagedCloseFailed;
}

void DiscardStagedOutput(StagedOutput* output) {
  if (output->file) fclose(output->file);
  output->file = nullptr;
  ForceDeleteFile(output->temp);
}
