#!/usr/bin/env bash
# Takes a screenshot of the main window at four screen sizes under a virtual X server
# (Debian's xvfb and ImageMagick's import), started as a new user would start it: in a folder
# of pictures, without an argument. The program runs from a copy in a temporary folder, so
# that it starts with default settings and leaves no INI file behind; the pictures are drawn
# here with ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/../.."
program=${1:-build/app/pelorin}
pictures=${TMPDIR:-/tmp}/pelorin-demo/Pictures
rm -rf "$pictures"
mkdir -p "$pictures/Holiday 2019" "$pictures/family" "$pictures/scans" "$pictures/.cache"
convert -size 640x480 gradient:'#4a7fc1'-'#f3d8a8' "$pictures/beach.jpg"
convert -size 320x240 -seed 3 plasma:'#2f6b2f'-'#8fb35a' "$pictures/forest.jpg"
convert -size 200x200 xc:red -fill yellow -draw "circle 100,100 100,40" "$pictures/sun.gif"
convert -size 300x200 xc:'#3b6e8f' "$pictures/harbour.bmp"
convert -size 160x120 gradient:green-blue "$pictures/logo.pcx"
convert -size 160x120 gradient:purple-orange "$pictures/sunset.tga"
for i in $(seq -w 1 24); do cp "$pictures/forest.jpg" "$pictures/IMG_00$i.JPG"; done
echo notes >"$pictures/notes.txt"
for size in 640x480 800x600 1024x768 1280x1024; do
    work=$(mktemp -d)
    cp "$program" "$work/pelorin"
    shot=$PWD/docs/screenshots/main-$size.png
    xvfb-run -a -s "-screen 0 ${size}x24" sh -c "
        cd \"$pictures\"
        \"$work/pelorin\" & pid=\$!
        sleep 3
        import -window root \"$shot\"
        kill \$pid"
    rm -rf "$work"
done
rm -rf "$(dirname "$pictures")"

# The browser with a live preview at 1024 x 768, started in a folder of pictures as a new user
# would: the still picture under the cursor at start, then the cursor moved onto an animated
# GIF, taken while it plays (two shots a third of a second apart must differ); and the program
# started with a picture's name, which it lists, previews and shows.
browse=${TMPDIR:-/tmp}/pelorin-browse/Holiday
rm -rf "$browse"
mkdir -p "$browse"
convert -size 900x600 gradient:'#4a7fc1'-'#f3d8a8' \
    \( -size 900x600 -seed 3 plasma:'#2f6b2f'-'#8fb35a' \) \
    \( -size 900x600 xc:black -fill white \
        -draw "polygon 0,380 130,300 310,360 490,270 670,330 900,290 900,600 0,600" \) \
    -composite -fill '#fff4c2' -draw "circle 700,130 700,90" \
    -fill '#203a20' -draw "polygon 90,500 130,350 170,500" -draw "polygon 160,505 195,380 230,505" \
    -quality 92 "$browse/alps.jpg"
for i in 0 1 2 3 4 5 6 7; do
    convert -size 240x180 xc:'#102040' -fill '#f0a020' \
        -draw "circle $((30 + i * 25)),90 $((30 + i * 25)),60" "$browse/frame$i.gif"
done
convert -delay 25 -loop 0 "$browse"/frame?.gif "$browse/bounce.gif"
rm "$browse"/frame?.gif
convert -size 300x200 xc:'#3b6e8f' -fill white -draw "rectangle 40,120 260,140" BMP3:"$browse/harbour.bmp"
convert -size 160x120 gradient:purple-orange "$browse/sunset.tga"
convert -size 200x150 xc:'#203050' -fill '#f0c040' -draw "rectangle 30,30 170,120" \
    -type palette -colors 16 "$browse/poster.pcx"
work=$(mktemp -d)
cp "$program" "$work/pelorin"
cp "$(dirname "$program")/Pelorin.html" "$work/" 2>/dev/null || true
shots=$PWD/docs/screenshots
(cd "$browse" && xvfb-run -a -s "-screen 0 1024x768x24" sh -c "
    \"$work/pelorin\" & pid=\$!
    sleep 2.5; import -window root \"$shots/browser-preview-still.png\"
    xdotool key Down
    sleep 1.2; import -window root \"$work/anim-1.png\"
    sleep 0.33; import -window root \"$work/anim-2.png\"
    kill \$pid")
if [ "$(compare -metric AE "$work/anim-1.png" "$work/anim-2.png" null: 2>&1)" = 0 ]; then
    echo "the preview did not animate" >&2
    exit 1
fi
cp "$work/anim-1.png" "$shots/browser-preview-animated.png"
rm -f "$work/Pelorin.ini"
(cd "$browse" && xvfb-run -a -s "-screen 0 1024x768x24" sh -c "
    \"$work/pelorin\" harbour.bmp & pid=\$!
    sleep 3; import -window root \"$shots/browser-show.png\"
    kill \$pid")
rm -rf "$work" "$(dirname "$browse")"

# The viewing window at 1024 x 768, showing pictures made here (a landscape drawn with
# imagemagick) through tests/view/support/ViewShot.cpp: a photo in an auto-sized window, a
# large picture shrunk by Fit, one larger than the screen with scroll bars, and a photo in
# full screen. A coloured desktop shows where the window ends.
shot=${2:-build/tests/view_shot}
work=$(mktemp -d)
convert -size 1600x1200 gradient:'#4a7fc1'-'#f3d8a8' \
    \( -size 1600x1200 -seed 3 plasma:'#2f6b2f'-'#8fb35a' \) \
    \( -size 1600x1200 xc:black -fill white \
        -draw "polygon 0,760 260,600 620,720 980,540 1340,660 1600,600 1600,1200 0,1200" \) \
    -composite \
    \( -size 1600x1200 -seed 9 plasma:'#3d5a80'-'#98c1d9' \) \
    \( -size 1600x1200 xc:black -fill white \
        -draw "polygon 0,1200 0,980 400,930 900,990 1300,940 1600,970 1600,1200" \) \
    -composite \
    -fill '#fff4c2' -draw "circle 1210,260 1210,180" \
    -fill '#203a20' -draw "polygon 170,1000 250,700 330,1000" \
    -draw "polygon 300,1010 370,760 440,1010" \
    -fill white -draw "ellipse 420,220 140,40 0,360" -draw "ellipse 520,200 110,45 0,360" \
    -quality 92 "$work/landscape.jpg"
convert "$work/landscape.jpg" -resize 640x480 "$work/photo.jpg"
convert "$work/landscape.jpg" -resize '3000x2000!' -quality 92 "$work/large.jpg"
convert -size 1024x768 xc:'#3b6e8f' "$work/desktop.png"
# Runs a command on a 1024 x 768 screen showing the desktop picture and takes the screen.
screen_shot() {
    local out=$1
    shift
    xvfb-run -a -s "-screen 0 1024x768x24" sh -c "
        display -window root \"$work/desktop.png\"
        $* & pid=\$!
        sleep 3
        import -window root \"$out\"
        kill \$pid"
}
view_shot() {
    local name=$1
    shift
    screen_shot "docs/screenshots/view-$name.png" "\"$shot\" --ini \"$work/Pelorin.ini\" $*"
}
view_shot autosize "$work/photo.jpg"
view_shot fit --fit "$work/large.jpg"
view_shot scroll "$work/landscape.jpg"
view_shot fullscreen --full-screen "$work/photo.jpg"

# The three dialogs through tests/dialogs/support/DialogShot.cpp, each cut out of a plain
# desktop: the options from an INI file with a preview colour and the window sizes chosen by
# hand, the colour warning, and the image information of an animated GIF of the test data.
dialogs=${3:-build/tests/dialog_shot}
printf '[Pelorin]\nPrevBKColor=12615680\nAutoSizeMain=0\nSizeMain=2\nSlideShowTimer=75\n' \
    >"$work/Options.ini"
dialog_shot() {
    local name=$1
    shift
    screen_shot "$work/shot.png" "\"$dialogs\" $*"
    convert "$work/shot.png" -trim +repage "docs/screenshots/dialog-$name.png"
}
dialog_shot options options --ini "$work/Options.ini"
dialog_shot warning warning
dialog_shot info info tests/data/gif/im-anim.gif

# A slideshow of two seconds a picture through a folder of every format, an animated GIF
# and a damaged file: shots of each picture, two frames of the animation, the damaged file's
# box, Enter pressed on it, the last picture and the walk back at the first. The shots are
# put together in two rows at half size; the box is kept at full size too.
show=$work/show
mkdir "$show"
shot=$(realpath "$shot")
cp "$work/photo.jpg" "$show/1-photo.jpg"
convert -size 500x400 -seed 4 plasma:'#2f6b2f'-'#8fb35a' BMP3:"$show/2-meadow.bmp"
convert -size 400x300 xc:'#203050' -fill '#f0c040' -draw "rectangle 50,50 350,250" \
    -fill '#c03030' -draw "circle 200,150 200,80" -type palette -colors 16 "$show/3-poster.pcx"
for i in 0 1 2 3 4 5 6 7; do
    convert -size 320x240 xc:'#102040' -fill '#f0a020' \
        -draw "circle $((40 + i * 30)),120 $((40 + i * 30)),90" \
        -fill white -draw "text 10,20 'frame $((i + 1))'" "$show/frame$i.gif"
done
convert -delay 25 -loop 0 "$show"/frame?.gif "$show/4-bounce.gif"
rm "$show"/frame?.gif
printf 'BM\066\000\000\000\000\000\000\000\066\000\000\000\050\000\000\000\377\377' \
    >"$show/5-damaged.bmp"
convert -size 300x200 gradient:'#802080'-'#20a0a0' "$show/6-dusk.tga"
(cd "$show" && xvfb-run -a -s "-screen 0 1024x768x24" sh -c "
    display -window root \"$work/desktop.png\" &
    \"$shot\" --ini \"$work/Pelorin.ini\" --slideshow 2 1-photo.jpg 2-meadow.bmp \
        3-poster.pcx 4-bounce.gif 5-damaged.bmp 6-dusk.tga & pid=\$!
    sleep 1.5; import -window root shot-1.png
    sleep 2; import -window root shot-2.png
    sleep 2; import -window root shot-3.png
    sleep 1.2; import -window root shot-4.png
    sleep 0.6; import -window root shot-5.png
    sleep 2.4; import -window root shot-6.png
    xdotool key Return
    sleep 1; import -window root shot-7.png
    sleep 2.5; import -window root shot-8.png
    kill \$pid")
convert "$show"/shot-[1-4].png +append -resize 50% "$show/row1.png"
convert "$show"/shot-[5-8].png +append -resize 50% "$show/row2.png"
convert "$show/row1.png" "$show/row2.png" -append docs/screenshots/view-slideshow.png
cp "$show/shot-6.png" docs/screenshots/view-slideshow-damaged.png
rm -rf "$work"
