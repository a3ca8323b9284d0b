#pragma once
// The new-image maker: a FAT12 floppy image of a chosen size from a
// bootable seed image.
#include <cstddef>

// The items of the size combo, in order; the initial text is "2880".
extern const char* const kNewImageSizeItems[];
enum { kNewImageSizeItemCount = 16 };
extern const char kNewImageInitialSize[];

// Outcomes of CreateNewImage. ShowNewImageResult turns each into its message.
enum NewImageResult {
  kNewImageDone,           // 18045 "Image file created OK!"
  kNewImageSizeNotNumber,  // "Image size '%s' is not a number!" (the size text)
  kNewImageTooLarge,       // 18041 "Image size excceds 46080KB!"
  kNewImageTooSmall,       // "Image size must be at least 17KB!"
  kNewImageSeedOpenError,  // 18042 "Seed image open error!"
  kNewImageUnknownSeed,    // 18043 "Unknown seed image format!"
  kNewImageOutputIsSeed,   // "The output image must not be the seed image!"
  kNewImageCreateError,    // 18044 "Image file create error!"
  kNewImageNoMemory,       // 18032 "Memory Allocation Error!"
  kNewImageWriteError,     // "Image file write error!"
  kNewImageNotOverwritten, // the user answered No to 18023: no message
};

// The size text as a whole decimal number of KB (blanks around it and a
// sign allowed). False for anything else; a number too long for an int
// gives INT_MAX, which the size check then refuses as too large.
bool ParseImageSize(const char* text, int* sizeKb);

// The output name that every change of the size text sets:
// "<menuDir>\<sizeText>.img". False, with out emptied, when it does not fit.
bool MakeNewImageOutputName(char* out, size_t size, const char* menuDir, const char* sizeText);

// The whole creation: checks the size (17 to 46080 KB), reads the seed's
// boot sector (a floppy image, or the active FAT12/FAT16 partition of a
// hard-disk image), refuses a seed whose boot code would be overwritten and
// an output that is the seed itself; when the output exists, asks 18023
// "File '%s' Exist,Overwrite?" through AskYesNo (No: nothing is written).
// Then writes the image to a temporary file beside outputPath and moves it
// over outputPath. A failed write removes the temporary file and leaves an
// existing output as it was. The seed is only read.
NewImageResult CreateNewImage(const char* sizeText, const char* seedPath, const char* outputPath);

// Shows the message of a result through ShowInfo.
void ShowNewImageResult(NewImageResult result, const char* sizeText);
