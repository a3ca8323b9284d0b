#!/usr/bin/env python3
"""The whole image, extracted by tools nobody here wrote (osirrox from the
Joliet and from the ISO 9660 side, 7z from the Joliet side), equals the
source tree byte for byte, with Optimize off and on. With Optimize on the
files of equal contents share one extent, files of other contents never do,
and the image is smaller by exactly the sectors of the shared copies."""

import os
import random

import checklib as c


def make_tree(src):
    rng = random.Random(4711)

    def noise(n):
        return bytes(rng.getrandbits(8) for _ in range(n))

    files = {}
    for size in (0, 1, 2047, 2048, 2049, 32768, 32769, 100000):
        files["Sizes/size %d.bin" % size] = noise(size)
    twin = noise(10000)
    files["a/Twin One.bin"] = twin
    files["b/c/twin two.bin"] = twin
    trio = noise(50000)
    for name in ("trio1.dat", "deep/er/trio2.dat", "b/trio3.dat"):
        files[name] = trio
    files["b/c/not trio.dat"] = noise(50000)
    near = noise(10000)
    files["near/one.bin"] = near
    files["near/two.bin"] = near[:5000] + bytes([near[5000] ^ 1]) + near[5001:]
    # Equal in their first 64 KB and more, different near the end: one
    # copy of the first lends to the third only.
    far = noise(200000)
    files["far/one.bin"] = far
    files["far/two.bin"] = far[:150000] + bytes([far[150000] ^ 0x80]) + far[150001:]
    files["far/z three.bin"] = far
    files["empty/zero1"] = b""
    files["empty/zero2"] = b""
    big = noise(3000000)
    files["big/Big.img"] = big
    files["big/copy/Big.img"] = big
    files["Mixed Case Folder/ReadMe.TXT"] = b"Read me.\r\n"
    for rel, data in files.items():
        c.write_file(os.path.join(src, rel), data)
    os.makedirs(os.path.join(src, "empty folder"))
    return files


def shared_sectors(files):
    """Sectors saved when each group of equal non-empty contents is stored once."""
    groups = {}
    for data in files.values():
        if data:
            groups.setdefault(data, 0)
            groups[data] += 1
    return sum((count - 1) * ((len(data) + c.SECTOR - 1) // c.SECTOR) for data, count in groups.items())


def extents_by_path(listing):
    """{path: (extent, size)} of the files of an isoinfo listing."""
    out = {}
    for folder, entries in listing.items():
        for name, is_dir, size, extent in entries:
            if not is_dir:
                out[folder + name] = (extent, size)
    return out


def check_extraction(checks, ws, src, image, what):
    # isovfy walks the directories and the path tables and cross-checks them.
    text = c.tool(["isovfy", "-i", image]).stdout.decode("latin-1")
    checks.check("No errors found" in text, what + ": isovfy finds no errors", text)
    out = ws.path(what.replace(" ", "_") + "_osirrox_joliet")
    c.tool(["osirrox", "-indev", image, "-extract", "/", out])
    c.same_tree(checks, out, src, what + ", osirrox Joliet side")
    out = ws.path(what.replace(" ", "_") + "_osirrox_iso")
    c.tool(["osirrox", "-read_fs", "ecma119", "-ecma119_map", "unmapped", "-indev", image,
            "-extract", "/", out])
    c.same_tree(checks, out, src, what + ", osirrox ISO 9660 side")
    out = ws.path(what.replace(" ", "_") + "_7z")
    c.tool(["7z", "x", "-y", "-o" + out, image])
    c.same_tree(checks, out, src, what + ", 7z")


def check_sharing(checks, image, files, what, optimize):
    for joliet in (False, True):
        side = "Joliet" if joliet else "ISO 9660"
        extents = extents_by_path(c.isoinfo_listing(image, joliet))
        by_lower = {p.lower().lstrip("/"): v for p, v in extents.items()}
        owners = {}
        missing = []
        for rel, data in files.items():
            found = by_lower.get(rel.lower())
            if found is None:
                missing.append(rel)
            elif data:
                owners.setdefault(found[0], set()).add(data)
        checks.equal(missing, [], "%s, %s: every file is listed" % (what, side))
        mixed = [e for e, contents in owners.items() if len(contents) > 1]
        checks.equal(mixed, [], "%s, %s: no extent holds two different contents" % (what, side))
        distinct = len({data for data in files.values() if data})
        copies = sum(1 for data in files.values() if data)
        checks.equal(len(owners), distinct if optimize else copies,
                     "%s, %s: extents of non-empty files" % (what, side))


def main():
    checks = c.Checks("check_extract")
    with c.Workspace() as ws:
        src = ws.path("disc")
        files = make_tree(src)
        sizes = {}
        for optimize in (0, 1):
            what = "Optimize " + ("on" if optimize else "off")
            image = ws.path("optimize%d.iso" % optimize)
            build = c.make_iso(ws, src, image, long_names=1, lowercase=1, joliet=1, optimize=optimize)
            if not c.built(checks, build, what):
                continue
            sizes[optimize] = os.path.getsize(image) // c.SECTOR
            check_extraction(checks, ws, src, image, what)
            check_sharing(checks, image, files, what, optimize)
            c.check_path_tables(checks, c.IsoImage(image), what)
        if len(sizes) == 2:
            checks.equal(sizes[0] - sizes[1], shared_sectors(files),
                         "Optimize makes the image smaller by exactly the shared copies' sectors")
    checks.finish()


if __name__ == "__main__":
    main()
