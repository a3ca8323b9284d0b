#pragma once
// Entry points of the ISO 9660 image engine (with Joliet names, El Torito
// boot record and duplicate-file sharing). A caller runs one Make-ISO job as:
//   iso_engine_init(); iso_new_image(); fill IsoOptions;
//   iso_add_directory(iso_root_node(), discFolder);
//   iso_set_boot_image(bootImage); iso_create_output(outputPath);
//   iso_build_image(); iso_close_output(); iso_engine_done();
// Every entry point returns 1 when done. The engine reports problems only
// through ShowError / ShowInfo (app/message_boxes.h) and its log; the
// progress window and the 4 GB question are reached through
// image/progress_seam.h. One image and one build at a time, one thread.
#include "platform/time_seconds.h"

struct DirectoryNode;

// The option set of one build, filled by the caller before iso_build_image.
struct IsoMakeOptions {
  int LongNames;              // ISO 9660 names up to 207 characters instead of 8.3 (1)
  int AllowLowercase;         // keep lower-case letters in ISO 9660 names (0)
  int Joliet;                 // add the Joliet tree (1)
  int Optimize;               // store files of equal contents once (0)
  int SetDateTime;            // give every scanned entry the date FixedTime (0)
  time_t FixedTime;           // (0)
  char PreparerName[260];     // data preparer identifier
  char SavedVolumeLabel[260]; // volume identifier chosen by the user (empty)
  // The dialog's boot-folder settings "Hide Boot Folder" and "Hide All Files
  // in Boot Folder", copied in by the caller (0 both).
  int HideBootFolder;
  int HideBootFiles;
};

// The options the next iso_build_image reads; holds the start values above
// until the caller changes them.
extern IsoMakeOptions IsoOptions;

// Makes the work folder "Plexi$dor" in %TEMP% afresh and opens the log in it.
int iso_engine_init();
// Closes the log.
int iso_engine_done();
// Frees the previous image's tree and starts an empty one.
int iso_new_image();
// The root node of the current image (valid from iso_new_image on).
DirectoryNode* iso_root_node();
// Reads the folder tree into node. 0 when either is null or when the folder
// itself cannot be listed: that is reported with ShowError, and no image is
// built of this tree (the caller should stop before iso_create_output, so
// that an earlier image of the same name is kept).
int iso_add_directory(DirectoryNode* node, const char* folder);
// A file that the next iso_add_directory leaves out, silently: the image a
// build will replace, which a caller writing to a work file first keeps
// until the build has succeeded, and that work file, so that an earlier
// image inside the disc folder is never packed into the new one. At most
// two; iso_new_image forgets them. 0 when the path is null or does not fit.
int iso_leave_out_path(const char* path);
// Classifies the boot image: 1 accepted (a 2,048-byte loader ending in
// 55 AA, or a floppy image of 1.2, 1.44 or 2.88 MB), 0 not: the image is
// then made without a boot record, which the log and a ShowInfo box say,
// with the reason.
int iso_set_boot_image(const char* path);
// Creates (or empties) the output image file: 1 created, 0 not.
int iso_create_output(const char* path);
// Builds and writes the image; returns 1 whatever the outcome.
int iso_build_image();
// Closes the output image when one is open: 1, or 0 when the close itself
// failed (data the writes had taken was lost); a finished image is then
// deleted and iso_last_build_result becomes 0.
int iso_close_output();

// What the last iso_build_image achieved, for callers that want more than
// the log: 1 the image was written completely; 0 it was cancelled, refused
// or stopped by an error. An image written in part is deleted; an output
// file the build never wrote to stays, empty, for the caller. A source file
// that cannot be read in full while the image is written (it vanished,
// shrank or a read failed) stops the build with a message naming it.
int iso_last_build_result();

// Entries that the scans since iso_new_image left out of the image, so
// that the caller can tell the user once, after the build: names whose
// path is 260 characters or longer, sources that cannot be examined or
// read, folders that cannot be listed (or only in part: the rest of such a
// folder counts as one), a folder met again inside itself through a link
// or junction (a folder loop), a second name differing only in case, a
// name holding a control character, on Windows a name ending in a dot or a
// blank (a path to it would open another name), files of 4 GiB or more.
// Each is also in the log; unreadable sources and files too large were
// shown with ShowError as they were met.
// The count is reset by iso_new_image and stays readable after the build.
enum { kIsoLeftOutPathsKept = 5 };
int iso_left_out_count();
// The path of the index-th entry left out (0 = the first met), for index
// below both the count and kIsoLeftOutPathsKept; else null. The text lives
// in the engine until the next iso_new_image.
const char* iso_left_out_path(int index);
