#include "tests/image/iso_test_support.h"

#include "app/engine_log.h"
#include "app/message_boxes.h"
#include "image/progress_seam.h"
#include "platform/byte_order.h"
#include "platform/dir_list.h"
#include "platform/files.h"
#include "platform/message_box.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace isotest {

static int g_counter = 0;

static void SetEnv(const char* name, const char* value) {
#ifdef TW_WIN32
  _putenv_s(name, value);
#else
  setenv(name, value, 1);
#endif
}

TempTree::TempTree(const char* tag) {
  char temp[512];
  GetTempFolder(temp, sizeof temp);
  char name[128];
  snprintf(name, sizeof name, "tw_iso_%s_%d_%d", tag, (int)time(nullptr) % 100000, ++g_counter);
  char path[600];
  JoinPath(path, sizeof path, temp, name);
  root_ = path;
  RemoveTree(root_);
  CreateFolder(root_.c_str());
}

TempTree::~TempTree() { RemoveTree(root_); }

std::string TempTree::Path(const std::string& relative) const {
  std::string path = root_;
  if (!relative.empty()) path += kPathSeparator;
  for (char c : relative) path += c == '/' ? kPathSeparator : c;
  return path;
}

void TempTree::Folder(const std::string& relative) const { CreateFolder(Path(relative).c_str()); }

void TempTree::File(const std::string& relative, const std::string& contents) const {
  FILE* f = fopen(Path(relative).c_str(), "wb");
  if (!f) return;
  fwrite(contents.data(), 1, contents.size(), f);
  fclose(f);
}

void TempTree::FileOfSize(const std::string& relative, size_t size, unsigned seed) const {
  std::string data(size, '\0');
  uint32_t x = seed * 2654435761u + 1;
  for (size_t i = 0; i < size; i++) {
    x = x * 1103515245u + 12345u;
    data[i] = (char)(x >> 16);
  }
  File(relative, data);
}

void TempTree::SparseFile(const std::string& relative, int64_t size) const {
  FILE* f = fopen(Path(relative).c_str(), "wb");
  if (!f) return;
#ifdef TW_WIN32
  _fseeki64(f, size - 1, SEEK_SET);
#else
  fseeko(f, (off_t)(size - 1), SEEK_SET);
#endif
  fputc(0, f);
  fclose(f);
}

void RemoveTree(const std::string& path) {
  if (!FolderExists(path.c_str())) {
    if (FileExists(path.c_str())) ForceDeleteFile(path.c_str());
    return;
  }
  DirListing* listing = OpenDirListing(path.c_str());
  if (listing) {
    DirItem item;
    while (NextDirItem(listing, &item)) {
      if (!strcmp(item.name, ".") || !strcmp(item.name, "..")) continue;
      RemoveTree(path + kPathSeparator + item.name);
    }
    CloseDirListing(listing);
  }
  RemoveFolder(path.c_str());
}

std::string ReadWholeFile(const std::string& path) {
  std::string text;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return text;
  char buffer[65536];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, got);
  fclose(f);
  return text;
}

// ---------------------------------------------------------------- the build

static Build* g_build = nullptr;
static const BuildSetup* g_setup = nullptr;

static int RecordBox(const MessageBoxRequest& request) {
  if (g_build) {
    if (!strcmp(request.caption, "Error")) g_build->errors.push_back(request.text);
    else g_build->infos.push_back(request.text);
  }
  return g_setup && g_setup->answer_fat_no ? kIdNo : kIdOk;
}

static int CountUpdate(double) {
  g_build->updates++;
  if (g_setup->cancel_after_updates >= 0 && g_build->updates >= g_setup->cancel_after_updates) ProgressCancelled = 1;
  return ProgressCancelled;
}

static int CountPreparingCall() {
  g_build->preparing_calls++;
  return g_setup->quit_at_preparing_call >= 0 && g_build->preparing_calls >= g_setup->quit_at_preparing_call;
}

static bool AnswerFat() {
  g_build->fat_questions++;
  return !g_setup->answer_fat_no;
}

static bool ClaimFat(const char*) { return true; }

Build RunBuild(const std::string& source, const BuildSetup& setup) {
  Build build;
  g_build = &build;
  g_setup = &setup;
  MessageBoxHandler before = SetMessageBoxHandler(RecordBox);
  ProgressHandlers progress = {};
  progress.update_progress = CountUpdate;
  progress.confirm_fat32_overflow = AnswerFat;
  progress.answer_while_preparing = CountPreparingCall;
  SetProgressHandlers(&progress);

  std::string work = source + ".work";
  CreateFolder(work.c_str());
  SetEnv("TEMP", work.c_str());
  std::string output = setup.output.empty() ? work + kPathSeparator + "out.iso" : setup.output;

  iso_engine_init();
  iso_new_image();
  IsoOptions.LongNames = setup.long_names;
  IsoOptions.AllowLowercase = setup.lowercase;
  IsoOptions.Joliet = setup.joliet;
  IsoOptions.Optimize = setup.optimize;
  IsoOptions.SetDateTime = setup.set_date_time;
  IsoOptions.FixedTime = setup.fixed_time;
  IsoOptions.HideBootFolder = setup.hide_folder;
  IsoOptions.HideBootFiles = setup.hide_files;
  snprintf(IsoOptions.SavedVolumeLabel, sizeof IsoOptions.SavedVolumeLabel, "%s", setup.label);
  snprintf(IsoOptions.PreparerName, sizeof IsoOptions.PreparerName, "%s", setup.preparer);
  if (setup.inside_engine) setup.inside_engine(true);
  build.add_result = iso_add_directory(iso_root_node(), source.c_str());
  if (setup.after_scan) setup.after_scan(setup.after_scan_data);
  if (!setup.boot.empty()) iso_set_boot_image(setup.boot.c_str());
  iso_create_output(output.c_str());
  if (setup.claim_fat_volume) Iso.fat_volume_test = ClaimFat;
  iso_build_image();
  if (setup.inside_engine) setup.inside_engine(false);
  Iso.fat_volume_test = nullptr;
  iso_close_output();
  iso_engine_done();
  build.result = iso_last_build_result();

  build.output_exists = FileExists(output.c_str());
  std::string bytes = ReadWholeFile(output);
  build.image.assign(bytes.begin(), bytes.end());
  std::string log = ReadWholeFile(std::string(Iso.work_dir) + kPathSeparator + "plexidor.log");
  for (char c : log) {
    if (c != '\r') build.log += c;
  }
  RemoveTree(work);
  SetProgressHandlers(nullptr);
  SetMessageBoxHandler(before);
  g_build = nullptr;
  g_setup = nullptr;
  return build;
}

// ---------------------------------------------------------------- reading

uint32_t Le32(const uint8_t* p) { return get32le(p); }
uint32_t Be32(const uint8_t* p) { return get32be(p); }
uint16_t Le16(const uint8_t* p) { return get16le(p); }
uint16_t Be16(const uint8_t* p) { return get16be(p); }

uint32_t SectorCount(const Build& b) { return (uint32_t)(b.image.size() / 2048); }

const uint8_t* Sector(const Build& b, uint32_t n) {
  if ((uint64_t)(n + 1) * 2048 > b.image.size()) return nullptr;
  return b.image.data() + (size_t)n * 2048;
}

const uint8_t* Descriptor(const Build& b, int type) {
  for (uint32_t n = 16; n < SectorCount(b); n++) {
    const uint8_t* s = Sector(b, n);
    if (memcmp(s + 1, "CD001", 5) != 0) return nullptr;
    if (s[0] == 255) return nullptr;
    if (s[0] == type) return s;
  }
  return nullptr;
}

static std::string DecodeJoliet(const uint8_t* p, int length) {
  std::string text;
  for (int i = 0; i + 1 < length; i += 2) {
    uint16_t u = (uint16_t)((p[i] << 8) | p[i + 1]);
    text += u < 256 ? (char)u : '?';
  }
  return text;
}

std::vector<Record> ReadDirectory(const Build& b, uint32_t extent, uint32_t size, bool joliet) {
  std::vector<Record> records;
  if ((uint64_t)extent * 2048 + size > b.image.size()) return records;
  const uint8_t* d = b.image.data() + (size_t)extent * 2048;
  uint32_t pos = 0;
  while (pos < size) {
    uint8_t length = d[pos];
    if (length == 0) {
      pos = (pos / 2048 + 1) * 2048;
      continue;
    }
    if (pos + length > size) break;
    Record r;
    r.offset = pos;
    r.length = length;
    r.extent = Le32(d + pos + 2);
    r.size = Le32(d + pos + 10);
    r.flags = d[pos + 25];
    memcpy(r.date, d + pos + 18, 7);
    int name_length = d[pos + 32];
    const uint8_t* name = d + pos + 33;
    r.joliet = joliet;
    if (joliet && name_length > 1) r.name = DecodeJoliet(name, name_length);
    else r.name.assign((const char*)name, (size_t)name_length);
    records.push_back(r);
    pos += length;
  }
  return records;
}

std::vector<Record> ListDirectory(const Build& b, const std::string& path, bool joliet) {
  const uint8_t* vd = Descriptor(b, joliet ? 2 : 1);
  if (!vd) return {};
  uint32_t extent = Le32(vd + 156 + 2), size = Le32(vd + 156 + 10);
  std::vector<Record> records = ReadDirectory(b, extent, size, joliet);
  size_t start = 0;
  while (start < path.size()) {
    size_t slash = path.find('/', start);
    std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    bool found = false;
    for (const Record& r : records) {
      if (r.name == part && (r.flags & 2)) {
        records = ReadDirectory(b, r.extent, r.size, joliet);
        found = true;
        break;
      }
    }
    if (!found) return {};
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return records;
}

Record FindRecord(const Build& b, const std::string& path, const std::string& name, bool joliet) {
  for (const Record& r : ListDirectory(b, path, joliet)) {
    if (r.name == name) return r;
  }
  return Record();
}

std::vector<std::string> Names(const std::vector<Record>& records) {
  std::vector<std::string> names;
  for (const Record& r : records) {
    if (r.name.size() == 1 && (r.name[0] == 0 || r.name[0] == 1)) continue;
    names.push_back(r.name);
  }
  return names;
}

std::string FileContents(const Build& b, const Record& r) {
  if ((uint64_t)r.extent * 2048 + r.size > b.image.size()) return std::string();
  return std::string((const char*)b.image.data() + (size_t)r.extent * 2048, r.size);
}

}  // namespace isotest
