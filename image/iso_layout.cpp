// The layout of the image as a list of fragments, and the ISO 9660 and
// Joliet directories and path tables that both trees build the same way.
#include "app/engine_log.h"
#include "app/message_boxes.h"
#include "image/iso_internal.h"
#include "image/progress_seam.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <strings.h>

// ------------------------------------------------------------ the two trees

static DirectoryEntry* first_entry(DirectoryNode* n, TreeSide side) { return side ? n->joliet_entries : n->entries; }
static DirectoryEntry* next_entry(DirectoryEntry* e, TreeSide side) { return side ? e->joliet_next : e->next; }
static bool left_out(const DirectoryEntry* e, TreeSide side) {
  return (e->entry_flags & (side ? kNotInJoliet : kNotInIso)) != 0;
}
static uint32_t record_length(const DirectoryEntry* e, TreeSide side) {
  return side ? e->joliet_record_length : e->record[kRecLength];
}
static bool is_dot(const DirectoryEntry* e) { return e->is_directory && !strcmp(e->name, "."); }
static bool is_dotdot(const DirectoryEntry* e) { return e->is_directory && !strcmp(e->name, ".."); }

// The subdirectory of node that a folder entry stands for, or null.
static DirectoryNode* child_of_entry(DirectoryNode* node, const DirectoryEntry* e) {
  return e->folder && e->folder->parent == node && e->folder->self_entry == e ? e->folder : nullptr;
}

static void clear_extents(DirectoryNode* n, TreeSide side) {
  for (; n; n = n->next) {
    n->side[side].extent = 0;
    clear_extents(n->subdirectories, side);
  }
}

static void assign_extents(DirectoryNode* n, TreeSide side, int* next_index) {
  for (; n; n = n->next) {
    n->side[side].path_index = (uint16_t)(*next_index)++;
    if (n->side[side].extent == 0) {
      n->side[side].extent = Iso.next_free_sector;
      Iso.next_free_sector += sectors_of(n->side[side].size);
    }
    assign_extents(n->subdirectories, side, next_index);
  }
}

int place_directories(TreeSide side) {
  clear_extents(Iso.root, side);
  int* next_index = &Iso.tree[side].next_path_index;
  *next_index = 1;
  assign_extents(Iso.root, side, next_index);
  return 1;
}

// ------------------------------------------------------------ path tables

static TreeSide g_sort_side;

// The name a directory has in the path table of a side, written to out
// when out is not null; returns its length in bytes.
static int path_table_name(DirectoryNode* n, TreeSide side, uint8_t* out) {
  if (n == Iso.root) {
    if (out) out[0] = 0;
    return 1;
  }
  if (side == kJolietSide) {
    const char* text = joliet_text(n->self_entry);
    int length = joliet_name_bytes(text);
    if (out) to_ucs2_name(out, length, text);
    return length;
  }
  int length;
  const char* name = iso_name_of(n->self_entry, &length);
  if (out) memcpy(out, name, (size_t)length);
  return length;
}

static int compare_iso_path_records(const DirectoryNode* a, const DirectoryNode* b) {
  if (a == Iso.root) return -1;
  if (b == Iso.root) return 1;
  uint16_t pa = a->parent->side[kIsoSide].path_index, pb = b->parent->side[kIsoSide].path_index;
  if (pa != pb) return pa < pb ? -1 : 1;
  int la, lb;
  const char* x = iso_name_of(a->self_entry, &la);
  const char* y = iso_name_of(b->self_entry, &lb);
  int c = memcmp(x, y, (size_t)(la < lb ? la : lb));
  return c ? c : la - lb;
}

static int compare_path_records(const void* a, const void* b) {
  const DirectoryNode* x = *(DirectoryNode* const*)a;
  const DirectoryNode* y = *(DirectoryNode* const*)b;
  return g_sort_side ? compare_joliet_path_records(x, y) : compare_iso_path_records(x, y);
}

static void collect_directories(DirectoryNode* n, DirectoryNode** table, int* count) {
  for (; n; n = n->next) {
    table[(*count)++] = n;
    collect_directories(n->subdirectories, table, count);
  }
}

int make_path_tables(TreeSide side) {
  size_t bytes = (size_t)Iso.tree[side].path_table_sectors * kSectorSize;
  uint8_t* l = (uint8_t*)engine_alloc(bytes);
  uint8_t* m = (uint8_t*)engine_alloc(bytes);
  Iso.tree[side].l_table = l;
  Iso.tree[side].m_table = m;
  if (!l || !m) return 0;
  // A record names its parent by a 16-bit number: a tree of more
  // directories has no path table, and no image is made of it.
  int counter = Iso.tree[side].next_path_index;
  if (counter > 65535) {
    snprintf(MessageBuffer, kMessageBufferSize,
             "Unable to generate sane path tables - too many directories (%d)\n", counter);
    ShowError(MessageBuffer);
    return 0;
  }
  int n = count_directories(Iso.root), filled = 0;
  DirectoryNode** table = (DirectoryNode**)engine_alloc((size_t)n * sizeof(DirectoryNode*));
  if (!table) return 0;
  collect_directories(Iso.root, table, &filled);
  // Sorting by the parents' current numbers changes those numbers; repeat
  // until the order is stable. Each round fixes at least one more level.
  g_sort_side = side;
  for (int round = 0; round <= n + 1; round++) {
    if (n > 2) qsort(table + 1, (size_t)(n - 1), sizeof(DirectoryNode*), compare_path_records);
    bool changed = false;
    for (int i = 0; i < n; i++) {
      if (table[i]->side[side].path_index != i + 1) {
        table[i]->side[side].path_index = (uint16_t)(i + 1);
        changed = true;
      }
    }
    if (!changed) break;
  }
  uint32_t pos = 0;
  for (int i = 0; i < n; i++) {
    DirectoryNode* d = table[i];
    if (!d->self_entry) {
      snprintf(MessageBuffer, kMessageBufferSize,
               side ? "Fatal Joliet goof - directory has amnesia\n" : "Fatal ISO9660 goof - directory has amnesia\n");
      ShowError(MessageBuffer);
      break;
    }
    int length = path_table_name(d, side, nullptr);
    uint32_t record = 8 + (uint32_t)length + ((uint32_t)length & 1);  // an odd name takes a pad byte
    if (pos + record > bytes) break;  // the count was wrong; reported below
    l[pos] = m[pos] = (uint8_t)length;
    put32le(l + pos + 2, d->side[side].extent);
    put32be(m + pos + 2, d->side[side].extent);
    uint16_t parent = d == Iso.root ? 1 : d->parent->side[side].path_index;
    put16le(l + pos + 6, parent);
    put16be(m + pos + 6, parent);
    path_table_name(d, side, l + pos + 8);
    memcpy(m + pos + 8, l + pos + 8, (size_t)length);
    pos += record;
  }
  engine_free(table);
  // A table that differs from the size the descriptor declares lacks a
  // directory or holds garbage: readers that find folders through it would
  // miss some.
  if (pos != Iso.tree[side].path_table_bytes) {
    snprintf(MessageBuffer, kMessageBufferSize,
             side ? "Joliet path table lengths do not match %d expected: %d\n"
                  : "Path table lengths do not match %d expected: %d\n",
             (int)pos, (int)Iso.tree[side].path_table_bytes);
    ShowError(MessageBuffer);
    return 0;
  }
  return 1;
}

int write_path_tables(TreeSide side) {
  uint32_t sectors = Iso.tree[side].path_table_sectors;
  uint8_t*& l = Iso.tree[side].l_table;
  uint8_t*& m = Iso.tree[side].m_table;
  if (!l || !m) return 0;
  write_image_chunk(l, kSectorSize, sectors);
  write_image_chunk(m, kSectorSize, sectors);
  engine_free(l);
  engine_free(m);
  l = m = nullptr;
  return 1;
}

// ------------------------------------------------------------ directories

// A Joliet record: the ISO 9660 record's fields with the Joliet length,
// name and, for directories, the Joliet tree's extents.
static bool make_joliet_record(DirectoryNode* node, DirectoryEntry* e, uint8_t* p) {
  memcpy(p, e->record, 33);
  p[kRecLength] = e->joliet_record_length;
  bool dot = is_dot(e), dotdot = is_dotdot(e);
  int name_bytes = (dot || dotdot) ? 1 : joliet_name_bytes(joliet_text(e));
  p[kRecNameLength] = (uint8_t)name_bytes;
  if (e->record[kRecFlags] & kFileDirectory) {
    DirectoryNode* target = dot ? node : dotdot ? node->parent : child_of_entry(node, e);
    if (!target) {
      ShowError("Fatal goof - unable to find directory location\n");
      Iso.stop_build = true;
      return false;
    }
    put32both(p + kRecExtent, target->side[kJolietSide].extent);
    put32both(p + kRecDataLength, round_up_sector(target->side[kJolietSide].size));
  }
  if (dot) p[kRecName] = 0;
  else if (dotdot) p[kRecName] = 1;
  else to_ucs2_name(p + kRecName, name_bytes, joliet_text(e));
  return true;
}

uint32_t make_directory_records(TreeSide side, DirectoryNode* node, uint8_t* buffer) {
  uint32_t capacity = round_up_sector(node->side[side].size);
  uint32_t pos = 0;
  for (DirectoryEntry* e = first_entry(node, side); e; e = next_entry(e, side)) {
    if (left_out(e, side)) continue;
    uint32_t length = record_length(e, side);
    pos = next_record_position(pos, length);
    if (pos + length > capacity) break;  // the size was wrong; reported by the caller
    if (side == kJolietSide) {
      if (!make_joliet_record(node, e, buffer + pos)) break;
    } else {
      int name_length;
      const char* name = iso_name_of(e, &name_length);
      memcpy(buffer + pos, e->record, kRecName);
      memcpy(buffer + pos + kRecName, name, (size_t)name_length);
    }
    pos += length;
    pos += pos & 1;
  }
  return pos;
}

static int write_directory_tree(DirectoryNode* n, TreeSide side) {
  for (; n && !Iso.stop_build && !Iso.write_failed; n = n->next) {
    uint32_t bytes = round_up_sector(n->side[side].size);
    uint8_t* buffer = (uint8_t*)engine_alloc(bytes);
    if (!buffer) return 0;
    uint32_t pos = make_directory_records(side, n, buffer);
    if (pos != n->side[side].size) {
      snprintf(MessageBuffer, kMessageBufferSize,
               side ? "Unexpected joliet directory length %d expected: %d '%s'\n"
                    : "Unexpected directory length %d expected: %d '%s'\n",
               (int)n->side[side].size, (int)pos, n->name);
      LogMessage(MessageBuffer);
    }
    write_image_chunk(buffer, 1, bytes);
    engine_free(buffer);
    if (!write_directory_tree(n->subdirectories, side)) return 0;
  }
  return Iso.stop_build ? 0 : 1;
}

int write_directories(TreeSide side) { return write_directory_tree(Iso.root, side); }

// ------------------------------------------------------------ file extents

static void clear_record_extents(DirectoryNode* n) {
  for (; n; n = n->next) {
    n->walked = 0;
    for (DirectoryEntry* e = n->entries; e; e = e->next) put32both(e->record + kRecExtent, 0);
    clear_record_extents(n->subdirectories);
  }
}

static void give_extent(DirectoryEntry* e, uint32_t extent, uint32_t size) {
  e->start_sector = extent;
  put32both(e->record + kRecExtent, extent);
  e->size = size;
  put32both(e->record + kRecDataLength, size);
}

static bool queue_file(DirectoryEntry* e) {
  PendingWrite* w = (PendingWrite*)engine_alloc(sizeof(PendingWrite));
  if (!w) return false;
  w->source_path = engine_strdup(e->whole_path);
  if (!w->source_path) {
    engine_free(w);
    return false;
  }
  w->extent = Iso.next_free_sector;
  w->size = e->size;
  w->entry = e;
  if (Iso.pending_tail) Iso.pending_tail->next = w;
  else Iso.pending_head = w;
  Iso.pending_tail = w;
  Iso.pending_count++;
  e->start_sector = w->extent;
  put32both(e->record + kRecExtent, w->extent);
  Iso.next_free_sector += sectors_of(e->size);
  return true;
}

// Places the entries of node and of its following siblings; a directory's
// files (with those of the directories after it) are placed when its
// entry is reached.
static bool walk_file_extents(DirectoryNode* node) {
  for (DirectoryNode* n = node; n; n = n->next) {
    if (n->walked) break;  // it and the siblings after it are placed already
    for (DirectoryEntry* e = n->entries; e; e = e->next) {
      if (!keep_answering()) return false;
      if (read_le32(e->record + kRecExtent) != 0 || (e->entry_flags & kNotInIso)) continue;
      if (Iso.output_path && e->whole_path && !strcasecmp(Iso.output_path, e->whole_path)) {
        snprintf(MessageBuffer, kMessageBufferSize, "ISO '%s' Cnanot Self-Content!", Iso.output_path);
        ShowInfo(MessageBuffer);
        e->size = 0;
        put32both(e->record + kRecDataLength, 0);
      }
      if (e->is_directory) {
        if (is_dotdot(e)) {
          give_extent(e, n->parent->side[kIsoSide].extent, round_up_sector(n->parent->side[kIsoSide].size));
        } else if (is_dot(e)) {
          give_extent(e, n->side[kIsoSide].extent, round_up_sector(n->side[kIsoSide].size));
        } else {
          DirectoryNode* child = child_of_entry(n, e);
          if (!child) {
            snprintf(MessageBuffer, kMessageBufferSize, "Could not find directory entry for '%s'\n", e->name);
            ShowError(MessageBuffer);
            // The entries left would point at sector 0: no image of this tree.
            return false;
          }
          give_extent(e, child->side[kIsoSide].extent, round_up_sector(child->side[kIsoSide].size));
          if (!walk_file_extents(child)) return false;
        }
      } else if (e->size == 0) {
        put32both(e->record + kRecExtent, Iso.next_free_sector);
        e->start_sector = Iso.next_free_sector;
      } else if (!(Iso.optimize_duplicates && share_duplicate_extent(e))) {
        if (!queue_file(e)) return false;
      }
    }
    n->walked = 1;
  }
  return true;
}

// ------------------------------------------------------------ fragments

static uint8_t g_zero_sectors[16 * kSectorSize];

static int size_system_area() {
  Iso.next_free_sector += 16;
  return 1;
}
static int write_system_area() {
  write_image_chunk(g_zero_sectors, kSectorSize, 16);
  return 1;
}
static int size_one_sector() {
  Iso.next_free_sector += 1;
  return 1;
}
static int write_primary_descriptor() {
  fill_primary_descriptor(Iso.primary_descriptor, time(nullptr));
  write_image_chunk(Iso.primary_descriptor, kSectorSize, 1);
  return 1;
}
static int write_terminator() {
  uint8_t sector[kSectorSize];
  fill_terminator(sector);
  write_image_chunk(sector, kSectorSize, 1);
  return 1;
}
int place_path_tables(TreeSide side) {
  Iso.tree[side].l_table_sector = Iso.next_free_sector;
  Iso.tree[side].m_table_sector = Iso.next_free_sector + Iso.tree[side].path_table_sectors;
  Iso.next_free_sector += 2 * Iso.tree[side].path_table_sectors;
  return 1;
}
static int size_path_tables() { return place_path_tables(kIsoSide); }
static int make_iso_path_tables() { return make_path_tables(kIsoSide); }
static int write_iso_path_tables() { return write_path_tables(kIsoSide); }
static int size_iso_directories() { return place_directories(kIsoSide); }
static int write_iso_directories() { return write_directories(kIsoSide); }
static int place_joliet_path_tables() { return place_path_tables(kJolietSide); }
static int make_joliet_path_tables() { return make_path_tables(kJolietSide); }
static int write_joliet_path_tables() { return write_path_tables(kJolietSide); }
static int place_joliet_directories() { return place_directories(kJolietSide); }
static int write_joliet_directories() { return write_directories(kJolietSide); }

static int generate_file_extents() {
  clear_record_extents(Iso.root);
  return walk_file_extents(Iso.root) ? 1 : 0;
}

// Copies every queued file; 0 when one could not be read in full or the
// image could not be written.
static int write_file_data() {
  int complete = 1;
  for (PendingWrite* w = Iso.pending_head; w;) {
    PendingWrite* next = w->next;
    if (complete && !ProgressCancelled && !copy_source_file(w->source_path, w->size)) complete = 0;
    engine_free(w->source_path);
    engine_free(w);
    w = next;
  }
  Iso.pending_head = Iso.pending_tail = nullptr;
  Iso.pending_count = 0;
  return complete;
}

void append_fragment(const char* name, FragmentStep size, FragmentStep generate, FragmentStep write) {
  OutputFragment* f = (OutputFragment*)engine_alloc(sizeof(OutputFragment));
  if (!f) return;
  f->name = name;
  f->size = size;
  f->generate = generate;
  f->write = write;
  OutputFragment** link = &Iso.fragments;
  while (*link) link = &(*link)->next;
  *link = f;
}

static void build_fragment_list() {
  append_fragment("system area", size_system_area, nullptr, write_system_area);
  append_fragment("primary volume descriptor", size_one_sector, make_root_record, write_primary_descriptor);
  if (Iso.use_eltorito)
    append_fragment("boot record descriptor", place_boot_record_descriptor, nullptr, write_boot_record_descriptor);
  if (Iso.use_joliet)
    append_fragment("Joliet descriptor", place_joliet_descriptor, make_joliet_root_record, write_joliet_descriptor);
  append_fragment("terminator", size_one_sector, nullptr, write_terminator);
  if (Iso.use_eltorito) append_fragment("boot catalog", place_boot_catalog, nullptr, write_boot_catalog);
  append_fragment("path tables", size_path_tables, make_iso_path_tables, write_iso_path_tables);
  append_fragment("directories", size_iso_directories, nullptr, write_iso_directories);
  if (Iso.use_joliet) {
    append_fragment("Joliet path tables", place_joliet_path_tables, make_joliet_path_tables, write_joliet_path_tables);
    append_fragment("Joliet directories", place_joliet_directories, nullptr, write_joliet_directories);
  }
  if (Iso.use_eltorito) append_fragment("boot image", place_boot_image_sectors, nullptr, write_boot_image);
  append_fragment("file data", nullptr, generate_file_extents, write_file_data);
}

static uint32_t even_sectors(uint32_t bytes) {
  uint32_t sectors = sectors_of(bytes);
  return sectors + (sectors & 1);
}

// The layout: sizes, then contents; false when the build must stop.
static bool lay_out_image() {
  Iso.next_free_sector = 0;
  for (OutputFragment* f = Iso.fragments; f && !Iso.stop_build; f = f->next) {
    f->first_sector = Iso.next_free_sector;
    if (f->size && !f->size()) Iso.stop_build = true;
    f->end_sector = Iso.next_free_sector;
  }
  for (OutputFragment* f = Iso.fragments; f && !Iso.stop_build; f = f->next) {
    uint32_t before = Iso.next_free_sector;
    if (f->generate && !f->generate()) Iso.stop_build = true;
    if (Iso.next_free_sector != before) {
      if (f->end_sector != before) Iso.stop_build = true;  // only the last placed fragment may grow
      f->end_sector = Iso.next_free_sector;
    }
  }
  return !Iso.stop_build;
}

// True when the image written so far ends exactly at the sector.
static bool image_ends_at(uint32_t sector) { return Iso.bytes_written == (uint64_t)sector * kSectorSize; }

// The write pass; after each fragment the sectors it wrote must be the ones
// it reserved. False when the build stopped.
static bool write_fragments() {
  for (OutputFragment* f = Iso.fragments; f; f = f->next) {
    if (!image_ends_at(f->first_sector)) {
      snprintf(MessageBuffer, kMessageBufferSize,
               "Layout error: the %s was to start at sector %u, the image has %u sectors (%llu bytes).\n", f->name,
               (unsigned)f->first_sector, (unsigned)sectors_written(), (unsigned long long)Iso.bytes_written);
      ShowError(MessageBuffer);
      return false;
    }
    if (f->write && !f->write() && !ProgressCancelled && !Iso.write_failed) Iso.stop_build = true;
    if (ProgressCancelled || Iso.write_failed || Iso.stop_build) return false;
    if (!image_ends_at(f->end_sector)) {
      snprintf(MessageBuffer, kMessageBufferSize,
               "Layout error: the %s reserved sectors %u to %u but the image has %u sectors (%llu bytes) after it.\n",
               f->name, (unsigned)f->first_sector, (unsigned)f->end_sector, (unsigned)sectors_written(),
               (unsigned long long)Iso.bytes_written);
      ShowError(MessageBuffer);
      return false;
    }
  }
  return true;
}

// Closes and deletes the output image of a build that did not complete.
static void discard_output() {
  iso_close_output();
  if (Iso.output_path) ForceDeleteFile(Iso.output_path);
}

// Everything before the first byte is written: the names and order of
// both trees, the sharing of duplicates and the layout. False when the
// build must stop.
static bool prepare_image() {
  if (Iso.stop_build) return false;
  if (Iso.use_eltorito) place_boot_image();
  int failed = finish_all_directories(Iso.root);
  Iso.tree_error_count += failed;
  if (failed) LogMessage("ISO9660 Tree Sort Error!\n");
  if (!Iso.stop_build && Iso.use_joliet) {
    int joliet_failed = sort_joliet_tree(Iso.root);
    if (joliet_failed) {
      Iso.tree_error_count += joliet_failed;
      LogMessage("Joliet Tree Sort Error!\n");
    }
  }
  if (!Iso.stop_build && Iso.optimize_duplicates && !prepare_duplicate_sharing(Iso.root)) {
    ShowError("Memory allocation error!");
    Iso.stop_build = true;
  }
  if (!Iso.stop_build) {
    Iso.root->self_entry = Iso.root->entries;  // its "." entry, first after sorting
    for (int side = 0; side < kTreeSides; side++)
      Iso.tree[side].path_table_sectors = even_sectors(Iso.tree[side].path_table_bytes);
    build_fragment_list();
  }
  return !Iso.stop_build && lay_out_image();
}

// prepare_image; when a standard container of the naming or sharing steps
// cannot get memory, the build stops with "Memory overflow!" as it does
// when engine_alloc cannot.
static bool prepare_image_or_stop() {
  try {
    return prepare_image();
  } catch (const std::bad_alloc&) {
    report_memory_overflow();
    return false;
  }
}

int write_image_tree() {
  int result = 0;
  Iso.write_failed = false;
  if (prepare_image_or_stop()) {
    HideProgress();
    bool go_on = true;
    bool (*fat_test)(const char*) = Iso.fat_volume_test ? Iso.fat_volume_test : CheckTargetVolumeIsFat;
    if (Iso.next_free_sector >= 2097152u && fat_test(Iso.output_path)) go_on = ConfirmFat32Overflow();
    if (go_on && Iso.output_image_handle == kInvalidFileHandle) {
      ShowError("No output image file is open: the image cannot be written.\n");
      go_on = false;
    }
    if (go_on) {
      StartProgress();
          Iso.bytes_written = 0;
      bool complete = write_fragments();
      CloseProgress();
      if (ProgressCancelled) {
        snprintf(MessageBuffer, kMessageBufferSize, "Canceled by User. \n%d Sectors Writen ( %dKB Bytes)\n",
                 (int)sectors_written(), (int)(2 * sectors_written()));
        LogMessage(MessageBuffer);
        discard_output();
      } else if (!complete || Iso.write_failed) {
        if (Iso.write_failed) {
          snprintf(MessageBuffer, kMessageBufferSize,
                   "Unable to write the image file '%s' (disk full or write error). The incomplete image "
                   "has been deleted.\n",
                   Iso.output_path ? Iso.output_path : "");
          ShowError(MessageBuffer);
        }
        discard_output();
      } else {
        snprintf(MessageBuffer, kMessageBufferSize, "Writen %d Sectors ( %dKB Bytes)\n", (int)Iso.next_free_sector,
                 (int)(2 * Iso.next_free_sector));
        LogMessage(MessageBuffer);
        if (Iso.left_out.count) {
          snprintf(MessageBuffer, kMessageBufferSize, "%d entries were left out of the image (see above).\n",
                   Iso.left_out.count);
          LogMessage(MessageBuffer);
        }
        result = 1;
      }
    }
  }
  if (Iso.stopped_while_preparing) {
    LogMessage("Canceled by User. \n0 Sectors Writen ( 0KB Bytes)\n");
    discard_output();
  }
  release_build_tables();
  free_duplicate_candidates();
  if (Iso.root) Iso.root->self_entry = &Iso.root_entry;
  return result;
}

void release_build_tables() {
  for (OutputFragment* f = Iso.fragments; f;) {
    OutputFragment* next = f->next;
    engine_free(f);
    f = next;
  }
  Iso.fragments = nullptr;
  for (int side = 0; side < kTreeSides; side++) {
    engine_free(Iso.tree[side].l_table);
    engine_free(Iso.tree[side].m_table);
    Iso.tree[side].l_table = Iso.tree[side].m_table = nullptr;
  }
  for (PendingWrite* w = Iso.pending_head; w;) {
    PendingWrite* next = w->next;
    engine_free(w->source_path);
    engine_free(w);
    w = next;
  }
  Iso.pending_head = Iso.pending_tail = nullptr;
  Iso.pending_count = 0;
  reset_boot_catalog();
  reset_joliet_indexes();
  free_name_hash();
  engine_free(Iso.copy_buffer);
  Iso.copy_buffer = nullptr;
  Iso.next_free_sector = 0;
  Iso.bytes_written = 0;
  Iso.tree[kIsoSide].next_path_index = 1;
  Iso.build_time_set = false;
}
