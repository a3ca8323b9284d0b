#!/usr/bin/env python3
"""The driver behaves as the Make-ISO dialog and reports the outcome: a
missing disc folder or boot image stops it before the engine runs, ".iso" is
appended to the output name, an existing read-only image is replaced, the
engine log is printed, and a cancelled build exits non-zero and leaves no
output file."""

import os
import re
import stat

import checklib as c


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
    checks.finish()


if __name__ == "__main__":
    main()
