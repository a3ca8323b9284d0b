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
  genisoimage p7zip-full dumpet mtools dosfstools imagemagick python3 python3-pil python3-numpy time locales)
# wine32 runs the shipped 32-bit build where the kernel can execute 32-bit
# programs, and is required there; elsewhere it could not run anyway.
if bash "$root/scripts/kernel-runs-32bit"; then packages+=(wine32:i386); fi

# The Arabic window tests and pictures run in the Arabic locale, from which
# Wine takes the Arabic ANSI code page.
arabic_locale() {
  locale -a 2>/dev/null | grep -qix 'ar_SA.utf8' && return 0
  [ "$(id -u)" = 0 ] && localedef -i ar_SA -f UTF-8 ar_SA.UTF-8 2>/dev/null && return 0
  echo "install-deps: no ar_SA.UTF-8 locale: the Arabic window tests check less" >&2
}

need=()
for p in "${packages[@]}"; do have "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && { arabic_locale; exit 0; }
if [ "$(id -u)" != 0 ]; then
  echo "install-deps: missing packages: ${need[*]} (run as root to install them)" >&2
  exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
# A mirror caught in mid-sync fails one index now and then: try again, then
# go on with what was fetched (the install below says if a package is missing).
for attempt in 1 2 3; do
  apt-get update -q 2>&1 | tee /tmp/tw-apt-update.log | grep -q '^[WE]: ' || break
  sleep $((attempt * 5))
done
apt-get install -y -q "${need[@]}"
arabic_locale
