#!/usr/bin/env python3
"""The boot folder and its files as the image bytes hold them: with "Hide
Boot Folder" the folder's record in the root has flags 0x06, with "Hide All
Files in Boot Folder" every record inside it has the 0x04 bit, in both
trees; the boot image has no directory record either way and its bytes
stand once in the image, at the catalog's load RBA. A boot image outside a
first-level folder of the disc folder hides nothing and stands twice; a
folder of the disc folder is the boot folder by its path, not its name."""

import os
import shutil

import checklib as c


def records(iso, joliet):
    """{folder path: {name: record}}, names as the tree spells them."""
    return {path: {r.name(joliet): r for r in rs} for path, rs in iso.walk(joliet)}


def flags_of(folder, name):
    record = folder.get(name)
    return record.flags if record else None


def load_rba(iso):
    catalog = iso.boot_catalog()
    if catalog is None:
        return None
    return c.le32(iso.sector(catalog), 32 + 8)


def make_disc(src, loader):
    c.write_file(os.path.join(src, "KORVEL", "loader.bin"), loader)
    c.write_file(os.path.join(src, "KORVEL", "bootmenu.zqk"), b"menu" * 300)
    c.write_file(os.path.join(src, "KORVEL", "themes", "blue.ctb"), b"colours")
    c.write_file(os.path.join(src, "readme.txt"), b"visible\n")


def check_hiding(checks, ws, loader, hide):
    what = "hide settings " + ("on" if hide else "off")
    src = ws.path("hide%d" % hide, "disc")
    make_disc(src, loader)
    image = ws.path("hide%d" % hide, "disc.iso")
    build = c.make_iso(ws, src, image, boot=os.path.join(src, "KORVEL", "loader.bin"), joliet=1,
                       hide_boot_folder=hide, hide_boot_files=hide)
    if not c.built(checks, build, what):
        return
    iso = c.IsoImage(image)
    for joliet, folder, files in ((False, "KORVEL", ("BOOTMENU.ZQK", "THEMES")),
                                  (True, "KORVEL", ("bootmenu.zqk", "themes"))):
        side = "Joliet" if joliet else "ISO 9660"
        tree = records(iso, joliet)
        root = tree["/"]
        checks.check(folder in root, "%s, %s: the boot folder is listed" % (what, side), sorted(root))
        if folder not in root:
            continue
        checks.equal(root[folder].flags, 0x06 if hide else 0x02,
                     "%s, %s: flags of the boot folder's record" % (what, side))
        inside = tree.get("/" + folder + "/", {})
        checks.equal(sorted(inside), sorted([".", ".."] + list(files)),
                     "%s, %s: the boot folder lists no record of the boot image" % (what, side))
        want = {name: (r.flags & 0x02) | (0x04 if hide else 0) for name, r in inside.items()}
        checks.equal({name: r.flags for name, r in inside.items()}, want,
                     "%s, %s: flags of the records inside the boot folder" % (what, side))
        sub = tree.get("/%s/%s/" % (folder, files[1]), {})
        blue = "blue.ctb" if joliet else "BLUE.CTB"
        checks.equal(flags_of(sub, blue), 0,
                     "%s, %s: files of a subfolder of the boot folder keep their flags" % (what, side))
        checks.equal(flags_of(root, "readme.txt" if joliet else "README.TXT"), 0,
                     "%s, %s: files outside the boot folder keep their flags" % (what, side))
    checks.equal(iso.data.count(loader), 1, what + ": the boot image's bytes stand once in the image")
    rba = load_rba(iso)
    checks.check(rba is not None and iso.sector(rba) == loader,
                 what + ": the boot image's bytes are at the load RBA", rba)


def check_deep_boot_image(checks, ws, loader):
    what = "boot image in a second-level folder"
    src = ws.path("deep", "disc")
    c.write_file(os.path.join(src, "boot", "deep", "loader.bin"), loader)
    image = ws.path("deep", "disc.iso")
    build = c.make_iso(ws, src, image, boot=os.path.join(src, "boot", "deep", "loader.bin"), joliet=1,
                       hide_boot_folder=1, hide_boot_files=1)
    if not c.built(checks, build, what):
        return
    iso = c.IsoImage(image)
    tree = records(iso, False)
    checks.equal(flags_of(tree["/"], "BOOT"), 0x02,
                 what + ": the first-level folder is not hidden")
    checks.equal(sorted(tree.get("/BOOT/DEEP/", {})), [".", "..", "LOADER.BIN"],
                 what + ": the boot image stays an ordinary file")
    checks.equal(iso.data.count(loader), 2, what + ": its bytes stand twice (file and boot image)")
    checks.check(load_rba(iso) is not None, what + ": the image still has a boot catalog")


def check_outside_boot_image(checks, ws, loader):
    """A boot image outside the disc folder hides nothing, even when its
    folder's name is that of a folder of the disc; a boot image in the disc
    folder's root hides no subfolder named like the disc folder."""
    what = "boot image outside the disc folder"
    src = ws.path("outside", "disc")
    make_disc(src, b"the disc's own loader\n")
    outside = ws.path("outside", "elsewhere", "KORVEL", "loader.bin")
    c.write_file(outside, loader)
    image = ws.path("outside", "disc.iso")
    build = c.make_iso(ws, src, image, boot=outside, joliet=1)
    if c.built(checks, build, what):
        iso = c.IsoImage(image)
        checks.equal(sorted(records(iso, True).get("/KORVEL/", {})),
                     [".", "..", "bootmenu.zqk", "loader.bin", "themes"], what + ": the disc's KORVEL lists loader.bin")
        checks.equal(load_rba(iso) is not None and iso.sector(load_rba(iso)) == loader, True,
                     what + ": the boot image is at the load RBA")
        for joliet, names in ((False, ["", "KORVEL", "THEMES"]), (True, ["", "KORVEL", "themes"])):
            checks.equal([name for _, name in c.isoinfo_path_table(image, joliet)], names,
                         what + ": isoinfo -p" + (" -J" if joliet else ""))
        out = ws.path("outside", "extracted")
        c.tool(["7z", "x", "-y", "-o" + out, image])
        # 7z shows the boot image as a file of its own.
        boot = os.path.join(out, "[BOOT]", "Boot-NoEmul.img")
        checks.check(os.path.isfile(boot) and open(boot, "rb").read() == loader, what + ": 7z's [BOOT] image")
        shutil.rmtree(os.path.join(out, "[BOOT]"), ignore_errors=True)
        c.same_tree(checks, out, src, what + ", 7z")

    what = "boot image in the disc folder's root"
    src = ws.path("inroot", "disc")
    c.write_file(os.path.join(src, "loader.bin"), loader)
    c.write_file(os.path.join(src, "disc", "inner.txt"), b"named like the disc folder\n")
    image = ws.path("inroot", "disc.iso")
    build = c.make_iso(ws, src, image, boot=os.path.join(src, "loader.bin"), joliet=1,
                       hide_boot_folder=1, hide_boot_files=1)
    if c.built(checks, build, what):
        iso = c.IsoImage(image)
        tree = records(iso, True)
        checks.equal(flags_of(tree["/"], "disc"), 0x02, what + ": the subfolder disc is not hidden")
        checks.equal(flags_of(tree.get("/disc/", {}), "inner.txt"), 0, what + ": its file keeps its flags")
        out = ws.path("inroot", "extracted")
        c.tool(["osirrox", "-indev", image, "-extract", "/", out])
        c.same_tree(checks, out, src, what + ", osirrox")


def main():
    checks = c.Checks("check_hidden")
    with c.Workspace() as ws:
        loader = open(c.nasm(ws, "boot_noemu.asm", "loader.bin"), "rb").read()
        check_hiding(checks, ws, loader, 1)
        check_hiding(checks, ws, loader, 0)
        check_deep_boot_image(checks, ws, loader)
        check_outside_boot_image(checks, ws, loader)
    checks.finish()


if __name__ == "__main__":
    main()
