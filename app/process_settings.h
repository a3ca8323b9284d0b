#pragma once
// Process-wide settings taken once at start-up: the command-line menu file,
// the start and program folders, the home-page address and the screen's
// pixels per inch. The language in force lives in TheLanguage (language.h).

struct ProcessSettings {
  char startupMenuPath[260];   // menu file named on the command line, or ""
  char startDir[1025];         // folder current at start, no trailing backslash
  char homeDir[260];           // program folder: holds lang\, resource\, ...
  const char* homePageLink;    // address the home-page command opens
  int screenPixelsPerInch;     // taken once at start, 96 by default
};

extern ProcessSettings TheProcessSettings;

// The program folder (TheProcessSettings.homeDir); never null.
const char* GetHomeDir();
