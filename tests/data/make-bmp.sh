#!/usr/bin/env bash
# Makes the BMP fixtures written by independent tools, and beside each the pixels those tools
# read back (raw RGB, top line first) for the tests to compare with. Needs imagemagick and
# Debian's python3-pil; run from anywhere, writes into bmp/ beside this script.
set -euo pipefail
cd "$(dirname "$0")/bmp"
python=/usr/bin/python3

# A small picture with gradients, edges and odd sizes, so row padding and palettes matter.
convert -size 37x23 gradient:red-blue \( -size 37x23 gradient:yellow-black -rotate 90 -resize 37x23! \) \
    -compose multiply -composite -depth 8 source.ppm

convert source.ppm -type truecolor BMP3:im-rgb24.bmp
convert source.ppm -colors 200 -type palette BMP3:im-pal8.bmp
convert source.ppm -colors 200 -type palette -compress RLE BMP3:im-pal8rle.bmp
convert source.ppm -colors 12 -type palette BMP3:im-pal4.bmp
convert source.ppm -colors 12 -type palette -compress RLE BMP3:im-pal4rle.bmp
convert source.ppm -monochrome BMP3:im-pal1.bmp
convert source.ppm -define bmp:subtype=RGB565 BMP3:im-rgb565.bmp
$python - <<'PY'
from PIL import Image
src = Image.open("source.ppm")
src.save("pil-rgb24.bmp")
src.quantize(200).save("pil-pal8.bmp")
src.convert("1").save("pil-pal1.bmp")
src.convert("L").save("pil-grey8.bmp")
src.convert("RGBA").save("pil-rgb32.bmp")
PY
rm source.ppm
# Each tool reads back its own files.
for file in im-*.bmp; do
    convert "$file" -depth 8 "ppm:${file%.bmp}.rgb"
done
for file in pil-*.bmp; do
    $python - "$file" <<'PY'
import sys
from PIL import Image
name = sys.argv[1]
Image.open(name).convert("RGB").save(name[:-4] + ".rgb", "PPM")
PY
done
