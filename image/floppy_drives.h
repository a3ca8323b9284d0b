#pragma once
// The floppy reader's list of drives and its default output name.
#include <cstddef>

enum { kMaxFloppyDrives = 26 };

struct FloppyDriveList {
  int count;
  char names[kMaxFloppyDrives][4];  // "A:", "B:", ...
};

// Shown through ShowError when the list is empty (a fixed text).
extern const char kNoFloppyDriveText[];

// Lists every removable drive (floppy drives, but also USB sticks and card
// readers) as "%c:" in the order the system names the roots, a lower-case
// letter turned to upper case. Returns the count.
int ListRemovableDrives(FloppyDriveList* list);

// The default output "<menuDir>\boot.img" into out (size bytes); false,
// with out emptied, when it does not fit.
bool MakeFloppyOutputName(char* out, size_t size, const char* menuDir);
