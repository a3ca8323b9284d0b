// The output image file, the FAT test and whole-file comparison.
#include "image/iso_internal.h"
#include "platform/volume_info.h"

#include <cstdlib>
#include <cstring>

int iso_create_output(const char* path) {
  if (!path) return 0;
  iso_close_output();  // a handle left open by an earlier run
  size_t length = strlen(path);
  if (length >= sizeof Iso.output_image_path) {
    // A cut path could name another file, which a cancel would delete.
    Iso.output_image_handle = kInvalidFileHandle;
    return 0;
  }
  FileHandle handle = CreateOutputFile(path);
  Iso.output_image_handle = handle;
  if (handle == kInvalidFileHandle) return 0;
  memcpy(Iso.output_image_path, path, length);
  Iso.output_image_path[length] = 0;
  Iso.output_path = Iso.output_image_path;
  return 1;
}

int write_image(const void* data, size_t size, size_t count) {
  if (Iso.output_image_handle == kInvalidFileHandle) return 0;
  return WriteToHandle(Iso.output_image_handle, data, size * count) ? 1 : 0;
}

int iso_close_output() {
  if (Iso.output_image_handle != kInvalidFileHandle) {
    // A close that fails has lost data the writes reported as written.
    if (!CloseFileHandle(Iso.output_image_handle)) Iso.write_failed = true;
    Iso.output_image_handle = kInvalidFileHandle;
  }
  return 1;
}

bool CheckTargetVolumeIsFat(const char* path) { return path && VolumeIsFatLike(path); }

bool compare_files(const DirectoryEntry* a, const DirectoryEntry* b) {
  const size_t kBlock = 65536;
  uint8_t* one = (uint8_t*)malloc(kBlock);
  uint8_t* two = (uint8_t*)malloc(kBlock);
  FileHandle fa = kInvalidFileHandle, fb = kInvalidFileHandle;
  bool equal = false;
  if (one && two && a->whole_path && b->whole_path) {
    fa = OpenInputFile(a->whole_path);
    fb = OpenInputFile(b->whole_path);
  }
  if (fa != kInvalidFileHandle && fb != kInvalidFileHandle) {
    uint64_t rest = a->size;
    while (rest > 0) {
      size_t n = rest < kBlock ? (size_t)rest : kBlock;
      if (ReadFromHandle(fa, one, n) != (long)n) break;
      if (ReadFromHandle(fb, two, n) != (long)n) break;
      if (memcmp(one, two, n) != 0) break;
      rest -= n;
    }
    equal = rest == 0;
  }
  if (fa != kInvalidFileHandle) CloseFileHandle(fa);
  if (fb != kInvalidFileHandle) CloseFileHandle(fb);
  free(one);
  free(two);
  return equal;
}
