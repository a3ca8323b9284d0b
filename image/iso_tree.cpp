// The image tree: reading the source folder, creating nodes and entries,
// searching and freeing.
#include "app/engine_log.h"
#include "app/message_boxes.h"
#include "image/iso_internal.h"
#include "platform/dir_list.h"
#include "platform/files.h"

#include <cstdio>
#include <cstring>
#include <strings.h>

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

time_t current_time_stamp() {
  if (!Iso.build_time_set) {
    Iso.build_time = time(nullptr);
    Iso.build_time_set = true;
  }
  return Iso.build_time;
}

int scan_source_folder(DirectoryNode* node, const char* folder, DirectoryEntry* self) {
  DirListing* listing = OpenDirListing(folder);
  if (!listing) return 1;
  DirItem item;
  char whole[kEnginePath];
  while (NextDirItem(listing, &item) && !Iso.stop_build) {
    if (!strcmp(item.name, ".") && (node->flags & kHasDot)) continue;
    if (!strcmp(item.name, "..") && (node->flags & kHasDotDot)) continue;
    if (!compose_path(whole, folder, item.name)) {
      snprintf(MessageBuffer, kMessageBufferSize, "Non-existant or inaccessible: %s%c%s\n", folder,
               kPathSeparator, item.name);
      LogMessage(MessageBuffer);
      continue;
    }
    insert_file_entry(node, whole, item.name);
  }
  CloseDirListing(listing);
  return 1;
}

static void set_record_date(DirectoryEntry* entry, time_t t) { make_record_date(entry->record + kRecDate, t); }

int insert_file_entry(DirectoryNode* node, const char* whole_path, const char* name) {
  SourceFacts facts;
  bool dot = !strcmp(name, "."), dotdot = !strcmp(name, "..");
  bool in_root = node == Iso.root;
  if (in_root && dotdot && Iso.root_dot_known) {
    // The root's ".." describes the root itself.
    facts.is_folder = true;
    facts.hidden = Iso.root_dot.hidden;
    facts.size = 0;
    facts.modified = Iso.root_dot.modified;
  } else if (!ExamineSource(whole_path, &facts)) {
    snprintf(MessageBuffer, kMessageBufferSize, "Non-existant or inaccessible: %s\n", whole_path);
    LogMessage(MessageBuffer);
    return 0;
  }
  if (in_root && (dot || dotdot) && !Iso.root_dot_known) {
    if (dotdot) {
      // Listed before "."; take the root folder's own facts all the same.
      char self[kEnginePath];
      size_t length = strlen(whole_path);
      memcpy(self, whole_path, length + 1);
      self[length - 1] = 0;  // "...\.." -> "...\."
      if (!ExamineSource(self, &facts)) return 0;
    }
    Iso.root_dot_known = true;
    Iso.root_dot.size = facts.size;
    Iso.root_dot.modified = facts.modified;
    Iso.root_dot.hidden = facts.hidden;
  }
  for (DirectoryEntry* e = node->entries; e; e = e->next) {
    if (!strcasecmp(e->name, name)) {
      if (strcmp(e->name, name) != 0) {
        // Only a case-sensitive file system lists both; the image cannot.
        snprintf(MessageBuffer, kMessageBufferSize, "Left out: %s (a name differing only in case is present)\n",
                 whole_path);
        LogMessage(MessageBuffer);
      }
      return 1;
    }
  }
  if (!facts.is_folder && facts.size >= ((int64_t)1 << 32)) {
    // One ISO 9660 extent describes at most 4 GiB - 1 bytes.
    snprintf(MessageBuffer, kMessageBufferSize,
             "File '%s' is 4 GB or larger and cannot be stored in an ISO 9660 image; it is left out.\n",
             whole_path);
    ShowError(MessageBuffer);
    return 0;
  }
  DirectoryEntry* entry = (DirectoryEntry*)engine_alloc(sizeof(DirectoryEntry));
  if (!entry) return 0;
  entry->name = engine_strdup(name);
  entry->whole_path = engine_strdup(whole_path);
  if (!entry->name || !entry->whole_path) {
    engine_free(entry->name);
    engine_free(entry->whole_path);
    engine_free(entry);
    return 0;
  }
  entry->next = node->entries;
  node->entries = entry;
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
      DirectoryNode* child = create_directory_node(node, whole_path, entry, 1);
      if (child) scan_source_folder(child, whole_path, entry);
    }
  } else {
    entry->size = (uint32_t)facts.size;
    put32both(entry->record + kRecDataLength, entry->size);
  }
  return 1;
}

static const char* after_last_separator(const char* path) {
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
  if (!Iso.root) {
    Iso.root = node;
    node->parent = node;
    node->depth = 0;
    return node;
  }
  if (!parent) parent = Iso.root;
  node->parent = parent;
  node->depth = parent == Iso.root ? 1 : parent->depth + 1;
  DirectoryNode** link = &parent->subdirectories;
  while (*link) link = &(*link)->next;
  *link = node;
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
  for (; node; node = node->next) {
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
