"""Shared pieces of the image checks: running the ISO driver and the
independent tools, reading listings, and a small reader of the image bytes
for what the tools do not show (record flags, extents, boot catalog)."""

import io
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

SECTOR = 2048
HERE = os.path.dirname(os.path.abspath(__file__))


def short(value, limit=600):
    text = repr(value)
    return text if len(text) <= limit else text[:limit] + "..."


class Checks:
    """Collects failed checks so that one run reports all of them."""

    def __init__(self, name):
        self.name = name
        self.failures = 0
        self.passes = 0

    def check(self, condition, what, detail=""):
        if condition:
            self.passes += 1
        else:
            self.failures += 1
            print("FAIL: %s%s" % (what, (": " + str(detail)) if detail else ""))
        return condition

    def equal(self, actual, expected, what):
        if actual == expected:
            return self.check(True, what)
        if isinstance(actual, bytes) and isinstance(expected, bytes) and \
                max(len(actual), len(expected)) > 64:
            first = next((i for i, (a, b) in enumerate(zip(actual, expected)) if a != b),
                         min(len(actual), len(expected)))
            detail = "%d bytes against %d, first difference at offset %d" % (
                len(actual), len(expected), first)
        else:
            detail = "got %s, expected %s" % (short(actual), short(expected))
        return self.check(False, what, detail)

    def finish(self):
        print("%s: %d checks passed, %d failed" % (self.name, self.passes, self.failures))
        sys.exit(1 if self.failures else 0)


class Workspace:
    """A temporary folder for one script's trees and images, removed at exit.
    The engine's work folder (and its log) is kept under it by pointing TEMP
    at it, so that checks running side by side do not share a log."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="tw_isocheck_")
        self.temp = os.path.join(self.root, "temp")
        os.mkdir(self.temp)

    def path(self, *parts):
        return os.path.join(self.root, *parts)

    def open_to_all(self):
        """Lets an ordinary user read the workspace and write the engine's
        work folder and the images beside the trees."""
        os.chmod(self.root, 0o777)
        os.chmod(self.temp, 0o777)

    def close(self):
        shutil.rmtree(self.root, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def driver_path():
    path = os.environ.get("TW_ISO_DRIVER")
    if path:
        return path
    binary = os.environ.get("TW_BINARY_DIR")
    if not binary:
        sys.exit("TW_BINARY_DIR is not set (run the checks through ctest)")
    return os.path.join(binary, "tools", "iso_driver", "iso_driver")


class Build:
    def __init__(self, rc, out, err, image):
        self.rc = rc
        self.out = out
        self.err = err
        self.image = image

    def log_lines(self):
        return self.out.splitlines()


NOBODY = 65534


def drop_root():
    """Run as an ordinary user, for whom permissions hold (root reads every
    folder); a no-op for a process that is not root."""
    if os.geteuid() == 0:
        os.setgroups([])
        os.setgid(NOBODY)
        os.setuid(NOBODY)


def make_iso(ws, source, image, boot=None, as_user=False, preexec=None, **options):
    """Runs the driver. Options are the driver's flags without the leading
    dashes, underscores for hyphens: make_iso(ws, src, out, optimize=1).
    With as_user a root process runs it as an ordinary user (drop_root); the
    workspace must then be open to that user (Workspace.open_to_all).
    Otherwise preexec, when given, runs in the driver's process before it
    starts (limits, signals)."""
    args = [driver_path(), "--source=" + source, "--output=" + image]
    if boot is not None:
        args.append("--boot=" + boot)
    for key, value in options.items():
        args.append("--%s=%s" % (key.replace("_", "-"), value))
    env = dict(os.environ, TEMP=ws.temp, TZ=os.environ.get("TZ", "UTC"))
    p = subprocess.run(args, capture_output=True, env=env, preexec_fn=drop_root if as_user else preexec)
    return Build(p.returncode, p.stdout.decode("latin-1"), p.stderr.decode("latin-1"), image)


def built(checks, build, what):
    """True when the driver reported success and the image exists."""
    ok = checks.check(build.rc == 0 and os.path.isfile(build.image), what + ": driver succeeded",
                      "exit %d\n%s%s" % (build.rc, build.out, build.err))
    return ok


def tool(args, input=None, check=True):
    p = subprocess.run(args, capture_output=True, input=input)
    if check and p.returncode != 0:
        raise RuntimeError("%s failed (%d): %s" % (" ".join(args), p.returncode,
                                                    p.stderr.decode("latin-1")))
    return p


def nasm(ws, source_name, output_name):
    out = ws.path(output_name)
    tool(["nasm", "-f", "bin", "-o", out, os.path.join(HERE, source_name)])
    return out


def write_file(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if isinstance(data, str):
        data = data.encode("latin-1")
    with open(path, "wb") as f:
        f.write(data)


def isoinfo_fields(image):
    """isoinfo -d as a dictionary of its "Name: value" lines (values as
    printed, trailing blanks removed), plus the whole text under "text"."""
    text = tool(["isoinfo", "-d", "-i", image]).stdout.decode("latin-1")
    fields = {"text": text}
    for line in text.splitlines():
        if ":" in line:
            key, value = line.split(":", 1)
            fields.setdefault(key.strip(), value[1:].rstrip() if value.startswith(" ") else value.rstrip())
    return fields


LISTING_LINE = re.compile(
    r"^([-d]\S{9})\s+\d+\s+\d+\s+\d+\s+(\d+)\s+\w{3}\s+\d+\s+\d{4}\s+\[\s*(\d+)\s+([0-9a-fA-F]{2})\]\s\s(.*?) ?$")


def isoinfo_listing(image, joliet=False):
    """isoinfo -l (or -J -l): {directory path: [(name, is_dir, size, extent), ...]}
    in directory order, "." and ".." included."""
    args = ["isoinfo", "-l", "-i", image]
    if joliet:
        args.insert(1, "-J")
    # isoinfo prints Joliet names in ISO 8859-1 ("_" for what it cannot show).
    text = tool(args).stdout.decode("latin-1")
    listing = {}
    current = None
    for line in text.splitlines():
        if line.startswith("Directory listing of "):
            current = line[len("Directory listing of "):]
            listing[current] = []
            continue
        m = LISTING_LINE.match(line)
        if m and current is not None:
            name = m.group(5)
            listing[current].append((name, m.group(1)[0] == "d", int(m.group(2)), int(m.group(3))))
    return listing


def isoinfo_path_table(image, joliet):
    """[(parent number, name)] of isoinfo -p (-J -p), in table order."""
    args = ["isoinfo", "-p", "-i", image]
    if joliet:
        args.insert(1, "-J")
    text = tool(args).stdout.decode("latin-1")
    rows = []
    for line in text.splitlines():
        m = re.match(r"^\s*\d+:\s+(\d+)\s+[0-9a-fA-F]+\s?(.*)$", line)
        if m:
            rows.append((int(m.group(1)), m.group(2)))
    return rows


def xorriso_el_torito(image):
    """xorriso -report_el_torito plain: (catalog sector, [boot image rows]),
    each row a dict of the table's columns."""
    p = tool(["xorriso", "-indev", image, "-report_el_torito", "plain"])
    text = p.stdout.decode("latin-1")
    catalog = None
    rows = []
    for line in text.splitlines():
        m = re.match(r"El Torito catalog\s*:\s*(\d+)\s+(\d+)", line)
        if m:
            catalog = int(m.group(1))
        m = re.match(r"El Torito boot img\s*:\s*(\d+)\s+(\S+)\s+(\S+)\s+(\S+)\s+(\S+)\s+(\S+)\s+(\d+)\s+(\d+)", line)
        if m:
            rows.append({"n": int(m.group(1)), "platform": m.group(2), "bootable": m.group(3),
                         "emulation": m.group(4), "segment": m.group(5), "load_size": int(m.group(7)),
                         "lba": int(m.group(8))})
    return catalog, rows


def pycdlib_files(image, joliet):
    """{path: bytes} of every file pycdlib reads from one side of the image
    (the ISO 9660 or the Joliet tree), "/" between the names; pycdlib
    raises when it refuses the image. pycdlib comes from the Debian package
    python3-pycdlib, in the system Python's packages, where a Python of its
    own (pyenv) does not look by itself."""
    try:
        import pycdlib
    except ImportError:
        sys.path.append("/usr/lib/python3/dist-packages")
        import pycdlib
    iso = pycdlib.PyCdlib()
    iso.open(image)
    side = "joliet_path" if joliet else "iso_path"
    files = {}
    for folder, _, names in iso.walk(**{side: "/"}):
        for name in names:
            path = folder.rstrip("/") + "/" + name
            data = io.BytesIO()
            iso.get_file_from_iso_fp(data, **{side: path})
            files[path.lstrip("/")] = data.getvalue()
    iso.close()
    return files


def tree_files(root):
    """{relative path: bytes} of every file below root, and the set of folders."""
    files, folders = {}, set()
    for folder, dirs, names in os.walk(root):
        rel = os.path.relpath(folder, root)
        if rel != ".":
            folders.add(rel)
        for name in names:
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                files[os.path.normpath(os.path.join(rel, name))] = f.read()
    return files, folders


def same_tree(checks, extracted, source, what):
    got_files, got_folders = tree_files(extracted)
    want_files, want_folders = tree_files(source)
    checks.equal(sorted(got_folders), sorted(want_folders), what + ": folders")
    checks.equal(sorted(got_files), sorted(want_files), what + ": file names")
    differing = [p for p in want_files if p in got_files and got_files[p] != want_files[p]]
    checks.equal(differing, [], what + ": files with other contents")


# ---------------------------------------------------------------------------
# The image bytes

def le16(b, o):
    return struct.unpack_from("<H", b, o)[0]


def le32(b, o):
    return struct.unpack_from("<I", b, o)[0]


def be32(b, o):
    return struct.unpack_from(">I", b, o)[0]


class Record:
    """One directory record: name bytes, flags, extent, data length, date."""

    def __init__(self, raw):
        self.raw = raw
        self.length = raw[0]
        self.extent = le32(raw, 2)
        self.extent_be = be32(raw, 6)
        self.size = le32(raw, 10)
        self.size_be = be32(raw, 14)
        self.date = bytes(raw[18:25])
        self.flags = raw[25]
        self.name_bytes = bytes(raw[33:33 + raw[32]])

    def name(self, joliet):
        if self.name_bytes in (b"\x00", b"\x01"):
            return "." if self.name_bytes == b"\x00" else ".."
        if joliet:
            return self.name_bytes.decode("utf-16-be", "replace")
        return self.name_bytes.decode("latin-1")

    def is_dir(self):
        return bool(self.flags & 0x02)


class IsoImage:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        self.descriptors = {}
        sector = 16
        while (sector + 1) * SECTOR <= len(self.data):
            d = self.sector(sector)
            if d[1:6] != b"CD001":
                break
            self.descriptors.setdefault(d[0], (sector, d))
            if d[0] == 255:
                break
            sector += 1

    def sector(self, n, count=1):
        return self.data[n * SECTOR:(n + count) * SECTOR]

    def descriptor(self, kind):
        """(sector, bytes) of the first volume descriptor of that type, or None."""
        return self.descriptors.get(kind)

    def root_record(self, joliet=False):
        _, d = self.descriptor(2 if joliet else 1)
        return Record(d[156:190])

    def directory(self, record):
        """The records of one directory, in disc order."""
        data = self.data[record.extent * SECTOR:record.extent * SECTOR + record.size]
        records = []
        pos = 0
        while pos < len(data):
            length = data[pos]
            if length == 0:
                pos = (pos // SECTOR + 1) * SECTOR
                continue
            records.append(Record(data[pos:pos + length]))
            pos += length
        return records

    def walk(self, joliet=False):
        """(folder path, [records]) for every directory, depth first."""
        out = []

        def visit(path, record):
            records = self.directory(record)
            out.append((path, records))
            for r in records:
                if r.is_dir() and r.name_bytes not in (b"\x00", b"\x01"):
                    visit(path + r.name(joliet) + "/", r)
        visit("/", self.root_record(joliet))
        return out

    def boot_catalog(self):
        """The catalog sector named by the boot record descriptor, or None."""
        d = self.descriptor(0)
        if not d:
            return None
        return le32(d[1], 71)


def path_table(iso, joliet, big_endian):
    """[(name bytes, extent, parent index)] of the L or the M path table."""
    _, d = iso.descriptor(2 if joliet else 1)
    size = le32(d, 132)
    sector = be32(d, 148) if big_endian else le32(d, 140)
    data = iso.data[sector * SECTOR:sector * SECTOR + size]
    u32, u16 = (">I", ">H") if big_endian else ("<I", "<H")
    out, pos = [], 0
    while pos + 8 <= len(data):
        length = data[pos]
        if length == 0:
            break
        extent = struct.unpack_from(u32, data, pos + 2)[0]
        parent = struct.unpack_from(u16, data, pos + 6)[0]
        out.append((bytes(data[pos + 8:pos + 8 + length]), extent, parent))
        pos += 8 + length + (length & 1)
    return out, pos == size


def check_path_tables(checks, iso, what):
    """Both path tables of each tree name every directory with the extent its
    records give, in path-table order (parent number, then name)."""
    for joliet in (False, True):
        if joliet and not iso.descriptor(2):
            continue
        side = what + (", Joliet" if joliet else ", ISO 9660")
        folders = {}
        for path, records in iso.walk(joliet):
            dot = [r for r in records if r.name_bytes == b"\x00"]
            folders[path] = dot[0].extent if dot else None
        little, whole = path_table(iso, joliet, False)
        big, _ = path_table(iso, joliet, True)
        checks.check(whole, side + ": the path table size matches its records")
        checks.equal(big, little, side + ": M and L path tables hold the same records")
        paths = []
        for i, (name, extent, parent) in enumerate(little):
            if i == 0:
                paths.append("/")
                continue
            text = name.decode("utf-16-be" if joliet else "latin-1", "replace")
            paths.append(paths[parent - 1] + text + "/" if 0 < parent <= i else "?")
        checks.equal(dict(zip(paths, (e for _, e, _ in little))), folders,
                     side + ": the path table gives every directory its extent")
        keys = [(parent, name) for name, _, parent in little[1:]]
        checks.equal(keys, sorted(keys), side + ": path table order")
