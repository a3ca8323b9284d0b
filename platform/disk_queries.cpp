#include "platform/disk_queries.h"

// The platform's own queries (disk_queries_win32.cpp or _posix.cpp).
const DiskQueries& SystemDiskQueries();

static const DiskQueries* g_diskQueries = nullptr;

const DiskQueries& TheDiskQueries() { return g_diskQueries ? *g_diskQueries : SystemDiskQueries(); }

const DiskQueries* SetDiskQueries(const DiskQueries* queries) {
  const DiskQueries* before = g_diskQueries;
  g_diskQueries = queries;
  return before;
}
