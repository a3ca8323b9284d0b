// The El Torito boot record: classifying the boot image, hiding it in the
// trees, the boot record descriptor, the boot catalog and the image's copy.
#include "app/engine_log.h"
#include "app/language.h"
#include "app/message_boxes.h"
#include "app/string_ids.h"
#include "image/iso_internal.h"
#include "platform/files.h"

#include <cctype>
#include <cstdio>
#include <cstring>

// Boot record descriptor and catalog fields.
enum {
  kBrType = 0,
  kBrId = 1,
  kBrVersion = 6,
  kBrSystemId = 7,
  kBrCatalogSector = 71,
  kValHeaderId = 0,
  kValPlatform = 1,
  kValChecksum = 28,
  kValKey55 = 30,
  kValKeyAA = 31,
  kCatDefaultEntry = 32,
  kEntryBootable = 0,
  kEntryMediaType = 1,
  kEntryLoadSegment = 2,
  kEntrySystemType = 4,
  kEntrySectorCount = 6,
  kEntryLoadRba = 8,
};

static bool is_separator(char c) { return c == '\\' || c == '/'; }

int classify_boot_image(const char* path) {
  Iso.boot_image_size_seen = -1;
  size_t length = strlen(path);
  if (length >= sizeof Iso.eltorito_image_path) return 0;  // a cut path would name another file
  FILE* file = fopen(path, "rb");
  if (!file) return 0;
  memcpy(Iso.eltorito_image_path, path, length);
  Iso.eltorito_image_path[length] = 0;
  Iso.eltorito_image_name = Iso.eltorito_image_path;
  for (const char* p = Iso.eltorito_image_path; *p; p++) {
    if (is_separator(*p)) Iso.eltorito_image_name = p + 1;
  }
  int accepted = 0;
  int64_t size = GetFileSize64(path);
  Iso.boot_image_size_seen = size;
  if (size == 1228800 || size == 1474560 || size == 2949120) {
    Iso.eltorito_no_emulation = 0;
    accepted = 1;
  } else if (size == kSectorSize) {
    uint8_t sector[kSectorSize];
    if (fread(sector, 1, kSectorSize, file) == (size_t)kSectorSize && sector[2046] == 0x55 && sector[2047] == 0xAA) {
      Iso.eltorito_no_emulation = 1;
      accepted = 1;
    }
  }
  fclose(file);
  return accepted;
}

void report_unusable_boot_image(const char* path) {
  if (Iso.boot_image_size_seen < 0) {
    snprintf(MessageBuffer, kMessageBufferSize, GetString(kStrBootImageUnreadable), path);
  } else {
    char size[32];
    snprintf(size, sizeof size, "%.0f", (double)Iso.boot_image_size_seen);
    snprintf(MessageBuffer, kMessageBufferSize, GetString(kStrBootImageCannotStart), path, size);
  }
  LogMessage(MessageBuffer);
  ShowInfo(MessageBuffer);
}

void ensure_boot_entry() {
  if (!Iso.boot_entry_set) {
    memset(&Iso.boot_entry_options, 0, sizeof Iso.boot_entry_options);
    Iso.boot_entry_set = true;
  }
}

void switch_eltorito(bool on) {
  if (!on) {
    Iso.boot_entry_set = false;
    return;
  }
  ensure_boot_entry();
  Iso.boot_entry_options.image_name = Iso.eltorito_image_name;
  Iso.boot_entry_options.no_emulation = Iso.eltorito_no_emulation;
}

static void add_associated_flag(DirectoryNode* folder) {
  for (DirectoryEntry* e = folder->entries; e; e = e->next) e->record[kRecFlags] |= kFileAssociated;
}

// True when two paths name the same folder as text: letters compared
// without regard to case, "\\" and "/" alike, separators at the end ignored.
static bool same_path_text(const char* a, const char* b) {
  size_t la = strlen(a), lb = strlen(b);
  while (la > 0 && is_separator(a[la - 1])) la--;
  while (lb > 0 && is_separator(b[lb - 1])) lb--;
  if (la != lb) return false;
  for (size_t i = 0; i < la; i++) {
    if (is_separator(a[i]) && is_separator(b[i])) continue;
    if (tolower((unsigned char)a[i]) != tolower((unsigned char)b[i])) return false;
  }
  return true;
}

// The first-level folder of the disc folder that holds the boot image: the
// one whose source path is the boot image's folder, spelt alike or, spelt
// otherwise (a relative path, a short name), the same folder on disk. A
// folder elsewhere that merely has the same name is not it.
static DirectoryNode* find_boot_folder(const char* folder_path) {
  for (DirectoryNode* n = Iso.root->subdirectories; n; n = n->next) {
    if (same_path_text(n->whole_name, folder_path)) return n;
  }
  SourceFacts facts = {};
  if (!ExamineSource(folder_path, &facts) || !facts.identity_known) return nullptr;
  // A folder's identity from the scan may lack its volume; SameFolder asks
  // for it when the indexes agree.
  for (DirectoryNode* n = Iso.root->subdirectories; n; n = n->next) {
    if (n->identity_known && SameFolder(n->whole_name, &n->identity, folder_path, &facts.identity)) return n;
  }
  return nullptr;
}

void place_boot_image() {
  int64_t size = GetFileSize64(Iso.eltorito_image_path);
  // A boot image that has grown past what one extent holds is copied as far
  // as the extent goes; the catalog tells the BIOS how much to load anyway.
  Iso.eltorito_image_size = size < 0 ? 0 : size > 0xFFFFF800LL ? 0xFFFFF800u : (uint32_t)size;
  // The boot folder: the path up to its last separator; a path with fewer
  // than two separators names no folder below the disc folder.
  const char* path = Iso.eltorito_image_path;
  const char* last = nullptr;
  const char* before_last = nullptr;
  for (const char* p = path; *p; p++) {
    if (is_separator(*p)) {
      before_last = last;
      last = p;
    }
  }
  if (!last || !before_last) return;
  char folder_path[kEnginePath];
  size_t length = (size_t)(last - path);
  memcpy(folder_path, path, length);
  folder_path[length] = 0;
  DirectoryNode* folder = find_boot_folder(folder_path);
  if (!folder) return;
  if (Iso.hide_boot_folder && folder->self_entry) folder->self_entry->record[kRecFlags] = kFileDirectory | kFileAssociated;
  DirectoryEntry* image = search_tree_file(folder, Iso.eltorito_image_name);
  if (image) image->entry_flags = kNotInIso | kNotInJoliet;
  if (Iso.hide_boot_files) add_associated_flag(folder);
}

void make_boot_entry(uint8_t* entry) {
  memset(entry, 0, 32);
  entry[kEntryBootable] = 0x88;
  put16le(entry + kEntryLoadSegment, 0);
  uint32_t n = 4 * sectors_of(Iso.eltorito_image_size);
  snprintf(MessageBuffer, kMessageBufferSize, "\nSize of boot image is %d sectors -> ", (int)n);
  LogMessage(MessageBuffer);
  if (Iso.boot_entry_options.no_emulation) {
    entry[kEntryMediaType] = 0;
    put16le(entry + kEntrySectorCount, n > 0xFFFF ? 0xFFFF : n);
    LogMessage("No emulation\n");
  } else {
    if (n == 2880) {
      entry[kEntryMediaType] = 2;
      LogMessage("Emulating a 1440 kB floppy\n");
    } else if (n == 5760) {
      entry[kEntryMediaType] = 3;
      LogMessage("Emulating a 2880 kB floppy\n");
    } else if (n == 2400) {
      entry[kEntryMediaType] = 1;
      LogMessage("Emulating a 1200 kB floppy\n");
    } else {
      snprintf(MessageBuffer, kMessageBufferSize, "Error - boot image '%s' is not the an allowable size.\n",
               Iso.eltorito_image_path);
      ShowError(MessageBuffer);
      return;
    }
    put16le(entry + kEntrySectorCount, 1);
  }
  put32le(entry + kEntryLoadRba, Iso.eltorito_image_sector);
}

void write_boot_record() {
  uint8_t* d = Iso.eltorito_descriptor_buffer;
  memset(d, 0, kSectorSize);
  d[kBrType] = 0;
  memcpy(d + kBrId, "CD001", 5);
  d[kBrVersion] = 1;
  memcpy(d + kBrSystemId, "EL TORITO SPECIFICATION", 23);
  put32le(d + kBrCatalogSector, Iso.eltorito_catalog_sector);

  uint8_t* v = Iso.eltorito_validation_entry;
  memset(v, 0, 32);
  v[kValHeaderId] = 1;
  v[kValPlatform] = 0;
  v[kValKey55] = 0x55;
  v[kValKeyAA] = 0xAA;
  uint32_t sum = 0;
  for (int i = 0; i < 32; i += 2) sum += (uint32_t)v[i] | ((uint32_t)v[i + 1] << 8);
  put16le(v + kValChecksum, (uint32_t)(-(int32_t)sum) & 0xFFFF);

  uint8_t* c = Iso.eltorito_catalog_buffer;
  memset(c, 0, kSectorSize);
  memcpy(c, v, 32);
  make_boot_entry(c + kCatDefaultEntry);
}

void reset_boot_catalog() {
  memset(Iso.eltorito_validation_entry, 0, sizeof Iso.eltorito_validation_entry);
  memset(Iso.eltorito_descriptor_buffer, 0, sizeof Iso.eltorito_descriptor_buffer);
  Iso.boot_entry_set = false;
}

int place_boot_record_descriptor() {
  Iso.eltorito_descriptor_sector = Iso.next_free_sector;
  Iso.next_free_sector += 1;
  return 1;
}

int place_boot_catalog() {
  Iso.eltorito_catalog_sector = Iso.next_free_sector;
  Iso.next_free_sector += 1;
  return 1;
}

int place_boot_image_sectors() {
  Iso.eltorito_image_sector = Iso.next_free_sector;
  Iso.next_free_sector += sectors_of(Iso.eltorito_image_size);
  return 1;
}

int write_boot_record_descriptor() {
  write_boot_record();
  write_image_chunk(Iso.eltorito_descriptor_buffer, kSectorSize, 1);
  return 1;
}

int write_boot_catalog() {
  write_image_chunk(Iso.eltorito_catalog_buffer, kSectorSize, 1);
  return 1;
}

int write_boot_image() { return copy_source_file(Iso.eltorito_image_path, Iso.eltorito_image_size); }
