#include "ui/make_iso_engine.h"

#include "image/iso_engine.h"

namespace {

const MakeIsoEngine kImageEngine = {iso_engine_init,   iso_new_image,      iso_root_node,
                                    iso_leave_out_path, iso_add_directory, iso_set_boot_image,
                                    iso_create_output, iso_build_image,    iso_close_output,
                                    iso_engine_done,   iso_last_build_result, iso_left_out_count,
                                    iso_left_out_path};

const MakeIsoEngine* Installed = nullptr;

}  // namespace

const MakeIsoEngine& TheMakeIsoEngine() { return Installed ? *Installed : kImageEngine; }

const MakeIsoEngine* SetMakeIsoEngine(const MakeIsoEngine* engine) {
  const MakeIsoEngine* before = Installed;
  Installed = engine;
  return before;
}
