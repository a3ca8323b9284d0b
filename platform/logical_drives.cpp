#include "platform/logical_drives.h"

static const LogicalDriveSource kSystemSource = {SystemLogicalDriveStrings, SystemDriveType};
static const LogicalDriveSource* g_source = nullptr;

static const LogicalDriveSource& Source() { return g_source ? *g_source : kSystemSource; }

const LogicalDriveSource* SetLogicalDriveSource(const LogicalDriveSource* source) {
  const LogicalDriveSource* before = g_source;
  g_source = source;
  return before;
}

unsigned GetLogicalDriveRoots(unsigned size, char* buffer) {
  return Source().getLogicalDriveStrings(size, buffer);
}

unsigned GetDriveKind(const char* root) { return Source().getDriveType(root); }
