// The Joliet tree: UCS-2 names, the Joliet order of every directory, the
// supplementary volume descriptor. Extents, path tables and directory
// records come from the shared routines of iso_layout.cpp.
#include "app/engine_log.h"
#include "app/message_boxes.h"
#include "image/iso_internal.h"
#include "platform/ansi_to_ucs2.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

enum { kMaxJolietBytes = 128, kConvertLimit = 1024 };

bool joliet_replaces(unsigned char c) {
  return (c >= 0x01 && c <= 0x1F) || c == 0x7F || c == '*' || c == '/' || c == ':' || c == ';' || c == '?' ||
         c == '\\';
}

void to_ucs2_name(uint8_t* destination, int length, const char* source) {
  if (length + 1 > kConvertLimit) {
    ShowError("String too long for convert to unicode.");
    return;
  }
  char text[kConvertLimit];
  text[0] = 0;
  int text_length = 0;
  if (source) {
    // Characters that Joliet names may not hold become "_"; the trail byte
    // of a double-byte character is taken as it is.
    int taken = 0;
    for (const unsigned char* p = (const unsigned char*)source; 2 * taken + 1 < length; taken++) {
      unsigned char c = *p;
      if (c == 0) {
        text[text_length++] = 0;
        break;
      }
      text[text_length++] = joliet_replaces(c) ? '_' : (char)c;
      p++;
      if (IsAnsiLeadByte(c) && *p) text[text_length++] = (char)*p++;
    }
  } else {
    memcpy(text, destination, (size_t)length);
    text_length = length;
  }
  uint16_t wide[kConvertLimit];
  int units = AnsiToUcs2(text, text_length, wide, kConvertLimit);
  for (int p = 0; p + 1 < length; p += 2) {
    uint16_t u = p / 2 < units ? wide[p / 2] : 0;
    destination[p] = (uint8_t)(u >> 8);
    destination[p + 1] = (uint8_t)u;
  }
}

int joliet_name_bytes(const char* name) {
  uint16_t wide[kConvertLimit];
  size_t length = strlen(name);
  if (length >= kConvertLimit) length = kConvertLimit - 1;
  int units = AnsiToUcs2(name, (int)length, wide, kConvertLimit);
  int bytes = 2 * units;
  return bytes > kMaxJolietBytes ? kMaxJolietBytes : bytes;
}

// The UCS-2 value of the character at p (a lead byte takes its trail byte).
// Bytes below 0x80 are the same in every ANSI code page, so they skip the
// system's conversion: the sort compares names character by character.
static uint16_t ucs2_at(const char* p) {
  unsigned char c = (unsigned char)*p;
  if (c < 0x80) return joliet_replaces(c) ? '_' : c;
  uint8_t pair[2];
  to_ucs2_name(pair, 2, p);
  return (uint16_t)((pair[0] << 8) | pair[1]);
}

static bool is_dot_name(const char* n) { return n[0] == '.' && n[1] == 0; }
static bool is_dotdot_name(const char* n) { return n[0] == '.' && n[1] == '.' && n[2] == 0; }

int compare_joliet_names(const DirectoryEntry* a, const DirectoryEntry* b) {
  const char* x = joliet_text(a);
  const char* y = joliet_text(b);
  if (a != b && strncmp(x, y, 64) == 0) {
    snprintf(MessageBuffer, kMessageBufferSize, "Error: %s and %s have the same Joliet name\n",
             a->whole_path ? a->whole_path : a->name, b->whole_path ? b->whole_path : b->name);
    LogMessage(MessageBuffer);
    Iso.joliet_duplicates++;
  }
  if (is_dot_name(x) || is_dot_name(y)) return is_dot_name(x) ? (is_dot_name(y) ? 0 : -1) : 1;
  if (is_dotdot_name(x) || is_dotdot_name(y)) return is_dotdot_name(x) ? (is_dotdot_name(y) ? 0 : -1) : 1;
  for (; *x && *y; x++, y++) {
    if (*x == ';' && *y == ';') continue;
    if (*x == ';') return -1;
    if (*y == ';') return 1;
    uint16_t u = ucs2_at(x), v = ucs2_at(y);
    if (u != v) return u < v ? -1 : 1;
  }
  if (!*x && !*y) return 0;
  return *x ? 1 : -1;
}

int compare_joliet_path_records(const DirectoryNode* a, const DirectoryNode* b) {
  if (a == Iso.root) return -1;
  if (b == Iso.root) return 1;
  uint16_t pa = a->parent->side[kJolietSide].path_index, pb = b->parent->side[kJolietSide].path_index;
  if (pa != pb) return pa < pb ? -1 : 1;
  const char* x = joliet_text(a->self_entry);
  const char* y = joliet_text(b->self_entry);
  for (; *x && *y; x++, y++) {
    uint16_t u = ucs2_at(x), v = ucs2_at(y);
    if (u != v) return u < v ? -1 : 1;
  }
  if (!*x && !*y) return 0;
  return *x ? 1 : -1;
}

static int compare_joliet_pointers(const void* a, const void* b) {
  return compare_joliet_names(*(DirectoryEntry* const*)a, *(DirectoryEntry* const*)b);
}

static int sort_joliet_entries(DirectoryNode* node) {
  Iso.joliet_duplicates = 0;
  node->joliet_entries = nullptr;
  int count = 0;
  for (DirectoryEntry* e = node->entries; e; e = e->next) {
    if (!(e->entry_flags & kNotInJoliet)) count++;
  }
  if (count == 0) return 0;
  DirectoryEntry** all = (DirectoryEntry**)engine_alloc((size_t)count * sizeof(DirectoryEntry*));
  if (!all) return 0;
  int i = 0;
  for (DirectoryEntry* e = node->entries; e; e = e->next) {
    if (!(e->entry_flags & kNotInJoliet)) all[i++] = e;
  }
  if (count > 1) qsort(all, (size_t)count, sizeof(DirectoryEntry*), compare_joliet_pointers);
  for (i = 0; i < count; i++) all[i]->joliet_next = i + 1 < count ? all[i + 1] : nullptr;
  node->joliet_entries = all[0];
  engine_free(all);
  return Iso.joliet_duplicates;
}

static int sort_joliet_directory(DirectoryNode* node) {
  if (!make_joliet_names_unique(node)) return 0;
  for (DirectoryEntry* e = node->entries; e; e = e->next) {
    if (e->entry_flags & kNotInJoliet) continue;
    bool dots = is_dot_name(e->name) || is_dotdot_name(e->name);
    uint32_t& path_bytes = Iso.tree[kJolietSide].path_table_bytes;
    if ((e->record[kRecFlags] & kFileDirectory) && !dots) {
      path_bytes += joliet_name_bytes(joliet_text(e)) + 8;
      path_bytes += path_bytes & 1;
    } else if (node == Iso.root && is_dot_name(e->name)) {
      path_bytes += 9;
      path_bytes += path_bytes & 1;
    }
    int length = dots ? 34 : 34 + joliet_name_bytes(joliet_text(e));
    e->joliet_record_length = (uint8_t)length;
  }
  int duplicates = sort_joliet_entries(node);
  uint32_t size = 0;
  for (DirectoryEntry* e = node->joliet_entries; e; e = e->joliet_next)
    size = next_record_position(size, e->joliet_record_length) + e->joliet_record_length;
  node->side[kJolietSide].size = size;
  return duplicates;
}

int sort_joliet_tree(DirectoryNode* node) {
  int duplicates = 0;
  for (; node && keep_answering(); node = node->next) {
    duplicates += sort_joliet_directory(node);
    duplicates += sort_joliet_tree(node->subdirectories);
  }
  return duplicates;
}

int place_joliet_descriptor() {
  Iso.next_free_sector += 1;
  return 1;
}

int make_joliet_root_record() {
  make_side_root_record(kJolietSide);
  return 1;
}

void fill_joliet_descriptor(uint8_t* s) {
  memcpy(s, Iso.primary_descriptor, kSectorSize);
  s[kVdType] = 2;
  to_ucs2_name(s + kVdSystemId, 32, nullptr);
  to_ucs2_name(s + kVdVolumeId, 32, nullptr);
  // UCS-2 Level 3: "%/E".
  s[kVdEscapeSequences] = 0x25;
  s[kVdEscapeSequences + 1] = 0x2F;
  s[kVdEscapeSequences + 2] = 0x45;
  s[kVdEscapeSequences + 3] = 0;
  put_tree_fields(s, kJolietSide);
  const int identifiers[] = {kVdVolumeSetId, kVdPublisherId, kVdPreparerId, kVdApplicationId};
  for (int offset : identifiers) to_ucs2_name(s + offset, 128, nullptr);
  // The file identifiers: 36 of their 37 bytes.
  const int file_ids[] = {kVdCopyrightFile, kVdAbstractFile, kVdBiblioFile};
  for (int offset : file_ids) to_ucs2_name(s + offset, 36, nullptr);
}

int write_joliet_descriptor() {
  uint8_t sector[kSectorSize];
  fill_joliet_descriptor(sector);
  write_image_chunk(sector, kSectorSize, 1);
  return 1;
}

void reset_joliet_indexes() {
  Iso.tree[kJolietSide].next_path_index = 1;
  Iso.joliet_duplicates = 0;
}
