#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing.
# Does nothing when everything is already there.
set -eu
need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
packages=(cmake make g++ g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  wine wine32 xvfb xauth googletest libgtest-dev nasm qemu-system-x86 xorriso genisoimage
  p7zip-full dumpet mtools dosfstools imagemagick python3 python3-pil python3-numpy time)
for p in "${packages[@]}"; do have "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0
if [ "$(id -u)" != 0 ]; then
  echo "install-deps: missing packages: ${need[*]} (run as root to install them)" >&2
  exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q "${need[@]}"
