#include "image/floppy_sectors.h"

#include <cstdio>
#include <cstring>

#include "platform/byte_order.h"

uint8_t FloppyBootHeader[kFloppyBootHeaderSize];
int FloppyDriveNumber = 0;

namespace {

const uint32_t kMaxSectorsPerTrack = 63;
const uint32_t kMaxHeads = 255;
const uint32_t kMaxInt13Cylinders = 256;

// INT 13h function 02h (read sectors) in AH; the count goes into AL.
const uint32_t kInt13ReadSectors = 0x0200;
const uint32_t kCarryFlag = 1;

bool IsSectorSize(uint32_t bytes) { return bytes == 512 || bytes == 1024 || bytes == 2048 || bytes == 4096; }

// One INT 13h read through VWIN32: the carry flag is preset and must come
// back clear.
bool ReadByInt13(const FloppyDevice& device, int cylinder, int head, int firstSector, uint8_t* buffer,
                 int count) {
  Int13Registers registers;
  registers.ebx = 0;  // the buffer's address, filled in by the seam
  registers.edx = (uint32_t)head * 256 + (uint32_t)FloppyDriveNumber;
  registers.ecx = (uint32_t)cylinder * 256 + (uint32_t)firstSector;
  registers.eax = kInt13ReadSectors + (uint32_t)count;
  registers.edi = 0;
  registers.esi = 0;
  registers.flags = kCarryFlag;
  if (!CallVwin32Int13(device.handle, &registers, buffer)) return false;
  return (registers.flags & kCarryFlag) == 0;
}

// Exactly bytes from offset through the device path; a short read fails.
bool ReadByDevicePath(const FloppyDevice& device, uint64_t offset, uint8_t* buffer, uint32_t bytes) {
  uint32_t got = 0;
  return ReadFloppyDeviceAt(device.handle, offset, buffer, bytes, &got) && got == bytes;
}

}  // namespace

bool GetFloppyGeometry(bool devicePath, FloppyGeometry* geometry) {
  geometry->bytesPerSector = get16le(FloppyBootHeader + kBootBytesPerSector);
  geometry->totalSectors = get16le(FloppyBootHeader + kBootTotalSectors16);
  geometry->sectorsPerTrack = get16le(FloppyBootHeader + kBootSectorsPerTrack);
  geometry->heads = get16le(FloppyBootHeader + kBootHeads);
  geometry->cylinders = 0;
  if (!IsSectorSize(geometry->bytesPerSector)) return false;
  if (geometry->sectorsPerTrack < 1 || geometry->sectorsPerTrack > kMaxSectorsPerTrack) return false;
  if (geometry->heads < 1 || geometry->heads > kMaxHeads) return false;
  if (geometry->totalSectors == 0) return false;
  geometry->cylinders = geometry->totalSectors / (geometry->sectorsPerTrack * geometry->heads);
  if (geometry->cylinders < 1) return false;
  if (!devicePath && geometry->cylinders > kMaxInt13Cylinders) return false;
  return true;
}

bool OpenFloppyDrive(const char* driveText, bool devicePath, FloppyDevice* device) {
  device->devicePath = devicePath;
  if (devicePath) {
    char path[64];
    if (snprintf(path, sizeof path, "\\\\.\\%s", driveText) >= (int)sizeof path) {
      device->handle = kInvalidFloppyHandle;
      return false;
    }
    device->handle = OpenFloppyDevicePath(path);
  } else {
    char letter = driveText[0];
    if (letter >= 'a' && letter <= 'z') letter = (char)(letter - 'a' + 'A');
    FloppyDriveNumber = letter - 'A';
    device->handle = OpenVwin32Device();
  }
  return device->handle != kInvalidFloppyHandle;
}

void CloseFloppyDrive(FloppyDevice* device) {
  if (device->handle != kInvalidFloppyHandle) CloseFloppyDevice(device->handle);
  device->handle = kInvalidFloppyHandle;
}

bool ReadFloppyBootSector(const FloppyDevice& device, uint8_t* sector) {
  memset(sector, 0, kFloppyBootSectorSize);
  if (device.devicePath) return ReadByDevicePath(device, 0, sector, kFloppyBootSectorSize);
  // The BIOS reads a whole sector, which on an odd disk may be larger than
  // 512 bytes: read into room for the largest and keep the first 512.
  uint8_t whole[kMaxFloppySectorSize];
  memset(whole, 0, sizeof whole);
  if (!ReadByInt13(device, 0, 0, 1, whole, 1)) return false;
  memcpy(sector, whole, kFloppyBootSectorSize);
  return true;
}

bool ReadFloppySectors(const FloppyDevice& device, int cylinder, int head, int firstSector, uint8_t* buffer,
                       int count) {
  if (!device.devicePath) return ReadByInt13(device, cylinder, head, firstSector, buffer, count);
  uint64_t bytesPerSector = get16le(FloppyBootHeader + kBootBytesPerSector);
  uint64_t sectorsPerTrack = get16le(FloppyBootHeader + kBootSectorsPerTrack);
  uint64_t heads = get16le(FloppyBootHeader + kBootHeads);
  uint64_t sector = sectorsPerTrack * ((uint64_t)cylinder * heads + (uint64_t)head) + (uint64_t)firstSector - 1;
  return ReadByDevicePath(device, sector * bytesPerSector, buffer, (uint32_t)(count * bytesPerSector));
}
