#!/usr/bin/env bash
# Makes the sample pictures shipped in this folder (needs imagemagick).
set -euo pipefail
cd "$(dirname "$0")"
convert -size 160x120 gradient:'#1e3c72'-'#f7c873' \
    -fill '#d94f30' -draw 'circle 60,60 60,25' \
    -fill '#2a9d8f' -draw 'rectangle 95,30 145,95' \
    -fill white -draw 'polygon 20,110 50,75 80,110' \
    -type truecolor BMP3:sample.bmp
