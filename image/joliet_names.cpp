// Unique Joliet names within a directory. A Joliet name is the source name
// with the characters Joliet may not hold turned into "_" and cut to 64
// characters, so two source names can give one Joliet name ("a;b.txt" and
// "a_b.txt", or two long names that agree in their first 64 characters),
// and Windows tells names apart without regard to case: a reader would
// show both and reach one. Such a name gets a counter of three characters
// before its extension, as colliding ISO 9660 names do (iso_names.cpp).
#include "app/engine_log.h"
#include "app/message_boxes.h"
#include "image/iso_internal.h"
#include "platform/ansi_to_ucs2.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

enum { kMaxJolietUnits = 64, kCounterWidth = 3, kMaxCounterWidth = 5, kNameBufferSize = 4 * kMaxJolietUnits + 1 };

const char* joliet_text(const DirectoryEntry* entry) { return entry->joliet_name ? entry->joliet_name : entry->name; }

// The upper-case form of a UTF-16 unit for the letters of the ANSI code
// pages (Latin, Greek, Cyrillic), as Windows compares names.
static uint16_t fold_case(uint16_t u) {
  if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) return (uint16_t)(u - 0x20);
  if (u == 0xFF) return 0x178;
  if (((u >= 0x100 && u <= 0x137) || (u >= 0x14A && u <= 0x177)) && (u & 1)) return (uint16_t)(u - 1);
  if (((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) && !(u & 1)) return (uint16_t)(u - 1);
  if (u == 0x3C2) return 0x3A3;
  if ((u >= 0x3B1 && u <= 0x3C9) || (u >= 0x430 && u <= 0x44F)) return (uint16_t)(u - 0x20);
  if (u >= 0x450 && u <= 0x45F) return (uint16_t)(u - 0x50);
  return u;
}

// The Joliet name of a text as Windows compares it: its UCS-2 units in
// upper case.
struct ComparisonKey {
  int count;
  uint16_t units[kMaxJolietUnits];
};

static void make_comparison_key(const char* text, ComparisonKey* key) {
  // Bytes below 0x80 are the same in every ANSI code page; a name of them
  // alone needs no conversion by the system.
  const unsigned char* p = (const unsigned char*)text;
  int count = 0;
  for (; *p && *p < 0x80 && count < kMaxJolietUnits; p++) key->units[count++] = fold_case(joliet_replaces(*p) ? '_' : *p);
  if (*p && count < kMaxJolietUnits) {
    uint8_t name[2 * kMaxJolietUnits];
    int bytes = joliet_name_bytes(text);
    to_ucs2_name(name, bytes, text);
    for (count = 0; 2 * count + 1 < bytes; count++)
      key->units[count] = fold_case((uint16_t)((name[2 * count] << 8) | name[2 * count + 1]));
  }
  key->count = count;
}

static uint64_t key_hash(const ComparisonKey& key) {
  uint64_t h = 14695981039346656037ull;
  for (int i = 0; i < key.count; i++) h = (h ^ key.units[i]) * 1099511628211ull;
  return h;
}

static bool same_key(const ComparisonKey& a, const ComparisonKey& b) {
  return a.count == b.count && !memcmp(a.units, b.units, (size_t)a.count * sizeof a.units[0]);
}

// The names a directory's entries hold so far, by the hash of their key.
typedef std::unordered_multimap<uint64_t, DirectoryEntry*> HeldNames;
typedef std::unordered_map<std::string, int> CounterMemo;

// The entry that holds a Joliet name Windows takes for key's, or null.
static DirectoryEntry* find_held(const HeldNames& held, const ComparisonKey& key) {
  auto range = held.equal_range(key_hash(key));
  for (auto it = range.first; it != range.second; ++it) {
    ComparisonKey other;
    make_comparison_key(joliet_text(it->second), &other);
    if (same_key(other, key)) return it->second;
  }
  return nullptr;
}

static void hold(HeldNames& held, DirectoryEntry* e) {
  ComparisonKey key;
  make_comparison_key(joliet_text(e), &key);
  held.emplace(key_hash(key), e);
}

static void release(HeldNames& held, DirectoryEntry* e) {
  ComparisonKey key;
  make_comparison_key(joliet_text(e), &key);
  auto range = held.equal_range(key_hash(key));
  for (auto it = range.first; it != range.second; ++it) {
    if (it->second == e) {
      held.erase(it);
      return;
    }
  }
}

static int unit_count(const char* text) {
  uint16_t units[1024];
  size_t length = strlen(text);
  return AnsiToUcs2(text, (int)(length < 1023 ? length : 1023), units, 1024);
}

// True when the Joliet name is the source name itself: nothing replaced,
// nothing cut.
static bool keeps_source_name(const DirectoryEntry* e) {
  for (const unsigned char* p = (const unsigned char*)e->name; *p; p++) {
    if (joliet_replaces(*p)) return false;
  }
  return unit_count(e->name) <= kMaxJolietUnits;
}

// The source name with the replaced characters as "_", split into its
// characters (a lead byte keeps its trail byte): starts[i] is where
// character i begins; the count of characters is returned.
static int mapped_characters(const char* name, std::string* mapped, std::vector<size_t>* starts) {
  for (const unsigned char* p = (const unsigned char*)name; *p;) {
    starts->push_back(mapped->size());
    unsigned char c = *p++;
    *mapped += joliet_replaces(c) ? '_' : (char)c;
    if (IsAnsiLeadByte(c) && *p) *mapped += (char)*p++;
  }
  return (int)starts->size();
}

// A Joliet name for e that no entry in held has: base, counter, extension
// (the source name's from its last dot), within 64 characters. A counter of
// more characters is used once all of three are taken. False when none is
// left.
static bool make_unique_joliet_name(const DirectoryEntry* e, const HeldNames& held, CounterMemo& memo,
                                    char* out) {
  std::string mapped;
  std::vector<size_t> starts;
  int characters = mapped_characters(e->name, &mapped, &starts);
  int ext_start = characters;
  for (int i = characters - 1; i > 0; i--) {
    if (mapped[starts[i]] == '.') {
      ext_start = i;
      break;
    }
  }
  if (characters - ext_start > kMaxJolietUnits - kMaxCounterWidth - 1) ext_start = characters;  // no room for it
  std::string ext = mapped.substr(ext_start < characters ? starts[ext_start] : mapped.size());
  for (int width = kCounterWidth; width <= kMaxCounterWidth; width++) {
    int base_characters = ext_start;
    if (base_characters > kMaxJolietUnits - width - (characters - ext_start))
      base_characters = kMaxJolietUnits - width - (characters - ext_start);
    std::string base;
    std::string text;
    // A character of more than one UTF-16 unit shortens the base further.
    for (;; base_characters--) {
      base = mapped.substr(0, base_characters < characters ? starts[base_characters] : mapped.size());
      text = base + std::string((size_t)width, '0') + ext;
      if (base_characters == 0 || unit_count(text.c_str()) <= kMaxJolietUnits) break;
    }
    int& counter = memo[base + '\x01' + ext + '\x01' + (char)width];
    int limit = 1;
    for (int i = 0; i < width; i++) limit *= 36;
    for (; counter < limit; counter++) {
      int value = counter;
      for (int i = width - 1; i >= 0; i--, value /= 36) text[base.size() + (size_t)i] = kCounterDigits[value % 36];
      ComparisonKey key;
      make_comparison_key(text.c_str(), &key);
      if (!find_held(held, key)) {
        counter++;
        snprintf(out, kNameBufferSize, "%s", text.c_str());
        return true;
      }
    }
  }
  return false;
}

static bool is_dot_entry(const DirectoryEntry* e) {
  return e->is_directory && (!strcmp(e->name, ".") || !strcmp(e->name, ".."));
}

bool make_joliet_names_unique(DirectoryNode* node) {
  size_t entries = 0;
  for (DirectoryEntry* e = node->entries; e; e = e->next, entries++) {
    engine_free(e->joliet_name);  // an earlier build's
    e->joliet_name = nullptr;
  }
  HeldNames held;
  held.reserve(entries);
  CounterMemo memo;
  for (DirectoryEntry* e = node->entries; e; e = e->next) {
    if ((e->entry_flags & kNotInJoliet) || is_dot_entry(e)) continue;
    ComparisonKey key;
    make_comparison_key(e->name, &key);
    DirectoryEntry* other = find_held(held, key);
    if (!other) {
      held.emplace(key_hash(key), e);
      continue;
    }
    // The entry whose Joliet name is not its source name changes; of two
    // alike the one met first does, as on the ISO 9660 side.
    DirectoryEntry* renamed = keeps_source_name(other) && !keeps_source_name(e) ? e : other;
    char fresh[kNameBufferSize];
    if (!make_unique_joliet_name(renamed, held, memo, fresh)) {
      snprintf(MessageBuffer, kMessageBufferSize, "Unable to generate unique Joliet name for file %s\n",
               renamed->name);
      ShowError(MessageBuffer);
      Iso.stop_build = true;
      return false;
    }
    char* copy = engine_strdup(fresh);
    if (!copy) return false;
    if (renamed == other) {
      release(held, other);
      held.emplace(key_hash(key), e);
    }
    engine_free(renamed->joliet_name);
    renamed->joliet_name = copy;
    hold(held, renamed);
    snprintf(MessageBuffer, kMessageBufferSize, "Using Joliet name %s for %s/%s (%s)\n", fresh, node->whole_name,
             renamed->name, (renamed == other ? e : other)->name);
    LogMessage(MessageBuffer);
  }
  return true;
}
