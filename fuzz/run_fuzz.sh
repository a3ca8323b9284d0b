#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs them.
#   fuzz/run_fuzz.sh build [target...]          build (all targets by default)
#   fuzz/run_fuzz.sh run SECONDS [target...]    build, then fuzz each target for SECONDS
# Builds go to build-fuzz/ in the source tree; each target keeps its corpus
# in build-fuzz/corpus/<target> and writes crashes to build-fuzz/crashes/<target>.
# Turn every crash into a regression test beside the reader it hit.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build-fuzz

# One line per target: name, then the sources it is built from (paths
# relative to the source tree). The first source holds LLVMFuzzerTestOneInput.
targets=(
  "bitmap_8bit fuzz/bitmap_8bit_fuzz.cpp fuzz/document_stub.cpp menu/bitmap_format.cpp menu/bitmap_8bit.cpp menu/bitmap_checks.cpp menu/bitmap_depth.cpp menu/bitmap_in_place.cpp menu/bitmap_restore.cpp platform/files_posix.cpp platform/file_times_posix.cpp platform/path_join.cpp"
  "bitmap_depth fuzz/bitmap_depth_fuzz.cpp fuzz/document_stub.cpp menu/bitmap_format.cpp menu/bitmap_8bit.cpp menu/bitmap_depth.cpp menu/bitmap_restore.cpp platform/files_posix.cpp platform/file_times_posix.cpp platform/path_join.cpp"
  "color_table fuzz/color_table_fuzz.cpp fuzz/document_stub.cpp menu/color_table_file.cpp menu/bitmap_format.cpp menu/bitmap_8bit.cpp menu/bitmap_checks.cpp menu/bitmap_depth.cpp platform/files_posix.cpp platform/path_join.cpp platform/message_box.cpp"
  "menu_file fuzz/menu_file_fuzz.cpp menu/menu_file_reader.cpp menu/document.cpp menu/undo.cpp menu/item_ops.cpp menu/document_view.cpp menu/runtime_tables.cpp app/text_helpers.cpp platform/files_posix.cpp platform/path_join.cpp platform/message_box.cpp platform/system_lang_posix.cpp"
)

cxx=${CXX_FUZZ:-clang++}
flags=(-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I "$root")

# Small seed inputs, so the fuzzer starts from real headers.
seed() {
  python3 - "$1" "$2" <<'PY'
import struct, sys, os
target, folder = sys.argv[1], sys.argv[2]
os.makedirs(folder, exist_ok=True)
def bmp(width, height, bits, tag=b"BM", reserved=(0, 0)):
    colors = {1: 2, 4: 16, 8: 256}.get(bits, 0)
    row = ((width * bits + 31) // 32) * 4
    offset = 54 + 4 * colors
    data = bytes((i * 37 + 11) & 0xFF for i in range(row * height))
    head = struct.pack("<2sIHHI", tag, offset + len(data), reserved[0], reserved[1], offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 0, 0, 0, 0)
    palette = bytes((i * 53) & 0xFF for i in range(4 * colors))
    return head + info + palette + data
if target == "color_table":
    entries = b"".join(struct.pack("<I32s", i * 0x111111, b"Name%d" % i) for i in range(16))
    open(os.path.join(folder, "table"), "wb").write(b"Tarnwick ColorTable File" + struct.pack("<I", 16) + entries)
    open(os.path.join(folder, "bmp4"), "wb").write(bmp(3, 2, 4))
else:
    # First byte: screen size 2 = 8 x 4, 3 = 13 x 3.
    n = 0
    for screen, (w, h) in ((2, (8, 4)), (3, (13, 3))):
        for bits in (1, 4, 8, 16, 24):
            for tag in (b"BM", b"TW"):
                n += 1
                open(os.path.join(folder, "seed%d" % n), "wb").write(bytes([screen]) + bmp(w, h, bits, tag))
        n += 1
        open(os.path.join(folder, "seed%d" % n), "wb").write(bytes([screen]) + bmp(w, h, 8, b"BM", (0x54, 0x77)))
PY
}

# The whole run is one function, read before anything runs, so that an edit
# of this file while a long fuzzing run is going does not change that run.
main() {
  mode=${1:-build}
  shift || true
  seconds=0
  if [ "$mode" = run ]; then
    seconds=${1:?run needs SECONDS}
    shift
  fi
  wanted=("$@")

  mkdir -p "$out"
  for line in "${targets[@]}"; do
    read -r name sources <<<"$line"
    if [ ${#wanted[@]} -gt 0 ] && ! printf '%s\n' "${wanted[@]}" | grep -qx "$name"; then continue; fi
    paths=()
    for s in $sources; do paths+=("$root/$s"); done
    echo "run_fuzz: building $name"
    "$cxx" "${flags[@]}" "${paths[@]}" -o "$out/$name"
    if [ "$mode" = run ]; then
      corpus=$out/corpus/$name
      crashes=$out/crashes/$name
      mkdir -p "$corpus" "$crashes"
      [ -n "$(ls -A "$corpus")" ] || seed "$name" "$corpus"
      echo "run_fuzz: fuzzing $name for $seconds s"
      "$out/$name" -max_total_time="$seconds" -max_len=8192 -artifact_prefix="$crashes/" \
        -print_final_stats=1 "$corpus" 2>&1 | tee "$out/$name.log" | grep -E "^(#[0-9]+ *DONE|stat::|==|SUMMARY)" || true
    fi
  done
}

main "$@"; exit $?
