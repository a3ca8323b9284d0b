#include "image/floppy_reader.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/language.h"
#include "app/message_boxes.h"
#include "app/string_ids.h"
#include "image/floppy_sectors.h"
#include "image/progress_seam.h"
#include "image/staged_output.h"
#include "platform/byte_order.h"
#include "platform/files.h"

namespace {

const char kWriteErrorText[] = "File '%s' Write Error!";
const char kKeptText[] =
    "The disk was read, but '%s' could not be replaced: it may be open in another program. The image is kept "
    "as '%s'.%s";
const char kTooLargeText[] =
    "The disk in drive %s is too large: it holds 32 MB or more, and only disks smaller than 32 MB can be read "
    "into an image.";

// A FAT disk of 32 MB or more counts its sectors in the 32-bit field and
// leaves the 16-bit total, which the track loop reads, at 0.
bool DiskIsTooLarge(const uint8_t* bootSector) {
  return get16le(bootSector + kBootTotalSectors16) == 0 && get32le(bootSector + kBootTotalSectors32) != 0;
}

// Reads every whole cylinder into the open output; polls ProgressCancelled
// after each cylinder. Returns kFloppyReadDone, or the read or write
// failure; a Stop shows in ProgressCancelled.
FloppyReadResult CopyCylinders(const FloppyDevice& device, const FloppyGeometry& geometry, uint8_t* track,
                               FILE* output) {
  StartProgress();
  FloppyReadResult result = kFloppyReadDone;
  for (uint32_t cylinder = 0; cylinder < geometry.cylinders && !ProgressCancelled; ++cylinder) {
    for (uint32_t head = 0; head < geometry.heads; ++head) {
      if (!ReadFloppySectors(device, (int)cylinder, (int)head, 1, track, (int)geometry.sectorsPerTrack)) {
        result = kFloppyReadReadError;
        break;
      }
      if (fwrite(track, geometry.bytesPerSector, geometry.sectorsPerTrack, output) != geometry.sectorsPerTrack) {
        result = kFloppyReadWriteError;
        break;
      }
    }
    if (result != kFloppyReadDone) {
      ProgressCancelled = 1;
      break;
    }
    UpdateProgress((double)(cylinder + 1) / geometry.cylinders);
  }
  CloseProgress();
  return result;
}

// Everything after the drive was opened; the caller closes the drive.
FloppyReadResult ReadOpenDrive(const FloppyDevice& device, const char* outputPath, char* keptPath) {
  uint8_t bootSector[kFloppyBootSectorSize];
  if (!ReadFloppyBootSector(device, bootSector)) return kFloppyReadReadError;
  memcpy(FloppyBootHeader, bootSector, kFloppyBootHeaderSize);
  if (DiskIsTooLarge(bootSector)) return kFloppyReadTooLarge;
  FloppyGeometry geometry;
  if (!GetFloppyGeometry(device.devicePath, &geometry)) return kFloppyReadBadGeometry;

  if (PathExists(outputPath)) {
    snprintf(MessageBuffer, kMessageBufferSize, GetString(kStrFileExistOverwrite), outputPath);
    if (!AskYesNo(MessageBuffer)) return kFloppyReadNotOverwritten;
  }
  uint8_t* track = (uint8_t*)malloc(geometry.sectorsPerTrack * geometry.bytesPerSector);
  if (!track) return kFloppyReadNoMemory;
  StagedOutput output;
  if (!OpenStagedOutput(&output, outputPath)) {
    free(track);
    return kFloppyReadCreateError;
  }
  FloppyReadResult result = CopyCylinders(device, geometry, track, output.file);
  free(track);
  if (result != kFloppyReadDone || ProgressCancelled) {
    DiscardStagedOutput(&output);
    return result != kFloppyReadDone ? result : kFloppyReadCancelled;
  }
  // A failed close is a failed write: the image may lack its end.
  switch (CommitStagedOutput(&output)) {
    case kStagedCommitted:
      return kFloppyReadDone;
    case kStagedCloseFailed:
      return kFloppyReadWriteError;
    case kStagedMoveFailed:
      break;
  }
  KeepWorkFile(output.temp, sizeof output.temp, output.target);
  if (keptPath) memcpy(keptPath, output.temp, sizeof output.temp);
  return kFloppyReadKept;
}

void ShowWithText(int id, const char* argument) {
  snprintf(MessageBuffer, kMessageBufferSize, GetString(id), argument);
  ShowInfo(MessageBuffer);
}

}  // namespace

FloppyReadResult ReadFloppyImage(const char* driveText, const char* outputPath, bool devicePath, char* keptPath) {
  if (driveText == nullptr || driveText[0] == 0) return kFloppyReadNothingToDo;
  if (outputPath == nullptr || outputPath[0] == 0) return kFloppyReadNothingToDo;
  if (strlen(outputPath) > kMaxFloppyOutputPath) return kFloppyReadCreateError;
  FloppyDevice device;
  if (!OpenFloppyDrive(driveText, devicePath, &device)) return kFloppyReadOpenError;
  FloppyReadResult result = ReadOpenDrive(device, outputPath, keptPath);
  CloseFloppyDrive(&device);
  return result;
}

void ShowFloppyReadResult(FloppyReadResult result, const char* driveText, const char* outputPath,
                          const char* keptPath) {
  switch (result) {
    case kFloppyReadDone:
      ShowInfo(GetString(kStrFloppyImageOk));
      break;
    case kFloppyReadOpenError:
      ShowWithText(kStrFloppyDriveError, driveText);
      break;
    case kFloppyReadReadError:
    case kFloppyReadBadGeometry:
      ShowWithText(kStrFloppyReadError, driveText);
      break;
    case kFloppyReadTooLarge:
      snprintf(MessageBuffer, kMessageBufferSize, kTooLargeText, driveText);
      ShowInfo(MessageBuffer);
      break;
    case kFloppyReadCreateError:
      ShowWithText(kStrFileCreateError, outputPath);
      break;
    case kFloppyReadNoMemory:
      ShowInfo(GetString(kStrMemoryError));
      break;
    case kFloppyReadWriteError:
      snprintf(MessageBuffer, kMessageBufferSize, kWriteErrorText, outputPath);
      ShowInfo(MessageBuffer);
      break;
    case kFloppyReadKept:
      if (!keptPath) keptPath = "";
      snprintf(MessageBuffer, kMessageBufferSize, kKeptText, outputPath, keptPath, KeptImageNote(keptPath));
      ShowInfo(MessageBuffer);
      break;
    case kFloppyReadNothingToDo:
    case kFloppyReadNotOverwritten:
    case kFloppyReadCancelled:
      break;
  }
}
