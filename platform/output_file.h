#pragma once
// Raw file handles for the output image and for reading source files in
// large chunks. Win32: CreateFileA/ReadFile/WriteFile/CloseHandle; POSIX:
// open/read/write/close.
#include <cstddef>
#include <cstdint>

typedef intptr_t FileHandle;
const FileHandle kInvalidFileHandle = -1;

// Creates or empties a file for writing; others may read it meanwhile
// (GENERIC_WRITE, FILE_SHARE_READ; CREATE_NEW, else CREATE_ALWAYS).
FileHandle CreateOutputFile(const char* path);
// Opens an existing file for reading (others may read and write it).
FileHandle OpenInputFile(const char* path);
// One write; true when all bytes went out.
bool WriteToHandle(FileHandle handle, const void* data, size_t bytes);
// Reads up to bytes (retrying short reads until the end of the file);
// returns the bytes read, or -1 on a read error.
long ReadFromHandle(FileHandle handle, void* data, size_t bytes);
// Closes the handle; false when the close reported an error (data lost).
bool CloseFileHandle(FileHandle handle);
