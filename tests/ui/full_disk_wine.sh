#!/usr/bin/env bash
# full_disk_wine.sh WINE_RUN ARCH BASE_PREFIX TEST_EXE WORK_DIR
# Saves onto a full disk under Wine: a small tmpfs, mounted in a mount
# namespace of this check's own, is the menu folder (TW_FULL_DISK_FOLDER)
# of the main window's full-disk test in TEST_EXE, which fills it and checks
# that Save keeps loader.bin and Save Color Table a colour table as they
# were, each with a message. Wine runs in a copy of the tree's prefix, so
# that its server starts inside the namespace and sees the mount.
#
# The namespace needs root (unshare -m) or unprivileged user namespaces
# (unshare -rm); where neither may mount a tmpfs, the check is skipped
# (exit 77) and says why.
set -u
wine_run=$1 arch=$2 base=$3 exe=$4 work=$5
if [ "${TW_FULL_DISK_NAMESPACE:-}" != 1 ]; then
  if [ "$(id -u)" = 0 ]; then namespace=(unshare -m); else namespace=(unshare -rm); fi
  probe='d=$(mktemp -d) && mount -t tmpfs -o size=64k tmpfs "$d" && umount "$d" && rmdir "$d"'
  if ! "${namespace[@]}" sh -c "$probe" 2>/dev/null; then
    echo "SKIPPED: '${namespace[*]}' cannot mount a small tmpfs here (needs root or unprivileged user namespaces)"
    exit 77
  fi
  TW_FULL_DISK_NAMESPACE=1 exec "${namespace[@]}" bash "$0" "$@"
fi

server=/usr/lib/wine/wineserver64
[ -x "$server" ] || server=/usr/lib/wine/wineserver
prefix=$work/prefix full=$work/full
cleanup() {
  [ -d "$prefix" ] && WINEPREFIX=$prefix "$server" -k 2>/dev/null
  umount "$full" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
rm -rf "$work"
mkdir -p "$full"
bash "$(dirname "$0")/../copy_prefix.sh" "$base" "$prefix" || exit 1
mount -t tmpfs -o size=1m tmpfs "$full" || exit 1
out=$(TW_FULL_DISK_FOLDER="Z:${full//\//\\}" "$wine_run" "$arch" "$prefix" "$exe" \
        --gtest_filter='*OnAFullDisk*' 2>&1 | tr -d '\r')
echo "$out"
[[ "$out" == *"[  PASSED  ] 1 test"* ]] || { echo "the full-disk test did not pass" >&2; exit 1; }
