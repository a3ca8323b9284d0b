#pragma once
// The one-line description of the running Windows that the About page
// shows, such as "Windows XP v5.1 Build 2600".
#include <cstddef>

// The three things the text is made from. Tests install their own answers
// with SetWindowsVersionSource; the default asks the system.
struct WindowsVersionSource {
  unsigned (*getVersion)();  // GetVersion's packed word
  // Major, minor and build from the registry; 1 when both values were read.
  int (*getNtCurrentVersion)(unsigned& major, unsigned& minor, unsigned& build);
  // Major and minor from the kernel library's file version; unchanged when
  // the file or its version resource is missing.
  void (*getKernel32Version)(unsigned& major, unsigned& minor);
};

// Writes the text into buffer (size bytes, cut to fit).
void GetWindowsVersionText(char* buffer, size_t size);

// The system's own answers, used when no other source is installed.
int GetNtCurrentVersion(unsigned& major, unsigned& minor, unsigned& build);
void GetKernel32Version(unsigned& major, unsigned& minor);

// Parses a "FileVersion" text: major = its leading number; minor = the
// number after the first dot, when there is a dot.
void ParseFileVersionText(const char* text, unsigned& major, unsigned& minor);

// Installs a source; null restores the system's. Returns the one before.
const WindowsVersionSource* SetWindowsVersionSource(const WindowsVersionSource* source);
