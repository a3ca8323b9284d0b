// POSIX raw file handles.
#include "platform/output_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

FileHandle CreateOutputFile(const char* path) {
  int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  return fd < 0 ? kInvalidFileHandle : (FileHandle)fd;
}

FileHandle OpenInputFile(const char* path) {
  int fd = open(path, O_RDONLY);
  return fd < 0 ? kInvalidFileHandle : (FileHandle)fd;
}

bool WriteToHandle(FileHandle handle, const void* data, size_t bytes) {
  const char* p = (const char*)data;
  while (bytes > 0) {
    ssize_t put = write((int)handle, p, bytes);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    p += put;
    bytes -= (size_t)put;
  }
  return true;
}

long ReadFromHandle(FileHandle handle, void* data, size_t bytes) {
  char* p = (char*)data;
  size_t done = 0;
  while (done < bytes) {
    ssize_t got = read((int)handle, p + done, bytes - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return done ? (long)done : -1;
    if (got == 0) break;
    done += (size_t)got;
  }
  return (long)done;
}

bool CloseFileHandle(FileHandle handle) { return close((int)handle) == 0; }
