#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing.
# Does nothing when everything is already there.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
# wine64 runs the 64-bit build on every machine; fonts-wine gives the
# prefixes the faces a Windows user has ("MS Sans Serif", "Fixedsys").
packages=(cmake make g++ g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-i686-dev
  mingw-w64-x86-64-dev binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xauth googletest libgtest-dev nasm qemu-system-x86 xorriso
  genisoimage p7zip-full dumpet mtools dosfstools imagemagick python3 python3-pil python3-numpy
  python3-pycdlib time locales)
# wine32 runs the shipped 32-bit build where the kernel can execute 32-bit
# programs. It is tried on its own, after the rest: an i386 index that a
# mirror serves broken must not keep the machine from building and testing
# the rest (the test run then says why the 32-bit set is skipped).
# A failed try is remembered for a day, so that each build does not wait for
# the same broken mirror again (TW_WINE32_FAILED_MARK names another file for
# the tests of this script).
want_wine32=0
wine32_failed=${TW_WINE32_FAILED_MARK:-/var/tmp/tarnwick-wine32-failed}
if ! have wine32:i386; then
  if ! kernel=$(bash "$root/scripts/kernel-runs-32bit" 2>&1); then
    echo "install-deps: wine32:i386 is not tried, the 32-bit Wine tests are skipped: $kernel" >&2
  elif [ -n "$(find "$wine32_failed" -mmin -1440 2>/dev/null)" ]; then
    echo "install-deps: wine32:i386 could not be installed today, the 32-bit Wine tests are skipped: $(cat "$wine32_failed")" >&2
  else
    want_wine32=1
  fi
fi

# The Arabic window tests and pictures run in the Arabic locale, from which
# Wine takes the Arabic ANSI code page.
arabic_locale() {
  locale -a 2>/dev/null | grep -qix 'ar_SA.utf8' && return 0
  [ "$(id -u)" = 0 ] && localedef -i ar_SA -f UTF-8 ar_SA.UTF-8 2>/dev/null && return 0
  echo "install-deps: no ar_SA.UTF-8 locale: the Arabic window tests check less" >&2
}

need=()
for p in "${packages[@]}"; do have "$p" || need+=("$p"); done
if [ ${#need[@]} -eq 0 ] && [ $want_wine32 = 0 ]; then arabic_locale; exit 0; fi
if [ "$(id -u)" != 0 ]; then
  if [ ${#need[@]} -gt 0 ]; then
    echo "install-deps: missing packages: ${need[*]} (run as root to install them)" >&2
    exit 1
  fi
  echo "install-deps: wine32:i386 is not installed (run as root to try it); the 32-bit Wine tests are skipped" >&2
  arabic_locale
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp "${TMPDIR:-/tmp}/tw-apt.XXXXXX")
# The i386 architecture is added for wine32 only. When this run added it and
# wine32:i386 is not installed at the end (its install failed, or the run
# stopped before it), it is removed again, and nothing else: with it left,
# every later apt-get update fetches the i386 index again and fails where
# the mirror serves it broken. The i386 lists fetched meanwhile need nothing:
# apt reads only the lists of the architectures dpkg names, and its next
# update deletes the others. A machine that had i386 keeps it.
added_i386=0
take_back_i386() {
  [ $added_i386 = 1 ] && ! have wine32:i386 || return 0
  if dpkg --remove-architecture i386 >>"$log" 2>&1; then
    echo "install-deps: the i386 architecture added for wine32 is removed again" >&2
  else
    echo "install-deps: the i386 architecture added for wine32 could not be removed again: $(tail -n 1 "$log")" >&2
  fi
}
trap 'take_back_i386; rm -f "$log"' EXIT
# A mirror caught in mid-sync fails one index now and then: try again, then
# go on with what was fetched (the installs below say if a package is missing).
update_lists() {
  for attempt in 1 2 3; do
    apt-get update -q >"$log" 2>&1 || true
    grep -q '^[WE]: ' "$log" || return 0
    [ $attempt = 3 ] || sleep $((attempt * 5))
  done
}
update_lists
# The main list is installed before i386 is added: wine64 recommends
# wine32:i386, and an i386 package that fails to download would fail the
# whole install. Where i386 was there before, wine32:i386 is held out of it
# by name. Only the separate wine32 step below may fail, and its failure
# only skips the 32-bit set.
if [ ${#need[@]} -gt 0 ]; then
  main=("${need[@]}")
  if ! have wine32:i386 && dpkg --print-foreign-architectures | grep -qx i386; then
    main+=(wine32:i386-)
  fi
  apt-get install -y -q "${main[@]}"
fi
if [ $want_wine32 = 1 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    added_i386=1
    update_lists
  fi
  rm -f "$wine32_failed"
  if ! apt-get install -y -q wine32:i386 >>"$log" 2>&1; then
    why=$(grep -m1 '^E: ' "$log" || echo "apt-get failed")
    echo "install-deps: wine32:i386 could not be installed, the 32-bit Wine tests are skipped: $why" >&2
    echo "$why" >"$wine32_failed" 2>/dev/null || true
  fi
fi
arabic_locale
