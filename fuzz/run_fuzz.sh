#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs them.
#   fuzz/run_fuzz.sh build [target...]          build (all targets by default)
#   fuzz/run_fuzz.sh run SECONDS [target...]    build, then fuzz each target for SECONDS
#   fuzz/run_fuzz.sh check [target...]          link each target with fuzz/standin_main.cpp
#                                               and the ordinary compiler ($CXX, else c++)
#                                               in a temporary folder and run it on its seeds
#   fuzz/run_fuzz.sh seed TARGET FOLDER         write the target's seed inputs into FOLDER
# Builds go to build-fuzz/ in the source tree; each target keeps its corpus
# in build-fuzz/corpus/<target> and writes crashes to build-fuzz/crashes/<target>.
# Turn every crash into a regression test beside the reader it hit. An
# unknown mode or target name is an error (exit 2). The test command runs
# the check, so that a source list that no longer links is found there.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build-fuzz

# One line per target: name, then the sources it is built from (paths
# relative to the source tree). The first source holds LLVMFuzzerTestOneInput.
targets=(
  "bitmap_8bit fuzz/bitmap_8bit_fuzz.cpp fuzz/document_stub.cpp menu/bitmap_format.cpp menu/bitmap_8bit.cpp menu/bitmap_checks.cpp menu/bitmap_depth.cpp menu/bitmap_in_place.cpp menu/bitmap_restore.cpp platform/files_posix.cpp platform/file_times_posix.cpp platform/path_join.cpp platform/work_file.cpp"
  "bitmap_depth fuzz/bitmap_depth_fuzz.cpp fuzz/document_stub.cpp menu/bitmap_format.cpp menu/bitmap_8bit.cpp menu/bitmap_depth.cpp menu/bitmap_restore.cpp platform/files_posix.cpp platform/file_times_posix.cpp platform/path_join.cpp platform/work_file.cpp"
  "color_table fuzz/color_table_fuzz.cpp fuzz/document_stub.cpp menu/color_table_file.cpp menu/bitmap_format.cpp menu/bitmap_8bit.cpp menu/bitmap_checks.cpp menu/bitmap_depth.cpp platform/files_posix.cpp platform/path_join.cpp platform/work_file.cpp platform/message_box.cpp"
  "menu_file fuzz/menu_file_fuzz.cpp menu/menu_file_reader.cpp menu/picture_name.cpp menu/main_password.cpp menu/document.cpp menu/undo.cpp menu/item_ops.cpp menu/document_view.cpp menu/runtime_tables.cpp app/text_helpers.cpp platform/files_posix.cpp platform/path_join.cpp platform/message_box.cpp platform/system_lang_posix.cpp"
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
elif target == "menu_file":
    # Menu files of three items of each kind, in the forms the target's
    # first byte selects (see menu_file_fuzz.cpp): 0 a whole file whose
    # loader header moves the data base to 0x200, 1 the data from 0x7800 on
    # of a current-layout file, 2 the data from 0x2C60 on of an older one.
    def pstr(text):
        return bytes([len(text)]) + text
    def editor(marker):
        e = marker
        if marker == b"tW":
            e += bytes([16]) + b"".join(struct.pack("<I32s", i * 0x0F0F0F, b"Colour%d" % i) for i in range(16))
        e += bytes([3]) + b"".join(struct.pack("<HHB", 8 * i, 16, 4) + b"text" for i in range(3))
        e += bytes([2, 1, 10, 0]) + pstr(b"KORVEL")
        e += bytes([3]) + b"".join(struct.pack("<HHHHBB", 10, 20 * i, 300, 20 * i + 15, 1, 0x1F) + pstr(b"Line %d" % i)
                                 for i in range(3))
        e += bytes([3]) + b"".join(pstr(b"boot hd%d" % i) for i in range(3))
        e += bytes([3]) + b"".join(pstr(b"Entry %d" % i) for i in range(2)) + bytes([0x80 | 5]) + b"Image"
        e += bytes([3]) + b"".join(pstr(b"F%d" % i) + pstr(b"f%d" % i) + pstr(b"reboot") for i in range(1, 4))
        return e
    def items(data, settings, keys, geometry, layout):
        data[settings:settings + 7] = bytes([3, 1, 0, 0, 0, 0x10, 0])
        for i in range(3):
            data[keys + 6 * i:keys + 6 * i + 6] = bytes([ord("a") + i, 3 if i == 0 else i, i + 2 if i < 2 else 1, 0, 0, 0])
            data[geometry + 10 * i:geometry + 10 * i + 10] = struct.pack("<BHHHHB", 0x17, 40, 100 + 20 * i, 400, 115 + 20 * i, 0x71)
        data[layout] = 3
        for i in range(3):
            data[layout + 1 + 11 * i:layout + 12 + 11 * i] = struct.pack("<HHHHBBB", 5 * i, 5 * i, 600 - 5 * i, 400 - 5 * i, 0x7F, 1, 2)
    def current():
        # Offsets from the data base 0x7800 of a current-layout file; the
        # section table gives offsets of a file with that base.
        data = bytearray(0x1000)
        items(data, 0x04, 0x900, 0xA00, 0xC00)
        data[0x17:0x17 + 25] = bytes([0]) + b"KORVEL\0\0\0" + bytes([1, 5]) + b"logo.bmp\0\0\0\0\0"
        data[0x58:0x58 + 32] = struct.pack("<BHHB", 1, 450, 600, 0x1E) + bytes([1]) + b"back.bmp\0\0\0\0\0" + \
            struct.pack("<BHHHHBB", 1, 100, 420, 440, 12, 0x2A, 0x0F) + bytes([1])
        data += editor(b"tW")
        passwords = len(data)
        data += b"".join(bytes([6]) + bytes(c ^ 0xFF for c in b"secret") + bytes(3) for _ in range(36))
        data[0x30 + 4 * 8:0x30 + 4 * 8 + 4] = struct.pack("<HH", 0x7800 + passwords, 360)
        return data
    seeds = [bytes([1, 128]) + current(), bytes([1, 128 - 8]) + current()]
    whole = bytearray(0x200)
    whole[96:100] = b"-ZQK"
    whole[102:104] = struct.pack("<H", 0x200)
    seeds.append(bytes([0]) + whole + current())
    old = bytearray(0x13A0)
    items(old, 0x03, 0x4A0, 0x5A0, 0x7A0)
    seeds.append(bytes([2]) + old + editor(b"Tq"))
    seeds.append(bytes([2]) + old + editor(b"tW"))
    for n, data in enumerate(seeds, 1):
        open(os.path.join(folder, "seed%d" % n), "wb").write(data)
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
  if [ "${1:-}" = seed ]; then
    seed "${2:?seed needs TARGET}" "${3:?seed needs FOLDER}"
    return
  fi
  mode=${1:-build}
  shift || true
  case $mode in
    build | run | check) ;;
    *) echo "run_fuzz: unknown mode '$mode' (build, run, check or seed)" >&2; return 2 ;;
  esac
  seconds=0
  if [ "$mode" = run ]; then
    seconds=${1:?run needs SECONDS}
    shift
  fi
  wanted=("$@")
  names=()
  for line in "${targets[@]}"; do names+=("${line%% *}"); done
  for name in "${wanted[@]}"; do
    if ! printf '%s\n' "${names[@]}" | grep -qx -- "$name"; then
      echo "run_fuzz: unknown target '$name' (targets: ${names[*]})" >&2
      return 2
    fi
  done

  if [ "$mode" = check ]; then
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
  fi
  mkdir -p "$out"
  for line in "${targets[@]}"; do
    read -r name sources <<<"$line"
    if [ ${#wanted[@]} -gt 0 ] && ! printf '%s\n' "${wanted[@]}" | grep -qx "$name"; then continue; fi
    paths=()
    for s in $sources; do paths+=("$root/$s"); done
    if [ "$mode" = check ]; then
      echo "run_fuzz: linking $name with the stand-in main"
      "${CXX:-c++}" -std=c++17 -O0 -I "$root" "${paths[@]}" "$root/fuzz/standin_main.cpp" -o "$out/$name"
      seed "$name" "$out/seeds-$name"
      "$out/$name" "$out/seeds-$name"/*
      continue
    fi
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
