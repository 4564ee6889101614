#!/usr/bin/env bash
# Checks what an installation holds: installs a built tree into a temporary prefix, checks
# that every file is there, validates the desktop entry, runs the installed pelorin-tool on
# the sample, then builds the Debian package (without installing it) and checks its contents
# and dependencies.
#
# usage: scripts/check-install.sh [BUILD]   (BUILD: a configured and built tree; build by default)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
expected=(
    bin/pelorin
    bin/pelorin-tool
    share/applications/pelorin.desktop
    share/pelorin/Pelorin.html
    share/doc/pelorin/README.md
    share/icons/hicolor/scalable/apps/pelorin.svg
)
for size in 16 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/pelorin.png")
done
missing=0
for file in "${expected[@]}"; do
    if [ ! -s "$prefix/$file" ]; then
        echo "check-install: $file is missing or empty" >&2
        missing=1
    fi
done
for program in pelorin pelorin-tool; do
    [ -x "$prefix/bin/$program" ] || { echo "check-install: bin/$program is not executable" >&2; missing=1; }
done
[ "$missing" -eq 0 ]

desktop-file-validate "$prefix/share/applications/pelorin.desktop"
# A PNG file's width and height are the big-endian words at bytes 16 and 20.
for size in 16 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/pelorin.png"
    read -r -a header <<<"$(od -An -tu1 -j16 -N8 "$icon")"
    width=$(((header[0] << 24) | (header[1] << 16) | (header[2] << 8) | header[3]))
    height=$(((header[4] << 24) | (header[5] << 16) | (header[6] << 8) | header[7]))
    if [ "$width" -ne "$size" ] || [ "$height" -ne "$size" ]; then
        echo "check-install: the $size pixel icon is $width x $height" >&2
        exit 1
    fi
done

"$prefix/bin/pelorin-tool" info samples/sample.bmp >"$work/info.txt"
grep -q "^result: ok" "$work/info.txt"
"$prefix/bin/pelorin-tool" decode samples/sample.bmp "$work/decoded.bmp" | grep -q "^result: ok"
[ -s "$work/decoded.bmp" ]

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
package="$(ls "$work"/package/pelorin_*.deb)"
dpkg-deb --field "$package" Package Version Depends Recommends
contents="$(dpkg-deb --contents "$package")"
for file in "${expected[@]}"; do
    grep -q " \./usr/$file\$" <<<"$contents" \
        || { echo "check-install: the package lacks /usr/$file" >&2; exit 1; }
done
dpkg-deb --field "$package" Depends | grep -q "libqt6widgets6" \
    || { echo "check-install: the package does not depend on Qt Widgets" >&2; exit 1; }
echo "check-install: $(basename "$package") and the installed tree are complete"
