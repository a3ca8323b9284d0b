#!/usr/bin/env python3
"""isoinfo -d and xorriso -report_el_torito read back what the build was
given: volume and preparer identifiers (cut to their fields), the volume
size, the El Torito catalog sector, media type, load RBA and sector count,
and the sector layout of small discs; boot images of other sizes give no
El Torito record; a fixed date reaches every record."""

import os
import re

import checklib as c

LABEL_40 = "TARNWICK_VOLUME_LABEL_OF_40_CHARACTERS_X"
PREPARER_200 = "".join("Preparer %03d; " % i for i in range(15))[:200]


def el_torito_from_isoinfo(text):
    """(catalog sector, media type, sector count, load RBA) as isoinfo -d shows them."""
    def number(pattern):
        m = re.search(pattern, text)
        return int(m.group(1)) if m else None
    return (number(r"El Torito VD version 1 found, boot catalog is in sector (\d+)"),
            number(r"Boot media (\d+)"), number(r"Nsect (\d+)"),
            number(r"Bootoff [0-9a-fA-F]+ (\d+)"))


def boot_disc(ws, name, boot_bytes, boot_name="loader.bin"):
    src = ws.path(name, "disc")
    c.write_file(os.path.join(src, "KORVEL", boot_name), boot_bytes)
    return src, os.path.join(src, "KORVEL", boot_name)


def check_no_emulation_layout(checks, ws, loader):
    # Joliet off, a disc folder that holds only the boot folder: descriptor
    # 16, boot record 17, terminator 18, catalog 19, path tables 20-23, root
    # 24, KORVEL 25, the boot image 26 (the loader has no record and no file
    # extent of its own); 27 sectors.
    src, boot = boot_disc(ws, "noemu", loader)
    image = ws.path("noemu", "noemu.iso")
    build = c.make_iso(ws, src, image, boot=boot, joliet=0, volume=LABEL_40, preparer=PREPARER_200)
    if not c.built(checks, build, "no-emulation disc"):
        return
    info = c.isoinfo_fields(image)
    checks.equal(info.get("System id"), "Win32", "no-emulation disc: system id")
    checks.equal(info.get("Volume id"), LABEL_40[:32], "no-emulation disc: volume id is the label's first 32 characters")
    checks.equal(info.get("Data preparer id"), PREPARER_200[:128], "no-emulation disc: preparer is the text's first 128 characters")
    checks.equal(info.get("Logical block size is"), "2048", "no-emulation disc: block size")
    checks.equal(info.get("Volume size is"), "27", "no-emulation disc: volume size in sectors")
    checks.equal(os.path.getsize(image), 27 * c.SECTOR, "no-emulation disc: file size matches the volume size")
    checks.check("Joliet with UCS" not in info["text"], "no-emulation disc: no Joliet descriptor with Joliet off")
    checks.equal(el_torito_from_isoinfo(info["text"]), (19, 0, 4, 26),
                 "no-emulation disc: isoinfo catalog sector, media type, sector count, load RBA")
    catalog, rows = c.xorriso_el_torito(image)
    checks.equal(catalog, 19, "no-emulation disc: xorriso catalog sector")
    checks.equal([(r["platform"], r["bootable"], r["emulation"], r["load_size"], r["lba"]) for r in rows],
                 [("BIOS", "y", "none", 4, 26)], "no-emulation disc: xorriso boot image row")
    iso = c.IsoImage(image)
    checks.equal([iso.descriptor(t)[0] if iso.descriptor(t) else None for t in (1, 0, 255)], [16, 17, 18],
                 "no-emulation disc: primary, boot record and terminator sectors")
    checks.equal(iso.sector(26)[:2048], loader, "no-emulation disc: the loader's bytes at the load RBA")


def check_floppy_joliet_layout(checks, ws, floppy):
    # With Joliet: 16 primary, 17 boot record, 18 Joliet, 19 terminator, 20
    # catalog, 21-24 path tables, 25-26 directories, 27-30 Joliet path
    # tables, 31-32 Joliet directories, 33-752 the floppy image.
    src, boot = boot_disc(ws, "floppy", floppy, "disk.img")
    image = ws.path("floppy", "floppy.iso")
    build = c.make_iso(ws, src, image, boot=boot, joliet=1)
    if not c.built(checks, build, "floppy disc"):
        return
    info = c.isoinfo_fields(image)
    checks.equal(info.get("Volume id"), "BootMenu", "floppy disc: default volume id")
    checks.equal(info.get("Volume size is"), "753", "floppy disc: volume size in sectors")
    checks.equal(os.path.getsize(image), 753 * c.SECTOR, "floppy disc: file size matches the volume size")
    checks.check("Joliet with UCS level 3 found" in info["text"], "floppy disc: Joliet level 3 descriptor")
    checks.equal(el_torito_from_isoinfo(info["text"]), (20, 2, 1, 33),
                 "floppy disc: isoinfo catalog sector, media type, sector count, load RBA")
    catalog, rows = c.xorriso_el_torito(image)
    checks.equal(catalog, 20, "floppy disc: xorriso catalog sector")
    checks.equal([(r["emulation"], r["load_size"], r["lba"]) for r in rows], [("fd1.4", 1, 33)],
                 "floppy disc: xorriso boot image row")
    iso = c.IsoImage(image)
    checks.equal([iso.descriptor(t)[0] if iso.descriptor(t) else None for t in (1, 0, 2, 255)],
                 [16, 17, 18, 19], "floppy disc: descriptor sectors")
    svd = iso.descriptor(2)[1]
    checks.equal(svd[40:72], "BootMenu".ljust(16).encode("utf-16-be"),
                 "floppy disc: Joliet volume id is BootMenu and eight UCS-2 spaces")
    checks.equal(svd[88:91], b"%/E", "floppy disc: UCS-2 level 3 escape sequence")
    checks.equal(iso.data[33 * c.SECTOR:753 * c.SECTOR], floppy, "floppy disc: the floppy's bytes from the load RBA on")


def check_other_floppies(checks, ws, floppy):
    # 1.2 MB and 2.88 MB images: media types 1 and 3, 600 and 1,440 sectors
    # from sector 26 on (the layout of the no-emulation disc).
    for size, media, emulation, sectors in ((1228800, 1, "fd1.2", 600), (2949120, 3, "fd2.8", 1440)):
        what = "%d-byte floppy" % size
        src, boot = boot_disc(ws, "floppy%d" % size, (floppy[:512] + b"\0" * size)[:size], "disk.img")
        image = ws.path("floppy%d" % size, "disc.iso")
        build = c.make_iso(ws, src, image, boot=boot, joliet=0)
        if not c.built(checks, build, what):
            continue
        info = c.isoinfo_fields(image)
        checks.equal(info.get("Volume size is"), str(26 + sectors), what + ": volume size")
        checks.equal(el_torito_from_isoinfo(info["text"]), (19, media, 1, 26),
                     what + ": isoinfo catalog sector, media type, sector count, load RBA")
        _, rows = c.xorriso_el_torito(image)
        checks.equal([(r["emulation"], r["load_size"], r["lba"]) for r in rows], [(emulation, 1, 26)],
                     what + ": xorriso boot image row")


def check_not_accepted(checks, ws, name, boot_bytes, what):
    src, boot = boot_disc(ws, name, boot_bytes)
    image = ws.path(name, name + ".iso")
    build = c.make_iso(ws, src, image, boot=boot, joliet=0)
    if not c.built(checks, build, what):
        return
    info = c.isoinfo_fields(image)
    checks.check("El Torito" not in info["text"], what + ": no El Torito record", info["text"])
    catalog, rows = c.xorriso_el_torito(image)
    checks.equal((catalog, rows), (None, []), what + ": xorriso finds no boot image")
    listing = c.isoinfo_listing(image)
    names = [e[0] for e in listing.get("/KORVEL/", [])]
    checks.check("LOADER.BIN" in names, what + ": the file stays an ordinary visible file", names)
    iso = c.IsoImage(image)
    checks.equal(iso.descriptor(255)[0] if iso.descriptor(255) else None, 17,
                 what + ": the terminator follows the primary descriptor")


def check_empty_disc(checks, ws):
    # Without Joliet: 16 primary, 17 terminator, L table 18-19, M table
    # 20-21, root 22. With Joliet: 16, 17 Joliet, 18 terminator, 19-22 path
    # tables, 23 root, Joliet L 24-25, M 26-27, Joliet root 28.
    src = ws.path("empty", "disc")
    os.makedirs(src)
    for joliet, total, tables, root, jtables, jroot in ((0, 23, (18, 20), 22, None, None),
                                                        (1, 29, (19, 21), 23, (24, 26), 28)):
        what = "empty disc, Joliet %s" % ("on" if joliet else "off")
        image = ws.path("empty", "empty%d.iso" % joliet)
        build = c.make_iso(ws, src, image, joliet=joliet)
        if not c.built(checks, build, what):
            continue
        checks.equal(c.isoinfo_fields(image).get("Volume size is"), str(total), what + ": volume size")
        iso = c.IsoImage(image)
        pvd = iso.descriptor(1)[1]
        checks.equal((c.le32(pvd, 140), c.be32(pvd, 148), iso.root_record().extent), tables + (root,),
                     what + ": path table and root directory sectors")
        if joliet:
            svd = iso.descriptor(2)[1]
            checks.equal((c.le32(svd, 140), c.be32(svd, 148), iso.root_record(True).extent),
                         jtables + (jroot,), what + ": Joliet path table and root directory sectors")
        c.check_path_tables(checks, iso, what)


def check_fixed_date(checks, ws):
    src = ws.path("dated", "disc")
    c.write_file(os.path.join(src, "a.txt"), "a")
    c.write_file(os.path.join(src, "sub", "b.txt"), "b")
    image = ws.path("dated", "dated.iso")
    # TZ is UTC for the driver (checklib), so the local date is the UTC date.
    build = c.make_iso(ws, src, image, set_date_time=1, fixed_time="2020-02-29 13:14:15")
    if not c.built(checks, build, "fixed date"):
        return
    want = bytes([120, 2, 29, 13, 14, 15, 0])
    iso = c.IsoImage(image)
    for joliet in (False, True):
        dates = {(path + r.name(joliet)): r.date for path, records in iso.walk(joliet) for r in records
                 if r.name_bytes not in (b"\x00", b"\x01")}
        checks.check(len(dates) == 3 and all(d == want for d in dates.values()),
                     "fixed date: every file and folder record carries 2020-02-29 13:14:15 (%s)"
                     % ("Joliet" if joliet else "ISO 9660"), dates)


def main():
    checks = c.Checks("check_volume_info")
    with c.Workspace() as ws:
        loader = open(c.nasm(ws, "boot_noemu.asm", "loader.bin"), "rb").read()
        floppy = open(c.nasm(ws, "boot_floppy.asm", "floppy.img"), "rb").read()
        check_no_emulation_layout(checks, ws, loader)
        check_floppy_joliet_layout(checks, ws, floppy)
        check_other_floppies(checks, ws, floppy)
        check_not_accepted(checks, ws, "size2049", loader + b"\0", "a 2,049-byte boot image")
        check_not_accepted(checks, ws, "mark510", loader[:510] + b"\x55\xaa" + b"\0" * 1536,
                           "a 2,048-byte boot image marked at 510 only")
        check_empty_disc(checks, ws)
        check_fixed_date(checks, ws)
    checks.finish()


if __name__ == "__main__":
    main()
