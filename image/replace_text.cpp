#include "image/replace_text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/language.h"
#include "app/message_boxes.h"
#include "app/string_ids.h"
#include "platform/files.h"
#include "platform/work_file.h"

namespace {

const char kFileTooLargeText[] = "File '%s' is 2GB or larger and cannot be changed!";
const char kReadErrorText[] = "File '%s' read error! %d string(s) were replaced before it.";
const char kWriteErrorText[] = "File '%s' write error! %d string(s) were replaced before it.";

enum { kWindowStep = 32768 };
// Positions are kept in signed 32 bits, as the streams' fseek takes them.
const int64_t kMaxFileSize = 0x7FFFFFFF;

struct ReplaceRun {
  FILE* file;
  uint8_t* window;        // kWindowStep + kMaxReplaceTextLength bytes
  uint8_t find[kMaxReplaceTextLength];
  uint8_t replacement[kMaxReplaceTextLength];  // padded with NULs to n
  int n;
  int count;
};

// Replaces in one window of got bytes; occurrences may start at offsets
// 0 to lastStart. Returns the replacements made.
int ReplaceInWindow(ReplaceRun& run, long got, long lastStart) {
  int replaced = 0;
  for (long k = 0; k <= lastStart; ++k) {
    if (k + run.n > got) break;
    if (memcmp(run.window + k, run.find, (size_t)run.n) != 0) continue;
    memcpy(run.window + k, run.replacement, (size_t)run.n);
    ++replaced;
  }
  return replaced;
}

ReplaceTextResult ReplaceInFile(ReplaceRun& run, long length) {
  long remaining = length;
  long position = 0;
  while (remaining > 0) {
    if (fseek(run.file, position, SEEK_SET) != 0) return kReplaceReadError;
    long chunk = remaining < (long)kWindowStep ? remaining : (long)kWindowStep;
    long got = (long)fread(run.window, 1, (size_t)(chunk + run.n), run.file);
    if (ferror(run.file)) return kReplaceReadError;
    if (got < run.n) break;  // the rest is shorter than the text
    // Each start offset is tested in one window only: the n bytes read
    // beyond the step serve the occurrences that start inside it.
    long lastStart = chunk - 1;
    int replaced = ReplaceInWindow(run, got, lastStart);
    if (replaced) {
      if (fseek(run.file, position, SEEK_SET) != 0) return kReplaceWriteError;
      if (fwrite(run.window, 1, (size_t)got, run.file) != (size_t)got) return kReplaceWriteError;
      run.count += replaced;  // counted once the window is written back
    }
    remaining -= chunk;
    position += chunk;
  }
  return kReplaceDone;
}

}  // namespace

ReplaceTextResult ReplaceTextInFile(const char* path, const char* findText, const char* replacement, int* count) {
  *count = 0;
  // The lengths are checked before anything is copied.
  size_t n = strnlen(findText, kMaxReplaceTextLength + 1);
  if (n == 0 || n > kMaxReplaceTextLength) return kReplaceFindEmpty;
  if (strnlen(replacement, n + 1) > n) return kReplaceTooLong;

  ReplaceRun run;
  memset(&run, 0, sizeof run);
  run.n = (int)n;
  memcpy(run.find, findText, n);
  memcpy(run.replacement, replacement, strlen(replacement));

  // A read-only file is refused as Windows refuses it, also to a user
  // whom the system would let write it.
  if (FileIsReadOnly(path)) return kReplaceOpenError;
  run.file = fopen(path, "r+b");
  if (!run.file) return kReplaceOpenError;
  int64_t length = GetStreamSize64(run.file);
  if (length < 0) {
    fclose(run.file);
    return kReplaceReadError;
  }
  if (length > kMaxFileSize) {
    fclose(run.file);
    return kReplaceFileTooLarge;
  }
  run.window = (uint8_t*)malloc(kWindowStep + kMaxReplaceTextLength);
  if (!run.window) {
    fclose(run.file);
    return kReplaceNoMemory;
  }
  ReplaceTextResult result = ReplaceInFile(run, (long)length);
  free(run.window);
  // Written windows may still sit in the stream's buffer: a failing close
  // is a failed write.
  if (!CloseWrittenStream(run.file) && result == kReplaceDone) result = kReplaceWriteError;
  *count = run.count;
  return result;
}

void ShowReplaceTextResult(ReplaceTextResult result, const char* path, int count) {
  switch (result) {
    case kReplaceDone:
      snprintf(MessageBuffer, kMessageBufferSize, GetString(kStrReplaced), count);
      break;
    case kReplaceFindEmpty:
      snprintf(MessageBuffer, kMessageBufferSize, "%s", GetString(kStrFindEmpty));
      break;
    case kReplaceTooLong:
      snprintf(MessageBuffer, kMessageBufferSize, "%s", GetString(kStrNotIdentical));
      break;
    case kReplaceOpenError:
      snprintf(MessageBuffer, kMessageBufferSize, GetString(kStrFileOpenError), path);
      break;
    case kReplaceNoMemory:
      snprintf(MessageBuffer, kMessageBufferSize, "%s", GetString(kStrMemoryError));
      break;
    case kReplaceFileTooLarge:
      snprintf(MessageBuffer, kMessageBufferSize, kFileTooLargeText, path);
      break;
    case kReplaceReadError:
      snprintf(MessageBuffer, kMessageBufferSize, kReadErrorText, path, count);
      break;
    case kReplaceWriteError:
      snprintf(MessageBuffer, kMessageBufferSize, kWriteErrorText, path, count);
      break;
  }
  ShowInfo(MessageBuffer);
}
