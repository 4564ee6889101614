#!/usr/bin/env bash
# Makes the PCX fixtures written by independent tools, and beside each the pixels a second tool
# reads back (raw RGB as a binary PPM, top line first) for the tests to compare with. Needs
# Debian's imagemagick and python3-pil; run from anywhere, writes into pcx/ beside this script.
set -euo pipefail
cd "$(dirname "$0")/pcx"
convert=/usr/bin/convert
python=/usr/bin/python3

# A small picture with gradients and an odd width, so that line padding and palettes matter.
$convert -size 37x23 gradient:red-blue \( -size 37x23 gradient:yellow-black -rotate 90 -resize 37x23! \) \
    -compose multiply -composite -depth 8 source.ppm

$convert source.ppm -type truecolor PCX:im-rgb24.pcx
$convert source.ppm -colors 200 -type palette PCX:im-pal8.pcx
$convert source.ppm -colors 2 -depth 1 -type palette PCX:im-mono.pcx
$python - <<'PY'
from PIL import Image
src = Image.open("source.ppm")
src.save("pil-rgb24.pcx")
src.quantize(200).save("pil-pal8.pcx")
src.convert("L").save("pil-grey8.pcx")
src.convert("1").save("pil-mono.pcx")
PY
rm source.ppm
for file in *.pcx; do
    $python - "$file" <<'PY'
import sys
from PIL import Image
name = sys.argv[1]
Image.open(name).convert("RGB").save(name[:-4] + ".rgb", "PPM")
PY
done
