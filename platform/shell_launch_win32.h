#pragma once
// The Win32 side of the shell seam (Win32 builds only), shared with the
// tests that check it and that pass requests on to the system.
#include <windows.h>
#include <shellapi.h>

#include "platform/shell_launch.h"

// Fills the structure that ShellExecuteExA takes for a "runas" start.
// cbSize is the size of the structure of this build (60 bytes on 32-bit
// Windows, 112 on 64-bit): the shell refuses or misreads any other.
void FillRunAsInfo(SHELLEXECUTEINFOA* info, const ShellStartRequest& request);

// Carries out a request with ShellExecuteA, ShellExecuteExA or WinExec.
bool SystemShellStart(const ShellStartRequest& request);
