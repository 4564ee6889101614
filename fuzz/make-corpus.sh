#!/usr/bin/env bash
# Makes the seed corpora of the harnesses from the project's test files, the regression files
# and the BMP conformance suite beside the checkout (when present). Each seed is one byte of
# preferences (see FuzzDecode.cpp; 0 is offset 0 and no stop request, 3 is offset 40) followed
# by the file. Writes OUT/{load,bmp,gif,jpeg,pcx,targa}/, replacing what was there.
#   usage: fuzz/make-corpus.sh OUT
set -euo pipefail
if [ $# -ne 1 ]; then
    echo "usage: $0 OUT" >&2
    exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
data="$root/tests/data"
shared="${PELORIN_SHARED_DIR:-$root/../shared}/corpus"
out="$1"

harnesses=(load bmp gif jpeg pcx targa preview)
for harness in "${harnesses[@]}"; do
    rm -rf "${out:?}/$harness"
    mkdir -p "$out/$harness"
done

# The harness of a file by its extension; the loading driver's harness takes every file.
harness_of() {
    case "${1,,}" in
        *.bmp) echo bmp ;;
        *.gif) echo gif ;;
        *.jpg | *.jpeg) echo jpeg ;;
        *.pcx) echo pcx ;;
        *.tga) echo targa ;;
        *) echo "" ;;
    esac
}

# Writes a seed: the preferences byte, then the file. Names stay unique across source folders.
add_seed() {
    local file="$1" harness="$2" prefix="$3"
    local name
    name="$(echo "${file#"$root"/}" | tr '/' '_')-$prefix"
    { printf "\\x$prefix"; cat "$file"; } >"$out/$harness/$name"
}

count=0
while IFS= read -r -d '' file; do
    harness="$(harness_of "$file")"
    [ -n "$harness" ] || continue
    for prefix in 00 03; do
        add_seed "$file" "$harness" "$prefix"
        add_seed "$file" load "$prefix"
    done
    count=$((count + 1))
done < <(find "$data" "$shared/bmpsuite" -type f -size -100k -print0 2>/dev/null | sort -z)

# Regression files may carry any extension: each goes to the loading driver's harness, and to
# a reader's when its extension names one.
if [ -d "$data/regress" ]; then
    while IFS= read -r -d '' file; do
        add_seed "$file" load 00
        harness="$(harness_of "$file")"
        [ -z "$harness" ] || add_seed "$file" "$harness" 00
    done < <(find "$data/regress" -type f -print0 | sort -z)
fi

cp -r "$out/load/." "$out/preview/"

echo "seeds from $count files in $out:"
for harness in "${harnesses[@]}"; do
    echo "  $harness: $(find "$out/$harness" -type f | wc -l)"
done
