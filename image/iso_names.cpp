// ISO 9660 names: mapping a source name, making names unique within a
// directory, ordering and sizing a directory.
#include "app/engine_log.h"
#include "app/message_boxes.h"
#include "image/iso_internal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>

enum { kMaxIsoName = 207 };

const char* iso_name_of(const DirectoryEntry* entry, int* length) {
  const char* name = entry->iso_name ? entry->iso_name : "";
  *length = (name[0] == 0 || (name[0] == 1 && name[1] == 0)) ? 1 : (int)strlen(name);
  return name;
}

bool set_iso_name(DirectoryEntry* entry, const char* name) {
  char* copy = engine_strdup(name);
  if (!copy) return false;
  engine_free(entry->iso_name);
  entry->iso_name = copy;
  return true;
}

int map_iso_name(const char* name, DirectoryEntry* entry, int is_directory) {
  if (!strcmp(name, ".")) return set_iso_name(entry, "") ? 1 : 0;
  if (!strcmp(name, "..")) return set_iso_name(entry, "\x01") ? 1 : 0;
  char out[kMaxIsoName + 1];
  // The extension dot: the last dot, or an earlier one when the last ends
  // the name or is followed by "~".
  const char* ext_dot = strrchr(name, '.');
  if (ext_dot && (ext_dot[1] == 0 || ext_dot[1] == '~')) {
    for (const char* p = ext_dot - 1; p >= name; p--) {
      if (*p == '.') {
        ext_dot = p;
        break;
      }
    }
  }
  int before_limit = 8, after_limit = 3;
  if (Iso.allow_long_names) {
    if (is_directory) {
      before_limit = 207;
      after_limit = 206;
    } else {
      int ext_length = ext_dot ? (int)strlen(ext_dot) : 0;
      before_limit = ext_length > 104 ? 103 : kMaxIsoName - ext_length;
      after_limit = ext_length;
    }
  }
  int before = 0, after = 0, total = 0, n = 0;
  bool past_dot = false;
  for (const char* p = name; *p && total < kMaxIsoName; p++) {
    char c = *p;
    if (c == '.') {
      if (before == 0 && !past_dot) {
        out[n++] = '_';  // a leading dot
        before++;
        total++;
      } else if (p == ext_dot) {
        out[n++] = '.';
        past_dot = true;
        total++;
      } else if ((!past_dot || Iso.allow_long_names) && before < before_limit) {
        // Any other dot stays a dot while there is room before the dot, and
        // counts there. In 8.3 form a dot after the extension dot is
        // dropped, so that "notes.txt." stays "NOTES.TXT".
        out[n++] = '.';
        before++;
        total++;
      } else {
        total++;  // a dot without room counts toward the limit
      }
      continue;
    }
    if (c >= 'a' && c <= 'z' && !Iso.allow_lowercase) c = (char)(c - 'a' + 'A');
    // Every reader takes a ";" in a file identifier for the start of its
    // version number, so it cannot stand inside a name.
    if (c == ';') c = '_';
    if (past_dot) {
      if (after < after_limit) {
        out[n++] = c;
        after++;
        total++;
      }
    } else if (before < before_limit) {
      out[n++] = c;
      before++;
      total++;
    }
  }
  out[n] = 0;
  return set_iso_name(entry, out) ? n : 0;
}

// ------------------------------------------------------------ the name hash

// The hash of a name over all its characters, with the letters a-z taken
// as A-Z: a reader that ignores case (Windows) reaches only one of two
// names that differ only in case, so they count as one name. Without lower
// case allowed no name holds a-z. The table has 256 buckets, or 256 times a
// power of two as many as a large folder needs, so that a lookup does not
// grow with the folder.
static char fold_letter(char c) { return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c; }

static unsigned name_bucket(const char* name) {
  uint32_t h = 0;
  for (const char* p = name; *p; p++) h = h * 32776u + h / 8u + (uint32_t)(int32_t)(signed char)fold_letter(*p);
  return h % Iso.name_hash_buckets;
}

static bool same_name(const char* a, const char* b) {
  for (; *a && fold_letter(*a) == fold_letter(*b); a++, b++) {
  }
  return fold_letter(*a) == fold_letter(*b);
}

// Makes room for a folder of this many entries; false when the table
// cannot be had.
static bool size_name_hash(int entries) {
  unsigned buckets = kNameHashBuckets;
  while (buckets < (unsigned)entries && buckets < (1u << 24)) buckets *= 2;
  if (buckets > Iso.name_hash_capacity) {
    NameHashNode** grown = (NameHashNode**)engine_alloc(buckets * sizeof(NameHashNode*));
    if (!grown) return false;
    engine_free(Iso.name_hash);
    Iso.name_hash = grown;
    Iso.name_hash_capacity = buckets;
  }
  Iso.name_hash_buckets = buckets;
  return true;
}

static const char* hash_name(const DirectoryEntry* e) { return e->iso_name ? e->iso_name : ""; }

static DirectoryEntry* hash_find(const char* name) {
  for (NameHashNode* n = Iso.name_hash[name_bucket(name)]; n; n = n->next) {
    if (same_name(hash_name(n->entry), name)) return n->entry;
  }
  return nullptr;
}

static bool hash_add(DirectoryEntry* e) {
  NameHashNode* n = (NameHashNode*)engine_alloc(sizeof(NameHashNode));
  if (!n) return false;
  unsigned bucket = name_bucket(hash_name(e));
  n->entry = e;
  n->next = Iso.name_hash[bucket];
  Iso.name_hash[bucket] = n;
  return true;
}

static void hash_remove(DirectoryEntry* e) {
  for (NameHashNode** link = &Iso.name_hash[name_bucket(hash_name(e))]; *link; link = &(*link)->next) {
    if ((*link)->entry == e) {
      NameHashNode* gone = *link;
      *link = gone->next;
      engine_free(gone);
      return;
    }
  }
}

void empty_name_hash() {
  if (!Iso.name_hash) return;
  for (unsigned i = 0; i < Iso.name_hash_buckets; i++) {
    for (NameHashNode* n = Iso.name_hash[i]; n;) {
      NameHashNode* next = n->next;
      engine_free(n);
      n = next;
    }
    Iso.name_hash[i] = nullptr;
  }
}

void free_name_hash() {
  empty_name_hash();
  engine_free(Iso.name_hash);
  Iso.name_hash = nullptr;
  Iso.name_hash_buckets = Iso.name_hash_capacity = 0;
}

// ------------------------------------------------------------ collisions

// Within one directory's finishing, a name once in the hash stays held (an
// entry that gives up a name hands it to the entry that collided with it),
// so the candidates below a counter already found taken stay taken. The
// counter memo makes a run of colliding names linear instead of quadratic
// while giving the very names a search from 000 would give.
typedef std::unordered_map<std::string, int> CounterMemo;

const char kCounterDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Makes the unique name for a colliding name into out; false when all
// 46,656 candidates are taken.
static bool make_unique_name(const char* colliding, char* out, CounterMemo& memo) {
  const char* first_dot = strchr(colliding, '.');
  const char* split;
  if (first_dot == colliding && strrchr(colliding, '.') != first_dot) split = strrchr(colliding, '.');
  else split = first_dot;
  char base[kRecordBufferSize], ext[kRecordBufferSize];
  size_t base_length = split ? (size_t)(split - colliding) : strlen(colliding);
  snprintf(ext, sizeof ext, "%s", split ? split : "");
  memcpy(base, colliding, base_length);
  base[base_length] = 0;
  size_t ext_length = strlen(ext);
  if (Iso.allow_long_names) {
    // With the three counter characters the name stays within 207: an
    // extension longer than 204 loses its end.
    if (ext_length > 204) {
      ext_length = 204;
      ext[ext_length] = 0;
    }
    if (base_length + ext_length > 204) base_length = 204 - ext_length;
  } else if (base_length > 5) {
    base_length = 5;
  }
  base[base_length] = 0;
  std::string key = std::string(base) + '\x01' + ext;
  int& counter = memo[key];
  for (; counter < 36 * 36 * 36; counter++) {
    snprintf(out, kRecordBufferSize - kRecName, "%s%c%c%c%s", base, kCounterDigits[counter / 1296],
             kCounterDigits[counter / 36 % 36], kCounterDigits[counter % 36], ext);
    if (!hash_find(out)) {
      counter++;
      return true;
    }
  }
  return false;
}

static void set_name_lengths(DirectoryEntry* e) {
  int length;
  iso_name_of(e, &length);
  e->record[kRecNameLength] = (uint8_t)length;
  e->record[kRecLength] = (uint8_t)(33 + length + ((33 + length) & 1));
}

// Gives every entry of the node a name no other entry of it holds.
static bool make_names_unique(DirectoryNode* node) {
  CounterMemo memo;
  for (DirectoryEntry* e = node->entries; e; e = e->next) {
    if (e->entry_flags & kNotInIso) continue;
    DirectoryEntry* other = hash_find(hash_name(e));
    if (other == e) {
      snprintf(MessageBuffer, kMessageBufferSize, "Fatal goof, file '%s' already in hash table.\n", hash_name(e));
      ShowError(MessageBuffer);
      return false;
    }
    if (other) {
      char fresh[kRecordBufferSize];
      if (!make_unique_name(hash_name(other), fresh, memo)) {
        snprintf(MessageBuffer, kMessageBufferSize, "Unable to generate unique name for file %s\n", e->name);
        ShowError(MessageBuffer);
        return false;
      }
      hash_remove(other);
      if (!set_iso_name(other, fresh)) return false;
      set_name_lengths(other);
      if (!hash_add(other)) return false;
      snprintf(MessageBuffer, kMessageBufferSize, "Using %s for  %s%s%s (%s)\n", fresh, node->whole_name, "/",
               other->name, e->name);
      LogMessage(MessageBuffer);
    }
    if (!hash_add(e)) return false;
  }
  return true;
}

// ------------------------------------------------------------ order

int compare_iso_names(const DirectoryEntry* a, const DirectoryEntry* b) {
  int la, lb;
  const uint8_t* x = (const uint8_t*)iso_name_of(a, &la);
  const uint8_t* y = (const uint8_t*)iso_name_of(b, &lb);
  int result = 0;
  bool decided = false;
  // "." (0x00) first, ".." (0x01) next.
  bool dot_a = la == 1 && x[0] <= 1, dot_b = lb == 1 && y[0] <= 1;
  if (dot_a || dot_b) {
    if (dot_a && dot_b) result = (int)x[0] - (int)y[0];
    else result = dot_a ? -1 : 1;
    decided = true;
  }
  for (int i = 0; !decided; i++) {
    if (i >= la || i >= lb) {
      result = la - lb;
      break;
    }
    uint8_t c = x[i], d = y[i];
    if (c == d) continue;
    if (c == '.') result = -1;
    else if (d == '.') result = 1;
    else result = (int)c - (int)d;
    break;
  }
  if (result == 0 && a != b) {
    snprintf(MessageBuffer, kMessageBufferSize, "Error: '%s' and '%s' have the same ISO9660 name '%s'.\n",
             a->whole_path ? a->whole_path : a->name, b->whole_path ? b->whole_path : b->name, (const char*)x);
    LogMessage(MessageBuffer);
    Iso.sort_duplicates++;
  }
  return result;
}

static int compare_entry_pointers(const void* a, const void* b) {
  return compare_iso_names(*(DirectoryEntry* const*)a, *(DirectoryEntry* const*)b);
}

// Sorts the node's list; entries outside the ISO 9660 tree go to the end.
// Returns the duplicate names met.
static int sort_directory_entries(DirectoryNode* node) {
  Iso.sort_duplicates = 0;
  int count = 0, hidden = 0;
  for (DirectoryEntry* e = node->entries; e; e = e->next) (e->entry_flags & kNotInIso) ? hidden++ : count++;
  if (count + hidden == 0) return 0;
  DirectoryEntry** all = (DirectoryEntry**)engine_alloc((size_t)(count + hidden) * sizeof(DirectoryEntry*));
  if (!all) return 0;
  int shown = 0, last = count;
  for (DirectoryEntry* e = node->entries; e; e = e->next) {
    if (e->entry_flags & kNotInIso) all[last++] = e;
    else all[shown++] = e;
  }
  if (count > 1) qsort(all, (size_t)count, sizeof(DirectoryEntry*), compare_entry_pointers);
  for (int i = 0; i < count + hidden; i++) all[i]->next = i + 1 < count + hidden ? all[i + 1] : nullptr;
  node->entries = all[0];
  engine_free(all);
  return Iso.sort_duplicates;
}

// ------------------------------------------------------------ finishing

static DirectoryEntry* make_dot_entry(DirectoryNode* node, bool dotdot) {
  DirectoryEntry* e = (DirectoryEntry*)engine_alloc(sizeof(DirectoryEntry));
  if (!e) return nullptr;
  if (node->self_entry) *e = *node->self_entry;
  e->name = engine_strdup(dotdot ? ".." : ".");
  if (!e->name) {
    engine_free(e);
    return nullptr;
  }
  e->whole_path = nullptr;
  e->iso_name = nullptr;
  e->joliet_name = nullptr;
  if (!set_iso_name(e, dotdot ? "\x01" : "")) {
    engine_free(e->name);
    engine_free(e);
    return nullptr;
  }
  e->folder = nullptr;
  e->next = node->entries;
  e->joliet_next = nullptr;
  e->is_directory = 1;
  e->entry_flags = 0;
  e->share_group = -1;
  memset(e->record, 0, sizeof e->record);
  e->record[kRecFlags] = kFileDirectory;
  e->record[kRecNameLength] = 1;
  e->record[kRecLength] = 34;
  put16both(e->record + kRecVolumeSeq, 1);
  make_record_date(e->record + kRecDate, current_time_stamp());
  e->size = kSectorSize;
  put32both(e->record + kRecDataLength, kSectorSize);
  e->parent = dotdot ? node->parent : node;
  node->entries = e;
  node->flags |= dotdot ? kHasDotDot : kHasDot;
  return e;
}

int finish_directory(DirectoryNode* node) {
  current_time_stamp();
  if (!(node->flags & kHasDotDot) && !make_dot_entry(node, true)) return 0;
  if (!(node->flags & kHasDot) && !make_dot_entry(node, false)) return 0;
  int entries = 0;
  for (DirectoryEntry* e = node->entries; e; e = e->next) entries++;
  empty_name_hash();
  if (!size_name_hash(entries)) return 0;
  bool unique = make_names_unique(node);
  empty_name_hash();
  if (!unique) {
    Iso.stop_build = true;
    return 0;
  }
  for (DirectoryEntry* e = node->entries; e; e = e->next) {
    if (e->entry_flags & kNotInIso) continue;
    int length;
    const char* name = iso_name_of(e, &length);
    bool dot_entry = length == 1 && (uint8_t)name[0] <= 1;
    if (e->is_directory && !dot_entry) Iso.tree[kIsoSide].path_table_bytes += 8 + length + (length & 1);
    else if (node == Iso.root && length == 1 && name[0] == 0) Iso.tree[kIsoSide].path_table_bytes += 9;
    Iso.tree[kIsoSide].path_table_bytes += Iso.tree[kIsoSide].path_table_bytes & 1;
    set_name_lengths(e);
  }
  int duplicates = sort_directory_entries(node);
  if (duplicates) {
    snprintf(MessageBuffer, kMessageBufferSize, "Unable to sort directory %s\n", node->whole_name);
    ShowError(MessageBuffer);
  }
  uint32_t size = 0;
  for (DirectoryEntry* e = node->entries; e; e = e->next) {
    if (e->entry_flags & kNotInIso) continue;
    size = next_record_position(size, e->record[kRecLength]) + e->record[kRecLength];
  }
  node->side[kIsoSide].size = size;
  return duplicates;
}

int finish_all_directories(DirectoryNode* node) {
  int failed = 0;
  for (; node && keep_answering(); node = node->next) {
    if (finish_directory(node)) failed++;
    failed += finish_all_directories(node->subdirectories);
  }
  return failed;
}
