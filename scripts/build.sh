#!/usr/bin/env bash
# Builds the three trees: build/native (window-free code, tests, tools),
# build/win32 (the shipped 32-bit Tarnwick.exe, language packs, tests for
# Wine) and build/win64 (the same sources for x86_64).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
jobs=$(nproc)
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/native" -j "$jobs"
for tree in win32 win64; do
  cmake -S "$root" -B "$root/build/$tree" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$tree.cmake" \
    -DTW_HOST_TOOLS_DIR="$root/build/native/tools" >/dev/null
  cmake --build "$root/build/$tree" -j "$jobs"
done
# One ctest run covers the trees.
printf 'subdirs("native")\nsubdirs("win32")\nsubdirs("win64")\n' > "$root/build/CTestTestfile.cmake"
