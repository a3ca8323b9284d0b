#pragma once
// The question the image engine asks before it writes an image of 4 GB or
// more to a FAT volume (through image/progress_seam.h): 18061, owned by the
// main window, Yes and No with No as the default. True on Yes.
bool AskFat32Overflow();
