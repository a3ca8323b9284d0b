// iso_driver: builds one ISO image from a folder with the image engine, from
// the command line, calling the engine's entry points in the order the
// Make-ISO dialog calls them. It serves the tool checks and the benchmark;
// it is not part of the product.
//
//   iso_driver --source=DIR --output=FILE [--boot=FILE] [options]
//
// As the dialog does, the image is written to a work file beside the output
// ("<output>.tw~") that takes the output's place only when the build
// succeeded, so an existing output survives a failed, stopped or killed
// build; work files of killed builds are removed by the next build. A
// finished image that cannot replace the output is kept as "<output>.new"
// (".new1", ".new2" ... the first one free), which no later build removes.
// An existing file or folder inside the source folder is refused as the
// output: the driver asks no question before it replaces one.
//
// Prints every message box to standard error and the engine log to standard
// output at the end, then the entries left out of the image. Exit codes:
// 0 the image was written; 1 the build failed (an error box, the output
// could not be created, or the engine stopped: no new file is left);
// 2 bad arguments, or a source folder that is missing or cannot be read, a
// missing boot image, or an output inside the source folder that exists
// (an existing output file is kept); 3 cancelled; 4 the image was written,
// but entries were left out of it; 5 the image was written but could not
// replace the existing output: it is kept under a name of its own, which
// standard error names.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "platform/time_seconds.h"

#include "app/engine_log.h"
#include "app/message_boxes.h"
#include "image/iso_engine.h"
#include "image/progress_seam.h"
#include "image/staged_output.h"
#include "platform/dir_list.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

enum { kExitDone = 0, kExitFailed = 1, kExitUsage = 2, kExitCancelled = 3, kExitLeftOut = 4, kExitKept = 5 };
enum { kPathSize = 264 };

const char kUsage[] =
    "usage: iso_driver --source=DIR --output=FILE [--boot=FILE] [options]\n"
    "  --source=DIR            the disc folder (required)\n"
    "  --output=FILE           the image; \".iso\" is appended when missing, an existing\n"
    "                          file is replaced when the build succeeded (required)\n"
    "  --boot=FILE             the boot image (2,048-byte loader or floppy image)\n"
    "  --long-names=0|1        LongNames: long ISO 9660 names; 0 is DOS 8.3 (1)\n"
    "  --lowercase=0|1         AllowLowercase: keep lower case in ISO 9660 names (0)\n"
    "  --joliet=0|1            Joliet: add the Joliet tree (1)\n"
    "  --optimize=0|1          Optimize: store files of equal contents once (0)\n"
    "  --set-date-time=0|1     SetDateTime: give every entry the date --fixed-time (0)\n"
    "  --fixed-time=T          FixedTime: seconds since 1970, or local\n"
    "                          \"YYYY-MM-DD HH:MM:SS\" as the dialog's pickers give it\n"
    "  --preparer=TEXT         PreparerName (\"Tarnwick iso_driver\")\n"
    "  --volume=TEXT           SavedVolumeLabel (\"BootMenu\")\n"
    "  --hide-boot-folder=0|1  \"Hide Boot Folder\" (0)\n"
    "  --hide-boot-files=0|1   \"Hide All Files in Boot Folder\" (0)\n"
    "  --cancel-at=F           press Stop once the progress reaches F (0..1)\n"
    "A flag without a value means 1.\n";

struct DriverArgs {
  const char* source = nullptr;
  const char* output = nullptr;
  const char* boot = nullptr;
  int long_names = 1;
  int lowercase = 0;
  int joliet = 1;
  int optimize = 0;
  int set_date_time = 0;
  time_t fixed_time = 0;
  const char* preparer = "Tarnwick iso_driver";
  const char* volume = "BootMenu";
  int hide_boot_folder = 0;
  int hide_boot_files = 0;
  double cancel_at = -1;  // below 0: never
};

int g_error_boxes = 0;
double g_cancel_at = -1;

// Every box goes to standard error; questions are answered No, so that the
// driver never overwrites or goes on against a warning by itself.
int PrintMessageBox(const MessageBoxRequest& request) {
  fprintf(stderr, "[%s] %s\n", request.caption ? request.caption : "",
          request.text ? request.text : "");
  if ((request.style & 0xF0) == kMbIconError) ++g_error_boxes;
  return (request.style & kMbYesNo) ? kIdNo : kIdOk;
}

int PressStopAt(double done) {
  if (g_cancel_at >= 0 && done >= g_cancel_at) ProgressCancelled = 1;
  return ProgressCancelled;
}

bool StoreText(const char* text, const char** out) {
  if (text == nullptr) return false;
  *out = text;
  return true;
}

bool ParseFlag(const char* text, int* out) {
  if (text == nullptr) {
    *out = 1;
    return true;
  }
  if (strcmp(text, "0") == 0 || strcmp(text, "1") == 0) {
    *out = text[0] - '0';
    return true;
  }
  return false;
}

// Seconds since 1970, or a local date and time turned into calendar time the
// way the dialog does it (the library decides whether summer time applies).
bool ParseTime(const char* text, time_t* out) {
  if (text == nullptr) return false;
  char* end = nullptr;
  errno = 0;
  long long seconds = strtoll(text, &end, 10);
  if (end != text && *end == 0 && errno == 0) {
    *out = (time_t)seconds;
    return true;
  }
  struct tm local = {};
  int year, month, day, hour, minute, second;
  char extra;
  if (sscanf(text, "%d-%d-%d %d:%d:%d%c", &year, &month, &day, &hour, &minute, &second,
             &extra) != 6)
    return false;
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  *out = mktime(&local);
  return *out != (time_t)-1;
}

bool ParseFraction(const char* text, double* out) {
  if (text == nullptr) return false;
  char* end = nullptr;
  double value = strtod(text, &end);
  if (end == text || *end != 0 || value < 0 || value > 1) return false;
  *out = value;
  return true;
}

// Splits "--name=value" (or "--name value" for the texts and paths) and
// stores the value. False on an unknown flag or a bad value.
bool ParseArgs(int argc, char** argv, DriverArgs* args) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (strncmp(arg, "--", 2) != 0) {
      fprintf(stderr, "iso_driver: unexpected argument '%s'\n", arg);
      return false;
    }
    char name[64];
    const char* equals = strchr(arg, '=');
    size_t length = equals ? (size_t)(equals - arg - 2) : strlen(arg + 2);
    if (length >= sizeof name) {
      fprintf(stderr, "iso_driver: unknown flag '%s'\n", arg);
      return false;
    }
    memcpy(name, arg + 2, length);
    name[length] = 0;
    const char* value = equals ? equals + 1 : nullptr;

    const bool takes_text = strcmp(name, "source") == 0 || strcmp(name, "output") == 0 ||
                            strcmp(name, "boot") == 0 || strcmp(name, "preparer") == 0 ||
                            strcmp(name, "volume") == 0 || strcmp(name, "fixed-time") == 0 ||
                            strcmp(name, "cancel-at") == 0;
    if (takes_text && value == nullptr && i + 1 < argc) value = argv[++i];

    bool ok = true;
    if (strcmp(name, "source") == 0) ok = StoreText(value, &args->source);
    else if (strcmp(name, "output") == 0) ok = StoreText(value, &args->output);
    else if (strcmp(name, "boot") == 0) ok = StoreText(value, &args->boot);
    else if (strcmp(name, "preparer") == 0) ok = StoreText(value, &args->preparer);
    else if (strcmp(name, "volume") == 0) ok = StoreText(value, &args->volume);
    else if (strcmp(name, "long-names") == 0) ok = ParseFlag(value, &args->long_names);
    else if (strcmp(name, "lowercase") == 0) ok = ParseFlag(value, &args->lowercase);
    else if (strcmp(name, "joliet") == 0) ok = ParseFlag(value, &args->joliet);
    else if (strcmp(name, "optimize") == 0) ok = ParseFlag(value, &args->optimize);
    else if (strcmp(name, "set-date-time") == 0) ok = ParseFlag(value, &args->set_date_time);
    else if (strcmp(name, "fixed-time") == 0) ok = ParseTime(value, &args->fixed_time);
    else if (strcmp(name, "hide-boot-folder") == 0) ok = ParseFlag(value, &args->hide_boot_folder);
    else if (strcmp(name, "hide-boot-files") == 0) ok = ParseFlag(value, &args->hide_boot_files);
    else if (strcmp(name, "cancel-at") == 0) ok = ParseFraction(value, &args->cancel_at);
    else {
      fprintf(stderr, "iso_driver: unknown flag '%s'\n", arg);
      return false;
    }
    if (!ok) {
      fprintf(stderr, "iso_driver: bad value for --%s\n", name);
      return false;
    }
  }
  if (args->source == nullptr || args->output == nullptr) {
    fprintf(stderr, "iso_driver: --source and --output are required\n");
    return false;
  }
  return true;
}

// Copies text into a fixed field of the option set, cut to the field.
void CopyField(char* field, size_t size, const char* text) {
  snprintf(field, size, "%s", text);
}

// The output path as the dialog makes it: ".iso" appended when the text has
// no "." or the text after its last "." is not "iso" in any letter case.
bool MakeOutputPath(const char* text, char* out, size_t size) {
  const char* dot = strrchr(text, '.');
  bool has_iso = dot != nullptr && strlen(dot + 1) == 3 && tolower((unsigned char)dot[1]) == 'i' &&
                 tolower((unsigned char)dot[2]) == 's' && tolower((unsigned char)dot[3]) == 'o';
  int n = snprintf(out, size, has_iso ? "%s" : "%s.iso", text);
  return n >= 0 && (size_t)n < size;
}

// The engine keeps its log in "Plexi$dor" inside the folder that TEMP
// names; the driver points TEMP at the system's temporary folder when it
// is not set, so that it knows where the log is.
bool PrepareTempVariable(char* log_path, size_t size) {
  const char* temp = getenv("TEMP");
  char system_temp[kPathSize];
  if (temp == nullptr || temp[0] == 0) {
    if (!GetTempFolder(system_temp, sizeof system_temp)) return false;
    setenv("TEMP", system_temp, 1);
    temp = system_temp;
  }
  char work_dir[kPathSize];
  return JoinPath(work_dir, sizeof work_dir, temp, "Plexi$dor") &&
         JoinPath(log_path, size, work_dir, "plexidor.log");
}

// True when path lies inside folder or below it: its folder, or a folder
// above that, is the folder itself (links and other spellings included).
bool LiesInsideFolder(const char* path, const char* folder) {
  char dir[4 * kPathSize];
  snprintf(dir, sizeof dir, "%s", path);
  char* cut = strrchr(dir, kPathSeparator);
  if (cut == nullptr) snprintf(dir, sizeof dir, ".");
  else if (cut == dir) cut[1] = 0;
  else *cut = 0;
  for (;;) {
    if (SameFile(dir, folder)) return true;
    char up[sizeof dir];
    if (!JoinPath(up, sizeof up, dir, "..") || SameFile(up, dir)) return false;  // the root, or too deep
    memcpy(dir, up, sizeof dir);
  }
}

// True when the folder can be listed, as the engine will list it.
bool FolderCanBeListed(const char* folder) {
  DirListing* listing = OpenDirListing(folder);
  if (listing == nullptr) return false;
  CloseDirListing(listing);
  return true;
}

// Tells the user once what the engine left out: the count and the first
// paths; the log holds the reason of each.
void PrintLeftOut() {
  const int count = iso_left_out_count();
  if (count == 0) return;
  fprintf(stderr, "iso_driver: %d %s left out of the image (see the log):\n", count,
          count == 1 ? "entry was" : "entries were");
  for (int i = 0; iso_left_out_path(i) != nullptr; ++i) fprintf(stderr, "  %s\n", iso_left_out_path(i));
  if (count > kIsoLeftOutPathsKept) fprintf(stderr, "  ... and %d more\n", count - kIsoLeftOutPathsKept);
}

void PrintLog(const char* path) {
  FILE* log = fopen(path, "rb");
  if (log == nullptr) {
    fprintf(stderr, "iso_driver: no engine log at %s\n", path);
    return;
  }
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, log)) > 0) fwrite(buffer, 1, n, stdout);
  fclose(log);
  fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  DriverArgs args;
  if (argc < 2 || !ParseArgs(argc, argv, &args)) {
    fputs(kUsage, stderr);
    return kExitUsage;
  }
  SetMessageBoxHandler(PrintMessageBox);

  // The dialog's checks, in its order: disc folder, boot image, output name,
  // an existing output file (the dialog asks; the driver replaces it).
  if (!FolderExists(args.source)) {
    fprintf(stderr, "CD File Directory '%s' not Exist!\n", args.source);
    return kExitUsage;
  }
  // A folder that cannot be listed would give an empty image in place of
  // an earlier one: refuse it before anything is replaced.
  if (!FolderCanBeListed(args.source)) {
    fprintf(stderr, "CD File Directory '%s' cannot be read!\n", args.source);
    return kExitUsage;
  }
  if (args.boot != nullptr && !PathExists(args.boot)) {
    fprintf(stderr, "Boot Image '%s' Not Exist!\n", args.boot);
    return kExitUsage;
  }
  char output[kPathSize];
  if (!MakeOutputPath(args.output, output, sizeof output)) {
    fprintf(stderr, "iso_driver: output path too long\n");
    return kExitUsage;
  }
  if (PathExists(output) && LiesInsideFolder(output, args.source)) {
    fprintf(stderr, "iso_driver: '%s' is in the disc folder '%s'; choose an output outside it\n", output,
            args.source);
    return kExitUsage;
  }
  char log_path[kPathSize];
  if (!PrepareTempVariable(log_path, sizeof log_path)) {
    fprintf(stderr, "iso_driver: temporary folder path too long\n");
    return kExitUsage;
  }
  char work[kStagedPathSize];
  if (!ChooseWorkFile(work, sizeof work, output)) {
    fprintf(stderr, "File '%s' Create Error!\n", output);
    return kExitFailed;
  }

  g_cancel_at = args.cancel_at;
  ProgressHandlers progress = {};
  progress.update_progress = PressStopAt;
  SetProgressHandlers(&progress);
  ShowPreparing();

  CopyField(IsoOptions.SavedVolumeLabel, sizeof IsoOptions.SavedVolumeLabel, args.volume);
  CopyField(IsoOptions.PreparerName, sizeof IsoOptions.PreparerName, args.preparer);

  iso_engine_init();
  iso_new_image();
  // Neither the image being replaced nor the work file goes into the image.
  iso_leave_out_path(output);
  iso_leave_out_path(work);

  IsoOptions.AllowLowercase = 0;
  IsoOptions.Joliet = 0;
  IsoOptions.LongNames = 1;
  IsoOptions.Optimize = 0;
  IsoOptions.SetDateTime = 0;
  if (args.joliet) IsoOptions.Joliet = 1;
  if (!args.long_names) IsoOptions.LongNames = 0;
  if (args.lowercase) IsoOptions.AllowLowercase = 1;
  if (args.optimize) IsoOptions.Optimize = 1;
  if (args.set_date_time) {
    IsoOptions.SetDateTime = 1;
    IsoOptions.FixedTime = args.fixed_time;
  }
  IsoOptions.HideBootFolder = args.hide_boot_folder;
  IsoOptions.HideBootFiles = args.hide_boot_files;

  if (!iso_add_directory(iso_root_node(), args.source)) {
    // The folder became unreadable after the check above; nothing is written.
    iso_engine_done();
    SetProgressHandlers(nullptr);
    PrintLog(log_path);
    return kExitUsage;
  }
  if (args.boot != nullptr) iso_set_boot_image(args.boot);
  const int created = iso_create_output(work);
  if (!created) fprintf(stderr, "File '%s' Create Error!\n", output);
  iso_build_image();
  iso_close_output();
  iso_engine_done();
  SetProgressHandlers(nullptr);

  PrintLog(log_path);
  PrintLeftOut();

  if (ProgressCancelled) {
    fprintf(stderr, "iso_driver: cancelled\n");
    return kExitCancelled;
  }
  if (!created || iso_last_build_result() != 1) {
    // What the engine left behind is no image: an empty or partial file.
    if (created) ForceDeleteFile(work);
    fprintf(stderr, "iso_driver: the build failed\n");
    return kExitFailed;
  }
  if (!MoveWorkFileOverTarget(work, output)) {
    KeepWorkFile(work, sizeof work, output);
    fprintf(stderr, kImageKeptText, output, work, KeptImageNote(work));
    fputc('\n', stderr);
    return kExitKept;
  }
  if (iso_left_out_count() > 0) return kExitLeftOut;
  if (g_error_boxes > 0) {
    fprintf(stderr, "iso_driver: the build reported an error\n");
    return kExitFailed;
  }
  return kExitDone;
}
