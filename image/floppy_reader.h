#pragma once
// The floppy reader: copies a whole disk, sector for sector, into a raw
// image file, with the progress window and its Stop button.

// Outcomes of ReadFloppyImage. ShowFloppyReadResult turns each into its
// message (or none).
enum FloppyReadResult {
  kFloppyReadDone,           // 18029 "Floppy Image OK!"
  kFloppyReadNothingToDo,    // no drive or no output name: no message
  kFloppyReadOpenError,      // 18027 "Floppy drive %s error!" (drive)
  kFloppyReadReadError,      // 18028 "Floppy drive %s read error!" (drive)
  kFloppyReadBadGeometry,    // 18028 as well: the boot sector gives no usable geometry
  kFloppyReadTooLarge,       // a disk of 32 MB or more (the 16-bit total is 0): "... is too large ..." (drive)
  kFloppyReadNotOverwritten, // the user answered No to 18023: no message
  kFloppyReadCreateError,    // 18020 "File '%s' Create Error!" (output path)
  kFloppyReadNoMemory,       // 18032 "Memory Allocation Error!"
  kFloppyReadWriteError,     // "File '%s' Write Error!" (output path)
  kFloppyReadKept,           // the output could not be replaced: the image is kept beside it (keptPath)
  kFloppyReadCancelled,      // Stop was pressed: no message
};

// Output paths longer than this are refused with kFloppyReadCreateError.
enum { kMaxFloppyOutputPath = 259 };

// Reads the disk in driveText ("A:") into outputPath. devicePath chooses
// the drive's device path (Windows 2000 and later, IsWin2000OrLater) over
// the VWIN32 INT 13h service. Order: open the drive; read the boot sector,
// refuse a disk of 32 MB or more and check its geometry; when the output
// exists, ask 18023 through AskYesNo; read cylinder by cylinder, head by
// head, into a temporary file beside the output, with StartProgress,
// UpdateProgress per cylinder (cylinders read / cylinders) and
// CloseProgress; the output is replaced only when every read, write and the
// close succeeded. A failure or Stop removes the temporary file and leaves
// an existing output as it was. A disk read whole is never thrown away:
// when the output cannot be replaced (open in another program), the image
// is kept under a name of its own that no later job removes (KeepWorkFile),
// which goes into keptPath (kStagedPathSize bytes; may be null). The caller
// shows the hourglass cursor around the call.
FloppyReadResult ReadFloppyImage(const char* driveText, const char* outputPath, bool devicePath, char* keptPath);

// Shows the message of a result through ShowInfo (none for the silent ones);
// keptPath is the one ReadFloppyImage filled.
void ShowFloppyReadResult(FloppyReadResult result, const char* driveText, const char* outputPath,
                          const char* keptPath);
