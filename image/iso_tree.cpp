// The image tree: reading the source folder, creating nodes and entries,
// searching and freeing. What the scan leaves out is logged and counted
// (iso_left_out_count, image/iso_engine.h).
#include "app/engine_log.h"
#include "app/message_boxes.h"
#include "image/iso_internal.h"
#include "platform/dir_list.h"
#include "platform/files.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <strings.h>
#include <unordered_map>

// The names a folder already lists, while it is being read: so that a name
// is checked against them without walking the entry list. Keyed by a hash
// of the name with ASCII letters folded, as strcasecmp compares.
struct FolderScan {
  std::unordered_multimap<uint64_t, DirectoryEntry*> names;
};

static uint64_t folded_name_hash(const char* name) {
  uint64_t h = 14695981039346656037ull;
  for (const unsigned char* p = (const unsigned char*)name; *p; p++) {
    unsigned char c = *p;
    if (c >= 'A' && c <= 'Z') c = (unsigned char)(c - 'A' + 'a');
    h = (h ^ c) * 1099511628211ull;
  }
  return h;
}

// Enters a listed entry into the folder's index; false when there is no
// memory for it: the build then stops with "Memory overflow!".
static bool index_listed_name(FolderScan* scan, DirectoryEntry* entry) {
  try {
    scan->names.emplace(folded_name_hash(entry->name), entry);
    return true;
  } catch (const std::bad_alloc&) {
    report_memory_overflow();
    return false;
  }
}

// The entry of node whose name equals name without regard to case, or null.
static DirectoryEntry* find_listed_name(DirectoryNode* node, const char* name) {
  if (!node->scan) {
    for (DirectoryEntry* e = node->entries; e; e = e->next) {
      if (!strcasecmp(e->name, name)) return e;
    }
    return nullptr;
  }
  auto range = node->scan->names.equal_range(folded_name_hash(name));
  for (auto it = range.first; it != range.second; ++it) {
    if (!strcasecmp(it->second->name, name)) return it->second;
  }
  return nullptr;
}

static bool is_separator(char c) { return c == '\\' || c == '/'; }

// folder + separator (when it does not end in one) + name; false when the
// path would not fit in a 260-byte path.
static bool compose_path(char* out, const char* folder, const char* name) {
  size_t fl = strlen(folder), nl = strlen(name);
  bool add = fl > 0 && !is_separator(folder[fl - 1]);
  if (fl + (add ? 1 : 0) + nl + 1 > kEnginePath) return false;
  memcpy(out, folder, fl);
  if (add) out[fl++] = kPathSeparator;
  memcpy(out + fl, name, nl + 1);
  return true;
}

void note_left_out(const char* folder, const char* name) {
  int slot = Iso.left_out.count++;
  if (slot >= kIsoLeftOutPathsKept) return;
  char* kept = Iso.left_out.paths[slot];
  size_t size = sizeof Iso.left_out.paths[slot];
  size_t fl = strlen(folder);
  if (!name) snprintf(kept, size, "%s", folder);
  else if (fl > 0 && is_separator(folder[fl - 1])) snprintf(kept, size, "%s%s", folder, name);
  else snprintf(kept, size, "%s%c%s", folder, kPathSeparator, name);
}

// Logs "Left out: <path> (<why>)" and counts the entry as left out.
static void leave_out(const char* path, const char* why) {
  snprintf(MessageBuffer, kMessageBufferSize, "Left out: %s (%s)\n", path, why);
  LogMessage(MessageBuffer);
  note_left_out(path, nullptr);
}

time_t current_time_stamp() {
  if (!Iso.build_time_set) {
    Iso.build_time = time(nullptr);
    Iso.build_time_set = true;
  }
  return Iso.build_time;
}

// True for a name holding a byte 0x01-0x1F: Windows never shows such a
// name, and natively "\x01" would be taken for the ".." entry.
static bool holds_control_character(const char* name) {
  for (const unsigned char* p = (const unsigned char*)name; *p; p++) {
    if (*p < 0x20) return true;
  }
  return false;
}

// Passes every listed name of an open listing to insert_file_entry.
static void read_listing(DirectoryNode* node, const char* folder, DirListing* listing) {
  FolderScan scan;
  for (DirectoryEntry* e = node->entries; e; e = e->next) {
    if (!index_listed_name(&scan, e)) return;
  }
  FolderScan* outer = node->scan;
  node->scan = &scan;
  DirItem item;
  char whole[kEnginePath];
  while (NextDirItem(listing, &item) && keep_answering()) {
    bool dot = !strcmp(item.name, "."), dotdot = !strcmp(item.name, "..");
    if (dot && (node->flags & kHasDot)) continue;
    if (dotdot && (node->flags & kHasDotDot)) continue;
    if (item.name_cut || !compose_path(whole, folder, item.name)) {
      // A folder near the path limit gets its "." and ".." when it is
      // finished; they are not entries of the disc folder left out.
      if (dot || dotdot) continue;
      snprintf(MessageBuffer, kMessageBufferSize, "Left out: %s%c%s%s (the path is 260 characters or longer)\n",
               folder, kPathSeparator, item.name, item.name_cut ? "..." : "");
      LogMessage(MessageBuffer);
      note_left_out(folder, item.name);
      continue;
    }
    if (is_kept_out(whole)) continue;
    if (holds_control_character(item.name)) {
      leave_out(whole, "the name holds a control character");
      continue;
    }
    if (!NameStandsInPath(item.name)) {
      leave_out(whole, "the name ends in a dot or a blank, which a path to it loses");
      continue;
    }
    insert_file_entry(node, whole, item.name, item.facts_listed ? &item.facts : nullptr);
  }
  if (DirListingBroken(listing)) {
    snprintf(MessageBuffer, kMessageBufferSize,
             "Folder '%s' could not be read to its end; the entries after the last one read are left out.\n", folder);
    ShowError(MessageBuffer);
    note_left_out(folder, nullptr);
  }
  node->scan = outer;
}

int scan_source_folder(DirectoryNode* node, const char* folder, DirectoryEntry* self) {
  DirListing* listing = OpenDirListing(folder);
  if (!listing) return 0;
  read_listing(node, folder, listing);
  CloseDirListing(listing);
  return 1;
}

static void set_record_date(DirectoryEntry* entry, time_t t) { make_record_date(entry->record + kRecDate, t); }

// True when the folder at path (of this identity) is node itself or one of
// the folders above it: entering it again would read the same folders
// without end.
static bool folder_on_path(DirectoryNode* node, const char* path, FolderIdentity* identity) {
  for (DirectoryNode* n = node;; n = n->parent) {
    if (n->identity_known && SameFolder(n->whole_name, &n->identity, path, identity)) return true;
    if (n == Iso.root || n->parent == n) return false;
  }
}

// The facts of a listed name, from the listing when it told them; false
// (logged and counted) when it cannot be examined. The root's "." and ".."
// both describe the root folder.
static bool examine_listed_name(DirectoryNode* node, const char* whole_path, const char* name,
                                const SourceFacts* listed, SourceFacts* facts) {
  bool dot = !strcmp(name, "."), dotdot = !strcmp(name, "..");
  bool in_root = node == Iso.root;
  if (in_root && dotdot && Iso.root_dot_known) {
    facts->is_folder = true;
    facts->hidden = Iso.root_dot.hidden;
    facts->size = 0;
    facts->modified = Iso.root_dot.modified;
    return true;
  }
  bool examined;
  if (dot || dotdot) {
    // Examined on their own (their dates go into the image as the system
    // gives them for the path); their identity is never asked for: they
    // are the folder being read and the one above it.
    examined = ExamineSource(whole_path, facts, false);
  } else if (listed) {
    *facts = *listed;  // a folder's identity comes with its listing (admit_source)
    examined = true;
  } else {
    examined = ExamineSource(whole_path, facts);
  }
  if (!examined) {
    snprintf(MessageBuffer, kMessageBufferSize, "Non-existant or inaccessible: %s\n", whole_path);
    LogMessage(MessageBuffer);
    note_left_out(whole_path, nullptr);
    return false;
  }
  if (in_root && (dot || dotdot) && !Iso.root_dot_known) {
    if (dotdot) {
      // Listed before "."; take the root folder's own facts all the same.
      char self[kEnginePath];
      size_t length = strlen(whole_path);
      memcpy(self, whole_path, length + 1);
      self[length - 1] = 0;  // "...\.." -> "...\."
      if (!ExamineSource(self, facts, false)) return false;
    }
    Iso.root_dot_known = true;
    Iso.root_dot.size = facts->size;
    Iso.root_dot.modified = facts->modified;
    Iso.root_dot.hidden = facts->hidden;
  }
  return true;
}

enum Admission { kAdmitted, kAlreadyListed, kLeftOut };

// Whether an examined source gets an entry. Left out (logged and counted):
// a second name differing only in case, a file too large for one extent, a
// file that cannot be read, a folder that cannot be listed, a folder
// already on the path being read (its identity comes with its listing). An
// admitted folder comes with its listing.
static Admission admit_source(DirectoryNode* node, const char* whole_path, const char* name, SourceFacts& facts,
                              DirListing** listing) {
  DirectoryEntry* same = find_listed_name(node, name);
  if (same) {
    if (!strcmp(same->name, name)) return kAlreadyListed;
    // Only a case-sensitive file system lists both; the image cannot.
    leave_out(whole_path, "a name differing only in case is present");
    return kLeftOut;
  }
  if (!strcmp(name, ".") || !strcmp(name, "..")) return kAdmitted;
  if (!facts.is_folder) {
    if (facts.size >= ((int64_t)1 << 32)) {
      // One ISO 9660 extent describes at most 4 GiB - 1 bytes.
      snprintf(MessageBuffer, kMessageBufferSize,
               "File '%s' is 4 GB or larger and cannot be stored in an ISO 9660 image; it is left out.\n",
               whole_path);
      ShowError(MessageBuffer);
      note_left_out(whole_path, nullptr);
      return kLeftOut;
    }
    if (facts.size > 0) {
      // Found now, the file is left out; found while writing, it would
      // leave an image that lacks its data.
      FileHandle file = OpenInputFile(whole_path);
      if (file == kInvalidFileHandle) {
        snprintf(MessageBuffer, kMessageBufferSize, "File '%s' cannot be read; it is left out.\n", whole_path);
        ShowError(MessageBuffer);
        note_left_out(whole_path, nullptr);
        return kLeftOut;
      }
      CloseFileHandle(file);
    }
    return kAdmitted;
  }
  *listing = OpenDirListing(whole_path);
  if (!*listing) {
    snprintf(MessageBuffer, kMessageBufferSize, "Folder '%s' cannot be read; it is left out.\n", whole_path);
    ShowError(MessageBuffer);
    note_left_out(whole_path, nullptr);
    return kLeftOut;
  }
  if (!facts.identity_known) facts.identity_known = DirListingIdentity(*listing, whole_path, &facts.identity);
  if (facts.identity_known && folder_on_path(node, whole_path, &facts.identity)) {
    CloseDirListing(*listing);
    *listing = nullptr;
    leave_out(whole_path, "a folder loop: this folder is already on the path being read");
    return kLeftOut;
  }
  return kAdmitted;
}

int insert_file_entry(DirectoryNode* node, const char* whole_path, const char* name, const SourceFacts* listed) {
  SourceFacts facts = {};
  if (!examine_listed_name(node, whole_path, name, listed, &facts)) return 0;
  DirListing* listing = nullptr;
  Admission admission = admit_source(node, whole_path, name, facts, &listing);
  if (admission != kAdmitted) return admission == kAlreadyListed ? 1 : 0;
  bool dot = !strcmp(name, "."), dotdot = !strcmp(name, "..");
  DirectoryEntry* entry = (DirectoryEntry*)engine_alloc(sizeof(DirectoryEntry));
  if (entry) {
    entry->name = engine_strdup(name);
    entry->whole_path = engine_strdup(whole_path);
  }
  if (!entry || !entry->name || !entry->whole_path) {
    if (entry) {
      engine_free(entry->name);
      engine_free(entry->whole_path);
      engine_free(entry);
    }
    CloseDirListing(listing);
    return 0;
  }
  entry->next = node->entries;
  node->entries = entry;
  if (node->scan) index_listed_name(node->scan, entry);
  entry->parent = node;
  entry->share_group = -1;
  if (facts.hidden) {
    entry->entry_flags |= kHiddenSource;
    entry->record[kRecFlags] |= kFileExists;
  }
  set_record_date(entry, facts.modified);
  put16both(entry->record + kRecVolumeSeq, 1);
  entry->modification_time = facts.modified;
  if (facts.is_folder) {
    entry->record[kRecFlags] |= kFileDirectory;
    entry->is_directory = 1;
    if (dot) {
      node->flags |= kHasDot;
    } else if (dotdot) {
      node->flags |= kHasDotDot;
    } else {
      // No child of this name exists: the name check found no entry of it.
      DirectoryNode* child = create_directory_node(node, whole_path, entry, 0);
      if (child) {
        child->identity_known = facts.identity_known;
        child->identity = facts.identity;
        read_listing(child, whole_path, listing);
      }
    }
  } else {
    entry->size = (uint32_t)facts.size;
    put32both(entry->record + kRecDataLength, entry->size);
  }
  CloseDirListing(listing);
  return 1;
}

const char* after_last_separator(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; p++) {
    if (is_separator(*p)) name = p + 1;
  }
  return name;
}

DirectoryNode* create_directory_node(DirectoryNode* parent, const char* whole_path, DirectoryEntry* self,
                                     int look_up) {
  const char* name = after_last_separator(whole_path);
  if (look_up && parent) {
    for (DirectoryNode* child = parent->subdirectories; child; child = child->next) {
      if (!strcasecmp(child->name, name)) return child;
    }
  }
  DirectoryNode* node = (DirectoryNode*)engine_alloc(sizeof(DirectoryNode));
  if (!node) return nullptr;
  node->whole_name = engine_strdup(whole_path);
  node->name = engine_strdup(*name ? name : whole_path);
  if (!node->whole_name || !node->name) {
    engine_free(node->whole_name);
    engine_free(node->name);
    engine_free(node);
    return nullptr;
  }
  node->self_entry = self;
  if (self) self->folder = node;
  if (!Iso.root) {
    Iso.root = node;
    node->parent = node;
    node->depth = 0;
    return node;
  }
  if (!parent) parent = Iso.root;
  node->parent = parent;
  node->depth = parent == Iso.root ? 1 : parent->depth + 1;
  if (parent->last_subdirectory) parent->last_subdirectory->next = node;
  else parent->subdirectories = node;
  parent->last_subdirectory = node;
  return node;
}

DirectoryEntry* search_tree_file(DirectoryNode* node, const char* path) {
  if (!node || !path) return nullptr;
  if (*path == '/') {
    LogMessage("call to search_tree_file with an absolute path, stripping\n");
    LogMessage("initial path separator. Hope this was intended...\n");
    path++;
  }
  const char* slash = strchr(path, '/');
  if (slash) {
    size_t length = (size_t)(slash - path);
    for (DirectoryNode* child = node->subdirectories; child; child = child->next) {
      if (strlen(child->name) == length && !strncmp(child->name, path, length))
        return search_tree_file(child, slash + 1);
    }
    return nullptr;
  }
  for (DirectoryEntry* e = node->entries; e; e = e->next) {
    if (!strcmp(e->name, path)) return e;
  }
  return nullptr;
}

static void free_node(DirectoryNode* node) {
  while (node) {
    DirectoryNode* next = node->next;
    for (DirectoryEntry* e = node->entries; e;) {
      DirectoryEntry* after = e->next;
      engine_free(e->name);
      engine_free(e->whole_path);
      engine_free(e->iso_name);
      engine_free(e->joliet_name);
      engine_free(e);
      e = after;
    }
    free_node(node->subdirectories);
    engine_free(node->whole_name);
    engine_free(node->name);
    engine_free(node);
    node = next;
  }
}

void free_directory_tree() {
  if (Iso.root) free_node(Iso.root);
  Iso.root = nullptr;
  Iso.root_dot_known = false;
}

void stamp_entries(DirectoryNode* node) {
  for (; node && keep_answering(); node = node->next) {
    for (DirectoryEntry* e = node->entries; e; e = e->next) {
      if (Iso.use_fixed_time) make_record_date(e->record + kRecDate, Iso.fixed_time);
      map_iso_name(e->name, e, e->is_directory);
    }
    stamp_entries(node->subdirectories);
  }
}

int count_directories(DirectoryNode* node) {
  int count = 0;
  for (; node; node = node->next) count += 1 + count_directories(node->subdirectories);
  return count;
}
