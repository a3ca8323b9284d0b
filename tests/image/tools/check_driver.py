#!/usr/bin/env python3
"""The driver behaves as the Make-ISO dialog and reports the outcome: a
missing disc folder or boot image stops it before the engine runs, ".iso" is
appended to the output name, an existing read-only image is replaced, the
engine log is printed, and a cancelled build exits non-zero and leaves no
output file. The image is written to a work file beside the output: an
earlier image survives a killed, failed or stopped build, the work file of a
killed build is removed by the next one, a finished image that cannot take
the output's place is kept under a name of its own that no later build
removes (however many are kept), and a file of the disc folder is never given as the output."""

import os
import re
import resource
import signal
import stat

import checklib as c


def file_size_limit(limit, killed):
    """A preexec for the driver: writes beyond limit bytes fail as on a full
    disk, or kill the driver (SIGXFSZ) as a killed build."""
    def apply():
        resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
        resource.setrlimit(resource.RLIMIT_FSIZE, (limit, resource.RLIM_INFINITY))
        signal.signal(signal.SIGXFSZ, signal.SIG_DFL if killed else signal.SIG_IGN)
    return apply


def read(path):
    if not os.path.isfile(path):
        return b""
    with open(path, "rb") as f:
        return f.read()


def is_image(path):
    return os.path.isfile(path) and os.path.getsize(path) > 0x8006 and read(path)[0x8001:0x8006] == b"CD001"


def check_staged_output(checks, ws, src):
    out = ws.path("staged")
    os.mkdir(out)
    earlier = os.path.join(out, "keep.iso")
    c.write_file(earlier, b"EARLIER IMAGE")
    build = c.make_iso(ws, src, earlier, preexec=file_size_limit(1 << 20, killed=True))
    checks.equal(build.rc, -signal.SIGXFSZ, "killed build: the driver was killed")
    checks.equal(read(earlier), b"EARLIER IMAGE", "killed build: the earlier image is kept")
    checks.equal(sorted(os.listdir(out)), ["keep.iso", "keep.iso.tw~"], "killed build: its work file is left")

    build = c.make_iso(ws, src, earlier, preexec=file_size_limit(1 << 20, killed=False))
    checks.equal(build.rc, 1, "full disk: the build fails")
    checks.equal(read(earlier), b"EARLIER IMAGE", "full disk: the earlier image is kept")
    checks.equal(os.listdir(out), ["keep.iso"], "full disk: no work file is left, the killed build's neither")

    build = c.make_iso(ws, src, earlier)
    checks.equal(build.rc, 0, "staged build: exit code")
    checks.check(is_image(earlier), "staged build: the new image takes the earlier one's place")
    checks.equal(os.listdir(out), ["keep.iso"], "staged build: no work file is left")

    # A folder of that name cannot be replaced by a file.
    blocked = os.path.join(out, "blocked.iso")
    c.write_file(os.path.join(blocked, "inside.txt"), b"x")
    build = c.make_iso(ws, src, blocked)
    checks.equal(build.rc, 5, "output that cannot be replaced: exit code")
    checks.check("'%s'" % blocked in build.err and "'%s.new'" % blocked in build.err,
                 "output that cannot be replaced: the message names the output and the kept file", build.err)
    checks.check(is_image(blocked + ".new"), "output that cannot be replaced: the finished image is kept")
    kept = read(blocked + ".new")
    build = c.make_iso(ws, src, blocked, preexec=file_size_limit(1 << 20, killed=False))
    checks.equal(build.rc, 1, "a failed build after a kept image: the build fails")
    checks.check(is_image(blocked + ".new") and read(blocked + ".new") == kept,
                 "a failed build after a kept image: the kept image stays")
    # Ten kept names taken: the eleventh image gets a name of its own too,
    # which a stopped build leaves.
    for i in range(1, 10):
        c.write_file("%s.new%d" % (blocked, i), b"KEPT EARLIER")
    build = c.make_iso(ws, src, blocked)
    checks.check(build.rc == 5 and is_image(blocked + ".new10"), "an eleventh kept image: named .new10", build.err)
    build = c.make_iso(ws, src, blocked, cancel_at=0.5)
    checks.equal(build.rc, 3, "a stopped build after an eleventh kept image: stopped")
    checks.check(is_image(blocked + ".new10"), "a stopped build after an eleventh kept image: the image stays")

    # A file of the disc folder given as the output, by another spelling.
    inner = os.path.join(src, "inner.iso")
    c.write_file(inner, b"A FILE OF THE DISC")
    build = c.make_iso(ws, src, os.path.join(src, "..", os.path.basename(src), "inner.iso"))
    checks.equal(build.rc, 2, "a file of the disc folder as the output: refused")
    checks.check("disc folder" in build.err, "a file of the disc folder as the output: the message says why",
                 build.err)
    checks.equal(read(inner), b"A FILE OF THE DISC", "a file of the disc folder as the output: kept")
    os.remove(inner)


def main():
    checks = c.Checks("check_driver")
    with c.Workspace() as ws:
        src = ws.path("disc")
        for i in range(8):
            c.write_file(os.path.join(src, "part%d.bin" % i), bytes([i]) * 300000)

        build = c.make_iso(ws, ws.path("no such folder"), ws.path("a.iso"))
        checks.equal(build.rc, 2, "missing disc folder: exit code")
        checks.check("CD File Directory '%s' not Exist!" % ws.path("no such folder") in build.err,
                     "missing disc folder: the dialog's message", build.err)
        checks.check(not os.path.exists(ws.path("a.iso")), "missing disc folder: no output")

        build = c.make_iso(ws, src, ws.path("a.iso"), boot=ws.path("missing.bin"))
        checks.equal(build.rc, 2, "missing boot image: exit code")
        checks.check("Boot Image '%s' Not Exist!" % ws.path("missing.bin") in build.err,
                     "missing boot image: the dialog's message", build.err)

        build = c.make_iso(ws, src, ws.path("named"))
        checks.equal(build.rc, 0, "output without .iso: exit code")
        checks.check(os.path.isfile(ws.path("named.iso")), "output without .iso: named.iso is written")
        sectors = os.path.getsize(ws.path("named.iso")) // c.SECTOR if os.path.isfile(ws.path("named.iso")) else -1
        checks.check("Writen %d Sectors ( %dKB Bytes)" % (sectors, 2 * sectors) in build.out,
                     "the engine log is printed with the sector count", build.out)

        os.chmod(ws.path("named.iso"), stat.S_IRUSR)
        build = c.make_iso(ws, src, ws.path("named.ISO"), optimize=1)
        checks.equal(build.rc, 0, "read-only output: exit code")
        checks.check(os.path.isfile(ws.path("named.ISO")) and not os.path.exists(ws.path("named.ISO.iso")),
                     "output ending in .ISO keeps its name")

        build = c.make_iso(ws, src, ws.path("cancelled.iso"), cancel_at=0.5)
        checks.equal(build.rc, 3, "cancelled build: exit code")
        checks.check(not os.path.exists(ws.path("cancelled.iso")), "cancelled build: the partial image is deleted")
        m = re.search(r"Canceled by User. \n(\d+) Sectors Writen \( (\d+)KB Bytes\)", build.out)
        checks.check(m is not None and 0 < int(m.group(1)) < sectors and int(m.group(2)) == 2 * int(m.group(1)),
                     "cancelled build: the log holds the cancel line with the sectors written", build.out)

        build = c.make_iso(ws, src, ws.path("missing folder", "x.iso"))
        checks.equal(build.rc, 1, "output in a missing folder: the build fails")

        build = c.make_iso(ws, src, ws.path("b.iso"), joliet="maybe")
        checks.equal(build.rc, 2, "bad flag value: exit code")

        check_staged_output(checks, ws, src)
    checks.finish()


if __name__ == "__main__":
    main()
