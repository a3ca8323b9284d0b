// The engine's entry points, its state and the build sequence's start.
#include "image/iso_engine.h"

#include "app/engine_log.h"
#include "app/message_boxes.h"
#include "image/iso_internal.h"
#include "image/progress_seam.h"
#include "platform/dir_list.h"
#include "platform/files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

static IsoMakeOptions start_options() {
  IsoMakeOptions o;
  memset(&o, 0, sizeof o);
  o.LongNames = 1;
  o.Joliet = 1;
  return o;
}

IsoMakeOptions IsoOptions = start_options();

static IsoEngine start_engine() {
  IsoEngine copy = {};
  copy.output_image_handle = kInvalidFileHandle;
  for (int side = 0; side < kTreeSides; side++) copy.tree[side].next_path_index = 1;
  return copy;
}

IsoEngine Iso = start_engine();

static void copy_text(char* out, size_t size, const char* text) {
  size_t length = strlen(text);
  if (length >= size) length = size - 1;
  memcpy(out, text, length);
  out[length] = 0;
}

// Removes a folder with everything in it; the result is the folder's removal.
// A symbolic link or junction, the folder itself or anything in it, is
// removed as a link: what it leads to is not the engine's to delete.
static bool delete_folder_tree(const char* folder) {
  if (IsLink(folder)) return RemoveLink(folder);
  DirListing* listing = OpenDirListing(folder);
  if (listing) {
    DirItem item;
    char path[kEnginePath];
    while (NextDirItem(listing, &item)) {
      if (!strcmp(item.name, ".") || !strcmp(item.name, "..")) continue;
      if (!JoinPath(path, sizeof path, folder, item.name)) continue;
      if (IsLink(path)) RemoveLink(path);
      else if (FolderExists(path)) delete_folder_tree(path);
      else ForceDeleteFile(path);
    }
    CloseDirListing(listing);
  }
  return RemoveFolder(folder);
}

int iso_engine_init() {
  char temp[kEnginePath];
  const char* env = getenv("TEMP");
  // Without TEMP the system's folder for temporary files serves.
  if (env && *env && strlen(env) < sizeof temp) copy_text(temp, sizeof temp, env);
  else if (!GetTempFolder(temp, sizeof temp)) copy_text(temp, sizeof temp, ".");
  if (!JoinPath(Iso.work_dir, sizeof Iso.work_dir, temp, "Plexi$dor")) copy_text(Iso.work_dir, sizeof Iso.work_dir, ".");
  if (FolderExists(Iso.work_dir) || IsLink(Iso.work_dir)) delete_folder_tree(Iso.work_dir);
  CreateFolder(Iso.work_dir);
  OpenEngineLog(Iso.work_dir);
  return 1;
}

int iso_engine_done() {
  CloseEngineLog();
  return 1;
}

bool keep_answering() {
  if (!Iso.stop_build && AnswerWhilePreparing()) {
    Iso.stop_build = true;
    Iso.stopped_while_preparing = true;
  }
  return !Iso.stop_build;
}

int iso_new_image() {
  free_directory_tree();
  Iso.stop_build = false;
  Iso.stopped_while_preparing = false;
  Iso.use_eltorito = 0;
  Iso.boot_image_accepted = 0;
  copy_text(Iso.volume_label, sizeof Iso.volume_label, "MYCD_VOL");
  memset(&Iso.root_entry, 0, sizeof Iso.root_entry);
  Iso.root = nullptr;
  Iso.tree_incomplete = false;
  memset(&Iso.left_out, 0, sizeof Iso.left_out);
  Iso.kept_out_count = 0;
  create_directory_node(nullptr, "", &Iso.root_entry, 0);
  return 1;
}

DirectoryNode* iso_root_node() { return Iso.root; }

int iso_add_directory(DirectoryNode* node, const char* folder) {
  if (!node || !folder) return 0;
  Iso.stop_build = false;
  // The folder's identity, so that a link inside it back to it is not
  // followed.
  SourceFacts facts = {};
  if (ExamineSource(folder, &facts) && facts.identity_known) {
    node->identity_known = true;
    node->identity = facts.identity;
  }
  if (!scan_source_folder(node, folder, nullptr)) {
    // An empty image in place of the folder's contents would look like a
    // success.
    snprintf(MessageBuffer, kMessageBufferSize, "Folder '%s' cannot be read; no image is made of it.\n", folder);
    ShowError(MessageBuffer);
    Iso.tree_incomplete = true;
    return 0;
  }
  // A tree that lost entries for want of memory would give an image that
  // silently lacks files.
  if (Iso.stop_build) Iso.tree_incomplete = true;
  return 1;
}

int iso_leave_out_path(const char* path) {
  if (!path || Iso.kept_out_count == 2 || strlen(path) >= sizeof Iso.kept_out[0]) return 0;
  copy_text(Iso.kept_out[Iso.kept_out_count++], sizeof Iso.kept_out[0], path);
  return 1;
}

bool is_kept_out(const char* whole_path) {
  for (int i = 0; i < Iso.kept_out_count; ++i) {
    if (!strcasecmp(Iso.kept_out[i], whole_path)) return true;
  }
  return false;
}

int iso_set_boot_image(const char* path) {
  if (!path) return 0;
  int kind = classify_boot_image(path);
  // The image is still made, without a boot record; the user is told.
  if (kind) Iso.boot_image_accepted = 1;
  else report_unusable_boot_image(path);
  return kind;
}

// Counters and identifiers of a build, El Torito on or off, then the dates
// and ISO 9660 names of every entry.
static void reset_image_settings() {
  Iso.next_free_sector = 0;
  for (int side = 0; side < kTreeSides; side++) {
    Iso.tree[side].path_table_bytes = Iso.tree[side].path_table_sectors = 0;
    Iso.tree[side].l_table_sector = Iso.tree[side].m_table_sector = 0;
  }
  Iso.tree_error_count = 0;
  copy_text(Iso.preparer, 129, IsoOptions.PreparerName);
  Iso.volume_label[32] = 0;
  switch_eltorito(Iso.use_eltorito != 0);
  if (Iso.root) stamp_entries(Iso.root);
}

int iso_build_image() {
  Iso.last_build_result = 0;
  if (!Iso.root) return 1;
  copy_text(Iso.volume_label, sizeof Iso.volume_label, IsoOptions.SavedVolumeLabel);
  Iso.use_joliet = IsoOptions.Joliet;
  Iso.allow_long_names = IsoOptions.LongNames;
  Iso.allow_lowercase = IsoOptions.AllowLowercase;
  Iso.optimize_duplicates = IsoOptions.Optimize;
  Iso.use_fixed_time = IsoOptions.SetDateTime;
  Iso.fixed_time = IsoOptions.FixedTime;
  Iso.hide_boot_folder = IsoOptions.HideBootFolder;
  Iso.hide_boot_files = IsoOptions.HideBootFiles;
  Iso.use_eltorito = Iso.boot_image_accepted;
  // An incomplete tree, or one whose names found no memory, gives no image.
  Iso.stop_build = Iso.tree_incomplete || Iso.stopped_while_preparing;
  reset_image_settings();
  Iso.last_build_result = write_image_tree();
  return 1;
}

int iso_last_build_result() { return Iso.last_build_result; }

int iso_left_out_count() { return Iso.left_out.count; }

const char* iso_left_out_path(int index) {
  if (index < 0 || index >= Iso.left_out.count || index >= kIsoLeftOutPathsKept) return nullptr;
  return Iso.left_out.paths[index];
}
