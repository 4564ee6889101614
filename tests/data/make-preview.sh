#!/usr/bin/env bash
# Makes the reference pixels of the JPEG thumbnails: each JPEG fixture decoded by the library's
# own tool with the fast integer transform and without fancy upsampling, the settings of the
# preview (PPM for colour, PGM for grey). Needs libjpeg-turbo-progs; run from anywhere, reads
# jpeg/ and writes into preview/ beside this script.
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p preview
for file in jpeg/colour-*.jpg jpeg/restart.jpg jpeg/odd-17x9.jpg jpeg/one-1x1.jpg \
    jpeg/progressive.jpg; do
    name="$(basename "${file%.jpg}")"
    djpeg -dct fast -nosmooth -outfile "preview/$name-fast.ppm" "$file"
done
for file in jpeg/grey.jpg jpeg/progressive-grey.jpg; do
    name="$(basename "${file%.jpg}")"
    djpeg -dct fast -nosmooth -outfile "preview/$name-fast.pgm" "$file"
done
