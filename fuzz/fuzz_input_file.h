#pragma once
// Helpers for fuzz targets whose readers take a path: the input is written
// to a file in a private folder first.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

// A private folder for one fuzzing process.
inline const std::string& FuzzFolder() {
  static std::string folder = [] {
    char pattern[] = "/tmp/tw-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    return std::string(made != nullptr ? made : "/tmp");
  }();
  return folder;
}

inline std::string FuzzPath(const char* name) { return FuzzFolder() + "/" + name; }

inline void WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) return;
  if (size > 0) fwrite(data, 1, size, file);
  fclose(file);
}

inline void RemoveFuzzFile(const std::string& path) { unlink(path.c_str()); }
