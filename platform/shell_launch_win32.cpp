// Program starts and shell opens through the Win32 shell and WinExec.
#include "platform/shell_launch.h"

#include "platform/shell_launch_win32.h"

void FillRunAsInfo(SHELLEXECUTEINFOA* info, const ShellStartRequest& request) {
  ZeroMemory(info, sizeof *info);
  info->cbSize = sizeof *info;
  info->fMask = 0;
  info->hwnd = (HWND)request.owner;
  info->lpVerb = request.verb;
  info->lpFile = request.file;
  info->lpParameters = request.parameters;
  info->lpDirectory = nullptr;
  info->nShow = request.showCommand;
}

bool SystemShellStart(const ShellStartRequest& request) {
  switch (request.kind) {
    case kShellOpen: {
      // ShellExecuteA reports success with a value above 32.
      HINSTANCE result = ShellExecuteA(nullptr, request.verb, request.file, request.parameters,
                                       nullptr, request.showCommand);
      return (INT_PTR)result > 32;
    }
    case kShellRunAs: {
      SHELLEXECUTEINFOA info;
      FillRunAsInfo(&info, request);
      return ShellExecuteExA(&info) != FALSE;
    }
    case kStartCommand:
      // WinExec reports success with a value above 31.
      return WinExec(request.file, (UINT)request.showCommand) > 31;
  }
  return false;
}
