#pragma once
// The image engine's own records and state, shared by its source files
// (image/iso_*.cpp, el_torito.cpp, joliet.cpp, duplicate_sharing.cpp,
// output_image.cpp) and by the engine's unit tests, which inspect the tree
// and the generated buffers in memory. Callers use image/iso_engine.h.
#include "image/iso_engine.h"
#include "platform/byte_order.h"
#include "platform/dir_list.h"
#include "platform/output_file.h"

#include <cstddef>
#include <cstdint>
#include "platform/time_seconds.h"

enum { kSectorSize = 2048, kCopyChunk = 32768, kEnginePath = 260, kHeadBytes = 65536 };

// ---------------------------------------------------------------- the tree

// ISO 9660 directory record fields (offsets within the record).
enum {
  kRecLength = 0,
  kRecExtAttrLength = 1,
  kRecExtent = 2,       // both-endian 32-bit
  kRecDataLength = 10,  // both-endian 32-bit
  kRecDate = 18,        // 7 bytes
  kRecFlags = 25,
  kRecUnitSize = 26,
  kRecGap = 27,
  kRecVolumeSeq = 28,   // both-endian 16-bit
  kRecNameLength = 32,
  kRecName = 33,
  kRecordBufferSize = 256,  // a whole record: 33 fixed bytes, a name of up to 207, padding
};
// Volume descriptor fields (primary and Joliet supplementary).
enum {
  kVdType = 0,
  kVdId = 1,
  kVdVersion = 6,
  kVdSystemId = 8,
  kVdVolumeId = 40,
  kVdSpaceSize = 80,
  kVdSetSize = 120,
  kVdSequence = 124,
  kVdBlockSize = 128,
  kVdPathTableSize = 132,
  kVdLTable = 140,
  kVdMTable = 148,
  kVdRootRecord = 156,
  kVdVolumeSetId = 190,
  kVdPublisherId = 318,
  kVdPreparerId = 446,
  kVdApplicationId = 574,
  kVdCopyrightFile = 702,
  kVdAbstractFile = 739,
  kVdBiblioFile = 776,
  kVdCreation = 813,
  kVdModification = 830,
  kVdExpiration = 847,
  kVdEffective = 864,
  kVdStructureVersion = 881,
  kVdApplicationUse = 883,
  kVdEscapeSequences = 88,  // supplementary descriptor only
};

// Record file flags.
enum { kFileExists = 0x01, kFileDirectory = 0x02, kFileAssociated = 0x04 };
// DirectoryEntry::entry_flags.
enum { kNotInJoliet = 0x08, kNotInIso = 0x40, kHiddenSource = 0x100 };
// DirectoryNode::flags.
enum { kHasDot = 0x02, kHasDotDot = 0x04 };

// The two trees of an image: the ISO 9660 tree and the Joliet tree. Their
// directories, path tables and root records are kept per side and built
// by one set of routines that differ per side only in names.
enum TreeSide { kIsoSide = 0, kJolietSide = 1 };
enum { kTreeSides = 2 };

struct DirectoryNode;
struct FolderScan;

struct DirectoryEntry {
  DirectoryEntry* next;
  DirectoryEntry* joliet_next;
  uint8_t record[kRecName];           // the ISO 9660 record's fixed fields; the name is iso_name
  char* iso_name;                     // the ISO 9660 name, NUL-ended: "." is "", ".." is "\x01"
  uint32_t start_sector;
  uint32_t size;                      // files: source size; directories: size rounded to 2048
  uint8_t is_directory;
  uint8_t joliet_record_length;
  time_t modification_time;
  char* name;                         // source name as listed
  char* joliet_name;                  // null, or the Joliet name's text when not the source name (a cut or unique name)
  char* whole_path;                   // null for added "." and ".."
  DirectoryNode* parent;
  DirectoryNode* folder;              // a folder's own node (null for files, "." and "..")
  uint32_t entry_flags;
  int share_group;
  uint8_t content_digest[16];         // MD5 of the whole file, when digest_state is 2
  uint8_t head_digest[16];            // MD5 of the first kHeadBytes, when digest_state >= 1
  uint8_t digest_state;               // 0 none, 1 head digest, 2 head and whole-file digest
  int candidate_index;                // place in the candidate array
};

struct DirectoryNode {
  DirectoryNode* next;
  DirectoryNode* subdirectories;
  DirectoryNode* last_subdirectory;   // the end of that list, where a new child goes
  DirectoryNode* parent;              // the root's parent is the root
  DirectoryEntry* entries;
  DirectoryEntry* self_entry;
  DirectoryEntry* joliet_entries;     // the Joliet list, linked by joliet_next
  char* whole_name;
  char* name;
  int depth;
  struct {
    uint32_t size;                    // bytes of its records, sector-aligned within
    uint32_t extent;                  // first sector
    uint16_t path_index;              // number in the path table
  } side[kTreeSides];
  uint16_t flags;
  uint8_t walked;                     // the file-extent walk has placed its entries
  bool identity_known;                // identity holds the source folder's identity
  FolderIdentity identity;            // tells a folder met again through a link or junction
  FolderScan* scan;                   // iso_tree.cpp: the names listed so far, while the folder is read
};

// ---------------------------------------------------------- fragments

typedef int (*FragmentStep)();  // 1 to go on, 0 to stop the build

struct OutputFragment {
  OutputFragment* next;
  const char* name;
  FragmentStep size;
  FragmentStep generate;
  FragmentStep write;
  uint32_t first_sector;  // where the size pass found the cursor
  uint32_t end_sector;    // the cursor after its size (and generate) step
};

struct PendingWrite {
  PendingWrite* next;
  uint32_t extent;
  uint32_t size;
  char* source_path;
  DirectoryEntry* entry;
};

struct NameHashNode {
  NameHashNode* next;
  DirectoryEntry* entry;
};
enum { kNameHashBuckets = 256 };

// ---------------------------------------------------------- engine state

struct IsoEngine {
  // Options of the current build (copied from IsoOptions).
  int use_joliet, allow_long_names, allow_lowercase, optimize_duplicates;
  int use_fixed_time, use_eltorito, hide_boot_folder, hide_boot_files;
  time_t fixed_time;

  char volume_label[kEnginePath];
  char preparer[kEnginePath];
  char work_dir[kEnginePath];

  // The image tree.
  DirectoryNode* root;
  DirectoryEntry root_entry;
  bool root_dot_known;          // the root folder's "." has been examined
  struct {
    int64_t size;
    time_t modified;
    bool hidden;
  } root_dot;
  time_t build_time;
  bool build_time_set;

  // Layout.
  uint32_t next_free_sector;
  uint64_t bytes_written;        // every byte handed to write_image_chunk; sectors_written() derives from it
  int tree_error_count;
  OutputFragment* fragments;
  bool stop_build;               // a fault that leaves the image unusable
  bool stopped_while_preparing;  // the program was asked to end before anything was written
  bool tree_incomplete;          // the scan ran out of memory or the folder could not be read: no image
  // What the scans since iso_new_image left out (iso_left_out_count).
  struct {
    int count;
    char paths[kIsoLeftOutPathsKept][2 * kEnginePath];
  } left_out;

  // Path tables and root record of each tree.
  struct {
    uint32_t path_table_bytes, path_table_sectors;
    uint32_t l_table_sector, m_table_sector;
    uint8_t* l_table;
    uint8_t* m_table;
    int next_path_index;
    uint8_t root_record[34];
  } tree[kTreeSides];
  uint8_t primary_descriptor[kSectorSize];  // as written, the Joliet copy's base
  int joliet_duplicates;

  // File data.
  PendingWrite* pending_head;
  PendingWrite* pending_tail;
  int pending_count;
  uint8_t* copy_buffer;          // kCopyChunk bytes, allocated once

  // Duplicate sharing.
  DirectoryEntry** candidates;
  int candidate_count;
  void* placed_by_head;               // duplicate_sharing.cpp: placed candidates by size and head digest

  // Name hash of the directory being finished: name_hash_buckets lists
  // (a multiple of kNameHashBuckets) in a table of name_hash_capacity.
  NameHashNode** name_hash;
  unsigned name_hash_buckets, name_hash_capacity;
  int sort_duplicates;

  // El Torito.
  int boot_image_accepted;
  int64_t boot_image_size_seen;  // the size classify_boot_image judged; -1 when it could not read the file
  char eltorito_image_path[kEnginePath];
  const char* eltorito_image_name;
  int eltorito_no_emulation;
  uint32_t eltorito_image_size;
  bool boot_entry_set;           // BootEntryOptions present
  struct {
    const char* image_name;
    int no_emulation;
  } boot_entry_options;
  uint32_t eltorito_descriptor_sector, eltorito_catalog_sector, eltorito_image_sector;
  uint8_t eltorito_validation_entry[32];
  uint8_t eltorito_descriptor_buffer[kSectorSize];
  uint8_t eltorito_catalog_buffer[kSectorSize];

  // The output image.
  FileHandle output_image_handle;
  char output_image_path[kEnginePath];
  const char* output_path;       // null until an iso_create_output succeeds; null again after one fails
  // Files the scan leaves out: the image the build will replace and the
  // work file it writes first (iso_leave_out_path).
  char kept_out[2][kEnginePath];
  int kept_out_count;
  bool write_failed;

  int last_build_result;
  // The FAT test of the output's volume; null: CheckTargetVolumeIsFat.
  // Tests put their own here to reach the 4 GB question.
  bool (*fat_volume_test)(const char* path);
};

extern IsoEngine Iso;

// ---------------------------------------------------------- memory

void* engine_alloc(size_t size);  // zero-filled; "Memory overflow!\n" on failure
// Shows "Memory overflow!\n" (unless the build is stopping already) and
// stops the build.
void report_memory_overflow();
void engine_free(void* block);
char* engine_strdup(const char* text);

// ---------------------------------------------------------- numbers and records

// The file walk's test whether a record's extent is still 0.
uint32_t read_le32(const uint8_t* p);
uint32_t round_up_sector(uint32_t bytes);     // to a multiple of 2048
uint32_t sectors_of(uint64_t bytes);          // ceil(bytes / 2048)
// Local time of t and its offset from UTC in 15-minute units.
void make_record_date(uint8_t* p, time_t t);  // 7 bytes
void make_descriptor_date(uint8_t* p, time_t t);  // 17 bytes
// Where a record of this length starts when the previous one ended at pos:
// the next sector when pos's offset in its sector plus the length reaches
// 2048 or more. Directory sizes and directory writers both use it.
uint32_t next_record_position(uint32_t pos, uint32_t length);

// Lets the program's windows answer while the tree is read and laid out
// (AnswerWhilePreparing, image/progress_seam.h). When the job must stop,
// the build stops (stop_build, stopped_while_preparing). False once the
// build is stopping, for whatever reason.
bool keep_answering();

// ---------------------------------------------------------- tree (iso_tree.cpp)

// True when the scan leaves this path out (iso_leave_out_path).
bool is_kept_out(const char* whole_path);
int scan_source_folder(DirectoryNode* node, const char* folder, DirectoryEntry* self);
// listed: what the folder's listing told of the name (null: it is examined).
int insert_file_entry(DirectoryNode* node, const char* whole_path, const char* name,
                      const SourceFacts* listed = nullptr);
DirectoryNode* create_directory_node(DirectoryNode* parent, const char* whole_path, DirectoryEntry* self,
                                     int look_up);
DirectoryEntry* search_tree_file(DirectoryNode* node, const char* path);
void free_directory_tree();
time_t current_time_stamp();
// Dates and ISO 9660 names of every entry; ends early when the build stops.
void stamp_entries(DirectoryNode* node);
// The number of directories of node, its siblings and everything below.
int count_directories(DirectoryNode* node);
// Counts an entry as left out and keeps its path (folder, separator, name;
// name may be null) when it is one of the first kIsoLeftOutPathsKept.
void note_left_out(const char* folder, const char* name);
// The part of a path after its last separator ('\\' or '/').
const char* after_last_separator(const char* path);

// ---------------------------------------------------------- names (iso_names.cpp)

// The digits of the counter a colliding name gets (base 36), on the ISO
// 9660 and the Joliet side alike.
extern const char kCounterDigits[];
// Makes the entry's ISO 9660 name (entry->iso_name); returns its length.
int map_iso_name(const char* name, DirectoryEntry* entry, int is_directory);
// Replaces the entry's ISO 9660 name with a copy of name; false when there
// is no memory for it.
bool set_iso_name(DirectoryEntry* entry, const char* name);
int finish_directory(DirectoryNode* node);
int finish_all_directories(DirectoryNode* root);  // directories whose sort failed
int compare_iso_names(const DirectoryEntry* a, const DirectoryEntry* b);
void empty_name_hash();
void free_name_hash();  // empties the hash and releases its table
// The ISO 9660 name bytes of an entry and their count ("." and ".." are one byte).
const char* iso_name_of(const DirectoryEntry* entry, int* length);

// ---------------------------------------------------------- layout (iso_layout.cpp)

// The build proper; stops at once when Iso.stop_build is already set.
int write_image_tree();
void append_fragment(const char* name, FragmentStep size, FragmentStep generate, FragmentStep write);
void release_build_tables();

// Directory extents, path tables and directory records of one side.
int place_path_tables(TreeSide side);
int place_directories(TreeSide side);
int make_path_tables(TreeSide side);
int write_path_tables(TreeSide side);
int write_directories(TreeSide side);
// Builds one directory's records into buffer (size rounded up to 2048);
// returns the final position. Used by the writer and by tests.
uint32_t make_directory_records(TreeSide side, DirectoryNode* node, uint8_t* buffer);

// ---------------------------------------------------------- records (iso_records.cpp)

// The root directory's record of one side, for its volume descriptor.
void make_side_root_record(TreeSide side);
int make_root_record();
// A descriptor's fields of one tree: path table size and places, root record.
void put_tree_fields(uint8_t* sector, TreeSide side);
void fill_primary_descriptor(uint8_t* sector, time_t now);
void fill_terminator(uint8_t* sector);

// ---------------------------------------------------------- duplicates (duplicate_sharing.cpp)

int prepare_duplicate_sharing(DirectoryNode* root);  // 0: array allocation failed
// True when the source files of a and b hold equal bytes over a's size.
bool compare_files(const DirectoryEntry* a, const DirectoryEntry* b);
// Gives entry an earlier placed extent of equal contents; true when lent.
bool share_duplicate_extent(DirectoryEntry* entry);
void free_duplicate_candidates();

// ---------------------------------------------------------- El Torito (el_torito.cpp)

int classify_boot_image(const char* path);
// Tells the user and the log why the boot image classify_boot_image refused
// cannot make the image bootable.
void report_unusable_boot_image(const char* path);
void ensure_boot_entry();
// Fills BootEntryOptions for this build (on) or forgets them (off).
void switch_eltorito(bool on);
void place_boot_image();
void write_boot_record();
void make_boot_entry(uint8_t* entry);
void reset_boot_catalog();
int place_boot_record_descriptor();
int place_boot_catalog();
int place_boot_image_sectors();
int write_boot_record_descriptor();
int write_boot_catalog();
int write_boot_image();

// ---------------------------------------------------------- Joliet (joliet.cpp)

void to_ucs2_name(uint8_t* destination, int length, const char* source);
// True for the bytes a Joliet name holds as "_".
bool joliet_replaces(unsigned char c);
// The text an entry's Joliet name is made of: its source name, or the cut
// or unique name make_joliet_names_unique gave it.
const char* joliet_text(const DirectoryEntry* entry);
// Gives the entries of a directory whose source names are longer than a
// Joliet name their cut names, and those whose Joliet names Windows would
// take for one name a unique name each (joliet_names.cpp); false when the
// build must stop.
bool make_joliet_names_unique(DirectoryNode* node);
int joliet_name_bytes(const char* name);
int sort_joliet_tree(DirectoryNode* root);
int compare_joliet_names(const DirectoryEntry* a, const DirectoryEntry* b);
int compare_joliet_path_records(const DirectoryNode* a, const DirectoryNode* b);
int place_joliet_descriptor();
int make_joliet_root_record();
int write_joliet_descriptor();
void fill_joliet_descriptor(uint8_t* sector);
void reset_joliet_indexes();

// ---------------------------------------------------------- output (output_image.cpp)

int write_image(const void* data, size_t size, size_t count);
// Writes size * count bytes and counts them; after one failed write every
// later one does nothing (Iso.write_failed). 1 when written.
int write_image_chunk(const void* data, size_t size, size_t count);
// The whole sectors written so far in this build.
uint32_t sectors_written();
// Tells the progress window the share of the image written.
void report_progress();
// Copies size bytes of a source file into the image in chunks of up to
// kCopyChunk, the last one padded to a whole sector.
int copy_source_file(const char* path, uint32_t size);
bool CheckTargetVolumeIsFat(const char* path);
