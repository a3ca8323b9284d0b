#!/usr/bin/env python3
"""isoinfo -l and isoinfo -J -l list the names the naming rules give: 8.3
and long ISO 9660 names, upper case or kept lower case, collisions renamed
with the three-character counter, no version suffix, and the records in
sort order; Joliet names in their own case, cut to 64 characters with
their extension. The
ISO 9660 side extracted with osirrox holds each source file's bytes under
the name the build gave it (the renames as the log reports them)."""

import os
import re

import checklib as c

COUNTER = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"


def counter(i):
    return COUNTER[i // 1296] + COUNTER[i // 36 % 36] + COUNTER[i % 36]


def iso_order_key(name):
    # ";" before everything, "." before everything else, then byte values;
    # a name that is a prefix of another sorts first.
    return [0 if ch == ";" else 1 if ch == "." else ord(ch) + 2 for ch in name]


def joliet_order_key(name):
    return [0 if ch == ";" else ord(ch) + 1 for ch in name]


def check_order(checks, listing, key, what):
    for folder, entries in listing.items():
        names = [e[0] for e in entries]
        checks.equal(names[:2], [".", ".."], what + ": " + folder + " starts with . and ..")
        rest = names[2:]
        checks.equal(rest, sorted(rest, key=key), what + ": " + folder + " is in sort order")


def names_in(listing, folder):
    return sorted(e[0] for e in listing.get(folder, []) if e[0] not in (".", ".."))


def renames_from_log(build):
    """[(new name, source folder, source name, other source name)] of the
    "Using ... for ..." log lines."""
    out = []
    for line in build.log_lines():
        m = re.match(r"^Using (.+?) for  (.*)/([^/]*) \((.*)\)$", line)
        if m:
            out.append(m.groups())
    return out


def content(n):
    return ("file number %d\n" % n).encode() * (n % 7 + 1)


def make_dos_tree(src):
    files = ["readme.txt", "longfilename.text", "a.b.c", ".profile", "file.", "report-2024.doc",
             "abcdefgh1.txt", "abcdefgh2.txt", "MixedCase.Txt", "data1234x",
             "Long Folder Name/inner.txt", "order/A_B", "order/AB", "order/A.TXT"]
    # 100 names of one 8.3 form: three sectors of records, renames up to 02Q.
    files += ["many/collide_%02d.txt" % i for i in range(100)]
    for n, rel in enumerate(files):
        c.write_file(os.path.join(src, rel), content(n))
    os.makedirs(os.path.join(src, "data1234y"))
    c.write_file(os.path.join(src, "data1234y", "x.txt"), content(99))


DOS_NAMES = {
    "readme.txt": "README.TXT", "longfilename.text": "LONGFILE.TEX", "a.b.c": "A.B.C",
    ".profile": "_PROFILE", "file.": "FILE.", "report-2024.doc": "REPORT-2.DOC",
    "MixedCase.Txt": "MIXEDCAS.TXT", "Long Folder Name/inner.txt": "LONG FOL/INNER.TXT",
    "order/A_B": "ORDER/A_B", "order/AB": "ORDER/AB", "order/A.TXT": "ORDER/A.TXT",
    "data1234y/x.txt": None,  # the folder's name depends on the collision below
}


def check_dos_names(checks, ws):
    src = ws.path("dos", "disc")
    make_dos_tree(src)
    image = ws.path("dos", "dos.iso")
    build = c.make_iso(ws, src, image, long_names=0, lowercase=0, joliet=1)
    if not c.built(checks, build, "8.3 names"):
        return
    listing = c.isoinfo_listing(image)
    root = names_in(listing, "/")
    for source, name in DOS_NAMES.items():
        if name and "/" not in name:
            checks.check(name in root, "8.3 names: %s is listed as %s" % (source, name), root)
    checks.check({"ABCDEFGH.TXT", "ABCDE000.TXT"} <= set(root),
                 "8.3 names: abcdefgh1.txt and abcdefgh2.txt give ABCDEFGH.TXT and ABCDE000.TXT", root)
    kinds = {e[0]: e[1] for e in listing["/"]}
    checks.check(kinds.get("DATA1234") is not None and kinds.get("DATA1000") is not None and
                 kinds.get("DATA1234") != kinds.get("DATA1000"),
                 "8.3 names: a file and a folder of one name share the counter rename", kinds)
    checks.equal(names_in(listing, "/LONG FOL/"), ["INNER.TXT"], "8.3 names: folder names are 8.3 too")
    checks.equal([e[0] for e in listing.get("/ORDER/", [])][2:], ["A.TXT", "AB", "A_B"],
                 "8.3 names: A.TXT, AB, A_B order")
    want_many = ["COLLIDE_.TXT"] + ["COLLI%s.TXT" % counter(i) for i in range(99)]
    checks.equal(names_in(listing, "/MANY/"), sorted(want_many),
                 "8.3 names: 100 colliding names take the counters 000-009, 00A-00Z, 010-01Z, 020-02Q")
    every = [e[0] for entries in listing.values() for e in entries]
    checks.equal([n for n in every if ";" in n], [], "8.3 names: no version suffix")
    check_order(checks, listing, iso_order_key, "8.3 names")

    # The Joliet side of the same image keeps the source names.
    jlisting = c.isoinfo_listing(image, joliet=True)
    checks.equal(names_in(jlisting, "/many/"), sorted("collide_%02d.txt" % i for i in range(100)),
                 "8.3 names: Joliet keeps the colliding source names")
    checks.check({"readme.txt", "longfilename.text", "MixedCase.Txt", ".profile",
                  "Long Folder Name"} <= set(names_in(jlisting, "/")),
                 "8.3 names: Joliet names in their own case", names_in(jlisting, "/"))
    check_order(checks, jlisting, joliet_order_key, "8.3 names, Joliet")

    c.check_path_tables(checks, c.IsoImage(image), "8.3 names")
    text = c.tool(["isovfy", "-i", image]).stdout.decode("latin-1")
    checks.check("No errors found" in text, "8.3 names: isovfy finds no errors", text)
    check_renamed_contents(checks, ws, build, src, image)


def check_renamed_contents(checks, ws, build, src, image):
    """Every renamed entry holds the bytes of the source the log names."""
    out = ws.path("dos", "iso_side")
    c.tool(["osirrox", "-read_fs", "ecma119", "-ecma119_map", "unmapped", "-indev", image,
            "-extract", "/", out])
    renames = renames_from_log(build)
    checks.equal(len(renames), 101, "8.3 names: one log line per rename (1 + 1 + 99)")
    for new, folder, name, other in renames:
        # The root node has no source path of its own; the others carry theirs.
        rel_folder = os.path.relpath(folder, src) if folder else "."
        iso_folder = {".": "", "many": "MANY"}.get(rel_folder)
        if iso_folder is None:
            checks.check(False, "8.3 names: rename in an unexpected folder", folder)
            continue
        source = os.path.join(folder or src, name)
        extracted = os.path.join(out, iso_folder, new)
        if os.path.isdir(source):
            checks.check(os.path.isdir(extracted), "8.3 names: renamed folder %s is %s" % (name, new))
            continue
        with open(source, "rb") as f:
            want = f.read()
        got = open(extracted, "rb").read() if os.path.isfile(extracted) else None
        checks.check(got == want, "8.3 names: %s holds the bytes of %s" % (new, name))
    for source, name in DOS_NAMES.items():
        if name is None:
            continue
        path = os.path.join(out, *name.split("/"))
        with open(os.path.join(src, source), "rb") as f:
            checks.check(os.path.isfile(path) and open(path, "rb").read() == f.read(),
                         "8.3 names: %s holds the bytes of %s" % (name, source))


def check_lowercase(checks, ws):
    src = ws.path("lower", "disc")
    for n, rel in enumerate(["readme.txt", "longfilename.text", "MixedCase.Txt", "sub dir/Inner.Txt"]):
        c.write_file(os.path.join(src, rel), content(n))
    image = ws.path("lower", "lower.iso")
    build = c.make_iso(ws, src, image, long_names=0, lowercase=1, joliet=0)
    if c.built(checks, build, "8.3 names, lower case kept"):
        listing = c.isoinfo_listing(image)
        checks.equal(names_in(listing, "/"), sorted(["readme.txt", "longfile.tex", "MixedCas.Txt", "sub dir"]),
                     "8.3 names, lower case kept: root names")
        checks.equal(names_in(listing, "/sub dir/"), ["Inner.Txt"], "8.3 names, lower case kept: folder")
    image = ws.path("lower", "long.iso")
    build = c.make_iso(ws, src, image, long_names=1, lowercase=1, joliet=0)
    if c.built(checks, build, "long names, lower case kept"):
        listing = c.isoinfo_listing(image)
        checks.equal(names_in(listing, "/"),
                     sorted(["readme.txt", "longfilename.text", "MixedCase.Txt", "sub dir"]),
                     "long names, lower case kept: the source names unchanged")


def check_long_names(checks, ws):
    src = ws.path("long", "disc")
    long_file = "n" * 210 + ".txt"
    long_ext = "x." + "e" * 120
    long_folder = "d" * 208
    name70 = "Seventy_" + "c" * 58 + ".txt"
    files = ["readme.txt", "longfilename.text", "Read Me.txt", long_file, long_ext, name70,
             long_folder + "/in.txt", "semi;colon.txt", "jorder/a", "jorder/B", "jorder/_x"]
    for n, rel in enumerate(files):
        c.write_file(os.path.join(src, rel), content(n))
    # Source names are bytes of the ANSI code page (1252 natively): e9 is
    # e acute, 80 the euro sign.
    ansi_name = b"caf\xe9 \x80.txt"
    with open(os.path.join(os.fsencode(src), ansi_name), "wb") as f:
        f.write(b"ansi")
    image = ws.path("long", "long.iso")
    build = c.make_iso(ws, src, image, long_names=1, lowercase=0, joliet=1)
    if not c.built(checks, build, "long names"):
        return
    out = ws.path("long", "joliet_side")
    c.tool(["osirrox", "-local_charset", "UTF-8", "-indev", image, "-extract", "/", out])
    path = os.path.join(out, "caf\u00e9 \u20ac.txt")
    checks.check(os.path.isfile(path) and open(path, "rb").read() == b"ansi",
                 "Joliet: an ANSI name reads back as caf\u00e9 \u20ac.txt", os.listdir(out))
    listing = c.isoinfo_listing(image)
    root = names_in(listing, "/")
    for source, name in [("readme.txt", "README.TXT"), ("longfilename.text", "LONGFILENAME.TEXT"),
                         ("Read Me.txt", "READ ME.TXT"),
                         ("210 n and .txt", "N" * 203 + ".TXT"),
                         ("a 120-character extension", "X." + "E" * 120),
                         ("a 208-character folder", "D" * 207),
                         ("a 70-character name", name70.upper())]:
        checks.check(name in root, "long names: %s is listed as %s" % (source, name[:40]), root)
    checks.equal([n for entries in listing.values() for e in entries for n in [e[0]] if n.endswith(";1")],
                 [], "long names: no version suffix")
    check_order(checks, listing, iso_order_key, "long names")

    jlisting = c.isoinfo_listing(image, joliet=True)
    jroot = names_in(jlisting, "/")
    cut70 = name70[:60] + ".txt"  # a cut name keeps its extension
    for source, name in [("Read Me.txt", "Read Me.txt"), ("a 70-character name", cut70),
                         ("210 n and .txt", "n" * 60 + ".txt"), ("semi;colon.txt", "semi_colon.txt"),
                         ("a 208-character folder", "d" * 64)]:
        checks.check(name in jroot, "Joliet: %s is listed as %s" % (source, name[:40]), jroot)
    checks.equal([e[0] for e in jlisting.get("/jorder/", [])][2:], ["B", "_x", "a"],
                 "Joliet: a, B, _x sort by UCS-2 value")
    check_order(checks, jlisting, joliet_order_key, "Joliet")
    iso = c.IsoImage(image)
    record = [r for _, records in iso.walk(True) for r in records if r.name(True) == cut70]
    checks.equal([r.length for r in record], [162], "Joliet: a 64-character name has a record of 162 bytes")


def check_long_collision(checks, ws):
    src = ws.path("longcoll", "disc")
    # Both map to 203 N and .TXT; the paths stay within 260 characters.
    first, second = "n" * 204 + ".txt", "n" * 205 + ".txt"
    c.write_file(os.path.join(src, first), content(1))
    c.write_file(os.path.join(src, second), content(2))
    image = ws.path("longcoll", "longcoll.iso")
    build = c.make_iso(ws, src, image, long_names=1, joliet=0)
    if c.built(checks, build, "long-name collision"):
        checks.equal(names_in(c.isoinfo_listing(image), "/"),
                     sorted(["N" * 203 + ".TXT", "N" * 200 + "000.TXT"]),
                     "long-name collision: the base is cut to 200 characters before the counter")


def folder_names(files):
    """The names of each folder of {path: bytes}: {folder: [names]}."""
    out = {}
    for path in files:
        folder, name = path.rsplit("/", 1) if "/" in path else ("", path)
        out.setdefault(folder, []).append(name)
    return out


def check_read_alike(checks, what, files, want):
    """Every file of the source under a name of its own, no two names of a
    folder equal but for case, no ";" in a name."""
    checks.equal(sorted(files.values()), sorted(want), what + ": every file under a name of its own")
    for folder, names in folder_names(files).items():
        checks.check(len({n.lower() for n in names}) == len(names),
                     what + ": no two names of /%s equal but for case" % folder, names)
        checks.equal([n for n in names if ";" in n], [], what + ": no \";\" in a name of /" + folder)


def extracted_files(out):
    """{path: bytes} of a tree a tool extracted, "/" between the names."""
    files, _ = c.tree_files(out)
    return {path.replace(os.sep, "/"): data for path, data in files.items()}


def pycdlib_side(checks, what, image, joliet):
    """pycdlib_files, or None with a failed check when pycdlib refuses the image."""
    try:
        return c.pycdlib_files(image, joliet)
    except Exception as error:
        checks.check(False, what + ": pycdlib reads the image", repr(error))
        return None


def check_windows_names(checks, ws):
    """Names that Windows allows side by side in one folder give an image
    that every reader reads alike, on both sides: 7z (the Joliet side, or
    the ISO 9660 side of an image without Joliet), osirrox from the ISO
    9660 side with its usual mapping, and pycdlib. A ";" in an ISO 9660 name
    is "_" (to every reader it starts the version number: pycdlib refuses
    such an image, 7z and osirrox take "data;1" for "data"); with lower case
    kept, names that differ only in case get the counter; Joliet names that
    the mapping or the cut at 64 characters would make equal (or equal but
    for case) get the counter; a cut Joliet name keeps its extension and
    never ends in a dot or a blank (Windows could not open it)."""
    src = ws.path("windows", "disc")
    long_a, long_b = "q" * 64 + "1.txt", "q" * 64 + "2.txt"
    report = "Quarterly report of the northern sales region, late version two.docx"  # cut at 64: "... two."
    files = {"report;v1.doc": "v1", "report;v2.doc": "v2", ";notes.txt": "notes", "a;b.txt": "semicolon",
             "a_b.txt": "underscore", "Ab;c": "semicolon 2", "ab_C": "plain", long_a: "long 1", long_b: "long 2",
             "data": "data", "data;1": "data 1", "V;1.TXT": "version", "dir;1/in.txt": "in dir;1",
             "abcdefghX.txt": "case x", "ABCDEFGHY.TXT": "case y", report: "report",
             "x" * 63 + " tail": "blank", "y" * 63 + "." + "z" * 60: "dot", "Z" * 63 + " one": "Z one",
             "z" * 63 + " two": "z two"}
    for name, data in files.items():
        c.write_file(os.path.join(src, *name.split("/")), data)
    want = [data.encode() for data in files.values()]
    for long_names, lowercase, joliet in ((1, 0, 1), (0, 0, 1), (1, 1, 0), (0, 1, 0)):
        what = "names Windows allows, %s names%s%s" % ("long" if long_names else "8.3",
                                                     ", lower case kept" if lowercase else "",
                                                     ", Joliet" if joliet else "")
        tag = "%d%d%d" % (long_names, lowercase, joliet)
        image = ws.path("windows", "windows%s.iso" % tag)
        build = c.make_iso(ws, src, image, long_names=long_names, lowercase=lowercase, joliet=joliet)
        if not c.built(checks, build, what):
            continue
        iso_side = pycdlib_side(checks, what + ", ISO 9660 side", image, joliet=False)
        if iso_side is not None:
            check_read_alike(checks, what + ", pycdlib, ISO 9660 side", iso_side, want)
        out = ws.path("windows", "osirrox" + tag)
        p = c.tool(["osirrox", "-read_fs", "ecma119", "-indev", image, "-extract", "/", out])
        check_read_alike(checks, what + ", osirrox, ISO 9660 side", extracted_files(out), want)
        checks.check(b"collision" not in p.stderr, what + ", osirrox: no name collision", p.stderr[-600:])
        out = ws.path("windows", "7z" + tag)
        c.tool(["7z", "x", "-y", "-o" + out, image])
        check_read_alike(checks, what + ", 7z, %s side" % ("Joliet" if joliet else "ISO 9660"),
                         extracted_files(out), want)
        if not joliet:
            continue
        joliet_side = pycdlib_side(checks, what + ", Joliet side", image, joliet=True)
        if joliet_side is None:
            continue
        check_read_alike(checks, what + ", pycdlib, Joliet side", joliet_side, want)
        names = [path.rsplit("/", 1)[-1] for path in joliet_side]
        checks.equal([n for n in names if len(n) > 64 or n[-1] in ". "], [],
                     what + ": no Joliet name longer than 64 characters or ending in a dot or a blank")
        checks.equal(joliet_side.get("Quarterly report of the northern sales region, late version.docx"), b"report",
                     what + ": a cut Joliet name keeps its extension")
        checks.equal((joliet_side.get("x" * 63), joliet_side.get("y" * 63)), (b"blank", b"dot"),
                     what + ": a cut Joliet name loses its trailing blank or dot")
        # Of the two cut names equal but for case either may take the counter.
        checks.check({"a_b.txt", "a_b000.txt", "ab_C", "Ab_c000", "q" * 60 + ".txt", "q" * 57 + "000.txt"} <= set(names)
                     and {"z" * 63, "z" * 61 + "000"} <= {n.lower() for n in names},
                     what + ": Joliet names with the counter", names)
        checks.equal(len(re.findall(r"^Using Joliet name ", build.out, re.M)), 4,
                     what + ": one log line per Joliet rename")


def main():
    checks = c.Checks("check_names")
    with c.Workspace() as ws:
        check_dos_names(checks, ws)
        check_lowercase(checks, ws)
        check_long_names(checks, ws)
        check_long_collision(checks, ws)
        check_windows_names(checks, ws)
    checks.finish()


if __name__ == "__main__":
    main()
