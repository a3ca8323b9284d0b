#pragma once
// Keeping a window reachable on the desktop. Window-free arithmetic.

// The desktop in screen pixels: left..right-1, top..bottom-1.
struct DesktopArea {
  int left, top, right, bottom;
};

// At least this much of a title bar's width (the whole of a narrower one)
// stays on the desktop, enough to grab it with the mouse.
enum { kReachableTitleWidth = 100 };

// Moves a window's place (left, top) the least that puts its title bar (the
// band of titleHeight pixels at the top of a window width pixels wide)
// wholly inside the desktop's height and at least kReachableTitleWidth of
// it inside its width. A place that already keeps the title bar reachable
// stays as it is, also when the rest of the window lies off the desktop.
inline void KeepTitleBarOnDesktop(const DesktopArea& desktop, int width, int titleHeight, int* left, int* top) {
  const int reachable = width < kReachableTitleWidth ? width : kReachableTitleWidth;
  const int lowestLeft = desktop.left - width + reachable;
  const int highestLeft = desktop.right - reachable;
  if (*left > highestLeft) *left = highestLeft;
  if (*left < lowestLeft) *left = lowestLeft;
  const int highestTop = desktop.bottom - titleHeight;
  if (*top > highestTop) *top = highestTop;
  if (*top < desktop.top) *top = desktop.top;
}
