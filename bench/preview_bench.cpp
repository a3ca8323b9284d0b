// Speed of the preview under Wine: the full repaint of a full menu at
// 1024 x 768 in a real window (median of 50), the same picture drawn
// pixel by pixel straight on the window for comparison, and one move step
// of the selection frame (erase, then draw one pixel further).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "menu/document.h"
#include "menu/document_view.h"
#include "tests/ui/preview_full_menu.h"
#include "ui/preview_canvas.h"
#include "ui/preview_painter.h"

namespace {

class BenchView : public DocumentView {
 public:
  int CurrentList() override { return kMenuList; }
};

PreviewCanvas* g_canvas = nullptr;
BackImage g_back = {nullptr, 0, 0};

LRESULT CALLBACK BenchWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the paint covers everything
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(hwnd, &paint);
      g_canvas->Paint(paint.hdc, g_back);
      EndPaint(hwnd, &paint);
      return 0;
    }
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

double Now() {
  static LARGE_INTEGER frequency = {};
  if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return (double)counter.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

}  // namespace

int main(int argc, char** argv) {
  const int paints = argc > 1 ? atoi(argv[1]) : 50;
  BenchView view;
  SetDocumentView(&view);
  BuildFullMenu();
  g_back = MakeFullMenuBackground();
  PreviewCanvas canvas;
  g_canvas = &canvas;

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = BenchWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TwPreviewBench";
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  RegisterClassA(&windowClass);
  HWND hwnd = CreateWindowExA(0, "TwPreviewBench", "preview bench", WS_POPUP | WS_VISIBLE, 0, 0,
                              1024, 768, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (hwnd == nullptr) {
    fprintf(stderr, "preview_bench: no window\n");
    return 1;
  }
  PumpMessages();
  // Full repaints through the window's paint message; the pumping between
  // them lets Wine hand the window's picture to the X server.
  std::vector<double> repaint;
  double pumped = 0;
  for (int i = 0; i < paints + 5; ++i) {
    const double start = Now();
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    GdiFlush();
    const double painted = Now();
    PumpMessages();
    if (i >= 5) {
      repaint.push_back(painted - start);
      pumped += Now() - start;
    }
  }

  // One GetPixel and SetPixel pair on the window, over a 312 x 16 entry.
  double pairMicroseconds = 0;
  {
    HDC window = GetDC(hwnd);
    const double start = Now();
    for (int y = 40; y < 56; ++y) {
      for (int x = 0; x < 312; ++x) SetPixel(window, x, y, GetPixel(window, x, y) ^ 0x010101);
    }
    GdiFlush();
    pairMicroseconds = (Now() - start) * 1000.0 / (312 * 16);
    ReleaseDC(hwnd, window);
  }

  // The parts of one repaint: drawing off screen, then the copy.
  std::vector<double> drawing, copy;
  {
    HDC memory = CreateCompatibleDC(nullptr);
    PixelSurface surface;
    HBITMAP bitmap = CreatePixelSurface(1024, 768, &surface);
    HGDIOBJ before = SelectObject(memory, bitmap);
    for (int i = 0; i < paints; ++i) {
      double start = Now();
      DrawPreviewPicture(memory, g_back, &surface);
      GdiFlush();
      drawing.push_back(Now() - start);
      HDC window = GetDC(hwnd);
      start = Now();
      BitBlt(window, 0, 0, 1024, 768, memory, 0, 0, SRCCOPY);
      GdiFlush();
      copy.push_back(Now() - start);
      ReleaseDC(hwnd, window);
    }
    SelectObject(memory, before);
    DeleteObject(bitmap);
    DeleteDC(memory);
  }

  // The old way for comparison: straight on the window, pixel by pixel.
  std::vector<double> perPixel;
  for (int i = 0; i < 5; ++i) {
    HDC window = GetDC(hwnd);
    const double start = Now();
    DrawPreviewPicture(window, g_back, nullptr);
    GdiFlush();
    perPixel.push_back(Now() - start);
    ReleaseDC(hwnd, window);
    PumpMessages();
  }

  // Move steps of a 312 x 16 frame and of a frame around most of the screen.
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  std::vector<double> smallStep, largeStep;
  for (int size = 0; size < 2; ++size) {
    std::vector<double>& steps = size == 0 ? smallStep : largeStep;
    DrawingRect rect = size == 0 ? DrawingRect{100, 50, 412, 66} : DrawingRect{10, 10, 1010, 750};
    for (int i = 0; i < 200; ++i) {
      HDC window = GetDC(hwnd);
      const double start = Now();
      canvas.Frame().EraseFocusRect(window);
      rect.left += 1;
      rect.right += 1;
      canvas.Frame().DrawSelectionFrame(window, rect);
      GdiFlush();
      steps.push_back(Now() - start);
      ReleaseDC(hwnd, window);
    }
    canvas.Frame().EraseFocusRect(GetDC(hwnd));
  }

  printf("preview at 1024 x 768: 36 boxes (edge 3), 50 lines, 36 entries (12 image text), countdown, progress bar\n");
  printf("full repaint, median of %d:          %7.2f ms  (target 16 ms)\n", paints, Median(repaint));
  printf("  with Wine's hand-over to X, mean: %7.2f ms\n", pumped / paints);
  printf("  drawing off screen, median:        %7.2f ms\n", Median(drawing));
  printf("  copy to the window, median:        %7.2f ms\n", Median(copy));
  printf("straight on the window, per pixel:   %7.2f ms  (median of 5, for comparison)\n", Median(perPixel));
  printf("GetPixel + SetPixel on the window:   %7.3f us a pair\n", pairMicroseconds);
  printf("frame move step 312 x 16, median:    %7.3f ms  (target 1 ms)\n", Median(smallStep));
  printf("frame move step 1000 x 740, median:  %7.3f ms\n", Median(largeStep));
  DestroyWindow(hwnd);
  ReleaseBackImage(g_back);
  return 0;
}
