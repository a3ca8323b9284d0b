#include "platform/work_file.h"

#include "platform/files.h"

namespace {

// Room for the longest path any writer composes and the suffix.
enum { kWorkPathSize = 2200 };

bool MakeWorkPath(char* out, const char* target) {
  int length = snprintf(out, kWorkPathSize, "%s.tmp", target);
  return length > 0 && length < kWorkPathSize;
}

void RemoveFile(const char* path) {
  MakeFileWritable(path);
  DeleteFileAt(path);
}

// Moves a finished work file over target when ok, else (or when the move
// fails) removes it. True when target now holds the new bytes.
bool FinishWork(const char* work, const char* target, bool ok) {
  if (ok) {
    if (FileExists(target)) MakeFileWritable(target);
    ok = RenameFileTo(work, target);
  }
  if (!ok) RemoveFile(work);
  return ok;
}

}  // namespace

bool CloseWrittenStream(FILE* stream) {
  bool ok = fflush(stream) == 0 && !ferror(stream);
  return fclose(stream) == 0 && ok;
}

FILE* OpenWorkFile(const char* target) {
  char work[kWorkPathSize];
  if (!MakeWorkPath(work, target)) return nullptr;
  if (PathExists(work)) RemoveFile(work);
  return fopen(work, "wb");
}

bool CommitWorkFile(FILE* stream, const char* target, bool written, int64_t expectedSize) {
  char work[kWorkPathSize];
  MakeWorkPath(work, target);  // it fitted when the file was opened
  bool ok = CloseWrittenStream(stream) && written;
  if (ok && expectedSize >= 0) ok = GetFileSize64(work) == expectedSize;
  return FinishWork(work, target, ok);
}

bool WriteWholeFile(const char* target, const void* bytes, size_t size) {
  FILE* stream = OpenWorkFile(target);
  if (!stream) return false;
  bool written = fwrite(bytes, 1, size, stream) == size;
  return CommitWorkFile(stream, target, written, (int64_t)size);
}

bool CopyWholeFile(const char* from, const char* to) {
  char work[kWorkPathSize];
  if (!MakeWorkPath(work, to)) return false;
  if (PathExists(work)) RemoveFile(work);
  return FinishWork(work, to, CopyFileTo(from, work, false));
}
