#pragma once
// Our own container windows: panels, group boxes, page controls (a tab
// strip with its sheets) and tab sheets. They paint and lay out themselves
// and hand what concerns the form (commands, notifications, owner drawing,
// a panel's click) to the form kept in their user data.
#include <windows.h>

enum ContainerKind {
  kKindPanel = 1,
  kKindGroupBox = 2,
  kKindPageControl = 3,
  kKindTabSheet = 4,
};

// Frame flags of a panel, or-ed to its kind.
enum { kKindSunken = 0x100, kKindBorder = 0x200 };

bool RegisterContainerClass(HINSTANCE instance);

// Creates a container of a kind (with frame flags) as the child `id` of
// parent; a page control gets its tab strip, a tab sheet becomes the next
// page of its parent page control. Null when the window cannot be made.
HWND CreateContainer(int kind, const char* caption, DWORD style, int left, int top, int width,
                     int height, HWND parent, int id, void* form);
