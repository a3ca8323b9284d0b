#pragma once
// The painter of the preview: the boot screen as the boot loader draws it,
// from the menu document (TheDocument), in its pixel positions. It draws on
// any device context, so the preview window's off-screen picture, the
// window itself and a test's memory picture get the same pixels.
#include <windows.h>

#include "ui/back_image.h"
#include "ui/colour_swap.h"

// The colour the preview window shows where nothing is drawn: the window's
// own background (the system's button-text colour).
COLORREF PreviewFormColor();

// Draws, in this order, every layout box, menu entry and text line, the
// countdown and the progress bar, in PreviewFont (made when missing). The
// colour swap of image-text entries works in surface's memory when dc has
// that DIB section selected, else pixel by pixel through dc. The device
// context's font, colours and background mode are restored.
void PaintMenuPreview(HDC dc, PixelSurface* surface);

// The whole picture at the menu screen size: the form colour, the
// background bitmap (when BackImageOn is set and one is loaded), then
// PaintMenuPreview.
void DrawPreviewPicture(HDC dc, const BackImage& back, PixelSurface* surface);
