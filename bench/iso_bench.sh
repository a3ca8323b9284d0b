#!/usr/bin/env bash
# Speed and memory of the image engine, measured against xorriso and against
# the plain-copy rate of the machine. Generates its source trees under a
# temporary folder, builds each with tools/iso_driver (a Release build
# without sanitizers) and with `xorriso -as mkisofs -J`, and prints a table.
#
#   bash bench/iso_bench.sh [--work DIR] [--driver PATH] [--runs N] [--keep]
#
#   --work DIR     where the trees, images and the driver build go (default:
#                  the system's temporary folder); needs about 4 GB free
#   --driver PATH  an iso_driver to measure instead of building one
#   --runs N       runs per measurement; the fastest counts (default 3)
#   --keep         leave the work folder in place
#
# Cases: (a) about 2,000 files, ~1 GiB, ~30% duplicate contents, Optimize off
# and on; (b) 50,000 small files in 2,000 folders; (c) 10,000 files in one
# folder whose 8.3 names all collide, DOS names on. Targets are printed next
# to the figures; the script fails only when a build fails or the names of
# case (c) are wrong, not on a missed target.
set -eu

repo=$(cd "$(dirname "$0")/.." && pwd)
work_parent=${TMPDIR:-/tmp}
driver=""
runs=3
keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --work) work_parent=$2; shift 2 ;;
    --work=*) work_parent=${1#*=}; shift ;;
    --driver) driver=$2; shift 2 ;;
    --driver=*) driver=${1#*=}; shift ;;
    --runs) runs=$2; shift 2 ;;
    --runs=*) runs=${1#*=}; shift ;;
    --keep) keep=1; shift ;;
    *) echo "iso_bench: unknown argument $1" >&2; exit 2 ;;
  esac
done

for tool in xorriso isoinfo python3 /usr/bin/time cmake; do
  command -v "$tool" >/dev/null || { echo "iso_bench: $tool is missing" >&2; exit 2; }
done
source "$repo/bench/work_folder.sh"
make_work_folder iso_bench 4

if [ -z "$driver" ]; then
  echo "building iso_driver (Release, no sanitizers) ..."
  cmake -S "$repo" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DTW_SANITIZE=OFF >"$work/cmake.log" 2>&1 ||
    { cat "$work/cmake.log" >&2; exit 1; }
  cmake --build "$work/build" --target iso_driver -j"$(nproc)" >>"$work/cmake.log" 2>&1 ||
    { tail -40 "$work/cmake.log" >&2; exit 1; }
  driver="$work/build/tools/iso_driver/iso_driver"
fi
export TEMP="$work/temp"
mkdir -p "$TEMP"

echo "generating the trees ..."
python3 - "$work" <<'EOF'
import os, random, sys
work = sys.argv[1]
rng = random.Random(20261209)

def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)

# (a) 2,000 files in 40 folders, about 1 GiB, 30% of them copies of earlier files.
originals = []
total = 0
for i in range(2000):
    path = os.path.join(work, "a", "folder%02d" % (i % 40), "file%04d.bin" % i)
    if originals and rng.random() < 0.30:
        data = rng.choice(originals)
    else:
        size = int(2 ** rng.uniform(11.5, 21.9))  # 2.9 KiB .. 3.9 MiB, mean about 0.5 MiB
        data = os.urandom(size)
        originals.append(data)
    write(path, data)
    total += len(data)
print("tree a: 2000 files, %.0f MiB" % (total / 2 ** 20))

# (b) 50,000 small files in 2,000 folders (40 folders of 50 subfolders).
for i in range(50000):
    folder = i % 2000
    path = os.path.join(work, "b", "top%02d" % (folder // 50), "sub%02d" % (folder % 50), "small%05d.txt" % i)
    write(path, os.urandom(rng.randint(100, 8000)))
print("tree b: 50000 files in 2000 folders")

# (c) 10,000 files in one folder, every 8.3 name COLLISIO.TXT.
for i in range(10000):
    write(os.path.join(work, "c", "collision_name_%05d.txt" % i), b"%05d\n" % i)
print("tree c: 10000 colliding names")
EOF
sync

# One timed run: prints "wall_seconds peak_rss_kb" and fails when the command fails.
timed() {
  local out=$1; shift
  /usr/bin/time -v -o "$work/time.txt" "$@" >"$out" 2>&1 || { tail -20 "$out" >&2; return 1; }
  awk -F': ' '
    /Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i] }
    /Maximum resident set size/ { rss = $2 }
    END { printf "%.3f %d\n", s, rss }' "$work/time.txt"
}

# Best of $runs: prints "wall rss" of the fastest run and the largest RSS.
best_of() {
  local best="" rss_max=0 result wall rss
  for _ in $(seq "$runs"); do
    # The previous run's image is gone and its pages written back, so that
    # no run pays for another one's write-back.
    rm -f "$work/out.iso"
    sync
    result=$(timed "$work/run.log" "$@")
    wall=${result% *}; rss=${result#* }
    if [ -z "$best" ] || awk -v a="$wall" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$wall; fi
    [ "$rss" -gt "$rss_max" ] && rss_max=$rss
  done
  echo "$best $rss_max"
}

warm() { find "$1" -type f -print0 | xargs -0 cat >/dev/null; }
entries() { find "$1" -mindepth 1 | wc -l; }

rows=()
row() { rows+=("$(printf '%-4s %-22s %8s %9s %9s %8s  %s' "$@")"); }

ours() {  # tree, extra driver flags...
  local tree=$1; shift
  best_of "$driver" --source="$work/$tree" --output="$work/out.iso" "$@"
}
theirs() {
  best_of xorriso -as mkisofs -quiet -J -o "$work/out.iso" "$work/$1"
}
mbps() { awk -v b="$1" -v s="$2" 'BEGIN { printf "%.0f", (s > 0) ? b / s / 1048576 : 0 }'; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0) ? a / b : 0 }'; }
verdict() { awk -v v="$1" -v l="$2" 'BEGIN { print (v <= l) ? "ok" : "MISSED" }'; }
rss_limit_kb() { echo $((64 * 1024 + $1)); }

# ---- case (a)
echo "case a ..."
warm "$work/a"
r=$(best_of bash -c "find '$work/a' -type f -print0 | xargs -0 cat >/dev/null"); read -r a_cat_wall _ <<<"$r"
r=$(ours a --optimize=0); read -r off_wall off_rss <<<"$r"
off_bytes=$(stat -c %s "$work/out.iso")
r=$(ours a --optimize=1); read -r on_wall on_rss <<<"$r"
on_bytes=$(stat -c %s "$work/out.iso")
r=$(theirs a); read -r x_wall x_rss <<<"$r"
x_bytes=$(stat -c %s "$work/out.iso")
rm -f "$work/out.iso"
r=$(best_of dd if=/dev/zero of="$work/out.iso" bs=1M count=$((off_bytes / 1048576))); read -r a_write_wall _ <<<"$r"
rm -f "$work/out.iso"
plain_wall=$(awk -v a="$a_cat_wall" -v b="$a_write_wall" 'BEGIN { printf "%.3f", a + b }')
a_entries=$(entries "$work/a")
row a "ours, Optimize off" "$off_wall" "$(mbps "$off_bytes" "$off_wall")" "$(mb "$off_rss")" \
  "$(ratio "$off_wall" "$x_wall")" "wall <= 1.0x xorriso: $(verdict "$(ratio "$off_wall" "$x_wall")" 1.0)"
row a "ours, Optimize on" "$on_wall" "$(mbps "$on_bytes" "$on_wall")" "$(mb "$on_rss")" \
  "$(ratio "$on_wall" "$off_wall")" "<= 1.5x Optimize off: $(verdict "$(ratio "$on_wall" "$off_wall")" 1.5)"
row a "xorriso -J" "$x_wall" "$(mbps "$x_bytes" "$x_wall")" "$(mb "$x_rss")" "1.00" ""
row a "plain copy (cat+write)" "$plain_wall" "$(mbps "$off_bytes" "$plain_wall")" "" "" \
  "cat $a_cat_wall s + write $a_write_wall s"
share=$(ratio "$plain_wall" "$off_wall")
row a "ours / plain-copy rate" "" "" "" "$share" "at least 0.70: $(awk -v v="$share" 'BEGIN { print (v >= 0.70) ? "ok" : "MISSED" }')"
row a "image sizes" "" "" "" "" "off $((off_bytes / 2048)), on $((on_bytes / 2048)), xorriso $((x_bytes / 2048)) sectors"
row a "peak RSS limit" "" "" "$(mb "$(rss_limit_kb "$a_entries")")" "" \
  "$a_entries entries: $(verdict "$(( off_rss > on_rss ? off_rss : on_rss ))" "$(rss_limit_kb "$a_entries")")"

# ---- case (b)
echo "case b ..."
warm "$work/b"
r=$(ours b); read -r b_wall b_rss <<<"$r"
b_bytes=$(stat -c %s "$work/out.iso")
r=$(theirs b); read -r bx_wall bx_rss <<<"$r"
bx_bytes=$(stat -c %s "$work/out.iso")
b_entries=$(entries "$work/b")
row b "ours" "$b_wall" "$(mbps "$b_bytes" "$b_wall")" "$(mb "$b_rss")" "$(ratio "$b_wall" "$bx_wall")" \
  "wall <= 1.0x xorriso: $(verdict "$(ratio "$b_wall" "$bx_wall")" 1.0)"
row b "xorriso -J" "$bx_wall" "$(mbps "$bx_bytes" "$bx_wall")" "$(mb "$bx_rss")" "1.00" ""
row b "peak RSS limit" "" "" "$(mb "$(rss_limit_kb "$b_entries")")" "" \
  "$b_entries entries: $(verdict "$b_rss" "$(rss_limit_kb "$b_entries")")"

# ---- case (c)
echo "case c ..."
warm "$work/c"
r=$(ours c --long-names=0); read -r c_wall c_rss <<<"$r"
c_entries=$(entries "$work/c")
names_ok=$(isoinfo -l -i "$work/out.iso" | python3 -c '
import sys
digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
want = {"COLLISIO.TXT"} | {"COLLI%s%s%s.TXT" % (digits[i // 1296], digits[i // 36 % 36], digits[i % 36]) for i in range(9999)}
got = [line.rstrip().split()[-1] for line in sys.stdin if line.strip().endswith(".TXT")]
print("ok" if len(got) == 10000 and set(got) == want else "WRONG (%d names)" % len(got))')
r=$(theirs c); read -r cx_wall cx_rss <<<"$r"
row c "ours, DOS names" "$c_wall" "" "$(mb "$c_rss")" "" \
  "under 2 s: $(verdict "$c_wall" 2.0); names: $names_ok"
row c "xorriso -J" "$cx_wall" "" "$(mb "$cx_rss")" "$(ratio "$c_wall" "$cx_wall")" "(ratio ours/xorriso)"
row c "peak RSS limit" "" "" "$(mb "$(rss_limit_kb "$c_entries")")" "" \
  "$c_entries entries: $(verdict "$c_rss" "$(rss_limit_kb "$c_entries")")"
rm -f "$work/out.iso"

echo
echo "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo) RAM, work folder on $(df -P "$work" | awk 'NR == 2 { print $1 }')"
echo "best of $runs runs, warm cache; MB/s = image bytes / wall; ratio = ours / reference"
printf '%-4s %-22s %8s %9s %9s %8s  %s\n' case build "wall s" "MB/s" "RSS MB" ratio target
for r in "${rows[@]}"; do echo "$r"; done
[ "$names_ok" = ok ]
