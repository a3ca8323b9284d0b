#pragma once
// The system's list of drive roots and the kind of each drive, for the
// floppy reader's drive list. Win32: GetLogicalDriveStringsA and
// GetDriveTypeA. Natively the system has no drive letters: the list is
// empty. Tests install their own answers with SetLogicalDriveSource.

// GetDriveTypeA's answer for a removable drive (floppy, USB stick, ...).
const unsigned kDriveRemovable = 2;

struct LogicalDriveSource {
  // Fills buffer (size bytes) with NUL-separated roots such as "A:\",
  // ended by an empty string; returns the characters stored without the
  // final NUL, or the size needed when the buffer is too small, 0 on error.
  unsigned (*getLogicalDriveStrings)(unsigned size, char* buffer);
  // The drive kind of a root ("A:\"), GetDriveTypeA's value.
  unsigned (*getDriveType)(const char* root);
};

unsigned GetLogicalDriveRoots(unsigned size, char* buffer);
unsigned GetDriveKind(const char* root);

// Installs a source; null restores the system's. Returns the one before.
const LogicalDriveSource* SetLogicalDriveSource(const LogicalDriveSource* source);

// The system's own answers (one implementation per platform).
unsigned SystemLogicalDriveStrings(unsigned size, char* buffer);
unsigned SystemDriveType(const char* root);
