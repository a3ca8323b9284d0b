#pragma once
// The background picture of the preview: the bitmap that loaded last from
// the document's background file. It stays until another one loads; a
// failed load or a cleared BackImageOn does not remove it.
#include <windows.h>

#include <cstdint>

struct BackImage {
  HBITMAP bitmap;  // null until a bitmap loads
  int32_t width;   // the bitmap's own size
  int32_t height;
};

// MenuFileDir "\" BackImageName: rebuilds a missing bitmap from the
// converted file of the ColorMode, checks it (256 colours: converted in
// place to a plain 8-bit bitmap; 16 colours: 4 bits at the screen size)
// and loads it into image. When the file is missing or refused, and
// BackImageOn is set, one message box says why (owner: the main window,
// caption "Prompt"); the picture already in image stays. Does not repaint.
void LoadBackImage(BackImage& image);

// Copies the picture to (0, 0) of dc, at most width x height pixels and
// never more than the picture holds.
void CopyBackImage(HDC dc, const BackImage& image, int32_t width, int32_t height);

// Deletes the bitmap; image is empty afterwards.
void ReleaseBackImage(BackImage& image);
