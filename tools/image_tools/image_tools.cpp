// image_tools: runs the Tools menu's engines from the command line, for the
// tool checks (fsck.fat, mtools, qemu) and the floppy read under Wine. It is
// not part of the product.
//
//   image_tools new-image --size=KB --seed=FILE --output=FILE [--overwrite]
//   image_tools read-floppy --drive=A: --output=FILE [--vwin32]
//                           [--stop-after=CYLINDERS] [--overwrite]
//   image_tools list-drives
//
// Every message box goes to standard error; the overwrite question is
// answered Yes only with --overwrite. Exit codes: 0 done; 1 failed;
// 2 bad arguments; 3 stopped; 4 no removable drive.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "image/floppy_drives.h"
#include "image/floppy_reader.h"
#include "image/staged_output.h"
#include "image/new_image.h"
#include "image/progress_seam.h"
#include "platform/message_box.h"

namespace {

enum { kExitDone = 0, kExitFailed = 1, kExitUsage = 2, kExitStopped = 3, kExitNoDrive = 4 };

const char kUsage[] =
    "usage: image_tools new-image --size=KB --seed=FILE --output=FILE [--overwrite]\n"
    "       image_tools read-floppy --drive=A: --output=FILE [--vwin32] [--stop-after=N] [--overwrite]\n"
    "       image_tools list-drives\n";

bool g_answer_yes = false;
long g_stop_after = -1;  // cylinders read before Stop is pressed; below 0: never
long g_updates = 0;

int PrintMessageBox(const MessageBoxRequest& request) {
  fprintf(stderr, "[%s] %s\n", request.caption ? request.caption : "", request.text ? request.text : "");
  if (request.style & kMbYesNo) return g_answer_yes ? kIdYes : kIdNo;
  return kIdOk;
}

int CountAndStop(double) {
  ++g_updates;
  if (g_stop_after >= 0 && g_updates >= g_stop_after) ProgressCancelled = 1;
  return ProgressCancelled;
}

const ProgressHandlers kProgress = {nullptr, nullptr, nullptr, CountAndStop, nullptr, nullptr, nullptr};

// The value of "--name=value" among the arguments, or null.
const char* Option(int argc, char** argv, const char* name) {
  size_t length = strlen(name);
  for (int i = 2; i < argc; ++i) {
    if (strncmp(argv[i], "--", 2) == 0 && strncmp(argv[i] + 2, name, length) == 0 && argv[i][2 + length] == '=')
      return argv[i] + 3 + length;
  }
  return nullptr;
}

bool Flag(int argc, char** argv, const char* name) {
  for (int i = 2; i < argc; ++i) {
    if (strncmp(argv[i], "--", 2) == 0 && strcmp(argv[i] + 2, name) == 0) return true;
  }
  return false;
}

int NewImage(int argc, char** argv) {
  const char* size = Option(argc, argv, "size");
  const char* seed = Option(argc, argv, "seed");
  const char* output = Option(argc, argv, "output");
  if (!size || !seed || !output) {
    fputs(kUsage, stderr);
    return kExitUsage;
  }
  g_answer_yes = Flag(argc, argv, "overwrite");
  NewImageResult result = CreateNewImage(size, seed, output);
  ShowNewImageResult(result, size);
  return result == kNewImageDone ? kExitDone : kExitFailed;
}

int ReadFloppy(int argc, char** argv) {
  const char* drive = Option(argc, argv, "drive");
  const char* output = Option(argc, argv, "output");
  const char* stop = Option(argc, argv, "stop-after");
  if (!drive || !output) {
    fputs(kUsage, stderr);
    return kExitUsage;
  }
  if (stop) g_stop_after = atol(stop);
  g_answer_yes = Flag(argc, argv, "overwrite");
  SetProgressHandlers(&kProgress);
  char kept[kStagedPathSize] = "";
  FloppyReadResult result = ReadFloppyImage(drive, output, !Flag(argc, argv, "vwin32"), kept);
  ShowFloppyReadResult(result, drive, output, kept);
  printf("progress updates: %ld\n", g_updates);
  if (result == kFloppyReadCancelled) return kExitStopped;
  return result == kFloppyReadDone ? kExitDone : kExitFailed;
}

int ListDrives() {
  FloppyDriveList drives;
  if (ListRemovableDrives(&drives) == 0) {
    fprintf(stderr, "%s\n", kNoFloppyDriveText);
    return kExitNoDrive;
  }
  for (int i = 0; i < drives.count; ++i) printf("%s\n", drives.names[i]);
  return kExitDone;
}

}  // namespace

int main(int argc, char** argv) {
  SetMessageBoxHandler(PrintMessageBox);
  if (argc >= 2 && strcmp(argv[1], "new-image") == 0) return NewImage(argc, argv);
  if (argc >= 2 && strcmp(argv[1], "read-floppy") == 0) return ReadFloppy(argc, argv);
  if (argc >= 2 && strcmp(argv[1], "list-drives") == 0) return ListDrives();
  fputs(kUsage, stderr);
  return kExitUsage;
}
