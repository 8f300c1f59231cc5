#!/usr/bin/env python3
"""Writes the example layout files of the earlier editions and the seed
corpora of the fuzz targets, field by field from the file tables.

    python3 tools/make_example_layouts.py

demo/examples/example.qv3  two roll-film signs (pictures relative to the folder)
demo/examples/example.qvd  one LED-style sign
fuzz/corpus/<target>/      seeds for qv4, qv3, qvd and settings, small ones and
                           ones with strings at the readers' 64 KiB limit
"""
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TWIPS = 15  # per pixel


def u8(v):
    return struct.pack("<B", v & 0xFF)


def i16(v):
    return struct.pack("<h", v)


def i32(v):
    return struct.pack("<i", v)


def text(t):
    return t.encode("cp932")


def counted(t):
    b = text(t)
    return struct.pack("<I", len(b)) + b


def short_counted(t):
    b = text(t)
    return struct.pack("<H", len(b)) + b


def tw(pixels):
    return i16(pixels * TWIPS)


def qv4(background, form_w, form_h, signs):
    """signs: two (kind, left, top, width, height, speed, interval, corner, path)."""
    out = counted("QvApp4DataFile") + counted(background) + i32(form_w) + i32(form_h)
    for kind, left, top, width, height, speed, interval, corner, path in signs:
        out += u8(kind) + i32(left) + i32(top) + i32(width) + i32(height)
        out += i32(speed) + i32(interval) + i32(corner) + counted(path)
    return out


def qv3_block(picture, left, top, width, height, corner, speed, interval):
    out = short_counted(picture) + tw(left) + tw(top) + tw(height) + tw(width)
    out += i32(0)               # B6, not used
    out += i16(0) * 5           # B7
    out += i32(0) * 2           # B8
    out += i16(0)               # B9
    out += i16(corner)          # B10, pixels
    out += i16(0)               # B11
    out += i16(speed) + i16(interval)  # B12, B13
    out += i32(0) * 2           # B14
    return out


def qv3(background, form_w, form_h, sign_count, blocks, hidden):
    out = short_counted(background) + tw(form_h) + tw(form_w) + i32(0) + i16(sign_count)
    for block in blocks:
        out += qv3_block(*block)
    return out + i16(hidden[0]) + i16(hidden[1])


def qvd(background, form_w, form_h, folder, left, top, width, height, corner):
    out = short_counted(background) + tw(form_h) + tw(form_w) + i32(0) + i16(0)
    out += short_counted(folder) + tw(left) + tw(top) + tw(height) + tw(width)
    out += i32(0) + i16(0) * 5 + i32(0) * 2 + i16(0)
    return out + i16(corner)


def write(path, data):
    path = os.path.join(ROOT, path)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    print("%s (%d bytes)" % (os.path.relpath(path, ROOT), len(data)))


def main():
    example_qv3 = qv3("..\\background.jpg", 456, 446, 2,
                      [("..\\strip.bmp", 77, 26, 123, 57, 6, 2, 300),
                       ("..\\strip.bmp", 231, 26, 123, 57, 6, 2, 300)], (0, 0))
    example_qvd = qvd("..\\background.jpg", 456, 446, "..\\led", 77, 26, 123, 57, 6)
    write("demo/examples/example.qv3", example_qv3)
    write("demo/examples/example.qvd", example_qvd)

    empty_qv4 = qv4("", 450, 450, [(0, 77, 26, 123, 57, 0, 0, 0, ""), (0, 231, 26, 123, 57, 0, 0, 0, "")])
    assert len(empty_qv4) == 96
    seeds = {
        "qv4": {
            "empty": empty_qv4,
            "pictures": qv4("C:\\demo\\background.jpg", 456, 446,
                            [(0, 77, 26, 123, 57, 2, 300, 6, "C:\\demo\\strip.bmp"),
                             (1, 231, 26, 123, 57, 0, 0, 6, "C:\\demo\\led")]),
            "hidden-5": qv4("", 300, 200, [(0, 1, 2, 3, 4, 5, 6, 7, ""), (5, 11, 12, 13, 14, 15, 16, 17, "x")]),
            "japanese": qv4("C:\\背景\\バス.jpg", 456, 446,
                            [(1, 77, 26, 123, 57, 0, 0, 0, "C:\\表示\\幕"), (2, 0, 0, 1, 1, 0, 0, 0, "")]),
            "wrong-signature": counted("QvApp3DataFile") + empty_qv4[18:],
        },
        "qv3": {
            "empty": qv3("", 60, 40, 2, [("", 0, 0, 0, 0, 0, 0, 0)] * 2, (0, 0)),
            "example": example_qv3,
            "hidden": qv3("a.jpg", 456, 446, 1, [("b.bmp", 1, 2, 3, 4, 5, 6, 7), ("c.bmp", 8, 9, 10, 11, 12, 13, 14)],
                          (1, 1)),
        },
        "qvd": {
            "empty": qvd("", 60, 40, "", 0, 0, 0, 0, 0),
            "example": example_qvd,
        },
        "settings": {
            "full": b"".join(i32(v) for v in (10, 20, 500, 400, 600, 30)),
            "short": b"".join(i32(v) for v in (10, 20, 500)),
            "empty": b"",
        },
    }
    # Counted strings at the readers' limit of 64 KiB: the longest a ".qv4"
    # reader accepts, one byte more, which it refuses, and the longest a
    # 16-bit count can give in a ".qv3" or ".qvd" file.
    limit = 64 * 1024
    two_signs = [(0, 77, 26, 123, 57, 0, 0, 0, ""), (0, 231, 26, 123, 57, 0, 0, 0, "")]
    seeds["qv4"]["background-at-limit"] = qv4("b" * limit, 450, 450, two_signs)
    seeds["qv4"]["background-over-limit"] = qv4("b" * (limit + 1), 450, 450, two_signs)
    seeds["qv4"]["picture-under-limit"] = qv4("", 450, 450, [two_signs[0], two_signs[1][:-1] + ("p" * (limit - 1),)])
    seeds["qv3"]["background-longest"] = qv3("b" * 0xFFFF, 60, 40, 2, [("", 0, 0, 0, 0, 0, 0, 0)] * 2, (0, 0))
    seeds["qvd"]["folder-longest"] = qvd("", 60, 40, "f" * 0xFFFF, 0, 0, 0, 0, 0)
    assert len(seeds["qv3"]["empty"]) == 116
    assert len(seeds["qvd"]["empty"]) == 48
    for target, files in seeds.items():
        for name, data in files.items():
            write("fuzz/corpus/%s/%s" % (target, name), data)


if __name__ == "__main__":
    main()
