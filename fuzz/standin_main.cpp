// A main for a fuzz target built without libFuzzer: feeds each file named
// on the command line to LLVMFuzzerTestOneInput once. run_fuzz.sh check
// links every target's source list with it and the ordinary compiler, so
// that the test command finds a target that no longer links.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    FILE* file = fopen(argv[i], "rb");
    if (!file) {
      fprintf(stderr, "cannot read %s\n", argv[i]);
      return 1;
    }
    std::vector<uint8_t> input;
    uint8_t block[65536];
    size_t got;
    while ((got = fread(block, 1, sizeof block, file)) > 0) input.insert(input.end(), block, block + got);
    fclose(file);
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  return 0;
}
