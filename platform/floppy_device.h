#pragma once
// Raw access to a floppy drive, the one seam of the floppy reader's disk
// reads. Two ways exist on Windows:
// - the drive's device path ("\\.\A:") on Windows 2000 and later: CreateFileA
//   for reading, then SetFilePointer and ReadFile at byte offsets;
// - the VWIN32 service on the 9x family: CreateFileA of "\\.\vwin32", then
//   DeviceIoControl with control code 4 (INT 13h) and a block of seven
//   32-bit registers.
// Natively no drive can be opened. Tests install a FloppyDeviceAccess that
// serves a disk image from memory.
#include <cstdint>

typedef intptr_t FloppyHandle;
const FloppyHandle kInvalidFloppyHandle = -1;

// DeviceIoControl control code of VWIN32's INT 13h service.
const unsigned kVwin32DiocInt13 = 4;

// The register block of the VWIN32 services, in the order the service
// reads it (28 bytes). The caller fills every register but ebx: the buffer
// is handed beside the block and its address goes into ebx on the way to
// the system (the block holds 32-bit addresses; the 9x family is 32-bit).
struct Int13Registers {
  uint32_t ebx;
  uint32_t edx;
  uint32_t ecx;
  uint32_t eax;
  uint32_t edi;
  uint32_t esi;
  uint32_t flags;
};

struct FloppyDeviceAccess {
  // CreateFileA(path, GENERIC_READ, no sharing, OPEN_EXISTING,
  // FILE_ATTRIBUTE_NORMAL).
  FloppyHandle (*openDevicePath)(const char* path);
  // CreateFileA("\\.\vwin32", 0, no sharing, 0, FILE_FLAG_DELETE_ON_CLOSE).
  FloppyHandle (*openVwin32)();
  // Moves to offset from the start and reads up to bytes into buffer;
  // *got = the bytes read. False when the move or the read failed.
  bool (*readAt)(FloppyHandle handle, uint64_t offset, void* buffer, uint32_t bytes, uint32_t* got);
  // DeviceIoControl(handle, kVwin32DiocInt13, block in and out, 28 bytes
  // each way) with buffer's address in ebx. False when the call failed;
  // the registers as the service left them are in *registers.
  bool (*callInt13)(FloppyHandle handle, Int13Registers* registers, void* buffer);
  void (*close)(FloppyHandle handle);
};

FloppyHandle OpenFloppyDevicePath(const char* path);
FloppyHandle OpenVwin32Device();
bool ReadFloppyDeviceAt(FloppyHandle handle, uint64_t offset, void* buffer, uint32_t bytes, uint32_t* got);
bool CallVwin32Int13(FloppyHandle handle, Int13Registers* registers, void* buffer);
void CloseFloppyDevice(FloppyHandle handle);

// Installs an access table; null restores the system's. Returns the one
// installed before.
const FloppyDeviceAccess* SetFloppyDeviceAccess(const FloppyDeviceAccess* access);

// The system's own table (one implementation per platform).
extern const FloppyDeviceAccess kSystemFloppyDeviceAccess;
