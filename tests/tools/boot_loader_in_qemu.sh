#!/usr/bin/env bash
# boot_loader_in_qemu.sh SOURCE [EXPECT...]
# SOURCE is either the template korvel.dat (its loader.bin image is cut out)
# or a loader.bin file, or an ISO image (its name ends in .iso) made
# elsewhere. Builds an ISO whose El Torito no-emulation boot image is that
# loader.bin (or takes the image as it is), boots it in qemu and waits for
# the notice on COM1 (and every further EXPECT text). The loader halts after the notice, so qemu is
# stopped here once the text has arrived or the time is up.
set -u
src=$1; shift
for tool in qemu-system-i386 xorriso timeout; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/disc"
size=$(stat -c %s "$src")
case "$src" in
  *.iso) ln -s "$(realpath "$src")" "$work/disc.iso" ;;
  *)
    if [ "$size" -eq 2048 ]; then
      cp "$src" "$work/disc/loader.bin"
    else
      dd if="$src" of="$work/disc/loader.bin" bs=2048 skip=1 count=1 status=none
    fi
    xorriso -as mkisofs -b loader.bin -no-emul-boot -boot-load-size 4 \
      -o "$work/disc.iso" "$work/disc" >"$work/xorriso.log" 2>&1 || { cat "$work/xorriso.log" >&2; exit 1; }
    ;;
esac
expect=("The korvel menu loader is not included" "$@")
timeout 60 qemu-system-i386 -nodefaults -m 32 -display none -serial "file:$work/com1.txt" \
  -cdrom "$work/disc.iso" -boot order=d -no-reboot \
  -device isa-debug-exit,iobase=0xf4,iosize=0x04 &
qemu=$!
ok=0
for _ in $(seq 1 300); do
  if [ -f "$work/com1.txt" ] && grep -q "System halted" "$work/com1.txt"; then ok=1; break; fi
  kill -0 $qemu 2>/dev/null || break
  sleep 0.2
done
kill $qemu 2>/dev/null
wait $qemu 2>/dev/null
echo "--- COM1 ---"
cat "$work/com1.txt" 2>/dev/null | tr -d '\r'
[ $ok = 1 ] || { echo "the loader did not finish its notice" >&2; exit 1; }
for text in "${expect[@]}"; do
  grep -qF "$text" "$work/com1.txt" || { echo "missing on COM1: $text" >&2; exit 1; }
done
echo "boot notice seen"
