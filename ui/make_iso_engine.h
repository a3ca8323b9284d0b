#pragma once
// The image engine as the Make-ISO dialog calls it: its entry points in one
// table, so that a test can put a recording engine in the engine's place.
// Unless a test installed another table, the calls reach the engine of
// image/iso_engine.h.
struct DirectoryNode;

struct MakeIsoEngine {
  int (*engine_init)();
  int (*new_image)();
  DirectoryNode* (*root_node)();
  int (*leave_out_path)(const char* path);
  int (*add_directory)(DirectoryNode* node, const char* folder);
  int (*set_boot_image)(const char* path);
  int (*create_output)(const char* path);
  int (*build_image)();
  int (*close_output)();
  int (*engine_done)();
  int (*last_build_result)();  // 1 when the image was written completely
  int (*left_out_count)();     // entries the scan left out
  const char* (*left_out_path)(int index);  // the first few of them, else null
};

// The table in force.
const MakeIsoEngine& TheMakeIsoEngine();

// Installs a table (null: the engine itself). Returns the table before.
const MakeIsoEngine* SetMakeIsoEngine(const MakeIsoEngine* engine);
