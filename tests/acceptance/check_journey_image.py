#!/usr/bin/env python3
"""The image that the journey made through the program's Make-ISO dialog
with its defaults, judged by tools nobody here wrote: isoinfo reads its
volume descriptor and lists it, xorriso and dumpet read its boot record, 7z
extracts every file of the disc folder with equal bytes under its ISO 9660
name (upper case, no version; the boot image has no record and comes out as
the boot entry), and qemu boots the loader to the notice that names the
menu file.

    check_journey_image.py PROGRAM_FOLDER MENU_FILE
        (the default disc folder disk1/, its menu folder disk1/KORVEL/ with
        MENU_FILE, and the default image iso/mydisk.iso)
"""

import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "image", "tools"))
import checklib as c  # noqa: E402


def disc_files(disc):
    """{path relative to the disc folder, "/" separated: bytes}."""
    files, _ = c.tree_files(disc)
    return {rel.replace(os.sep, "/"): data for rel, data in files.items()}


def main():
    home, menu = sys.argv[1], sys.argv[2]
    disc = os.path.join(home, "disk1")
    image = os.path.join(home, "iso", "mydisk.iso")
    checks = c.Checks("check_journey_image")
    if not checks.check(os.path.isfile(image), "the journey left its image", image):
        checks.finish()
    checks.check(os.path.isfile(os.path.join(disc, "KORVEL", menu)), "the menu file in the boot folder", menu)
    with open(os.path.join(disc, "KORVEL", "loader.bin"), "rb") as f:
        loader = f.read()

    info = c.isoinfo_fields(image)
    checks.equal(info.get("Volume id"), "BootMenu", "isoinfo -d: the volume label")
    checks.check("El Torito" in info["text"], "isoinfo -d: El Torito boot record", info["text"])
    sectors = int(info.get("Volume size is", "0"))
    checks.equal(sectors * c.SECTOR, os.path.getsize(image), "isoinfo -d: volume size is the file's")
    listing = c.isoinfo_listing(image)
    listed = {folder + name for folder, entries in listing.items() for name, is_dir, _, _ in entries
              if not is_dir}

    want = disc_files(disc)
    boot_rel = "KORVEL/loader.bin"
    names = {rel: "/" + rel.upper() for rel in want if rel != boot_rel}
    checks.equal(sorted(listed), sorted(names.values()), "isoinfo -l: every file but the boot image")

    catalog, rows = c.xorriso_el_torito(image)
    checks.check(catalog is not None, "xorriso: a boot catalog")
    checks.equal([(r["platform"], r["bootable"], r["emulation"], r["load_size"]) for r in rows],
                 [("BIOS", "y", "none", 4)], "xorriso: one bootable no-emulation entry of 4 sectors")
    if rows:
        lba = rows[0]["lba"]
        with open(image, "rb") as f:
            f.seek(lba * c.SECTOR)
            checks.equal(f.read(len(loader)), loader, "the boot entry's sectors hold loader.bin")

    p = subprocess.run(["dumpet", "-i", image], capture_output=True)
    text = p.stdout.decode("latin-1")
    checks.equal(p.returncode, 0, "dumpet accepts the boot catalog")
    checks.check("Checksum: 0x55aa" in text, "dumpet reads the validation checksum 0x55aa", text)

    with c.Workspace() as ws:
        out = ws.path("7z")
        c.tool(["7z", "x", "-y", "-o" + out, image])
        got = disc_files(out)
        for rel, iso_name in sorted(names.items()):
            data = got.pop(iso_name.lstrip("/"), None)
            checks.check(data is not None, "7z: extracted " + iso_name, sorted(got))
            if data is not None:
                checks.check(data == want[rel], "7z: bytes of " + iso_name)
        boot = [rel for rel in got if rel.startswith("[BOOT]/")]
        checks.check(len(boot) == 1, "7z: one boot entry", sorted(got))
        if boot:
            checks.equal(got.pop(boot[0])[:len(loader)], loader, "7z: the boot entry is loader.bin")
        checks.equal(sorted(got), [], "7z: nothing more")

    qemu = subprocess.run(["bash", os.path.join(HERE, "..", "tools", "boot_loader_in_qemu.sh"), image,
                           "Menu file: " + menu.upper()], capture_output=True)
    checks.check(qemu.returncode == 0, "qemu boots the loader to the notice naming the menu file",
                 qemu.stdout.decode("latin-1") + qemu.stderr.decode("latin-1"))
    checks.finish()


if __name__ == "__main__":
    main()
