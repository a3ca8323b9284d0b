// POSIX implementation of the file layer, for the native build and tests.
#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static bool StatPath(const char* path, struct stat* st) { return stat(path, st) == 0; }

bool PathExists(const char* path) {
  struct stat st;
  return StatPath(path, &st);
}

bool FolderExists(const char* path) {
  struct stat st;
  return StatPath(path, &st) && S_ISDIR(st.st_mode);
}

bool FileExists(const char* path) {
  struct stat st;
  return StatPath(path, &st) && !S_ISDIR(st.st_mode);
}

int64_t GetFileSize64(const char* path) {
  struct stat st;
  if (!StatPath(path, &st)) return -1;
  return (int64_t)st.st_size;
}

bool FileIsReadOnly(const char* path) {
  struct stat st;
  return StatPath(path, &st) && (st.st_mode & S_IWUSR) == 0;
}

bool MakeFileWritable(const char* path) {
  struct stat st;
  if (!StatPath(path, &st)) return false;
  return chmod(path, st.st_mode | S_IWUSR) == 0;
}

bool DeleteFileAt(const char* path) { return unlink(path) == 0; }

bool RenameFileTo(const char* from, const char* to) { return rename(from, to) == 0; }

bool RenameFileToNewName(const char* from, const char* to) {
  if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without that rename: a second link fails as well when
  // the name exists.
  if (link(from, to) != 0) return false;
  unlink(from);
  return true;
}

bool CopyFileTo(const char* from, const char* to, bool failIfExists) {
  int in = open(from, O_RDONLY);
  if (in < 0) return false;
  int flags = O_WRONLY | O_CREAT | O_TRUNC | (failIfExists ? O_EXCL : 0);
  int out = open(to, flags, 0644);
  if (out < 0) {
    close(in);
    return false;
  }
  bool ok = true;
  char buffer[65536];
  for (;;) {
    ssize_t got = read(in, buffer, sizeof buffer);
    if (got < 0) { ok = false; break; }
    if (got == 0) break;
    ssize_t done = 0;
    while (done < got) {
      ssize_t put = write(out, buffer + done, (size_t)(got - done));
      if (put <= 0) { ok = false; break; }
      done += put;
    }
    if (!ok) break;
  }
  close(in);
  if (close(out) != 0) ok = false;
  if (!ok) unlink(to);
  return ok;
}

int64_t GetFileModifiedTime(const char* path) {
  struct stat st;
  if (!StatPath(path, &st)) return -1;
  return (int64_t)st.st_mtime;
}

bool CreateFolder(const char* path) {
  if (mkdir(path, 0755) == 0) return true;
  return FolderExists(path);
}

bool RemoveFolder(const char* path) { return rmdir(path) == 0; }

static bool CopyText(char* out, size_t size, const char* text) {
  size_t len = strlen(text);
  if (len + 1 > size) {
    if (size) out[0] = 0;
    return false;
  }
  memcpy(out, text, len + 1);
  return true;
}

bool GetCurrentFolder(char* out, size_t size) {
  if (getcwd(out, size) != nullptr) return true;
  if (size) out[0] = 0;
  return false;
}

bool GetTempFolder(char* out, size_t size) {
  const char* dir = getenv("TMPDIR");
  if (dir == nullptr || dir[0] == 0) dir = "/tmp";
  if (!CopyText(out, size, dir)) return false;
  size_t len = strlen(out);
  if (len > 1 && out[len - 1] == '/') out[len - 1] = 0;
  return true;
}

bool IsLink(const char* path) {
  struct stat st;
  return lstat(path, &st) == 0 && S_ISLNK(st.st_mode);
}

bool RemoveLink(const char* path) { return unlink(path) == 0; }

bool SameFile(const char* path, const char* other) {
  struct stat a, b;
  if (!StatPath(path, &a) || !StatPath(other, &b)) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool SeekStream64(FILE* stream, int64_t offset) { return fseeko(stream, (off_t)offset, SEEK_SET) == 0; }

int64_t GetStreamSize64(FILE* stream) {
  if (fflush(stream) != 0) return -1;
  struct stat st;
  if (fstat(fileno(stream), &st) != 0) return -1;
  return (int64_t)st.st_size;
}
