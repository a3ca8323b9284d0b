#!/usr/bin/env bash
# copy_prefix.sh BASE COPY
# Copies the tree's Wine prefix BASE to COPY, for a check that changes what
# its prefix sees (a drive mapped, a file system mounted) away from the
# other Wine tests. The base prefix is complete (the set-up fixture made
# it); its lock keeps a concurrent set-up from changing it while it is
# copied. Tests running in the base prefix meanwhile make and remove
# temporary files, which cp may then miss: its complaints are ignored and
# the parts that matter checked.
set -u
base=$1 copy=$2
( flock 9; cp -a "$base" "$copy" 2>"$copy.cp.log" ) 9>"$base.lock"
for part in system.reg user.reg drive_c/windows/system32 dosdevices/c: dosdevices/z:; do
  [ -e "$copy/$part" ] || { echo "prefix copy lacks $part" >&2; cat "$copy.cp.log" >&2; exit 1; }
done
rm -f "$copy.cp.log"
