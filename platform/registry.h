#pragma once
// The registry seam: the per-user settings key and the read-only system
// values. The Win32 build uses the real registry; an in-memory registry
// (registry_memory.h) stands in for it natively and in tests.
//
// Every value is read as text whatever its stored type. The bytes that
// arrive are terminated at the length the registry returns; a value that
// does not fit the caller's buffer, its terminating NUL included, is
// refused (kRegTooLong) and the buffer is left empty, never cut.
#include <cstddef>
#include <cstdint>

enum RegistryRoot { kRegCurrentUser, kRegLocalMachine };

enum RegistryReadResult { kRegRead = 0, kRegMissing = 1, kRegTooLong = 2 };

typedef void* RegistryKey;  // null when a key did not open

// Opens an existing key for reading and writing (RegOpenKeyA).
RegistryKey OpenRegistryKey(RegistryRoot root, const char* path);
// Opens an existing key for reading only (KEY_READ).
RegistryKey OpenRegistryKeyForRead(RegistryRoot root, const char* path);
// Opens the key, creating it when it is missing (RegCreateKeyA).
RegistryKey CreateRegistryKey(RegistryRoot root, const char* path);
void CloseRegistryKey(RegistryKey key);

// Reads a value as text into out (size bytes). A null or empty name reads
// the key's default value.
RegistryReadResult ReadRegistryText(RegistryKey key, const char* name, char* out, size_t size);
// Reads a 32-bit number stored as four bytes (REG_DWORD, little-endian).
// False when the value is missing or is not exactly four bytes long.
bool ReadRegistryDword(RegistryKey key, const char* name, uint32_t* value);
// Writes a string value; the stored length counts the terminating NUL.
bool WriteRegistryText(RegistryKey key, const char* name, const char* text);

// What a registry implementation provides. queryRaw copies at most size
// bytes of the value's data into out and sets *length to the number of
// bytes copied; it returns kRegTooLong when the data is longer than size.
struct RegistryBackend {
  RegistryKey (*open)(RegistryRoot root, const char* path, bool create, bool readOnly);
  void (*close)(RegistryKey key);
  RegistryReadResult (*queryRaw)(RegistryKey key, const char* name, char* out, size_t size,
                                 size_t* length);
  bool (*write)(RegistryKey key, const char* name, const void* data, size_t length);
};

// Installs another implementation; null restores the platform's own.
// Returns the one installed before (null for the platform's own).
const RegistryBackend* SetRegistryBackend(const RegistryBackend* backend);

// Terminates raw value bytes (length of them in buffer, which holds size
// bytes) as text: a trailing NUL is kept, a missing one is added when there
// is room. Returns false when there is no room (the value is refused).
bool TerminateRegistryText(char* buffer, size_t size, size_t length);
