#pragma once
// The Win32 side of the folder listing (Win32 builds only), for the tests
// that stand in for the system's listing call.
#include <windows.h>

#include "platform/dir_list.h"

// IO_STATUS_BLOCK.
struct IoStatus {
  union {
    LONG status;
    void* pointer;
  };
  ULONG_PTR information;  // bytes of records filled in
};
static_assert(sizeof(IoStatus) == 2 * sizeof(void*), "IO_STATUS_BLOCK is two pointers wide");
// NtQueryDirectoryFile (handle, event, routine, context, status, buffer,
// buffer size, information class, single entry, file name, restart).
typedef LONG(WINAPI* QueryDirectoryFile)(HANDLE, HANDLE, void*, void*, IoStatus*, void*, ULONG, int, BOOLEAN, void*,
                                         BOOLEAN);

// Makes the NT family's listing read a folder's records with query in
// place of ntdll's NtQueryDirectoryFile; null: ntdll's again.
void SetDirectoryQuery(QueryDirectoryFile query);
