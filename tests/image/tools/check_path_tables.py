#!/usr/bin/env python3
"""Path tables that fill whole sectors to the last byte: every folder is in
the table isoinfo -p prints, the descriptor's size is the records' size, and
the extracted image equals the source tree. The ISO 9660 table of 4,096
bytes (407 two-character folders and ZZZZZZZZ) and the Joliet table of
4,096 bytes (337 two-character and 3 three-character folders). A tree of
more folders than a path table can number is no image: the driver exits 1
and leaves no file."""

import itertools
import os
import string
import tempfile

import checklib as c


def two_character_names(count):
    letters = string.ascii_uppercase + string.digits
    return ["".join(pair) for pair in itertools.islice(itertools.product(letters, repeat=2), count)]


def check_full_table(checks, ws, what, folders, joliet):
    src = ws.path(what.replace(" ", "_"), "disc")
    for name in folders:
        os.makedirs(os.path.join(src, name))
    c.write_file(os.path.join(src, folders[-1], "LAST.TXT"), "in the last folder\n")
    image = ws.path(what.replace(" ", "_"), "disc.iso")
    build = c.make_iso(ws, src, image, joliet=joliet)
    if not c.built(checks, build, what):
        return
    checks.check("do not match" not in build.out, what + ": the log finds the table as counted", build.out)
    iso = c.IsoImage(image)
    _, descriptor = iso.descriptor(2 if joliet else 1)
    checks.equal(c.le32(descriptor, 132), 4096, what + ": the descriptor gives 4,096 bytes")
    rows = c.isoinfo_path_table(image, joliet)
    shown = folders if joliet else [name.upper() for name in folders]
    checks.equal(sorted(name for _, name in rows[1:]), sorted(shown), what + ": isoinfo -p lists every folder")
    checks.equal([parent for parent, _ in rows], [1] * (len(folders) + 1),
                 what + ": every folder's parent is the root")
    c.check_path_tables(checks, iso, what)
    out = ws.path(what.replace(" ", "_"), "extracted")
    if joliet:
        c.tool(["7z", "x", "-y", "-o" + out, image])
    else:
        c.tool(["osirrox", "-read_fs", "ecma119", "-indev", image, "-extract", "/", out])
    c.same_tree(checks, out, src, what + ", extracted")


def check_too_many_folders(checks, ws):
    what = "65,534 folders and the root"
    # In memory where the system offers it: 65,534 folders on disk take seconds.
    with tempfile.TemporaryDirectory(dir="/dev/shm" if os.path.isdir("/dev/shm") else None) as src:
        for top in range(256):
            os.mkdir(os.path.join(src, "%02x" % top))
        for sub in range(65534 - 256):
            os.mkdir(os.path.join(src, "%02x" % (sub // 256), "%02x" % (sub % 256)))
        image = ws.path("many.iso")
        build = c.make_iso(ws, src, image, joliet=0)
    checks.equal(build.rc, 1, what + ": the build fails")
    checks.check("[Error] Unable to generate sane path tables - too many directories (65536)" in build.err,
                 what + ": the error box names the count", build.err)
    checks.check(not os.path.exists(image), what + ": no image is left")


def main():
    checks = c.Checks("check_path_tables")
    with c.Workspace() as ws:
        # Root 10 bytes, 407 x 10, ZZZZZZZZ 16: 4,096.
        check_full_table(checks, ws, "ISO 9660 table of 4096 bytes", two_character_names(407) + ["ZZZZZZZZ"],
                         joliet=0)
        # Root 10 bytes, 337 x 12, 3 x 14: 4,096.
        names = [n.lower() for n in two_character_names(337)] + ["xyz", "Xy1", "x_2"]
        check_full_table(checks, ws, "Joliet table of 4096 bytes", names, joliet=1)
        check_too_many_folders(checks, ws)
    checks.finish()


if __name__ == "__main__":
    main()
