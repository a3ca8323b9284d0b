#!/usr/bin/env bash
# How the image engine scales with the number of entries. Builds
# tools/iso_driver (Release, no sanitizers) from this tree and prints:
#   (1) 200,000 empty files in one folder: wall time and peak memory, with
#       `xorriso -as mkisofs -J` on the same tree for comparison (xorriso is
#       stopped after --xorriso-limit seconds; its time grows with the square
#       of a folder's entries);
#   (2) 100,000 and 1,000,000 small files in 1,000 and 10,000 folders of
#       100 files each: both times and their ratio (linear growth gives 10);
#   (3) with --baseline REV: bench/iso_bench.sh's three trees measured with
#       the driver of REV and with this tree's in turn, twice, side by side
#       (the fastest of each).
#
#   bash bench/iso_scale_bench.sh [--work DIR] [--runs N] [--baseline REV]
#                                 [--xorriso-limit SECONDS] [--skip-million] [--keep]
#
#   --work DIR      where the trees, images and builds go (default: the
#                   system's temporary folder); needs about 9 GB free, 13 GB
#                   with --baseline
#   --runs N        runs per measurement; the fastest counts (default 2)
#   --baseline REV  a git revision to compare with on iso_bench.sh's trees
#   --skip-million  leave out the 1,000,000-file tree (and its 9 GB)
#
# Targets are printed beside the figures; the script fails only when a build
# fails, not on a missed target.
set -eu

repo=$(cd "$(dirname "$0")/.." && pwd)
work_parent=${TMPDIR:-/tmp}
runs=2
baseline=""
xorriso_limit=60
million=1
keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --work) work_parent=$2; shift 2 ;;
    --work=*) work_parent=${1#*=}; shift ;;
    --runs) runs=$2; shift 2 ;;
    --runs=*) runs=${1#*=}; shift ;;
    --baseline) baseline=$2; shift 2 ;;
    --baseline=*) baseline=${1#*=}; shift ;;
    --xorriso-limit) xorriso_limit=$2; shift 2 ;;
    --xorriso-limit=*) xorriso_limit=${1#*=}; shift ;;
    --skip-million) million=0; shift ;;
    --keep) keep=1; shift ;;
    *) echo "iso_scale_bench: unknown argument $1" >&2; exit 2 ;;
  esac
done

for tool in xorriso python3 /usr/bin/time cmake timeout; do
  command -v "$tool" >/dev/null || { echo "iso_scale_bench: $tool is missing" >&2; exit 2; }
done
need_gb=2
[ "$million" = 1 ] && need_gb=9
[ -n "$baseline" ] && need_gb=$((need_gb + 4))
source "$repo/bench/work_folder.sh"
make_work_folder iso_scale "$need_gb"

# build_driver SOURCE_DIR BUILD_DIR: prints the driver's path.
build_driver() {
  cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release -DTW_SANITIZE=OFF >"$2.log" 2>&1 &&
    cmake --build "$2" --target iso_driver -j"$(nproc)" >>"$2.log" 2>&1 ||
    { tail -40 "$2.log" >&2; return 1; }
  echo "$2/tools/iso_driver/iso_driver"
}

echo "building iso_driver (Release, no sanitizers) ..."
driver=$(build_driver "$repo" "$work/build")
export TEMP="$work/temp"
mkdir -p "$TEMP"

# One timed run: prints "wall_seconds peak_rss_kb exit_code".
timed() {
  /usr/bin/time -v -o "$work/time.txt" "$@" >"$work/run.log" 2>&1 && rc=0 || rc=$?
  awk -F': ' -v rc="$rc" '
    /Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i] }
    /Maximum resident set size/ { rss = $2 }
    END { printf "%.3f %d %d\n", s, rss, rc }' "$work/time.txt"
}

# Best of $runs: prints "wall rss" of the fastest run and the largest RSS.
# A run of the driver must exit 0 or 4 (written, entries left out).
best_of() {
  local best="" rss_max=0 result wall rss rc
  for _ in $(seq "$runs"); do
    rm -f "$work/out.iso"
    sync
    result=$(timed "$@")
    read -r wall rss rc <<<"$result"
    if [ "$rc" != 0 ] && [ "$rc" != 4 ]; then tail -20 "$work/run.log" >&2; return 1; fi
    if [ -z "$best" ] || awk -v a="$wall" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$wall; fi
    [ "$rss" -gt "$rss_max" ] && rss_max=$rss
  done
  echo "$best $rss_max"
}

mb() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
verdict() { awk -v v="$1" -v l="$2" 'BEGIN { print (v <= l) ? "ok" : "MISSED" }'; }
rows=()
row() { rows+=("$(printf '%-34s %9s %9s  %s' "$@")"); }

# ---- (1) 200,000 empty files in one folder
echo "generating 200,000 empty files in one folder ..."
python3 - "$work/flat" <<'EOF'
import os, sys
os.makedirs(sys.argv[1])
for i in range(200000):
    open(os.path.join(sys.argv[1], "file_%07d.dat" % i), "wb").close()
EOF
find "$work/flat" >/dev/null
echo "case 1 ..."
r=$(best_of "$driver" --source="$work/flat" --output="$work/out.iso"); read -r flat_wall flat_rss <<<"$r"
flat_limit_kb=$((64 * 1024 + 200001))
row "200,000 in one folder: ours" "$flat_wall" "$(mb "$flat_rss")" \
  "at most 3 s: $(verdict "$flat_wall" 3.0); RSS within $(mb "$flat_limit_kb") MB: $(verdict "$flat_rss" "$flat_limit_kb")"
rm -f "$work/out.iso"
result=$(timed timeout "$xorriso_limit" xorriso -as mkisofs -quiet -J -o "$work/out.iso" "$work/flat")
read -r x_wall x_rss x_rc <<<"$result"
if [ "$x_rc" = 124 ]; then
  row "200,000 in one folder: xorriso -J" "> $xorriso_limit" "$(mb "$x_rss")" "stopped after $xorriso_limit s"
else
  row "200,000 in one folder: xorriso -J" "$x_wall" "$(mb "$x_rss")" "exit $x_rc"
fi
rm -rf "$work/flat" "$work/out.iso"

# ---- (2) 100,000 and 1,000,000 small files, 100 per folder
# make_tree DIR TOP: TOP folders of 100 folders of 100 files of 100 bytes.
make_tree() {
  python3 - "$1" "$2" <<'EOF'
import os, sys
root, top = sys.argv[1], int(sys.argv[2])
data = bytes(range(100))
for t in range(top):
    for s in range(100):
        folder = os.path.join(root, "top%03d" % t, "sub%02d" % s)
        os.makedirs(folder)
        for f in range(100):
            with open(os.path.join(folder, "small%03d.txt" % f), "wb") as out:
                out.write(data)
EOF
}
scale_case() {  # name, top folders: prints "wall rss"
  echo "generating $1 small files ..." >&2
  make_tree "$work/scale" "$2"
  find "$work/scale" >/dev/null
  echo "case 2, $1 files ..." >&2
  best_of "$driver" --source="$work/scale" --output="$work/out.iso"
  rm -rf "$work/scale" "$work/out.iso"
}
r=$(scale_case 100,000 10); read -r small_wall small_rss <<<"$r"
row "100,000 files in 1,000 folders" "$small_wall" "$(mb "$small_rss")" ""
if [ "$million" = 1 ]; then
  r=$(scale_case 1,000,000 100); read -r big_wall big_rss <<<"$r"
  growth=$(awk -v a="$big_wall" -v b="$small_wall" 'BEGIN { printf "%.2f", (b > 0) ? a / b : 0 }')
  row "1,000,000 files in 10,000 folders" "$big_wall" "$(mb "$big_rss")" \
    "time ratio to 100,000: $growth (10 is linear)"
fi

# ---- (3) bench/iso_bench.sh with the baseline's driver and with ours
if [ -n "$baseline" ]; then
  echo "building the driver of $baseline ..."
  mkdir -p "$work/base-src"
  git -C "$repo" archive "$baseline" | tar -x -C "$work/base-src"
  base_driver=$(build_driver "$work/base-src" "$work/base-build")
  # The two drivers take turns, twice, so that a change in the machine's
  # load between runs does not pass for a change of speed.
  for round in 1 2; do
    echo "bench/iso_bench.sh with the driver of $baseline (round $round) ..."
    bash "$repo/bench/iso_bench.sh" --work "$work" --driver "$base_driver" --runs "$runs" >"$work/bench-base-$round.txt"
    echo "bench/iso_bench.sh with this tree's driver (round $round) ..."
    bash "$repo/bench/iso_bench.sh" --work "$work" --driver "$driver" --runs "$runs" >"$work/bench-new-$round.txt"
  done
fi

echo
echo "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo) RAM"
echo "best of $runs runs; wall in seconds, peak RSS in MB"
printf '%-34s %9s %9s  %s\n' case "wall s" "RSS MB" target
for r in "${rows[@]}"; do echo "$r"; done
if [ -n "$baseline" ]; then
  echo
  echo "bench/iso_bench.sh, the driver of $baseline (today) against this tree's (new):"
  python3 - "$work"/bench-base-[12].txt "$work"/bench-new-[12].txt <<'EOF'
import re, sys
def rows(paths):
    # iso_bench.sh's rows: case (4), build (22), wall (8), MB/s (9), RSS MB (9),
    # in fixed columns; of several runs the fastest wall counts.
    table = {}
    for path in paths:
        for line in open(path):
            wall, rss = line[28:36].strip(), line[47:56].strip()
            if len(line) > 36 and re.fullmatch(r"[\d.]+", wall):
                key = (line[0:4].strip(), line[5:27].strip())
                if key not in table or float(wall) < float(table[key][0]):
                    table[key] = (wall, rss)
    return table
base, new = rows(sys.argv[1:3]), rows(sys.argv[3:5])
print("%-4s %-22s %11s %11s %11s %11s %7s" % ("case", "build", "today s", "new s", "today MB", "new MB", "new/today"))
for key in new:
    if key not in base:
        continue
    (bw, br), (nw, nr) = base[key], new[key]
    ratio = "%.2f" % (float(nw) / float(bw)) if float(bw) > 0 else ""
    print("%-4s %-22s %11s %11s %11s %11s %7s" % (key[0], key[1], bw, nw, br, nr, ratio))
EOF
fi
