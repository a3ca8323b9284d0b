#pragma once
// Rebuilding a missing background bitmap from the converted file of the
// colour mode, so that the preview can show it again.

// From "<name>.BM1": a marked plain 8-bit bitmap, palette components times
// 4. 0 without doing anything when the bitmap exists.
int RestoreBitmapFromBM1(const char* path);
// From "<name>.B15": a marked 16-bit (5-5-5) bitmap, bottom row first.
int RestoreBackgroundFrom15Bit(const char* path);
// From "<name>.BM3": a marked 24-bit bitmap, bottom row first.
int RestoreBackgroundFrom24Bit(const char* path);

// The restorer of the document's ColorMode (none in 16-colour mode). A
// rebuilt bitmap takes the modification time of its converted file; a
// failed one is removed again.
void RestoreBootImage(const char* path);
