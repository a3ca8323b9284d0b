// Duplicate-file sharing: a file whose contents equal those of a file
// already placed points to that file's extent instead of taking its own.
// Only files with a partner of the same size are ever read for a digest,
// and the byte comparison only confirms a digest match.
#include "image/iso_internal.h"
#include "image/md5.h"

#include <cstdlib>
#include <cstring>

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

int prepare_duplicate_sharing(DirectoryNode* root) {
  free_duplicate_candidates();
  int count = collect(root, nullptr, 0);
  if (count < 2) {
    collect(root, nullptr, 0);  // every share group -1: no file takes part
    return 1;
  }
  Iso.candidates = (DirectoryEntry**)malloc((size_t)count * sizeof(DirectoryEntry*));
  if (!Iso.candidates) return 0;
  Iso.candidate_count = collect(root, Iso.candidates, 0);
  group_equal_sizes();
  return 1;
}

bool share_duplicate_extent(DirectoryEntry* entry) {
  if (!Iso.candidates || Iso.candidate_count < 2 || entry->share_group < 0) return false;
  if (!entry->whole_path || !Md5File(entry->content_digest, entry->whole_path)) return false;
  for (int i = entry->share_group; i < Iso.candidate_count && Iso.candidates[i]->size == entry->size; i++) {
    DirectoryEntry* other = Iso.candidates[i];
    if (other == entry || other->share_group != -1) continue;
    if (memcmp(other->content_digest, entry->content_digest, 16) != 0) continue;
    if (!compare_files(other, entry)) continue;
    entry->start_sector = other->start_sector;
    put32both(entry->record + kRecExtent, other->start_sector);
    put32both(entry->record + kRecDataLength, entry->size);
    return true;
  }
  entry->share_group = -1;  // placed with data of its own; may lend from now on
  return false;
}

void free_duplicate_candidates() {
  free(Iso.candidates);
  Iso.candidates = nullptr;
  Iso.candidate_count = 0;
}
