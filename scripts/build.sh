#!/usr/bin/env bash
# Builds both trees: build/native (window-free code, tests, tools) and
# build/win32 (Tarnwick.exe, language packs, tests for Wine).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
jobs=$(nproc)
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/native" -j "$jobs"
cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" \
  -DTW_HOST_TOOLS_DIR="$root/build/native/tools" >/dev/null
cmake --build "$root/build/win32" -j "$jobs"
# One ctest run covers both trees.
printf 'subdirs("native")\nsubdirs("win32")\n' > "$root/build/CTestTestfile.cmake"
