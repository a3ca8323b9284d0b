#pragma once
// An in-memory registry for tests and for the native build, which has no
// registry of its own. UseMemoryRegistry installs it through
// SetRegistryBackend; the values live until ClearMemoryRegistry.
#include <cstddef>

#include "platform/registry.h"

const RegistryBackend* MemoryRegistryBackend();
void UseMemoryRegistry();
void ClearMemoryRegistry();

// Stores a value with exactly these bytes (no NUL is added), creating the
// key; a test uses it for values without a terminating NUL.
void PutMemoryRegistryValue(RegistryRoot root, const char* path, const char* name,
                            const void* data, size_t length);
// Stores text with its terminating NUL.
void PutMemoryRegistryText(RegistryRoot root, const char* path, const char* name, const char* text);
// Removes one key with its values.
void RemoveMemoryRegistryKey(RegistryRoot root, const char* path);
