#pragma once
// Helpers of the image engine's tests: source trees in a temporary folder,
// one call that runs the engine the way the Make-ISO dialog does, and a
// reader of the resulting image's descriptors, path tables and directories.
#include "image/iso_engine.h"
#include "image/iso_internal.h"

#include <cstdint>
#include <string>
#include <vector>

namespace isotest {

// A fresh folder under the system's temporary folder, removed with all its
// contents by the destructor.
class TempTree {
 public:
  explicit TempTree(const char* tag);
  ~TempTree();
  const std::string& root() const { return root_; }
  std::string Path(const std::string& relative) const;  // '/' in relative becomes the separator
  void Folder(const std::string& relative) const;
  void File(const std::string& relative, const std::string& contents) const;
  void FileOfSize(const std::string& relative, size_t size, unsigned seed) const;
  // A file of that size with one written byte at its end (no data blocks).
  void SparseFile(const std::string& relative, int64_t size) const;

 private:
  std::string root_;
};

void RemoveTree(const std::string& path);
std::string ReadWholeFile(const std::string& path);

struct Build {
  std::vector<uint8_t> image;       // the output file's bytes (empty when it is gone)
  bool output_exists = false;
  std::string log;                  // plexidor.log, '\r' removed
  std::vector<std::string> errors;  // texts of "Error" boxes
  std::vector<std::string> infos;   // texts of "Promot" boxes
  int add_result = 0;               // iso_add_directory
  int result = 0;                   // iso_last_build_result
  int updates = 0;                  // UpdateProgress calls
  int preparing_calls = 0;          // AnswerWhilePreparing calls
  int fat_questions = 0;
};

struct BuildSetup {
  int long_names = 1, lowercase = 0, joliet = 0, optimize = 0;
  int hide_folder = 0, hide_files = 0;
  int set_date_time = 0;            // SetDateTime with fixed_time
  time_t fixed_time = 0;
  const char* label = "CDROM";
  const char* preparer = "Tarnwick test";
  std::string boot;                 // boot image path, empty for none (iso_set_boot_image is not called)
  std::string output;               // default: <work>/out.iso beside the source
  int cancel_after_updates = -1;    // set ProgressCancelled at this update
  int quit_at_preparing_call = -1;  // AnswerWhilePreparing asks to stop from this call on
  bool answer_fat_no = false;       // ConfirmFat32Overflow answers No
  bool claim_fat_volume = false;    // the output's volume counts as FAT
  void (*after_scan)(void*) = nullptr;  // runs between the scan and the build
  void* after_scan_data = nullptr;
  void (*inside_engine)(bool) = nullptr;  // true before the scan, false after the build
};

// Runs init, new image, options, add directory, boot image, create output,
// build, close, done; then reads back the output and the log.
Build RunBuild(const std::string& source, const BuildSetup& setup);

// ---------------------------------------------------------------- reading

struct Record {
  uint32_t offset = 0;  // within the directory
  uint32_t length = 0;
  uint32_t extent = 0;
  uint32_t size = 0;
  uint8_t flags = 0;
  uint8_t date[7] = {};  // recording date
  std::string name;     // raw name bytes; Joliet names decoded to 8-bit text
  bool joliet = false;
};

uint32_t Le32(const uint8_t* p);
uint32_t Be32(const uint8_t* p);
uint16_t Le16(const uint8_t* p);
uint16_t Be16(const uint8_t* p);
const uint8_t* Sector(const Build& b, uint32_t n);
uint32_t SectorCount(const Build& b);

// The volume descriptor of the given type (1 primary, 2 supplementary,
// 0 boot record) from sector 16 on, or null.
const uint8_t* Descriptor(const Build& b, int type);
std::vector<Record> ReadDirectory(const Build& b, uint32_t extent, uint32_t size, bool joliet);
// The records of the directory at a '/'-separated path ("" is the root).
std::vector<Record> ListDirectory(const Build& b, const std::string& path, bool joliet = false);
// The record named name in the directory at path; length 0 when missing.
Record FindRecord(const Build& b, const std::string& path, const std::string& name, bool joliet = false);
std::vector<std::string> Names(const std::vector<Record>& records);
std::string FileContents(const Build& b, const Record& r);

}  // namespace isotest
