#!/usr/bin/env python3
"""El Torito images really boot: a 2,048-byte no-emulation loader and a
1.44 MB floppy image, both assembled here, boot in qemu from images of the
engine, print their markers on COM1 and leave qemu through the debug-exit
port. dumpet must accept each catalog too (SeaBIOS forgives a bad catalog
checksum)."""

import os
import subprocess

import checklib as c

QEMU = ["qemu-system-i386", "-nodefaults", "-m", "32", "-display", "none", "-serial", "stdio",
        "-boot", "order=d", "-no-reboot", "-device", "isa-debug-exit,iobase=0xf4,iosize=0x04"]
EXIT_BY_BOOT_IMAGE = 33  # (16 << 1) | 1: the value the boot images write to port 0xF4


def boot(image):
    p = subprocess.run(["timeout", "20"] + QEMU + ["-cdrom", image], capture_output=True)
    return p.returncode, p.stdout.decode("latin-1", "replace")


def check_boots(checks, ws, name, boot_image, markers, **options):
    src = ws.path(name, "disc")
    os.makedirs(os.path.join(src, "KORVEL"))
    with open(boot_image, "rb") as f:
        c.write_file(os.path.join(src, "KORVEL", os.path.basename(boot_image)), f.read())
    c.write_file(os.path.join(src, "readme.txt"), "A disc that boots.\n")
    c.write_file(os.path.join(src, "docs", "notes.txt"), "x" * 5000)
    image = ws.path(name, name + ".iso")
    build = c.make_iso(ws, src, image, boot=os.path.join(src, "KORVEL", os.path.basename(boot_image)),
                       **options)
    if not c.built(checks, build, name):
        return
    rc, serial = boot(image)
    checks.equal(rc, EXIT_BY_BOOT_IMAGE, name + ": qemu exit code (33 = the boot image ran to its end)")
    for marker in markers:
        checks.check(marker in serial, name + ": serial output holds " + marker, repr(serial))
    p = subprocess.run(["dumpet", "-i", image], capture_output=True)
    checks.equal(p.returncode, 0, name + ": dumpet accepts the boot catalog")
    text = p.stdout.decode("latin-1")
    checks.check("Checksum: 0x55aa" in text, name + ": dumpet reads the validation checksum 0x55aa",
                 text)


def main():
    checks = c.Checks("check_boot")
    with c.Workspace() as ws:
        loader = c.nasm(ws, "boot_noemu.asm", "loader.bin")
        floppy = c.nasm(ws, "boot_floppy.asm", "floppy.img")
        checks.equal(os.path.getsize(loader), 2048, "the no-emulation loader is one sector")
        checks.equal(os.path.getsize(floppy), 1474560, "the floppy image is 1.44 MB")
        check_boots(checks, ws, "noemu", loader, ["TARNWICK-NOEMU-BOOT-OK"], joliet=0)
        check_boots(checks, ws, "floppy", floppy,
                    ["TARNWICK-FLOPPY-BOOT", "TARNWICK-FLOPPY-SECTOR-2", "TARNWICK-FLOPPY-LAST-SECTOR"],
                    joliet=1, optimize=1, hide_boot_folder=1, hide_boot_files=1)
    checks.finish()


if __name__ == "__main__":
    main()
