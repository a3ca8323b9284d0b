#include "app/engine_log.h"

#include "platform/files.h"

EngineLog TheEngineLog = {nullptr, ""};

void OpenEngineLog(const char* workDir) {
  CloseEngineLog();
  if (!JoinPath(TheEngineLog.path, sizeof TheEngineLog.path, workDir, "plexidor.log")) return;
  // Text mode, created or emptied, readable and writable.
  TheEngineLog.file = fopen(TheEngineLog.path, "w+t");
}

void LogMessage(const char* text) {
  if (TheEngineLog.file) fprintf(TheEngineLog.file, "%s\n", text);
}

void CloseEngineLog() {
  if (TheEngineLog.file) {
    fclose(TheEngineLog.file);
    TheEngineLog.file = nullptr;
  }
}
