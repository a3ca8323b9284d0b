// korvel_gen OUTPUT: writes the boot-loader template "korvel.dat" that the
// program ships beside Tarnwick.exe. The output is the same on every run.
#include <cstdio>

#include "tools/korvel_gen/template_builder.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: korvel_gen OUTPUT\n");
    return 2;
  }
  const std::vector<uint8_t> data = BuildKorvelTemplate();
  FILE* f = fopen(argv[1], "wb");
  if (!f) {
    fprintf(stderr, "korvel_gen: cannot create %s\n", argv[1]);
    return 1;
  }
  const bool written = fwrite(data.data(), 1, data.size(), f) == data.size();
  const bool closed = fclose(f) == 0;
  if (!written || !closed) {
    fprintf(stderr, "korvel_gen: cannot write %s\n", argv[1]);
    remove(argv[1]);
    return 1;
  }
  return 0;
}
