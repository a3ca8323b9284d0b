// The output image file: creating it, writing the image's bytes (directly
// and by copying source files in chunks, with the progress report),
// closing it, and the FAT test of its volume.
#include "app/message_boxes.h"
#include "image/iso_internal.h"
#include "image/progress_seam.h"
#include "platform/volume_info.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

int iso_create_output(const char* path) {
  if (!path) return 0;
  iso_close_output();  // a handle left open by an earlier run
  Iso.last_build_result = 0;
  size_t length = strlen(path);
  if (length >= sizeof Iso.output_image_path) {
    // A cut path could name another file, which a cancel would delete.
    Iso.output_image_handle = kInvalidFileHandle;
    Iso.output_image_path[0] = 0;
    Iso.output_path = nullptr;
    return 0;
  }
  FileHandle handle = CreateOutputFile(path);
  Iso.output_image_handle = handle;
  if (handle == kInvalidFileHandle) {
    // The path of an earlier build must not stay: a later cancel or a
    // failed build deletes the file it names.
    Iso.output_image_path[0] = 0;
    Iso.output_path = nullptr;
    return 0;
  }
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
  if (Iso.output_image_handle == kInvalidFileHandle) return 1;
  bool closed = CloseFileHandle(Iso.output_image_handle);
  Iso.output_image_handle = kInvalidFileHandle;
  if (closed) return 1;
  // A close that fails has lost data the writes reported as written: the
  // image that the build finished is not whole.
  Iso.write_failed = true;
  if (Iso.last_build_result == 1) {
    Iso.last_build_result = 0;
    snprintf(MessageBuffer, kMessageBufferSize,
             "Unable to write the image file '%s' (disk full or write error). The incomplete image has been "
             "deleted.\n",
             Iso.output_path ? Iso.output_path : "");
    ShowError(MessageBuffer);
    if (Iso.output_path) ForceDeleteFile(Iso.output_path);
  }
  return 0;
}

bool CheckTargetVolumeIsFat(const char* path) { return path && VolumeIsFatLike(path); }

// ------------------------------------------------------------ writing the image

int write_image_chunk(const void* data, size_t size, size_t count) {
  if (Iso.write_failed) return 0;
  if (!write_image(data, size, count)) {
    Iso.write_failed = true;
    return 0;
  }
  Iso.bytes_written += (uint64_t)size * count;
  return 1;
}

uint32_t sectors_written() { return (uint32_t)(Iso.bytes_written / kSectorSize); }

void report_progress() {
  if (Iso.next_free_sector) UpdateProgress((double)sectors_written() / (double)Iso.next_free_sector);
}

int copy_source_file(const char* path, uint32_t size) {
  if (!Iso.copy_buffer) {
    Iso.copy_buffer = (uint8_t*)engine_alloc(kCopyChunk);
    if (!Iso.copy_buffer) return 0;
  }
  uint8_t* buffer = Iso.copy_buffer;
  // The layout is fixed: a source that no longer gives the bytes it had
  // when the tree was read would leave zeros in the image in place of its
  // data. Such an image is not made.
  FileHandle file = OpenInputFile(path);
  if (file == kInvalidFileHandle) {
    snprintf(MessageBuffer, kMessageBufferSize, "File '%s' Open Error!", path);
    ShowError(MessageBuffer);
    return 0;
  }
  bool complete = true;
  uint32_t rest = size;
  while (rest > 0) {
    uint32_t chunk = rest >= (uint32_t)kCopyChunk ? (uint32_t)kCopyChunk : round_up_sector(rest);
    uint32_t want = rest < chunk ? rest : chunk;
    long got = ReadFromHandle(file, buffer, want);
    if (got < 0 || (uint32_t)got < want) {
      snprintf(MessageBuffer, kMessageBufferSize,
               "File '%s' Read Error! The file could not be read completely (it has shrunk or a read failed); "
               "the image is not made.",
               path);
      ShowError(MessageBuffer);
      complete = false;
      break;
    }
    memset(buffer + got, 0, chunk - (uint32_t)got);
    if (!write_image_chunk(buffer, 1, chunk)) break;
    rest -= want;
    if (ProgressCancelled) break;
    report_progress();
  }
  CloseFileHandle(file);
  return complete && !Iso.write_failed ? 1 : 0;
}
