// Natively there is no floppy drive to open; tests install their own access.
#include "platform/floppy_device.h"

namespace {

FloppyHandle OpenDevicePath(const char*) { return kInvalidFloppyHandle; }
FloppyHandle OpenVwin32() { return kInvalidFloppyHandle; }
bool ReadAt(FloppyHandle, uint64_t, void*, uint32_t, uint32_t*) { return false; }
bool CallInt13(FloppyHandle, Int13Registers*, void*) { return false; }
void Close(FloppyHandle) {}

}  // namespace

const FloppyDeviceAccess kSystemFloppyDeviceAccess = {OpenDevicePath, OpenVwin32, ReadAt, CallInt13, Close};
