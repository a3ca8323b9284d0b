#!/usr/bin/env python3
"""New floppy images judged by independent tools: every size of the size
combo, the standard floppy sizes and the edges of the size table (the
smallest image, the last 16-bit and the first 32-bit sector count, the
largest image), from a floppy seed and from a hard-disk seed (MBR with an
active FAT16 partition), must pass fsck.fat -n, read in minfo and mdir with
the seed's volume label, take a file through mcopy and give it back
unchanged, and end their boot sector in 55 AA. The standard floppy sizes
(360, 720, 1200, 1440 and 2880 KB) carry the DOS format's geometry, media
byte, cluster size, root directory and FAT size, and boot in qemu (as
floppy A:) into the seed's boot code, which reads the FAT and the last
sector with the geometry of the new boot sector."""

import os
import struct
import subprocess

import checklib as c

# The DOS formats: size in KB -> sectors per cluster, root entries, media
# byte, sectors per FAT, sectors per track, heads.
STANDARD = {360: (2, 112, 0xFD, 2, 9, 2), 720: (2, 112, 0xF9, 3, 9, 2), 1200: (1, 224, 0xF9, 7, 15, 2),
            1440: (1, 224, 0xF0, 9, 18, 2), 2880: (2, 240, 0xF0, 9, 36, 2)}
SIZES = [1440 * i for i in range(1, 17)] + [17, 360, 720, 1200, 32767, 32768, 46080]
QEMU = ["qemu-system-i386", "-nodefaults", "-m", "32", "-display", "none", "-serial", "stdio",
        "-boot", "order=a", "-no-reboot", "-device", "isa-debug-exit,iobase=0xf4,iosize=0x04"]
EXIT_BY_BOOT_CODE = 33
MARKERS = ["TARNWICK-SEED-BOOT", "TARNWICK-SEED-FAT-MEDIA-FFFF", "TARNWICK-SEED-LAST-SECTOR-F6"]
MTOOLS_ENV = dict(os.environ, MTOOLS_SKIP_CHECK="1", MTOOLS_NO_VFAT="0")


def image_tools():
    binary = os.environ.get("TW_BINARY_DIR")
    if not binary:
        raise SystemExit("TW_BINARY_DIR is not set (run the checks through ctest)")
    return os.path.join(binary, "tools", "image_tools", "image_tools")


def put_boot_code(path, code, offset=0):
    """Bytes 62-509 of the boot sector at offset become the seed's boot code."""
    with open(path, "r+b") as f:
        f.seek(offset + 62)
        f.write(code)


def floppy_seed(ws, code):
    path = ws.path("floppy_seed.img")
    c.tool(["mkfs.fat", "-C", "-n", "TWSEED", path, "1440"])
    put_boot_code(path, code)
    return path


def hard_disk_seed(ws, code):
    """An MBR whose second entry is the active FAT16 partition at sector 2048."""
    part = ws.path("partition.img")
    c.tool(["mkfs.fat", "-C", "-F", "16", "-h", "2048", "-n", "TWDISK", part, "20480"])
    put_boot_code(part, code)
    with open(part, "rb") as f:
        volume = f.read()
    mbr = bytearray(512)
    entries = [(0x00, 0x01, 100, 50), (0x80, 0x06, 2048, len(volume) // 512)]
    for i, (status, kind, first, count) in enumerate(entries):
        struct.pack_into("<B3xB3xII", mbr, 446 + 16 * i, status, kind, first, count)
    mbr[510:512] = b"\x55\xAA"
    path = ws.path("disk_seed.img")
    with open(path, "wb") as f:
        f.write(bytes(mbr) + bytes(2047 * 512) + volume)
    return path


def make_image(checks, seed, image, size):
    p = subprocess.run([image_tools(), "new-image", "--size=%d" % size, "--seed=" + seed, "--output=" + image],
                       capture_output=True)
    return checks.check(p.returncode == 0 and os.path.isfile(image), "%s: created" % image,
                        p.stderr.decode("latin-1"))


def mtool(args):
    return subprocess.run(args, capture_output=True, env=MTOOLS_ENV)


def check_image(checks, ws, image, size, label):
    name = os.path.basename(image)
    checks.equal(os.path.getsize(image), size * 1024, name + ": file size")
    with open(image, "rb") as f:
        boot = f.read(512)
    checks.equal(boot[510:512], b"\x55\xAA", name + ": 55 AA signature")
    checks.equal(boot[54:62], b"FAT12   ", name + ": file-system type")
    if size in STANDARD:
        spc, root, media, spf, spt, heads = struct.unpack_from("<B3xH2xBHHH", boot, 13)
        checks.equal((spc, root, media, spf, spt, heads), STANDARD[size], name + ": the DOS format's BPB")
    p = subprocess.run(["fsck.fat", "-n", image], capture_output=True)
    checks.equal(p.returncode, 0, name + ": fsck.fat -n finds nothing",)
    if p.returncode:
        print(p.stdout.decode("latin-1"))
    p = mtool(["minfo", "-i", image, "::"])
    text = p.stdout.decode("latin-1")
    checks.check(p.returncode == 0 and "sector size: 512 bytes" in text, name + ": minfo reads it", text)
    p = mtool(["mdir", "-i", image, "::"])
    text = p.stdout.decode("latin-1")
    checks.check(p.returncode == 0 and "Volume in drive : is %s" % label in text,
                 name + ": mdir shows the volume label " + label, text)
    payload = ws.path("payload.bin")
    data = os.urandom(min((size * 2 - 33) * 512 // 2, 300000))
    c.write_file(payload, data)
    p = mtool(["mcopy", "-i", image, payload, "::PAYLOAD.BIN"])
    checks.equal(p.returncode, 0, name + ": mcopy writes a file")
    back = ws.path("back.bin")
    if os.path.exists(back):
        os.remove(back)
    p = mtool(["mcopy", "-i", image, "::PAYLOAD.BIN", back])
    got = open(back, "rb").read() if p.returncode == 0 else b""
    checks.check(got == data, name + ": mcopy gives the file back unchanged")
    p = subprocess.run(["fsck.fat", "-n", image], capture_output=True)
    checks.equal(p.returncode, 0, name + ": fsck.fat -n after the copy")


def check_boot(checks, image):
    name = os.path.basename(image)
    p = subprocess.run(["timeout", "20"] + QEMU + ["-drive", "file=%s,if=floppy,format=raw" % image],
                       capture_output=True)
    serial = p.stdout.decode("latin-1", "replace")
    checks.equal(p.returncode, EXIT_BY_BOOT_CODE, name + ": qemu exit code (33 = the boot code ran to its end)")
    for marker in MARKERS:
        checks.check(marker in serial, name + ": serial output holds " + marker, repr(serial))


def main():
    checks = c.Checks("check_new_image")
    with c.Workspace() as ws:
        code = open(c.nasm(ws, "boot_seed.asm", "boot_seed.bin"), "rb").read()
        checks.equal(len(code), 448, "the seed's boot code fills bytes 62-509")
        seeds = [("floppy", floppy_seed(ws, code), "TWSEED"), ("disk", hard_disk_seed(ws, code), "TWDISK")]
        for kind, seed, label in seeds:
            for size in SIZES:
                image = ws.path("%s_%d.img" % (kind, size))
                if not make_image(checks, seed, image, size):
                    continue
                check_image(checks, ws, image, size, label)
                if size in STANDARD:
                    fresh = ws.path("%s_%d_boot.img" % (kind, size))
                    if make_image(checks, seed, fresh, size):
                        check_boot(checks, fresh)
                os.remove(image)
    checks.finish()


if __name__ == "__main__":
    main()
