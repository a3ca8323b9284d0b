#pragma once
// The one seam through which the program starts other programs and opens
// documents and web pages: ShellExecuteA with the default verb, ShellExecuteExA
// with the "runas" verb (start with administrator rights) and WinExec.
// Tests install a handler that records each request and answers it, so no
// test starts a program or a browser unless it means to.

enum ShellStartKind {
  kShellOpen,     // ShellExecuteA: no owner, default verb, no folder
  kShellRunAs,    // ShellExecuteExA: owner, verb "runas", no folder
  kStartCommand,  // WinExec of a whole command line
};

// Show commands, the Win32 SW_ values.
enum { kShowNormal = 1, kShow = 5 };

struct ShellStartRequest {
  ShellStartKind kind;
  void* owner;             // owner window of kShellRunAs, else null
  const char* verb;        // null for the default verb, or "runas"
  const char* file;        // document or program; the command line for kStartCommand
  const char* parameters;  // null when none
  int showCommand;         // kShowNormal or kShow
};

// Answers a request in place of the system: true when it counts as started.
typedef bool (*ShellStartHandler)(const ShellStartRequest& request);

// Opens a document, a program or an address with the shell's default verb
// (ShellExecuteA, SW_SHOWNORMAL). True when the shell reports success.
bool ShellOpen(const char* file);

// Starts a program with administrator rights (ShellExecuteExA, verb
// "runas", SW_SHOWNORMAL) with the given parameters. True on success.
bool ShellRunAs(void* owner, const char* file, const char* parameters);

// Starts a command line: the program, in double quotes when its path may
// hold blanks, then its arguments (WinExec, SW_SHOW). True on success.
bool StartCommandLine(const char* commandLine);

// True when the text is a web address: it begins with "http://" or
// "https://" in any letter case and names something after that.
bool IsWebAddress(const char* address);

// Opens a web address in the default browser through ShellOpen. Anything
// else (a stored path, a program name, another scheme) is not handed to
// the shell, since the shell would run it; returns false then.
bool OpenWebAddress(const char* address);

// Installs a handler in place of the system; null restores the system.
// Returns the handler installed before.
ShellStartHandler SetShellStartHandler(ShellStartHandler handler);
