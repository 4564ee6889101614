#!/usr/bin/env bash
# Makes the hostile files of the regression set: headers claiming huge pictures over tiny
# bodies, run-length codes that point outside the bitmap, damaged fields, GIF code streams and
# data blocks that end early, and JPEG streams made from the JPEG fixtures by rewriting their
# markers. Needs python3, the JPEG fixtures and cjpeg (libjpeg-turbo-progs); run from anywhere,
# writes into regress/ beside this script.
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p regress
/usr/bin/python3 - <<'PY'
import struct


def u16(value):
    return struct.pack("<H", value)


def u32(value):
    return struct.pack("<I", value & 0xFFFFFFFF)


def bmp(width, height, bit_count, compression=0, colors_used=0, table=b"", data=b""):
    info = (u32(40) + u32(width) + u32(height) + u16(1) + u16(bit_count) + u32(compression)
            + u32(0) + u32(2835) + u32(2835) + u32(colors_used) + u32(0))
    offset = 14 + len(info) + len(table)
    return b"BM" + u32(offset + len(data)) + u32(0) + u32(offset) + info + table + data


def palette(count):
    return b"".join(bytes([i, 255 - i, i ^ 0x55, 0]) for i in range(count))


def write(name, data):
    with open("regress/" + name, "wb") as file:
        file.write(data)


# Run-length codes: a run of 3, a delta far beyond the right edge, a run there, end of line,
# a run, a delta past the last row and a run there.
write("bmp-rle8-deltas-outside.bmp", bmp(8, 4, 8, 1, 16, palette(16),
      bytes([3, 1, 0, 2, 200, 0, 4, 2, 0, 0, 2, 3, 0, 2, 0, 255, 5, 4, 0, 1])))
# Absolute runs longer than the row, in both depths.
write("bmp-rle8-absolute-past-row.bmp", bmp(5, 2, 8, 1, 16, palette(16),
      bytes([0, 12]) + bytes(range(1, 13)) + bytes([0, 1])))
write("bmp-rle4-absolute-past-row.bmp", bmp(5, 2, 4, 2, 16, palette(16),
      bytes([0, 255]) + bytes([0x12, 0x34] * 64) + bytes([0, 1])))
# A picture of 16384 x 16384 whose whole stream is deltas over it: each code pair moves 255 rows.
write("bmp-rle8-huge-deltas.bmp", bmp(16384, 16384, 8, 1, 2, palette(2),
      bytes([0, 2, 255, 255]) * 80 + bytes([7, 1, 0, 1])))
# Bit fields whose three masks are all 0.
write("bmp-bitfields16-zero-masks.bmp", bmp(3, 2, 16, 3, 0, u32(0) * 3,
      bytes([0xFF, 0x7F, 0x1F, 0x00, 0xE0, 0x03, 0, 0]) * 2))
# A colour count of 2^32 - 1 over a table of 256 entries.
write("bmp-pal8-colors-used-max.bmp", bmp(4, 1, 8, 0, 0xFFFFFFFF, palette(256), bytes([0, 1, 2, 255])))
# A picture 0 pixels wide and 2^31 - 1 rows high, stored top-down: its rows hold no bytes.
write("bmp-width0-tall.bmp", bmp(0, -0x7FFFFFFF, 32, 0, 0, b"", bytes(16)))
# Headers claiming the largest sizes over a few bytes of rows.
write("bmp-rgb24-huge-tiny-body.bmp", bmp(16384, 16384, 24, 0, 0, b"", bytes(16)))
write("bmp-rgb32-65535-square.bmp", bmp(65535, 65535, 32, 0, 0, b"", bytes(16)))


def parse(name):
    """The marker segments of a JPEG file as (marker, segment, entropy data after it)."""
    with open(name, "rb") as file:
        data = file.read()
    position, parts = 2, []
    while position + 4 <= len(data):
        marker = data[position + 1]
        if marker == 0xD9:
            break
        length = struct.unpack(">H", data[position + 2:position + 4])[0]
        segment = data[position:position + 2 + length]
        position += 2 + length
        start = position
        if marker == 0xDA:
            while not (data[position] == 0xFF
                       and data[position + 1] not in (0x00, *range(0xD0, 0xD8))):
                position += 1
        parts.append((marker, segment, data[start:position]))
    return parts


def header(parts, width, height, huffman=False):
    """Start of image and the segments before the first scan, the size replaced; with huffman,
    every Huffman table of the file too."""
    out = b"\xFF\xD8"
    for marker, segment, _ in parts:
        if marker == 0xDA:
            break
        if marker in (0xC0, 0xC1, 0xC2):
            segment = segment[:5] + struct.pack(">HH", height, width) + segment[9:]
        if marker != 0xC4 or not huffman:
            out += segment
    if huffman:
        out += b"".join(segment for marker, segment, _ in parts if marker == 0xC4)
    return out


def first_scan(parts, data_bytes):
    return next(segment + data[:data_bytes] for marker, segment, data in parts if marker == 0xDA)


grey = parse("jpeg/progressive-grey.jpg")
colour = parse("jpeg/progressive.jpg")
baseline = parse("jpeg/colour-420.jpg")

# A grey progressive picture of 8192 x 8192: the first scan has no data, then 2000 scans of
# the AC coefficients, each with no data either, ten bytes apiece.
write("jpeg-empty-scans.jpg", header(grey, 8192, 8192, huffman=True) + first_scan(grey, 0)
      + bytes([0xFF, 0xDA, 0, 8, 1, 1, 0x00, 1, 63, 0]) * 2000 + b"\xFF\xD9")
# A colour progressive picture of 16384 x 16384: its bitmap fits under the ceiling, but not with
# the coefficients the library holds while it reads the scans.
write("jpeg-progressive-huge.jpg", header(colour, 16384, 16384) + first_scan(colour, 16))
# Baseline pictures with 16 bytes of data: one too large for the ceiling, one that fits.
write("jpeg-huge-tiny-body.jpg", header(baseline, 65000, 65000) + first_scan(baseline, 16))
write("jpeg-large-tiny-body.jpg", header(baseline, 2000, 1500) + first_scan(baseline, 16))


# GIF: a 32000 x 32000 frame with no image data at all, and a 60000 x 16000 screen with six
# 4 x 4 frames, each restoring what was under it (disposal 3), each of the index k + 1.
def gif_screen(width, height):
    return b"GIF89a" + u16(width) + u16(height) + bytes([0xF7, 0, 0]) + b"".join(
        bytes([i, 255 - i, i ^ 0x55]) for i in range(256))


def gif_literals(pixels):
    # Clear, the pixels as 9-bit literal codes, end; packed from the low bit up.
    codes = [256] + list(pixels) + [257]
    value = 0
    for i, code in enumerate(codes):
        value |= code << (9 * i)
    data = value.to_bytes((9 * len(codes) + 7) // 8, "little")
    return bytes([8, len(data)]) + data + b"\0"


def gif_frame(left, top, width, height, data, disposal=0):
    control = b"!\xF9\x04" + bytes([disposal << 2]) + u16(0) + b"\0\0"
    return control + b"," + u16(left) + u16(top) + u16(width) + u16(height) + b"\0" + data


write("gif-huge-frame-no-data.gif", gif_screen(32000, 32000)
      + gif_frame(0, 0, 32000, 32000, bytes([8, 0])) + b";")
write("gif-huge-screen-restored-frames.gif", gif_screen(60000, 16000) + b"".join(
      gif_frame(k * 9000, k * 2500, 4, 4, gif_literals([k + 1] * 16), 3) for k in range(6)) + b";")


def gif_blocks(data):
    """Image data in sub-blocks of up to 255 bytes, then the terminator."""
    return b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255]
                    for i in range(0, len(data), 255)) + b"\0"


def gif_codes(min_size, codes):
    """Packs codes from the low bit up, each at the width a decoder reads it: one bit more than
    the minimum size after a clear code, one bit more each time the table reaches a power of
    two, at most 12 bits; a full table adds nothing and stays at 12."""
    clear = 1 << min_size
    size, next_code, first = min_size + 1, clear + 2, True
    value = shift = 0
    for code in codes:
        value |= code << shift
        shift += size
        if code == clear:
            size, next_code, first = min_size + 1, clear + 2, True
        elif first:
            first = False
        elif code != clear + 1 and next_code < 4096:
            next_code += 1
            if next_code == 1 << size and size < 12:
                size += 1
    return value.to_bytes((shift + 7) // 8, "little")


# A 3 x 2 frame in the bottom right corner of an 8 x 6 screen, and the same frame one pixel
# further right or down.
edge = gif_blocks(gif_codes(8, [256, 1, 2, 3, 4, 5, 6, 257]))
write("gif-frame-at-edge.gif", gif_screen(8, 6) + gif_frame(5, 4, 3, 2, bytes([8]) + edge) + b";")
write("gif-frame-past-right.gif", gif_screen(8, 6) + gif_frame(6, 4, 3, 2, bytes([8]) + edge) + b";")
write("gif-frame-past-bottom.gif", gif_screen(8, 6) + gif_frame(5, 5, 3, 2, bytes([8]) + edge) + b";")
# A minimum code size of 12: codes would need 13 bits.
write("gif-codesize-12.gif", gif_screen(4, 4) + gif_frame(0, 0, 4, 4, bytes([12]) + edge) + b";")


# 3839 literal codes fill the table up to code 4095; then, with no clear code, the strings of
# codes 4095 and 258, the literal 5 and the end code. The literals are pixel_value(i).
def pixel_value(i):
    return (i * 101 + (i >> 8)) & 0xFF


full = [256] + [pixel_value(i) for i in range(3839)] + [4095, 258, 5, 257]
write("gif-table-full-no-clear.gif", gif_screen(64, 61)
      + gif_frame(0, 0, 64, 61, bytes([8]) + gif_blocks(gif_codes(8, full))) + b";")

# A 4 x 4 frame of the literals 1 to 16 whose first block ends inside the code of the ninth:
# the second block's length byte claims 200 bytes where 10 remain, or the file ends before it.
stream = gif_codes(8, [256] + list(range(1, 17)) + [257])
cut = gif_screen(4, 4) + gif_frame(0, 0, 4, 4, bytes([8, 11]) + stream[:11])
write("gif-block-past-end.gif", cut + bytes([200]) + stream[11:])
write("gif-data-end-no-block.gif", cut)
# The file ends inside the 13-byte header, after the screen size.
write("gif-end-in-header.gif", b"GIF89a" + u16(8) + u16(6))


def pcx(width, height, bits, planes, bytes_per_line, body=b""):
    header = (bytes([10, 5, 1, bits]) + u16(0) + u16(0) + u16(width - 1) + u16(height - 1)
              + u16(72) + u16(72) + bytes(48) + b"\0" + bytes([planes]) + u16(bytes_per_line)
              + u16(1) + u16(0) + u16(0))
    return header + bytes(128 - len(header)) + body


def pcx_zeros(count):
    # Runs of at most 63 zero bytes.
    return b"".join(bytes([0xC0 | min(63, count - at), 0]) for at in range(0, count, 63))


# Lines of no bytes over data that would give set pixels.
write("pcx-bytes-per-line-0.pcx", pcx(16, 4, 1, 1, 0, bytes([0x55]) * 8))
# Lines of 65535 bytes: 16 bytes of data do not finish the first; in the other, 4 pixels and
# zeros make the first line, and 2 pixels begin the second.
write("pcx-bytes-per-line-65535-short.pcx", pcx(16, 2, 1, 1, 65535, bytes([0x55]) * 16))
write("pcx-bytes-per-line-65535.pcx", pcx(4, 2, 8, 1, 65535,
      bytes([1, 2, 3, 4]) + pcx_zeros(65531) + bytes([5, 6])))
# No planes, and 255 planes of 1 bit.
write("pcx-planes-0.pcx", pcx(4, 2, 8, 0, 4, bytes(8)))
write("pcx-planes-255.pcx", pcx(16, 2, 1, 255, 2, bytes(8)))
# A maximum x and y of 65535 over a few bytes: at 8 bits the picture is beyond the ceiling; at
# 1 bit it fits, and its top line is all set while the data end there.
write("pcx-8bit-65535-square.pcx", pcx(65536, 65536, 8, 1, 65535, bytes(16)))
write("pcx-mono-65535-square.pcx", pcx(65536, 65536, 1, 1, 8192,
      b"".join(bytes([0xC0 | min(63, 8192 - at), 0xFF]) for at in range(0, 8192, 63))))
# Lines 65500 pixels wide of 24 one-bit planes, one byte each: only 8 pixels have data, all
# set; the rest of each line stays black without being visited.
write("pcx-24-planes-wide-lines.pcx", pcx(65500, 2000, 1, 24, 1,
      b"".join(bytes([0xC0 | min(63, 48000 - at), 0xFF]) for at in range(0, 48000, 63))))


def tga(width, height, image_type, depth, id_length=0, map_length=0, entry_size=0, rest=b""):
    return (bytes([id_length, 1 if map_length else 0, image_type]) + u16(0) + u16(map_length)
            + bytes([entry_size]) + u16(0) + u16(0) + u16(width) + u16(height)
            + bytes([depth, 0x20]) + rest)


# Colour-mapped pictures of 4 x 2 pixels with maps of 24-bit entries (blue, green, red): a full
# map of 256, and one of 257 entries, one more than a colour table holds.
def tga_map(count):
    return b"".join(bytes([i & 0xFF, 255 - (i & 0xFF), (i * 3) & 0xFF]) for i in range(count))


mapped = bytes([0, 1, 254, 255, 255, 128, 2, 3])
write("tga-map-256.tga", tga(4, 2, 1, 8, 0, 256, 24, tga_map(256) + mapped))
write("tga-map-257.tga", tga(4, 2, 1, 8, 0, 257, 24, tga_map(257) + mapped))
# An image ID of 255 bytes of which the file holds 20.
write("tga-id-255-at-end.tga", tga(2, 2, 2, 24, 255, rest=b"image id cut short: "))
# 65535 x 65535 grey pixels over 16 bytes: beyond the ceiling.
write("tga-65535-square.tga", tga(65535, 65535, 3, 8, rest=bytes(16)))
# A run-length grey picture of 65535 x 4096: 512 runs of 128 pixels, the values 1 to 251 in
# turn, fill the top line and the first pixel of the next, and the data end there.
write("tga-rle-wide-tiny-body.tga", tga(65535, 4096, 11, 8, rest=b"".join(
      bytes([0xFF, k % 251 + 1]) for k in range(512))))
PY

# A whole progressive file of the most scans the library's encoder writes (100) over a flat grey
# picture of 4096 x 4096, the cheapest data a scan can have: the input budget must let it through.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 - "$work" <<'PY'
import sys
folder = sys.argv[1]
with open(folder + "/flat.pgm", "wb") as file:
    file.write(b"P5 4096 4096 255\n" + bytes([102]) * (4096 * 4096))
scans = (["0: 0 0 0 2;"] + [f"0: {k} {k} 0 2;" for k in range(1, 64)] + ["0: 0 0 2 1;"]
         + [f"0: {k} {k} 2 1;" for k in range(1, 33)] + ["0: 33 63 2 1;", "0: 0 0 1 0;", "0: 1 63 1 0;"])
with open(folder + "/scans.txt", "w") as file:
    file.write("\n".join(scans) + "\n")
PY
cjpeg -grayscale -scans "$work/scans.txt" -outfile regress/jpeg-hundred-scans.jpg "$work/flat.pgm"
ls -la regress
