// Win32 floppy access: the device path and the VWIN32 INT 13h service.
// Only functions that the 9x family's kernel also exports are used
// (SetFilePointer, not SetFilePointerEx).
#include "platform/floppy_device.h"

#include <windows.h>

namespace {

// VWIN32's register block as DeviceIoControl takes it.
struct DiocRegisters {
  DWORD reg_EBX;
  DWORD reg_EDX;
  DWORD reg_ECX;
  DWORD reg_EAX;
  DWORD reg_EDI;
  DWORD reg_ESI;
  DWORD reg_Flags;
};
static_assert(sizeof(DiocRegisters) == 28, "VWIN32 takes a 28-byte register block");

FloppyHandle FromHandle(HANDLE h) { return h == INVALID_HANDLE_VALUE ? kInvalidFloppyHandle : (FloppyHandle)h; }

FloppyHandle OpenDevicePath(const char* path) {
  return FromHandle(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

FloppyHandle OpenVwin32() {
  return FromHandle(CreateFileA("\\\\.\\vwin32", 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
}

bool ReadAt(FloppyHandle handle, uint64_t offset, void* buffer, uint32_t bytes, uint32_t* got) {
  LONG high = (LONG)(offset >> 32);
  DWORD low = SetFilePointer((HANDLE)handle, (LONG)(DWORD)offset, &high, FILE_BEGIN);
  if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return false;
  DWORD read = 0;
  if (!ReadFile((HANDLE)handle, buffer, bytes, &read, nullptr)) return false;
  *got = read;
  return true;
}

bool CallInt13(FloppyHandle handle, Int13Registers* registers, void* buffer) {
  // The block holds a 32-bit address; a buffer above 4 GB (only possible
  // in a 64-bit process, where VWIN32 does not exist) cannot be named.
  uintptr_t address = (uintptr_t)buffer;
  if (address > 0xFFFFFFFFu) return false;
  DiocRegisters block;
  block.reg_EBX = (DWORD)address;
  block.reg_EDX = registers->edx;
  block.reg_ECX = registers->ecx;
  block.reg_EAX = registers->eax;
  block.reg_EDI = registers->edi;
  block.reg_ESI = registers->esi;
  block.reg_Flags = registers->flags;
  DWORD returned = 0;
  BOOL ok = DeviceIoControl((HANDLE)handle, kVwin32DiocInt13, &block, sizeof block, &block, sizeof block,
                            &returned, nullptr);
  registers->ebx = block.reg_EBX;
  registers->edx = block.reg_EDX;
  registers->ecx = block.reg_ECX;
  registers->eax = block.reg_EAX;
  registers->edi = block.reg_EDI;
  registers->esi = block.reg_ESI;
  registers->flags = block.reg_Flags;
  return ok != 0;
}

void Close(FloppyHandle handle) { CloseHandle((HANDLE)handle); }

}  // namespace

const FloppyDeviceAccess kSystemFloppyDeviceAccess = {OpenDevicePath, OpenVwin32, ReadAt, CallInt13, Close};
