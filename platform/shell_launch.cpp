#include "platform/shell_launch.h"

#include <cctype>
#include <cstring>

// The system's own answer: the Win32 calls, or nothing natively.
bool SystemShellStart(const ShellStartRequest& request);

static ShellStartHandler g_shellStartHandler = nullptr;

ShellStartHandler SetShellStartHandler(ShellStartHandler handler) {
  ShellStartHandler before = g_shellStartHandler;
  g_shellStartHandler = handler;
  return before;
}

static bool Start(const ShellStartRequest& request) {
  if (!request.file || !request.file[0]) return false;
  if (g_shellStartHandler) return g_shellStartHandler(request);
  return SystemShellStart(request);
}

bool ShellOpen(const char* file) {
  ShellStartRequest request = {kShellOpen, nullptr, nullptr, file, nullptr, kShowNormal};
  return Start(request);
}

bool ShellRunAs(void* owner, const char* file, const char* parameters) {
  ShellStartRequest request = {kShellRunAs, owner, "runas", file, parameters, kShowNormal};
  return Start(request);
}

bool StartCommandLine(const char* commandLine) {
  ShellStartRequest request = {kStartCommand, nullptr, nullptr, commandLine, nullptr, kShow};
  return Start(request);
}

static bool StartsWithNoCase(const char* text, const char* prefix) {
  for (; *prefix; ++text, ++prefix) {
    if (tolower((unsigned char)*text) != *prefix) return false;
  }
  return true;
}

bool IsWebAddress(const char* address) {
  if (!address) return false;
  size_t prefix = 0;
  if (StartsWithNoCase(address, "http://")) {
    prefix = strlen("http://");
  } else if (StartsWithNoCase(address, "https://")) {
    prefix = strlen("https://");
  } else {
    return false;
  }
  return address[prefix] != '\0';
}

bool OpenWebAddress(const char* address) {
  if (!IsWebAddress(address)) return false;
  return ShellOpen(address);
}
