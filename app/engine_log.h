#pragma once
// The image engine's log "plexidor.log": one Make-ISO run's results and
// diagnostics, in the engine's work folder.
#include <cstdio>

struct EngineLog {
  FILE* file;      // null when no log is open
  char path[260];  // the log opened last ("" before); kept after the close,
                   // so that the Make-ISO dialog can name it
};

// The log of the running build; outside a run nothing is open.
extern EngineLog TheEngineLog;

// Opens (creates or empties) "<workDir>\plexidor.log". A log that cannot be
// opened is not an error: its lines are then dropped.
void OpenEngineLog(const char* workDir);
// Writes the text and one newline when the log is open.
void LogMessage(const char* text);
void CloseEngineLog();
