#!/usr/bin/env bash
# Makes the JPEG fixtures with the library's own command-line tools, and beside each the pixels
# its decoder writes with default settings (PPM for colour, PGM for grey), for the tests to
# compare with. Needs libjpeg-turbo-progs and Debian's python3-pil; run from anywhere, writes
# into jpeg/ beside this script.
set -euo pipefail
cd "$(dirname "$0")/jpeg"
python=/usr/bin/python3

# Small pictures with gradients and hard edges, at sizes that are not multiples of the
# 8 x 8 and 16 x 16 blocks, so that partial blocks, sampling and row padding matter.
$python - <<'PY'
from PIL import Image, ImageDraw

def picture(width, height):
    image = Image.new("RGB", (width, height))
    pixels = image.load()
    for y in range(height):
        for x in range(width):
            pixels[x, y] = (x * 255 // max(1, width - 1), y * 255 // max(1, height - 1),
                            (x * 7 + y * 13) % 256)
    draw = ImageDraw.Draw(image)
    draw.rectangle([width // 4, height // 4, width // 2, height // 2], fill=(250, 20, 10))
    return image

picture(37, 23).save("source.ppm")
picture(17, 9).save("odd.ppm")
picture(1, 1).save("one.ppm")
picture(64, 48).save("large.ppm")
picture(37, 23).convert("CMYK").save("cmyk.jpg", quality=80)
PY

cjpeg -quality 85 -outfile colour-420.jpg source.ppm
cjpeg -quality 85 -sample 2x1 -outfile colour-422.jpg source.ppm
cjpeg -quality 85 -sample 1x1 -outfile colour-444.jpg source.ppm
cjpeg -quality 85 -rgb -outfile colour-rgb.jpg source.ppm
cjpeg -quality 85 -restart 1B -outfile restart.jpg source.ppm
cjpeg -quality 85 -outfile odd-17x9.jpg odd.ppm
cjpeg -quality 85 -outfile one-1x1.jpg one.ppm
cjpeg -quality 85 -grayscale -outfile grey.jpg source.ppm
cjpeg -quality 85 -progressive -outfile progressive.jpg large.ppm
cjpeg -quality 85 -progressive -grayscale -outfile progressive-grey.jpg large.ppm
rm source.ppm odd.ppm one.ppm large.ppm

for file in colour-*.jpg restart.jpg odd-17x9.jpg one-1x1.jpg progressive.jpg; do
    djpeg -outfile "${file%.jpg}.ppm" "$file"
done
for file in grey.jpg progressive-grey.jpg; do
    djpeg -outfile "${file%.jpg}.pgm" "$file"
done
