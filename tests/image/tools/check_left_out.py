#!/usr/bin/env python3
"""Trees as users have them, through the driver: a folder loop, names that
differ only in case, a path of 260 characters (in a folder of 200 and of
258 characters), a folder and a file that cannot be read, a name holding a
control character. Each is left out, named in the log, and the driver
reports the count once (the first five paths) and exits 4. A source folder that cannot be read is refused
before an earlier image of the same name is touched. Runs the driver as an
ordinary user, since root reads every folder."""

import os

import checklib as c


def main():
    checks = c.Checks("check_left_out")
    with c.Workspace() as ws:
        ws.open_to_all()
        src = ws.path("disc")
        c.write_file(os.path.join(src, "sub", "f.txt"), "hi")
        os.symlink("..", os.path.join(src, "sub", "loop"))
        c.write_file(os.path.join(src, "README.TXT"), "upper")
        c.write_file(os.path.join(src, "Readme.txt"), "mixed")
        deep = os.path.join(src, "d" * 200)
        long_path = os.path.join(deep, "n" * (260 - len(deep) - 1))
        c.write_file(long_path, "far")
        edge = os.path.join(src, "e" * (258 - len(src) - 1))
        c.write_file(os.path.join(edge, "x"), "at the edge")
        control = os.path.join(src, "\x01")  # alone it would be taken for ".."
        c.write_file(control, "control")
        c.write_file(os.path.join(src, "locked", "inside.txt"), "locked")
        c.write_file(os.path.join(src, "secret.txt"), "secret")
        os.chmod(os.path.join(src, "locked"), 0)
        os.chmod(os.path.join(src, "secret.txt"), 0)
        image = ws.path("disc.iso")
        left = [os.path.join(src, "sub", "loop"), os.path.join(src, "Readme.txt"), long_path,
                os.path.join(src, "locked"), os.path.join(src, "secret.txt"), os.path.join(edge, "x"), control]

        build = c.make_iso(ws, src, image, as_user=True)
        checks.equal(build.rc, 4, "entries left out: exit code 4")
        checks.check("iso_driver: 7 entries were left out of the image" in build.err,
                     "the driver tells the count once", build.err)
        # In the order of the scan: names sorted without regard to case.
        first_five = [control, long_path, os.path.join(edge, "x"), left[3], left[1]]
        checks.check("".join("  %s\n" % path for path in first_five) + "  ... and 2 more\n" in build.err,
                     "the summary names the first five", build.err)
        checks.check("[Error] Folder '%s' cannot be read; it is left out." % left[3] in build.err,
                     "the unreadable folder gets an error box", build.err)
        checks.check("[Error] File '%s' cannot be read; it is left out." % left[4] in build.err,
                     "the unreadable file gets an error box", build.err)
        for path, why in ((left[0], "a folder loop"), (left[1], "a name differing only in case"),
                          (left[2], "the path is 260 characters or longer"),
                          (left[5], "the path is 260 characters or longer"),
                          (left[6], "the name holds a control character")):
            checks.check("Left out: %s (%s" % (path, why) in build.out, "the log names " + path, build.out)
        if os.path.isfile(image):
            listing = c.isoinfo_listing(image)
            names = lambda folder: sorted(e[0] for e in listing.get(folder, []) if e[0] not in (".", ".."))
            checks.equal(names("/"), ["D" * 200, os.path.basename(edge).upper()[:207], "README.TXT", "SUB"],
                         "root of the image")
            checks.equal(names("/" + os.path.basename(edge).upper()[:207] + "/"), [], "the folder at the edge is empty")
            checks.equal(names("/SUB/"), ["F.TXT"], "the loop is entered once")
            checks.equal(names("/" + "D" * 200 + "/"), [], "the long path is left out")
            checks.equal(c.tool(["osirrox", "-indev", image, "-extract", "/README.TXT", ws.path("readme")],
                                check=False).returncode, 0, "README.TXT extracts")
            if os.path.isfile(ws.path("readme")):
                checks.equal(open(ws.path("readme"), "rb").read(), b"upper", "the first listed name is kept")

        closed = ws.path("closed")
        os.mkdir(closed)
        os.chmod(closed, 0)
        earlier = ws.path("closed.iso")
        c.write_file(earlier, "earlier image")
        build = c.make_iso(ws, closed, earlier, as_user=True)
        checks.equal(build.rc, 2, "unreadable source folder: exit code 2")
        checks.check("CD File Directory '%s' cannot be read!" % closed in build.err,
                     "unreadable source folder: the message names it", build.err)
        checks.equal(open(earlier, "rb").read(), b"earlier image", "unreadable source folder: earlier image kept")

        for path in (os.path.join(src, "locked"), os.path.join(src, "secret.txt"), closed):
            os.chmod(path, 0o755)
    checks.finish()


if __name__ == "__main__":
    main()
