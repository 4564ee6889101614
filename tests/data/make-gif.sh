#!/usr/bin/env bash
# Makes the GIF fixtures written by independent encoders (imagemagick, python3-pil, giflib's
# gif2rgb and gifbuild), and beside each, frame by frame, the composed picture Pillow reads
# (raw RGB as PPM, top line first): name-0.rgb for the first image, name-1.rgb after the first
# animation step, and so on. Needs imagemagick, Debian's python3-pil and giflib-tools; run from
# anywhere, writes into gif/ beside this script.
#
# The animations keep to what every reader composes alike: one global colour table, no
# transparency in the first frame, and none in a frame that is disposed to the background.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$here/gif"
cd "$here/gif"
rm -f ./*.gif ./*.rgb
python=/usr/bin/python3
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Four corners of colour and a white diagonal, at an odd size.
convert -size 37x23 xc: -sparse-color barycentric "0,0 red 36,0 lime 0,22 blue 36,22 yellow" \
    -fill white -draw "line 0,0 36,22" -depth 8 "$work/source.ppm"

convert "$work/source.ppm" -colors 200 im-still.gif
convert "$work/source.ppm" -colors 60 -interlace GIF im-interlaced.gif
convert "$work/source.ppm" -colors 16 im-16.gif
convert "$work/source.ppm" -monochrome im-mono.gif
# Frames placed on the screen, disposed of to the background and to the previous picture.
convert -delay 10 -dispose none \( -size 30x20 xc:white -fill red -draw "rectangle 2,2 10,10" \) \
    -dispose background -page +5+4 \( -size 12x8 xc:blue -fill yellow -draw "point 3,3" \) \
    -dispose previous -page +10+6 \( -size 8x8 xc:black -fill green -draw "rectangle 1,1 6,6" \) \
    -dispose none -page +0+10 \( -size 6x6 xc:magenta \) -loop 0 +map im-anim.gif

$python - "$work/source.ppm" <<'PY'
import sys
from PIL import Image
src = Image.open(sys.argv[1])
src.quantize(100).save("pil-still.gif")
src.quantize(30).save("pil-interlaced.gif", interlace=True)

palette = [0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 255, 255, 0, 0, 255, 255]
def frame(f):
    im = Image.new("P", (24, 16))
    im.putpalette(palette + [0] * (768 - len(palette)))
    im.putdata([f(x, y) for y in range(16) for x in range(24)])
    return im
# Index 0 is transparent in the frames after the first.
first = frame(lambda x, y: (x // 3 + y // 2) % 6 + 1)
box = frame(lambda x, y: 5 if 4 <= x < 12 and 2 <= y < 10 else 0)
line = frame(lambda x, y: 1 if y == 8 else 0)
first.save("pil-anim.gif", save_all=True, append_images=[box, line], duration=[40, 50, 60],
           disposal=[1, 3, 2], transparency=0, loop=0, optimize=False, background=2)

# Codes that straddle data blocks of one to three bytes, as some encoders write them.
def reblock(name, out):
    data = open(name, "rb").read()
    result = bytearray(data[:13])
    pos = 13
    if data[10] & 0x80:
        size = 3 * (2 << (data[10] & 7))
        result += data[pos:pos + size]
        pos += size
    sizes = [1, 2, 3]
    while pos < len(data):
        byte = data[pos]
        if byte == 0x21:
            result += data[pos:pos + 2]
            pos += 2
            while data[pos]:
                result += data[pos:pos + 1 + data[pos]]
                pos += 1 + data[pos]
            result += b"\0"
            pos += 1
        elif byte == 0x2C:
            flags = data[pos + 9]
            size = 10 + (3 * (2 << (flags & 7)) if flags & 0x80 else 0)
            result += data[pos:pos + size + 1]  # with the code size byte
            pos += size + 1
            stream = bytearray()
            while data[pos]:
                stream += data[pos + 1:pos + 1 + data[pos]]
                pos += 1 + data[pos]
            pos += 1
            at, turn = 0, 0
            while at < len(stream):
                n = min(sizes[turn % 3], len(stream) - at)
                result += bytes([n]) + stream[at:at + n]
                at, turn = at + n, turn + 1
            result += b"\0"
        else:
            result += data[pos:]
            break
    open(out, "wb").write(result)
reblock("im-still.gif", "tiny-blocks.gif")
PY
$python - "$work/source.ppm" "$work/source.rgb" <<'PY'
import sys
from PIL import Image
open(sys.argv[2], "wb").write(Image.open(sys.argv[1]).convert("RGB").tobytes())
PY
gif2rgb -1 -c 8 -s 37 23 < "$work/source.rgb" > gl-rgb.gif
gif2rgb -1 -c 4 -s 37 23 < "$work/source.rgb" > gl-rgb16.gif

# An interlaced frame, disposal to the background and to the previous picture, and a
# transparent index in a frame that is later restored.
gifbuild > gl-anim.gif <<'TXT'
screen width 16
screen height 10
screen background 1
screen map
	rgb 000 000 000 is a
	rgb 255 255 255 is b
	rgb 255 000 000 is c
	rgb 000 000 255 is d
end

graphics control
	disposal mode 1
	user input flag off
	delay 20
	transparent index -1
end

image
image left 0
image top 0
image bits 16 by 10
abcdabcdabcdabcd
bcdabcdabcdabcda
cdabcdabcdabcdab
dabcdabcdabcdabc
abcdabcdabcdabcd
bcdabcdabcdabcda
cdabcdabcdabcdab
dabcdabcdabcdabc
abcdabcdabcdabcd
bcdabcdabcdabcda

graphics control
	disposal mode 2
	user input flag off
	delay 20
	transparent index -1
end

image
image left 3
image top 2
image interlaced
image bits 6 by 7
cccccc
caaaac
cddddc
caaaac
cddddc
caaaac
cccccc

graphics control
	disposal mode 3
	user input flag off
	delay 20
	transparent index 2
end

image
image left 8
image top 5
image bits 5 by 3
ddddd
dcccd
ddddd

graphics control
	disposal mode 0
	user input flag off
	delay 20
	transparent index -1
end

image
image left 14
image top 0
image bits 2 by 2
cc
cc
TXT

for file in *.gif; do
    $python - "$file" <<'PY'
import sys
from PIL import Image
name = sys.argv[1]
image = Image.open(name)
for index in range(getattr(image, "n_frames", 1)):
    image.seek(index)
    image.convert("RGB").save("%s-%d.rgb" % (name[:-4], index), "PPM")
PY
done
