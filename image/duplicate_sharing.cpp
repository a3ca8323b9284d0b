// Duplicate-file sharing: a file whose contents equal those of a file
// already placed points to that file's extent instead of taking its own.
// Only files with a partner of the same size are ever read for a digest,
// and the byte comparison only confirms a digest match.
#include "image/iso_internal.h"
#include "image/md5.h"
#include "platform/output_file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

// The placed candidates of one size and head digest. Once the group has
// two, a file is checked only against those of its whole-file digest, so
// that a file costs the same whatever the size of its group.
struct PlacedGroup {
  std::vector<int> members;  // array indexes, in the order they were placed
  size_t digested = 0;       // members before this one are in by_content (or could not be read)
  std::unordered_map<std::string, std::vector<int>> by_content;  // whole-file digest: indexes, ascending
};
// Placed candidates by size and head digest.
typedef std::unordered_map<std::string, PlacedGroup> PlacedIndex;

static PlacedIndex& placed() { return *(PlacedIndex*)Iso.placed_by_head; }

static std::string head_key(const DirectoryEntry* e) {
  return std::string((const char*)e->head_digest, 16) + std::string((const char*)&e->size, sizeof e->size);
}

static std::string content_key(const DirectoryEntry* e) { return std::string((const char*)e->content_digest, 16); }

static const uint32_t kLargestCandidate = 1073741824u;  // files of 1 GiB and more never share

static bool is_candidate(const DirectoryEntry* e) {
  return !e->is_directory && e->size >= 1 && e->size < kLargestCandidate && !(e->entry_flags & kNotInIso);
}

// Each node's entries in list order, then its subdirectories, then its
// next sibling; with table null only counts.
static int collect(DirectoryNode* node, DirectoryEntry** table, int count) {
  for (; node; node = node->next) {
    for (DirectoryEntry* e = node->entries; e; e = e->next) {
      e->share_group = -1;
      e->digest_state = 0;
      if (!is_candidate(e)) continue;
      if (table) table[count] = e;
      count++;
    }
    count = collect(node->subdirectories, table, count);
  }
  return count;
}

// Largest first; equal sizes keep walk order, so that the file met first
// lends to the later ones.
static int compare_sizes(const void* a, const void* b) {
  const DirectoryEntry* x = *(DirectoryEntry* const*)a;
  const DirectoryEntry* y = *(DirectoryEntry* const*)b;
  if (x->size != y->size) return x->size > y->size ? -1 : 1;
  return 0;
}

static void group_equal_sizes() {
  DirectoryEntry** all = Iso.candidates;
  int n = Iso.candidate_count;
  qsort(all, (size_t)n, sizeof(DirectoryEntry*), compare_sizes);
  for (int j = 0; j < n;) {
    int end = j + 1;
    while (end < n && all[end]->size == all[j]->size) end++;
    for (int i = j; i < end; i++) all[i]->share_group = end - j > 1 ? j : -1;
    j = end;
  }
}

static int count_duplicate_candidates(DirectoryNode* root) { return collect(root, nullptr, 0); }

static int collect_duplicate_candidates(DirectoryNode* root, DirectoryEntry** table) {
  return collect(root, table, 0);
}

int prepare_duplicate_sharing(DirectoryNode* root) {
  free_duplicate_candidates();
  int count = count_duplicate_candidates(root);
  if (count < 2) return 1;  // every share group is -1: no file takes part
  Iso.candidates = new (std::nothrow) DirectoryEntry*[(size_t)count];
  if (!Iso.candidates) return 0;
  Iso.candidate_count = collect_duplicate_candidates(root, Iso.candidates);
  group_equal_sizes();
  for (int i = 0; i < Iso.candidate_count; i++) Iso.candidates[i]->candidate_index = i;
  Iso.placed_by_head = new PlacedIndex();
  return 1;
}

// The digest of a file's first kHeadBytes (for smaller files: of the whole
// file, which then is its content digest too). False when it cannot be read.
static bool take_head_digest(DirectoryEntry* e) {
  if (e->digest_state >= 1) return true;
  if (!e->whole_path) return false;
  FileHandle file = OpenInputFile(e->whole_path);
  if (file == kInvalidFileHandle) return false;
  uint8_t* block = (uint8_t*)engine_alloc(kHeadBytes);
  long got = block ? ReadFromHandle(file, block, kHeadBytes) : -1;
  CloseFileHandle(file);
  if (got < 0) {
    engine_free(block);
    return false;
  }
  Md5Context context;
  Md5Init(&context);
  Md5Update(&context, block, (size_t)got);
  Md5Final(e->head_digest, &context);
  engine_free(block);
  e->digest_state = 1;
  if (e->size <= (uint32_t)kHeadBytes) {
    memcpy(e->content_digest, e->head_digest, 16);
    e->digest_state = 2;
  }
  return true;
}

// The MD5 of the whole file, read in blocks between which the windows
// answer. False when it cannot be read, or when the build is stopping.
static bool take_content_digest(DirectoryEntry* e) {
  if (e->digest_state >= 2) return true;
  if (!e->whole_path || !Md5File(e->content_digest, e->whole_path, keep_answering)) return false;
  e->digest_state = 2;
  return true;
}

// True when the two source files hold equal bytes over a's size.
bool compare_files(const DirectoryEntry* a, const DirectoryEntry* b) {
  const size_t kBlock = 65536;
  uint8_t* one = (uint8_t*)engine_alloc(kBlock);
  uint8_t* two = one ? (uint8_t*)engine_alloc(kBlock) : nullptr;
  FileHandle fa = kInvalidFileHandle, fb = kInvalidFileHandle;
  bool equal = false;
  if (one && two && a->whole_path && b->whole_path) {
    fa = OpenInputFile(a->whole_path);
    fb = OpenInputFile(b->whole_path);
  }
  if (fa != kInvalidFileHandle && fb != kInvalidFileHandle) {
    uint64_t rest = a->size;
    while (rest > 0 && keep_answering()) {
      size_t n = rest < kBlock ? (size_t)rest : kBlock;
      if (ReadFromHandle(fa, one, n) != (long)n) break;
      if (ReadFromHandle(fb, two, n) != (long)n) break;
      if (memcmp(one, two, n) != 0) break;
      rest -= n;
    }
    equal = rest == 0;
  }
  if (fa != kInvalidFileHandle) CloseFileHandle(fa);
  if (fb != kInvalidFileHandle) CloseFileHandle(fb);
  engine_free(one);
  engine_free(two);
  return equal;
}

static void lend_extent(DirectoryEntry* entry, const DirectoryEntry* lender) {
  entry->start_sector = lender->start_sector;
  put32both(entry->record + kRecExtent, lender->start_sector);
  put32both(entry->record + kRecDataLength, entry->size);
}

// Files the group placed since its last look are entered by their
// whole-file digests; one that cannot be read never lends.
static void index_contents(PlacedGroup& group) {
  for (; group.digested < group.members.size(); group.digested++) {
    int index = group.members[group.digested];
    if (!take_content_digest(Iso.candidates[index])) continue;
    std::vector<int>& same = group.by_content[content_key(Iso.candidates[index])];
    same.insert(std::lower_bound(same.begin(), same.end(), index), index);
  }
}

// A placed file of the same size and equal contents lends its extent: the
// first such file in array order. Its contents are known equal only by a
// byte comparison; digests only spare comparisons that cannot succeed. The
// cheap digest of the first 64 KB sorts out most files; the whole-file
// digest is taken only when more than one placed file passes it, and a
// single passing file is compared at once (its whole-file digest would
// merely say what the comparison says).
bool share_duplicate_extent(DirectoryEntry* entry) {
  if (!Iso.candidates || Iso.candidate_count < 2 || entry->share_group < 0) return false;
  if (!take_head_digest(entry)) return false;  // unreadable: own data, and it never lends
  PlacedGroup& group = placed()[head_key(entry)];
  if (group.members.size() == 1 && compare_files(Iso.candidates[group.members[0]], entry)) {
    lend_extent(entry, Iso.candidates[group.members[0]]);
    return true;
  }
  if (group.members.size() > 1) {
    if (!take_content_digest(entry)) return false;
    index_contents(group);
    auto same = group.by_content.find(content_key(entry));
    if (same != group.by_content.end()) {
      for (int i : same->second) {
        if (!compare_files(Iso.candidates[i], entry)) continue;
        lend_extent(entry, Iso.candidates[i]);
        return true;
      }
    }
  }
  entry->share_group = -1;  // placed with data of its own; may lend from now on
  group.members.push_back(entry->candidate_index);
  return false;
}

void free_duplicate_candidates() {
  delete (PlacedIndex*)Iso.placed_by_head;
  Iso.placed_by_head = nullptr;
  delete[] Iso.candidates;
  Iso.candidates = nullptr;
  Iso.candidate_count = 0;
}
