#!/usr/bin/env bash
# Builds through the Windows program under Wine (the Make-ISO dialog, the
# image engine and the progress window) against the native iso_driver
# (Release, no sanitizers), on these trees (--cases, default all):
#   large     the ~1 GiB tree of case (a) of bench/iso_bench.sh (2,000 files
#             in 40 folders, 30% duplicates); also without the progress
#             window, which tells the window's cost from the engine's
#   small     50,000 small files (200 to 4,000 bytes), 25 to a folder
#   folders   5,000 empty folders
#   optimize  Optimize on 20,000 and 40,000 files of one size (65,600 bytes)
#             whose first 64 KiB are equal, with the native driver only:
#             the growth from 20,000 to 40,000 (linear growth gives 2), in
#             wall time and in user-mode processor time (the engine's own
#             work; writing a 2.6 GB image may take the system more than
#             twice as long as 1.3 GB)
# Joliet on, Optimize off (but in the optimize case), a no-emulation boot
# image. With --baseline REV the program and the driver of that git
# revision are built too (this tree's bench program, which uses only what
# every revision has) and run in turn with this tree's, so that both are
# measured in one run on the same machine; their images must be equal
# apart from the volume descriptors' dates. Medians of N runs each, the
# builds taking turns; the program's figure is the Make click from start
# to end, the driver's its whole process. On the small tree one more build
# of each program has a second thread send a message to the main window
# every 10 ms: the longest wait for an answer while the engine prepares.
#
#   bash bench/make_iso_bench.sh [--tree win64|win32] [--work DIR] [--runs N]
#                                [--cases LIST] [--baseline REV] [--keep]
#
# Targets: the program takes at most 1.25x the driver's time on the large
# tree; a message sent while preparing is answered within 200 ms; Optimize
# grows at most 2.2x from 20,000 to 40,000 files. The script fails only
# when a build fails or two images differ, not on a missed target. Needs
# about 3 GB free, 9 GB with the optimize case.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
tree=win64
work_parent=${TMPDIR:-/tmp}
runs=3
keep=0
cases=large,small,folders,optimize
baseline=""
while [ $# -gt 0 ]; do
  case "$1" in
    --tree) tree=$2; shift 2 ;;
    --work) work_parent=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --cases) cases=$2; shift 2 ;;
    --baseline) baseline=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    *) echo "make_iso_bench: unknown argument $1" >&2; exit 2 ;;
  esac
done
has_case() { case ",$cases," in *",$1,"*) return 0 ;; *) return 1 ;; esac; }
build=$repo/build/$tree
[ -f "$build/CMakeCache.txt" ] || { echo "make_iso_bench: $build is not configured (run scripts/build.sh)" >&2; exit 2; }
need_gb=3
has_case optimize && need_gb=9
source "$repo/bench/work_folder.sh"
make_work_folder make_iso_bench "$need_gb"
jobs=4

# build_tree SOURCE NATIVE_DIR WINDOWS_DIR: the native driver and the bench
# program of one source tree.
build_tree() {
  local host_tools
  host_tools=$(sed -n 's/^TW_HOST_TOOLS_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")
  cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release -DTW_SANITIZE=OFF >>"$work/build.log" 2>&1 &&
    cmake --build "$2" --target iso_driver -j "$jobs" >>"$work/build.log" 2>&1 || return 1
  if [ "$3" = "$build" ]; then
    cmake --build "$build" --target make_iso_bench -j "$jobs" >>"$work/build.log" 2>&1
  else
    cmake -S "$1" -B "$3" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$1/cmake/toolchain-$tree.cmake" \
      -DTW_HOST_TOOLS_DIR="$host_tools" >>"$work/build.log" 2>&1 &&
      cmake --build "$3" --target make_iso_bench -j "$jobs" >>"$work/build.log" 2>&1
  fi
}

echo "building make_iso_bench ($tree) and iso_driver (native Release, no sanitizers) ..."
build_tree "$repo" "$work/native" "$build" || { tail -30 "$work/build.log" >&2; exit 1; }
driver=$work/native/tools/iso_driver/iso_driver
bench_exe=$build/bench/make_iso_bench.exe
if [ -n "$baseline" ]; then
  echo "building the same of $baseline ..."
  mkdir -p "$work/base-src"
  git -C "$repo" archive "$baseline" | tar -x -C "$work/base-src"
  cp "$repo/bench/make_iso_bench.cpp" "$work/base-src/bench/"
  build_tree "$work/base-src" "$work/base-native" "$work/base-$tree" || { tail -30 "$work/build.log" >&2; exit 1; }
  base_driver=$work/base-native/tools/iso_driver/iso_driver
  base_exe=$work/base-$tree/bench/make_iso_bench.exe
fi

echo "generating the trees ..."
python3 - "$work" "$cases" <<'PY'
import os, random, sys
work, cases = sys.argv[1], sys.argv[2].split(",")
def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
if "large" in cases:
    # The generator of case (a) of bench/iso_bench.sh, with its seed.
    rng = random.Random(20261209)
    originals, total = [], 0
    for i in range(2000):
        if originals and rng.random() < 0.30:
            data = rng.choice(originals)
        else:
            data = os.urandom(int(2 ** rng.uniform(11.5, 21.9)))
            originals.append(data)
        write(os.path.join(work, "large", "folder%02d" % (i % 40), "file%04d.bin" % i), data)
        total += len(data)
    print("large: 2000 files, %.0f MiB" % (total / 2 ** 20))
if "small" in cases:
    rng = random.Random(50000)
    for i in range(50000):
        write(os.path.join(work, "small", "folder%04d" % (i // 25), "file%05d.txt" % i),
              rng.randbytes(rng.randint(200, 4000)))
    print("small: 50000 files in 2000 folders")
if "folders" in cases:
    for i in range(5000):
        os.makedirs(os.path.join(work, "folders", "folder%04d" % i))
    print("folders: 5000 empty folders")
if "optimize" in cases:
    # One head for all; each tail is the file's number. The 40,000 tree
    # holds the 20,000 tree's files as hard links and 20,000 more.
    head = random.Random(64).randbytes(65536)
    for i in range(40000):
        path = os.path.join(work, "opt40", "folder%03d" % (i // 200), "file%05d.bin" % i)
        if i < 20000:
            write(os.path.join(work, "opt20", "folder%03d" % (i // 200), "file%05d.bin" % i),
                  head + (b"%063d\n" % i))
            os.makedirs(os.path.dirname(path), exist_ok=True)
            os.link(os.path.join(work, "opt20", "folder%03d" % (i // 200), "file%05d.bin" % i), path)
        else:
            write(path, head + (b"%063d\n" % i))
    print("optimize: 20000 and 40000 files of 65600 bytes with one head")
boot = bytearray(b"\x90" * 2048)
boot[2046:2048] = b"\x55\xaa"
write(os.path.join(work, "loader.bin"), bytes(boot))
PY
# Reads a tree, so that the build finds it in the page cache (which the
# system may shrink between builds).
warm() { find "$work/$1" -type f -print0 | xargs -0 -r cat >/dev/null; }
export TEMP="$work/temp"
mkdir -p "$TEMP"
win() { echo "Z:$(echo "$1" | tr / '\\')"; }
run=("$repo/scripts/wine-run" "$tree" "$build/wineprefix")
"${run[@]}" --init
if [ -z "${DISPLAY:-}" ]; then
  run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
fi

# An image's MD5 with the volume descriptors' four dates blanked: equal for
# images equal apart from when they were made.
image_digest() {
  python3 - "$1" <<'PY'
import hashlib, sys
with open(sys.argv[1], "rb") as f:
    head = bytearray(f.read(32 * 2048))
    for s in range(16, 32):
        d = head[s * 2048:(s + 1) * 2048]
        if d[1:6] != b"CD001" or d[0] == 255:
            break
        if d[0] in (1, 2):
            head[s * 2048 + 813:s * 2048 + 881] = bytes(68)
    md5 = hashlib.md5(head)
    for block in iter(lambda: f.read(1 << 20), b""):
        md5.update(block)
print(md5.hexdigest())
PY
}
# program EXE TREE [ARGS]: one build of the tree into $work/out.iso; prints its line.
program() {
  rm -f "$work/out.iso"; sync
  "${run[@]}" "$1" "$(win "$work/$2")" "$(win "$work/loader.bin")" "$(win "$work/out.iso")" "${@:3}" \
    2>"$work/program.err" | tr -d '\r' || true
}
# driver EXE TREE [ARGS]: one build; prints its wall time. Its processor
# time in user mode (the engine's own work, without the system's reading
# and writing) is left in $work/cpu.txt.
driver_time() {
  rm -f "$work/out.iso"; sync
  local start
  start=$(date +%s.%N)
  /usr/bin/time -f "%U" -o "$work/cpu.txt" \
    "$1" --source="$work/$2" --output="$work/out.iso" --boot="$work/loader.bin" --joliet=1 "${@:3}" \
    >"$work/driver.log" 2>&1 || { tail -20 "$work/driver.log" >&2; return 1; }
  awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f", b - a }'
}
field() { echo "$1" | awk -v n="$2" '/^build/ { print $n }'; }
written() { case "$1" in *"image written"*) return 0 ;; *) cat "$work/program.err" >&2; echo "$1" >&2; return 1 ;; esac; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
verdict() { awk -v v="$1" -v l="$2" 'BEGIN { print (v <= l) ? "ok" : "MISSED" }'; }
summary=()

# measure TREE LABEL: driver, program (and the baseline's) in turn, $runs
# times; sets d, p, bp (medians) and checks the images.
measure() {
  local tree_name=$1 label=$2 i line digest base_digest
  local dts=() pts=() bpts=()
  for i in $(seq "$runs"); do
    warm "$tree_name"
    dts+=("$(driver_time "$driver" "$tree_name")") || exit 1
    driver_bytes=$(stat -c %s "$work/out.iso")
    # The two programs take turns in which goes first.
    for who in $( [ $((i % 2)) = 1 ] && echo "this base" || echo "base this"); do
      if [ "$who" = this ]; then
        line=$(program "$bench_exe" "$tree_name"); written "$line" || exit 1
        pts+=("$(field "$line" 2)")
        [ "$(stat -c %s "$work/out.iso")" = "$driver_bytes" ] ||
          { echo "make_iso_bench: $label: the program's image has $(stat -c %s "$work/out.iso") bytes, the driver's $driver_bytes" >&2; exit 1; }
        digest=$(image_digest "$work/out.iso")
      elif [ -n "$baseline" ]; then
        line=$(program "$base_exe" "$tree_name"); written "$line" || exit 1
        bpts+=("$(field "$line" 2)")
        base_digest=$(image_digest "$work/out.iso")
      fi
    done
    if [ -n "$baseline" ] && [ "$digest" != "$base_digest" ]; then
      echo "make_iso_bench: $label: the image of $baseline differs from this tree's" >&2; exit 1
    fi
    echo "  $label run $i: driver ${dts[-1]} s, program ${pts[-1]} s${baseline:+, $baseline ${bpts[-1]} s}"
  done
  d=$(median "${dts[@]}"); p=$(median "${pts[@]}"); bp=""
  [ -n "$baseline" ] && bp=$(median "${bpts[@]}")
  local row
  row=$(printf '%-28s driver %7.3f s  program %7.3f s (%5.2fx the driver)' "$label" "$d" "$p" "$(ratio "$p" "$d")")
  [ -n "$baseline" ] && row+=$(printf '  %s %7.3f s: now %.2fx of it' "$baseline" "$bp" "$(ratio "$p" "$bp")")
  summary+=("$row")
}

if has_case large; then
  echo "large tree ..."
  measure large "1 GiB in 2,000 files"
  bare_times=() repaints=()
  for i in $(seq "$runs"); do
    line=$(program "$bench_exe" large --no-progress); written "$line" || exit 1
    bare_times+=("$(field "$line" 2)")
    line=$(program "$bench_exe" large); written "$line" || exit 1
    repaints+=("$(field "$line" 4)")
  done
  b=$(median "${bare_times[@]}")
  summary+=("  large: without the progress window $b s (the engine alone under Wine: $(ratio "$b" "$d")x the driver);" \
    "  the window's share $(awk -v a="$p" -v c="$b" 'BEGIN { printf "%+.1f%%", (a / c - 1) * 100 }');" \
    "  $(median "${repaints[@]}") progress repaints per build; program / driver $(ratio "$p" "$d") (target at most 1.25: $(verdict "$(ratio "$p" "$d")" 1.25))")
fi

if has_case small; then
  echo "small files ..."
  measure small "50,000 small files"
  line=$(program "$bench_exe" small --probe); written "$line" || exit 1
  wait_this=$(echo "$line" | awk '/^probe/ { print $6 }')
  row="  a message sent while preparing: answered within $wait_this ms (target 200: $(verdict "$wait_this" 200))"
  prepared="  the copy began $(echo "$line" | awk '/^probe/ { print $(NF - 1) }') s after the click"
  if [ -n "$baseline" ]; then
    line=$(program "$base_exe" small --probe); written "$line" || exit 1
    row+=", $baseline within $(echo "$line" | awk '/^probe/ { print $6 }') ms"
    prepared+=", $baseline $(echo "$line" | awk '/^probe/ { print $(NF - 1) }') s"
  fi
  summary+=("$row" "$prepared")
fi

if has_case folders; then
  echo "empty folders ..."
  measure folders "5,000 empty folders"
fi

if has_case optimize; then
  echo "optimize ..."
  for who in this base; do
    [ "$who" = base ] && [ -z "$baseline" ] && continue
    exe=$driver; [ "$who" = base ] && exe=$base_driver
    t20s=() t40s=() u20s=() u40s=()
    for i in $(seq "$runs"); do
      warm opt20
      t20s+=("$(driver_time "$exe" opt20 --optimize=1)") || exit 1
      u20s+=("$(cat "$work/cpu.txt")")
      eval "digest20_$who=$(image_digest "$work/out.iso")"
      warm opt40
      t40s+=("$(driver_time "$exe" opt40 --optimize=1)") || exit 1
      u40s+=("$(cat "$work/cpu.txt")")
      eval "digest40_$who=$(image_digest "$work/out.iso")"
      echo "  optimize ($who) run $i: 20,000 files ${t20s[-1]} s (${u20s[-1]} s user), 40,000 files ${t40s[-1]} s (${u40s[-1]} s user)"
    done
    t20=$(median "${t20s[@]}"); t40=$(median "${t40s[@]}")
    u20=$(median "${u20s[@]}"); u40=$(median "${u40s[@]}")
    name="this tree"; [ "$who" = base ] && name=$baseline
    summary+=("$(printf 'Optimize, %-18s 20,000 files %7.3f s, 40,000 files %7.3f s: growth %.2f (target at most 2.2: %s)' \
      "$name:" "$t20" "$t40" "$(ratio "$t40" "$t20")" "$(verdict "$(ratio "$t40" "$t20")" 2.2)")" \
      "$(printf '  in user-mode processor time %.2f s and %.2f s: growth %.2f' "$u20" "$u40" "$(ratio "$u40" "$u20")")")
  done
  if [ -n "$baseline" ]; then
    [ "$digest20_this" = "$digest20_base" ] && [ "$digest40_this" = "$digest40_base" ] ||
      { echo "make_iso_bench: optimize: the images of $baseline differ from this tree's" >&2; exit 1; }
  fi
fi
rm -f "$work/out.iso"

echo
echo "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load $(cut -d' ' -f1-3 /proc/loadavg)," \
  "work folder on $(df -P "$work" | awk 'NR == 2 { print $1 }')"
echo "warm cache, medians of $runs${baseline:+; every image equal to the one $baseline made of the same tree, apart from the volume dates}"
printf '%s\n' "${summary[@]}"
