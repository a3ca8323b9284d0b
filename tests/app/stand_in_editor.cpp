// A stand-in for the disc-image editor: writes the command line it was
// started with into "command-line.txt" beside its own program file, then
// ends. The text is written under another name first and renamed, so a
// test that waits for the file never reads half of it.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char folder[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, folder, sizeof folder);
  if (length == 0 || length >= sizeof folder) return 1;
  char* backslash = strrchr(folder, '\\');
  if (!backslash) return 1;
  *backslash = '\0';
  char partPath[MAX_PATH + 32];
  char logPath[MAX_PATH + 32];
  snprintf(partPath, sizeof partPath, "%s\\command-line.part", folder);
  snprintf(logPath, sizeof logPath, "%s\\command-line.txt", folder);
  FILE* log = fopen(partPath, "wb");
  if (!log) return 1;
  fputs(GetCommandLineA(), log);
  if (fclose(log) != 0) return 1;
  return MoveFileA(partPath, logPath) ? 0 : 1;
}
