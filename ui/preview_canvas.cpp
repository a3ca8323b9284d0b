#include "ui/preview_canvas.h"

#include "menu/document.h"
#include "ui/preview_painter.h"

PreviewCanvas::~PreviewCanvas() { Release(); }

void PreviewCanvas::Release() {
  if (memoryDc_ != nullptr) {
    if (oldBitmap_ != nullptr) SelectObject(memoryDc_, oldBitmap_);
    DeleteDC(memoryDc_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  memoryDc_ = nullptr;
  bitmap_ = nullptr;
  oldBitmap_ = nullptr;
  surface_ = PixelSurface{nullptr, 0, 0};
}

// A top-down 32-bit DIB section selected into a memory device context.
bool PreviewCanvas::MakeSurface(int32_t width, int32_t height) {
  if (bitmap_ != nullptr && surface_.width == width && surface_.height == height) return true;
  Release();
  bitmap_ = CreatePixelSurface(width, height, &surface_);
  memoryDc_ = CreateCompatibleDC(nullptr);
  if (bitmap_ == nullptr || memoryDc_ == nullptr) {
    Release();
    return false;
  }
  oldBitmap_ = SelectObject(memoryDc_, bitmap_);
  return true;
}

void PreviewCanvas::Paint(HDC target, const BackImage& back) {
  frame_.ForgetFocusRect();
  const ScreenSize& screen = TheDocument.MenuScreenSize;
  if (MakeSurface(screen.width, screen.height)) {
    DrawPreviewPicture(memoryDc_, back, &surface_);
    BitBlt(target, 0, 0, screen.width, screen.height, memoryDc_, 0, 0, SRCCOPY);
  } else {
    DrawPreviewPicture(target, back, nullptr);
  }
  frame_.ShowCurrentItemFocus(target);
}
