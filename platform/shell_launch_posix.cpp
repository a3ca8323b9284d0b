// Natively nothing is started: the request goes to standard error and
// counts as failed.
#include <cstdio>

#include "platform/shell_launch.h"

bool SystemShellStart(const ShellStartRequest& request) {
  fprintf(stderr, "[shell] %s %s\n", request.file, request.parameters ? request.parameters : "");
  return false;
}
