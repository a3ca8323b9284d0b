// Joliet names within a directory. A Joliet name is the source name with
// the characters Joliet may not hold turned into "_"; a name of more than
// 64 characters is cut to fit, keeping its extension, and the cut loses
// the dots and blanks at its end. So two source names can give one Joliet
// name ("a;b.txt" and "a_b.txt", or two long names that agree in their
// first characters), and Windows tells names apart without regard to case:
// a reader would show both and reach one. Such a name gets a counter of
// three characters before its extension, as colliding ISO 9660 names do
// (iso_names.cpp).
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
// The longest extension (its dot included) a cut or counted name keeps: one
// that leaves a stem of one character beside the widest counter.
enum { kMaxKeptExtension = kMaxJolietUnits - kMaxCounterWidth - 1 };

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

// A source name taken apart for the Joliet names made of it: its
// characters with the replaced ones as "_" (a lead byte keeps its trail
// byte), where each begins, and where its extension begins.
struct NameParts {
  std::string mapped;
  std::vector<size_t> starts;  // starts[i]: where character i begins in mapped
  int characters;
  int ext_start;               // the extension's dot; characters when there is none
};

// The extension is the part from the last dot when that dot is not the
// first character, the name does not end in a dot or a blank, and the
// extension leaves room for a stem beside the widest counter.
static void split_name(const char* name, NameParts* n) {
  for (const unsigned char* p = (const unsigned char*)name; *p;) {
    n->starts.push_back(n->mapped.size());
    unsigned char c = *p++;
    n->mapped += joliet_replaces(c) ? '_' : (char)c;
    if (IsAnsiLeadByte(c) && *p) n->mapped += (char)*p++;
  }
  n->characters = (int)n->starts.size();
  n->ext_start = n->characters;
  for (int i = n->characters - 1; i > 0; i--) {
    if (n->mapped[n->starts[i]] == '.') {
      n->ext_start = i;
      break;
    }
  }
  char last = n->mapped.empty() ? 0 : n->mapped.back();
  if (last == '.' || last == ' ' || n->characters - n->ext_start > kMaxKeptExtension) n->ext_start = n->characters;
}

static size_t start_of(const NameParts& n, int character) {
  return character < n.characters ? n.starts[character] : n.mapped.size();
}

static bool ends_a_cut(char c) { return c == '.' || c == ' '; }

// The Joliet name of n with room for a counter of width characters (0:
// none) before the extension, within 64 UTF-16 units; *base_size is where
// the counter goes. The characters before the extension stay as far as
// they fit. A cut loses the dots and blanks at its end: Windows drops them
// from a name, so it cannot open a file or folder whose name ends in them.
static std::string compose_joliet_name(const NameParts& n, int width, size_t* base_size) {
  std::string ext = n.mapped.substr(start_of(n, n.ext_start));
  std::string counter((size_t)width, '0');
  int ext_characters = n.characters - n.ext_start;
  int stem = n.ext_start;
  if (stem > kMaxJolietUnits - width - ext_characters) stem = kMaxJolietUnits - width - ext_characters;
  std::string base;
  // A character of more than one UTF-16 unit shortens the stem further.
  for (;; stem--) {
    base = n.mapped.substr(0, start_of(n, stem));
    if (stem == 0 || unit_count((base + counter + ext).c_str()) <= kMaxJolietUnits) break;
  }
  if (stem < n.ext_start) {
    size_t kept = base.size();
    while (kept > 0 && ends_a_cut(base[kept - 1])) kept--;
    // A name of nothing but dots and blanks keeps its cut as it is.
    if (kept > 0 || width > 0 || !ext.empty()) base.resize(kept);
  }
  *base_size = base.size();
  return base + counter + ext;
}

// The Joliet name of a source name of more than 64 UTF-16 units: the name
// cut to fit, with its extension. False for a name that fits.
static bool cut_joliet_name(const char* name, std::string* cut) {
  if (strlen(name) <= kMaxJolietUnits || unit_count(name) <= kMaxJolietUnits) return false;
  NameParts n;
  split_name(name, &n);
  size_t base_size;
  *cut = compose_joliet_name(n, 0, &base_size);
  return true;
}

// A Joliet name for e that no entry in held has: base, counter, extension,
// within 64 characters. A counter of more characters is used once all of
// three are taken. False when none is left.
static bool make_unique_joliet_name(const DirectoryEntry* e, const HeldNames& held, CounterMemo& memo,
                                    char* out) {
  NameParts n;
  split_name(e->name, &n);
  for (int width = kCounterWidth; width <= kMaxCounterWidth; width++) {
    size_t base_size;
    std::string text = compose_joliet_name(n, width, &base_size);
    std::string ext = text.substr(base_size + (size_t)width);
    int& counter = memo[text.substr(0, base_size) + '\x01' + ext + '\x01' + (char)width];
    int limit = 1;
    for (int i = 0; i < width; i++) limit *= 36;
    for (; counter < limit; counter++) {
      int value = counter;
      for (int i = width - 1; i >= 0; i--, value /= 36) text[base_size + (size_t)i] = kCounterDigits[value % 36];
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
    std::string cut;
    if (cut_joliet_name(e->name, &cut)) {
      e->joliet_name = engine_strdup(cut.c_str());
      if (!e->joliet_name) return false;
    }
    ComparisonKey key;
    make_comparison_key(joliet_text(e), &key);
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
    if (renamed == other) {
      release(held, other);
      held.emplace(key_hash(key), e);
    }
    // Copied once the containers have what they need: the copy is owned at
    // once, also when a later step finds no memory.
    char* copy = engine_strdup(fresh);
    if (!copy) return false;
    engine_free(renamed->joliet_name);
    renamed->joliet_name = copy;
    hold(held, renamed);
    snprintf(MessageBuffer, kMessageBufferSize, "Using Joliet name %s for %s/%s (%s)\n", fresh, node->whole_name,
             renamed->name, (renamed == other ? e : other)->name);
    LogMessage(MessageBuffer);
  }
  return true;
}
