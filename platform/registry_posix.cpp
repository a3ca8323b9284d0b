// There is no registry natively: the in-memory one is the platform's own.
#include "platform/registry.h"
#include "platform/registry_memory.h"

const RegistryBackend* PlatformRegistryBackend() { return MemoryRegistryBackend(); }
