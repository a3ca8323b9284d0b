#pragma once
// Hands a finished image to Plexidor, the separate disc-image editor: finds
// its program file, checks its file version, and starts it to burn the
// image or to write it to a USB disk, with administrator rights when user
// account control would keep it from reading the disks. When no suitable
// Plexidor is found, the user is offered its download page.
//
// Programs start through the shell seam (platform/shell_launch.h), the
// version texts come from platform/system_version.h, the disk queries from
// platform/disk_queries.h and the questions go through the message-box seam.

// The version each job needs.
enum {
  kBurnEditorMajor = 8, kBurnEditorMinor = 6,
  kUsbEditorMajor = 9, kUsbEditorMinor = 5,
};

// The burn item of the main window's burn menu: hands the image
// "<isoFileDir>\<isoFileName>" to Plexidor 8.6 or later with -burnto.
// An image that does not exist is not handed over: a message says so.
// owner is the window that owns the download question and that message.
void BurnImageWithEditor(void* owner, const char* isoFileDir, const char* isoFileName);

// The USB item: hands the image to Plexidor 9.5 or later with -writeusb,
// through the "runas" verb when user account control is on and the disks
// cannot be read without it.
void WriteImageToUsbWithEditor(void* owner, const char* isoFileDir, const char* isoFileName);

// Searches Plexidor's program file: the folder named by Plexidor's settings
// key, the two program-files folders, the start folder, the program folder.
// The first that exists is kept (EditorExePath); false when none exists.
bool FindImageEditor();

// The path kept by the last FindImageEditor; "" when none was found.
const char* EditorExePath();

// True when the file's version resource says at least major.minor.
bool CheckFileVersion(const char* path, int major, int minor);

// True when a "FileVersion" text says at least major.minor: its leading
// number, then the number after its first dot or comma ("9.5", "9, 5, 0, 0").
// A text without a minor part ("9") meets major.minor only above major.
bool FileVersionAtLeast(const char* versionText, int major, int minor);

// True on Windows Vista and later (major version above 5) when the
// system's EnableLUA policy value is 1.
bool IsUacEnabled();

// True when the first usable physical disk (that of the first fixed or
// removable drive other than A and B whose disk can be told) cannot be
// opened for reading, or when no such disk is found.
bool NeedsElevation();
