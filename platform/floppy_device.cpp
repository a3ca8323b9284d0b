#include "platform/floppy_device.h"

static const FloppyDeviceAccess* g_access = nullptr;

static const FloppyDeviceAccess& Access() { return g_access ? *g_access : kSystemFloppyDeviceAccess; }

const FloppyDeviceAccess* SetFloppyDeviceAccess(const FloppyDeviceAccess* access) {
  const FloppyDeviceAccess* before = g_access;
  g_access = access;
  return before;
}

FloppyHandle OpenFloppyDevicePath(const char* path) { return Access().openDevicePath(path); }

FloppyHandle OpenVwin32Device() { return Access().openVwin32(); }

bool ReadFloppyDeviceAt(FloppyHandle handle, uint64_t offset, void* buffer, uint32_t bytes, uint32_t* got) {
  *got = 0;
  return Access().readAt(handle, offset, buffer, bytes, got);
}

bool CallVwin32Int13(FloppyHandle handle, Int13Registers* registers, void* buffer) {
  return Access().callInt13(handle, registers, buffer);
}

void CloseFloppyDevice(FloppyHandle handle) { Access().close(handle); }
