#!/usr/bin/env bash
# A build through the Windows program under Wine (the Make-ISO dialog, the
# image engine and the progress window) against the native iso_driver, on
# the ~1 GiB tree of case (a) of bench/iso_bench.sh (2,000 files in 40
# folders, 30% duplicates; Joliet on, Optimize off, a no-emulation boot
# image). Medians of N runs each, the builds taking turns, in one run of
# this script; the program's figure is the Make click from start to end,
# the driver's its whole process. The program also runs without its
# progress window, which tells the window's cost from the engine's cost
# under Wine; and each build's progress repaints are counted.
#
#   bash bench/make_iso_bench.sh [--tree win64|win32] [--work DIR] [--runs N] [--keep]
#
# Target: the program takes at most 1.25x the driver's time. The script
# fails only when a build fails, not on a missed target.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
tree=win64
work_parent=${TMPDIR:-/tmp}
runs=3
keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --tree) tree=$2; shift 2 ;;
    --work) work_parent=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    *) echo "make_iso_bench: unknown argument $1" >&2; exit 2 ;;
  esac
done
build=$repo/build/$tree
[ -f "$build/CMakeCache.txt" ] || { echo "make_iso_bench: $build is not configured (run scripts/build.sh)" >&2; exit 2; }
source "$repo/bench/work_folder.sh"
make_work_folder make_iso_bench 3

echo "building make_iso_bench ($tree) and iso_driver (native Release, no sanitizers) ..."
cmake --build "$build" --target make_iso_bench -j 4 >"$work/build.log" 2>&1 || { tail -30 "$work/build.log" >&2; exit 1; }
cmake -S "$repo" -B "$work/native" -DCMAKE_BUILD_TYPE=Release -DTW_SANITIZE=OFF >>"$work/build.log" 2>&1 &&
  cmake --build "$work/native" --target iso_driver -j 4 >>"$work/build.log" 2>&1 || { tail -30 "$work/build.log" >&2; exit 1; }
driver=$work/native/tools/iso_driver/iso_driver

echo "generating the tree ..."
# The generator of case (a) of bench/iso_bench.sh, with its seed.
python3 - "$work" <<'PY'
import os, random, sys
work = sys.argv[1]
rng = random.Random(20261209)
originals = []
total = 0
for i in range(2000):
    path = os.path.join(work, "a", "folder%02d" % (i % 40), "file%04d.bin" % i)
    if originals and rng.random() < 0.30:
        data = rng.choice(originals)
    else:
        data = os.urandom(int(2 ** rng.uniform(11.5, 21.9)))
        originals.append(data)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    total += len(data)
boot = bytearray(b"\x90" * 2048)
boot[2046:2048] = b"\x55\xaa"
with open(os.path.join(work, "loader.bin"), "wb") as f:
    f.write(boot)
print("tree: 2000 files, %.0f MiB" % (total / 2 ** 20))
PY
find "$work/a" -type f -print0 | xargs -0 cat >/dev/null  # warm cache for both
export TEMP="$work/temp"
mkdir -p "$TEMP"
win() { echo "Z:$(echo "$1" | tr / '\\')"; }
run=("$repo/scripts/wine-run" "$tree" "$build/wineprefix")
"${run[@]}" --init
if [ -z "${DISPLAY:-}" ]; then
  run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
fi

program_times=() driver_times=() bare_times=() repaints=()
program() {  # output file, extra arguments: prints the program's line
  "${run[@]}" "$build/bench/make_iso_bench.exe" "$(win "$work/a")" "$(win "$work/loader.bin")" "$(win "$1")" \
    "${@:2}" 2>"$work/program.err" | tr -d '\r'
}
for i in $(seq "$runs"); do
  rm -f "$work/out.iso"; sync
  start=$(date +%s.%N)
  "$driver" --source="$work/a" --output="$work/out.iso" --boot="$work/loader.bin" --joliet=1 >"$work/driver.log" 2>&1 ||
    { tail -20 "$work/driver.log" >&2; exit 1; }
  driver_times+=("$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f", b - a }')")
  driver_bytes=$(stat -c %s "$work/out.iso")

  rm -f "$work/out.iso"; sync
  line=$(program "$work/out.iso" --no-progress) || { cat "$work/program.err" >&2; echo "$line" >&2; exit 1; }
  bare_times+=("$(echo "$line" | awk '{ print $2 }')")

  rm -f "$work/out.iso"; sync
  line=$(program "$work/out.iso") || { cat "$work/program.err" >&2; echo "$line" >&2; exit 1; }
  program_bytes=$(stat -c %s "$work/out.iso")
  [ "$program_bytes" = "$driver_bytes" ] ||
    { echo "make_iso_bench: the program's image has $program_bytes bytes, the driver's $driver_bytes" >&2; exit 1; }
  program_times+=("$(echo "$line" | awk '{ print $2 }')")
  repaints+=("$(echo "$line" | awk '{ print $4 }')")
  echo "run $i: driver ${driver_times[-1]} s, program ${program_times[-1]} s" \
    "(${bare_times[-1]} s without the progress window), ${repaints[-1]} progress repaints"
done
rm -f "$work/out.iso"

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
d=$(median "${driver_times[@]}")
p=$(median "${program_times[@]}")
b=$(median "${bare_times[@]}")
ratio=$(awk -v a="$p" -v b="$d" 'BEGIN { printf "%.2f", a / b }')
echo
echo "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), work folder on $(df -P "$work" | awk 'NR == 2 { print $1 }')"
echo "image: $((driver_bytes / 2048)) sectors ($driver_bytes bytes), warm cache, medians of $runs"
echo "native iso_driver:             $d s"
echo "Tarnwick program under Wine:   $p s (dialog, engine, progress window)"
echo "  the same without the window:  $b s (the engine alone under Wine: $(awk -v a="$b" -v c="$d" 'BEGIN { printf "%.2f", a / c }')x the driver)"
echo "ratio program / driver:        $ratio  (target at most 1.25: $(awk -v r="$ratio" 'BEGIN { print (r <= 1.25) ? "ok" : "MISSED" }'))"
echo "progress window's share:       $(awk -v a="$p" -v c="$b" 'BEGIN { printf "%+.1f%%", (a / c - 1) * 100 }') of the build under Wine"
echo "progress repaints per build:   $(median "${repaints[@]}")"
