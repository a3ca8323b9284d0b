#pragma once
// What the system says about its own version: the packed version word of
// GetVersion and the "FileVersion" text of a file's version resource.
// Tests install their own answers with SetSystemVersionSource.
#include <cstddef>

// GetVersion's word: low byte major, second byte minor, high 16 bits the
// build, top bit set on the 9x family. Natively 0.
unsigned GetSystemVersionWord();

// The "\StringFileInfo\<language><code page>\FileVersion" text of the
// file's first translation into out (size bytes). False when the file has
// no version resource or the text does not fit.
bool GetFileVersionText(const char* path, char* out, size_t size);

// The two answers in place of the system's, for tests; a null member
// leaves that answer to the system.
struct SystemVersionSource {
  unsigned (*versionWord)();
  bool (*fileVersionText)(const char* path, char* out, size_t size);
};

// Installs a source; null restores the system's. Returns the one before.
const SystemVersionSource* SetSystemVersionSource(const SystemVersionSource* source);
