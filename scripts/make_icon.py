#!/usr/bin/env python3
"""Renders the icon SVG (whole-pixel rectangles only) into a PNG of the same size.

    make_icon.py ICON.svg ICON.png          write the PNG
    make_icon.py --check ICON.svg ICON.png  fail when the PNG shows another picture

The SVG is the drawing; the PNG is what the window and 32-pixel icon themes
use, so the two must never drift apart. Standard library only.
"""
import struct
import sys
import xml.etree.ElementTree as ET
import zlib

SVG = "{http://www.w3.org/2000/svg}"
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def whole(element, name):
    value = element.get(name)
    if value is None or not value.isdigit():
        sys.exit(f"{name}={value!r}: only whole-pixel rectangles can be rendered exactly")
    return int(value)


def render(svg_path):
    """Returns (width, height, rows) where each row is bytes of RGBA pixels."""
    root = ET.parse(svg_path).getroot()
    width, height = whole(root, "width"), whole(root, "height")
    if root.get("viewBox") != f"0 0 {width} {height}":
        sys.exit("the viewBox must map one unit to one pixel")
    pixels = [bytearray(4 * width) for _ in range(height)]
    for element in root.iter():
        if element.tag in (SVG + "svg", SVG + "title") or not isinstance(element.tag, str):
            continue
        if element.tag != SVG + "rect":
            sys.exit(f"{element.tag}: only <rect> can be rendered")
        x, y = whole(element, "x"), whole(element, "y")
        w, h = whole(element, "width"), whole(element, "height")
        fill = element.get("fill", "")
        if len(fill) != 7 or fill[0] != "#":
            sys.exit(f"fill={fill!r}: colours are written #RRGGBB")
        rgba = bytes.fromhex(fill[1:]) + b"\xff"
        for row in pixels[max(y, 0) : min(y + h, height)]:
            left, right = max(x, 0), min(x + w, width)
            row[4 * left : 4 * right] = rgba * max(right - left, 0)
    return width, height, [bytes(row) for row in pixels]


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def encode(width, height, rows):
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    raw = b"".join(b"\x00" + row for row in rows)
    return (PNG_SIGNATURE + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def unfilter(kind, line, previous):
    out = bytearray(line)
    for i in range(len(out)):
        a = out[i - 4] if i >= 4 else 0
        b = previous[i]
        c = previous[i - 4] if i >= 4 else 0
        predictor = [0, a, b, (a + b) // 2, paeth(a, b, c)][kind]
        out[i] = (out[i] + predictor) & 0xFF
    return bytes(out)


def decode(data):
    """Returns (width, height, rows) of an 8-bit RGBA, non-interlaced PNG."""
    if not data.startswith(PNG_SIGNATURE):
        sys.exit("not a PNG file")
    pos, idat, header = len(PNG_SIGNATURE), b"", None
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos : pos + 4])
        kind, body = data[pos + 4 : pos + 8], data[pos + 8 : pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
    if header is None or header[2:] != (8, 6, 0, 0, 0):
        sys.exit("the PNG is not 8-bit RGBA without interlacing; write it with this script")
    width, height = header[:2]
    raw, stride = zlib.decompress(idat), 1 + 4 * width
    rows, previous = [], bytes(4 * width)
    for r in range(height):
        line = raw[r * stride : (r + 1) * stride]
        previous = unfilter(line[0], line[1:], previous)
        rows.append(previous)
    return width, height, rows


def first_difference(expected, actual):
    for y, (want, got) in enumerate(zip(expected[2], actual[2])):
        for x in range(expected[0]):
            if want[4 * x : 4 * x + 4] != got[4 * x : 4 * x + 4]:
                return f"pixel ({x}, {y}) is #{got[4*x:4*x+4].hex()}, the SVG has #{want[4*x:4*x+4].hex()}"
    return None


def main(argv):
    check = argv[1:2] == ["--check"]
    paths = argv[2:] if check else argv[1:]
    if len(paths) != 2:
        sys.exit(__doc__)
    svg_path, png_path = paths
    expected = render(svg_path)
    if not check:
        with open(png_path, "wb") as out:
            out.write(encode(*expected))
        return 0
    with open(png_path, "rb") as f:
        actual = decode(f.read())
    if actual[:2] != expected[:2]:
        sys.exit(f"{png_path} is {actual[0]} x {actual[1]}, {svg_path} is {expected[0]} x {expected[1]}")
    difference = first_difference(expected, actual)
    if difference:
        sys.exit(f"{png_path} differs from {svg_path}: {difference}; run scripts/make_icon.py")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
