#pragma once
// What the preview window owns to show the boot screen: an off-screen
// picture at the menu screen size and the selection frame on the window.
// Each paint draws the whole picture off screen and copies it to the
// window at once (no flicker, the per-pixel colour swap works in memory);
// the XOR frame is drawn on the window after the copy.
//
// The window's part:
// - paint (WM_PAINT, after BeginPaint): Paint with a device context of the
//   whole client area, so that the copy and the new frame are not clipped
//   to the invalid region (a GetDC of the window, or the paint DC after the
//   whole client area was invalidated); WM_ERASEBKGND needs no erase;
// - document changed (RepaintPreview), resolution changed (after the
//   window's relayout): invalidate and update the window; the picture
//   follows MenuScreenSize at the next paint;
// - selection changed: Frame().ShowCurrentItemFocus; while editing:
//   Frame().EraseFocusRect and Frame().DrawSelectionFrame, each with a
//   device context of the window (GetDC / ReleaseDC).
#include <windows.h>

#include <cstdint>

#include "ui/back_image.h"
#include "ui/colour_swap.h"
#include "ui/selection_frame.h"

class PreviewCanvas {
 public:
  PreviewCanvas() = default;
  ~PreviewCanvas();
  PreviewCanvas(const PreviewCanvas&) = delete;
  PreviewCanvas& operator=(const PreviewCanvas&) = delete;

  // Paints the preview on target: forgets the frame (the copy covers it),
  // draws the picture off screen, copies it to (0, 0) of target and draws
  // the frame of the current item. Without memory for the off-screen
  // picture it paints straight on target, pixel by pixel where it must.
  void Paint(HDC target, const BackImage& back);

  SelectionFrame& Frame() { return frame_; }

  // Frees the off-screen picture (made again by the next paint).
  void Release();

 private:
  bool MakeSurface(int32_t width, int32_t height);

  HDC memoryDc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  PixelSurface surface_ = {nullptr, 0, 0};
  SelectionFrame frame_;
};
