#!/usr/bin/env python3
"""Checks the bitmap converters against an independent decoder (PIL).

Runs bitmap_samples to write pictures of 1, 4, 8, 16 and 24 bits at every
screen size (and with V4 and V5 headers at 640 x 480) and their converted, rewritten and restored files in every
colour mode, then decodes each source with PIL and compares every pixel of
every output: the converted files by their byte layout, the rewritten and
restored bitmaps by opening them in PIL as ordinary BMPs.

usage: bitmap_decoder_check.py BITMAP_SAMPLES WORK_FOLDER
"""
import os
import shutil
import struct
import subprocess
import sys

import numpy as np
from PIL import Image

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def source_colors(path, bits):
    """The source's 8-bit colours as PIL decodes them (H x W x 3). For a
    16-bit source each 5-bit component c gives c << 3, the value the
    converters work with; PIL scales c to c * 255 // 31."""
    with Image.open(path) as im:
        rgb = np.asarray(im.convert("RGB"), dtype=np.int32)
    if bits == 16:
        inverse = np.zeros(256, dtype=np.int32)
        for c in range(32):
            inverse[c * 255 // 31] = c
        rgb = inverse[rgb] << 3
    return rgb


def read_header(data):
    fields = struct.unpack_from("<2sIHHIIiiHHII", data, 0)
    keys = ("type", "size", "r1", "r2", "offset", "info", "width", "height", "planes", "bits",
            "compression", "image")
    return dict(zip(keys, fields))


def check_converted_header(data, name, width, height, bits, row):
    h = read_header(data)
    ok = check(h["type"] == b"TW", name + ": type") and \
        check(h["size"] == 2048 + row * height == len(data), name + ": file size") and \
        check(h["offset"] == 2048 and h["info"] == 40, name + ": offsets") and \
        check((h["width"], h["height"], h["planes"], h["bits"]) == (width, height, 1, bits),
              name + ": geometry") and \
        check(h["compression"] == 0 and h["image"] == row * height, name + ": image size")
    return ok


def pil_rgb(path, name, marked=True):
    """Opens a bitmap in PIL as an ordinary BMP; also checks the mark."""
    with open(path, "rb") as f:
        head = f.read(10)
    if marked:
        check(head[0:2] == b"BM" and head[6:10] == b"T\0w\0", name + ": mark")
    try:
        with Image.open(path) as im:
            check(im.format == "BMP", name + ": not read as BMP")
            return np.asarray(im.convert("RGB"), dtype=np.int32), im
    except Exception as e:  # a file PIL refuses is a failure, not a crash
        check(False, "%s: PIL cannot open it: %s" % (name, e))
        return None, None


def check_depth_file(path, name, src, member):
    height, width, _ = src.shape
    data = open(path, "rb").read()
    row = width * (3 if member == 24 else 2)
    if not check_converted_header(data, name, width, height, 24 if member == 24 else 16, row):
        return
    pixels = np.frombuffer(data, dtype=np.uint8, offset=2048)
    r, g, b = src[..., 0], src[..., 1], src[..., 2]
    if member == 24:
        got = pixels.reshape(height, width, 3).astype(np.int32)
        check(np.array_equal(got[..., ::-1], src), name + ": 24-bit pixels")
    else:
        got = pixels.view("<u2").reshape(height, width).astype(np.int32)
        if member == 16:
            want = (r >> 3) << 11 | (g >> 3) << 6 | (b >> 3)
            check(not np.any(got & 0x20), name + ": bit 5 set")
        else:
            want = (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3)
            check(not np.any(got & 0x8000), name + ": bit 15 set")
        check(np.array_equal(got, want), name + ": %d-bit pixels" % member)


def check_bm1(path, name, src):
    height, width, _ = src.shape
    data = open(path, "rb").read()
    if not check_converted_header(data, name, width, height, 8, width):
        return
    palette = np.frombuffer(data, dtype=np.uint8, count=1024, offset=54).reshape(256, 4)
    check(not np.any(palette[:, 3]) and not np.any(palette > 63), name + ": palette values")
    check(not any(data[1078:2048]), name + ": gap not zero")
    index = np.frombuffer(data, dtype=np.uint8, offset=2048).reshape(height, width)
    got = palette[index][..., 2::-1].astype(np.int32)  # red, green, blue
    check(np.array_equal(got, src >> 2), name + ": 8-bit pixels")


def main():
    tool, work = sys.argv[1], sys.argv[2]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    subprocess.run([tool, work], check=True)
    checked = 0
    for line in open(os.path.join(work, "results.txt")):
        mode, name, logo_code, back_code, in_place_code, restored = line.split()
        mode, logo_code, back_code = int(mode), int(logo_code), int(back_code)
        in_place_code, restored = int(in_place_code), int(restored)
        bits, width = (int(v) for v in name[1:].split("_")[:2])
        tag = "mode %d %s" % (mode, name)
        src = source_colors(os.path.join(work, "src", name + ".bmp"), bits)
        check(src.shape[1] == width, tag + ": source width")
        folder = os.path.join(work, "m%d" % mode)
        base = os.path.join(folder, name)
        if mode == 3:
            want_back = 2 if bits > 4 else 0
            want_logo = 2 if bits > 8 else 6  # no sample is a 320 x 200 logo
            check((logo_code, back_code, restored) == (want_logo, want_back, 0),
                  tag + ": codes %d %d %d" % (logo_code, back_code, restored))
            continue
        if mode == 0 and bits > 8:
            check((logo_code, back_code, in_place_code, restored) == (2, 2, 2, 0),
                  tag + ": codes for a deep picture")
            check(not os.path.exists(base + "_logo.BM1"), tag + ": failed output left")
            continue
        check((logo_code, back_code, restored) == (0, 0, 1), tag + ": codes")
        if mode == 0:
            check(in_place_code == 0, tag + ": in-place code")
            for part in ("_logo", "_back"):
                check_bm1(base + part + ".BM1", tag + part, src)
            got, _ = pil_rgb(base + "_inplace.bmp", tag + " in place")
            check(got is not None and np.array_equal(got, src), tag + ": in-place pixels")
            got, _ = pil_rgb(base + "_back.bmp", tag + " restored")
            check(got is not None and np.array_equal(got, (src >> 2) << 2),
                  tag + ": restored 8-bit pixels")
        elif mode == 1:
            for part in ("_logo", "_back"):
                check_depth_file(base + part + ".BM2", tag + part + " BM2", src, 16)
                check_depth_file(base + part + ".B15", tag + part + " B15", src, 15)
            got, _ = pil_rgb(base + "_back.bmp", tag + " restored")
            if got is not None:
                inverse = np.zeros(256, dtype=np.int32)
                for c in range(32):
                    inverse[c * 255 // 31] = c
                check(np.array_equal(inverse[got], src >> 3), tag + ": restored 15-bit pixels")
        else:
            for part in ("_logo", "_back"):
                check_depth_file(base + part + ".BM3", tag + part + " BM3", src, 24)
            got, _ = pil_rgb(base + "_back.bmp", tag + " restored")
            check(got is not None and np.array_equal(got, src), tag + ": restored 24-bit pixels")
        checked += 1
    # Three modes convert every depth, 256 colours only up to 8 bits: at
    # three sizes with the plain header, at 640 x 480 with a V4 and a V5.
    check(checked == 5 * (5 + 5 + 3), "expected 65 checked conversions, got %d" % checked)
    for f in failures:
        print("FAIL", f)
    print("bitmap decoder check: %d conversions checked, %d failures" % (checked, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
