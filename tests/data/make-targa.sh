#!/usr/bin/env bash
# Makes the Targa fixtures written by independent tools, and beside each the pixels a second
# tool reads back (raw RGB as a binary PPM, top line first) for the tests to compare with. Needs
# Debian's imagemagick and python3-pil; run from anywhere, writes into targa/ beside this script.
set -euo pipefail
cd "$(dirname "$0")/targa"
convert=/usr/bin/convert
python=/usr/bin/python3

$convert -size 37x23 gradient:red-blue \( -size 37x23 gradient:yellow-black -rotate 90 -resize 37x23! \) \
    -compose multiply -composite -depth 8 source.ppm

$convert source.ppm -type truecolor TGA:im-rgb24.tga
$convert source.ppm -type truecolor -compress RLE TGA:im-rgb24rle.tga
$convert source.ppm -type truecolormatte TGA:im-rgba32.tga
$convert source.ppm -colors 200 -type palette TGA:im-pal8.tga
$convert source.ppm -colors 200 -type palette -compress RLE TGA:im-pal8rle.tga
$convert source.ppm -colorspace gray TGA:im-grey8.tga
$python - <<'PY'
from PIL import Image
src = Image.open("source.ppm")
src.save("pil-rgb24.tga")
src.save("pil-rgb24top.tga", orientation=1)
src.save("pil-rgb24rle.tga", compression="tga_rle")
src.convert("RGBA").save("pil-rgba32rle.tga", compression="tga_rle")
src.convert("L").save("pil-grey8rle.tga", compression="tga_rle")
src.quantize(200).save("pil-pal8.tga")
src.quantize(100).save("pil-pal8rle.tga", compression="tga_rle", id_section=b"made by a test")

# Neither tool writes 16-bit files: these are packed here, 5 bits a component, and the other
# tool reads them back like the rest. The run-length one mixes runs and raw packets.
import struct
def pack(rgb):
    r, g, b = rgb
    return struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3))
w, h = src.size
rows = [[pack(src.getpixel((x, y))) for x in range(w)] for y in reversed(range(h))]
header = lambda kind: struct.pack("<BBBHHBHHHHBB", 0, 0, kind, 0, 0, 0, 0, 0, w, h, 16, 0)
with open("py-rgb16.tga", "wb") as out:
    out.write(header(2) + b"".join(b"".join(row) for row in rows))
pixels = [p for row in rows for p in row]
data = bytearray()
i = 0
while i < len(pixels):
    run = 1
    while i + run < len(pixels) and run < 128 and pixels[i + run] == pixels[i]:
        run += 1
    if run > 1:
        data += bytes([0x80 | (run - 1)]) + pixels[i]
    else:
        raw = 1
        while i + raw < len(pixels) and raw < 128 and pixels[i + raw] != pixels[i + raw - 1]:
            raw += 1
        data += bytes([raw - 1]) + b"".join(pixels[i:i + raw])
        run = raw
    i += run
with open("py-rgb16rle.tga", "wb") as out:
    out.write(header(10) + bytes(data))
PY
rm source.ppm
for file in *.tga; do
    # This reader of the other tool fails on 16-bit run-length files; the twin below holds the
    # same pixels uncompressed, and its reference serves both.
    [ "$file" = py-rgb16rle.tga ] && continue
    $python - "$file" <<'PY'
import sys
from PIL import Image
name = sys.argv[1]
Image.open(name).convert("RGB").save(name[:-4] + ".rgb", "PPM")
PY
done
cp py-rgb16.rgb py-rgb16rle.rgb
