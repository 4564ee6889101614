#!/usr/bin/env bash
# Checks the layer rule. The table in the "Layers" section of docs/ARCHITECTURE.md gives, for
# every top-level source folder, the folders its files may include (backquoted, as `image/`, or
# "every folder") and the Qt they may use (the Qt modules it names: QtCore alone allows only
# QtCore's headers, any other module every Qt header, none at all no Qt header). Each
# #include of a project folder ("image/Dib.h") or of a Qt header (<QWidget>, <QtCore/QString>)
# is checked against the row of the including file's folder, and a source folder without a row
# is a breach too. Every breach is printed as file:line with the include; then the script fails.
#
# usage: scripts/check-layers.sh [ROOT]   (ROOT: a source tree; this one by default)
# PELORIN_QT_HEADERS names Qt's include folder where neither qmake6 nor qtpaths6 can tell it;
# without it a bare Qt header (<QString>) in a QtCore-only folder counts as outside QtCore.
set -euo pipefail

root="${1:-"$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"}"
root="${root%/}"
table="$root/docs/ARCHITECTURE.md"
if [ ! -f "$table" ]; then
    echo "check-layers: no $table" >&2
    exit 2
fi

# One rule a line: folder, the folders it may include ("*" for every folder), its Qt (none,
# core or any).
rules="$(awk '
    /^## / { inLayers = ($0 == "## Layers"); next }
    inLayers && /^\| *`[a-z]+\/` *\|/ {
        cells = split($0, cell, "|")
        folder = cell[2]
        gsub(/[ `\/]/, "", folder)
        use = cell[cells - 1]
        allowed = (use ~ /every folder/) ? "*" : ""
        for (rest = use; match(rest, /`[a-z]+\/`/); rest = substr(rest, RSTART + RLENGTH))
            allowed = allowed " " substr(rest, RSTART + 1, RLENGTH - 3)
        qt = "none"
        for (rest = use; match(rest, /Qt[A-Z][A-Za-z]*/); rest = substr(rest, RSTART + RLENGTH))
            qt = (substr(rest, RSTART, RLENGTH) == "QtCore" && qt != "any") ? "core" : "any"
        printf "%s\t%s\t%s\n", folder, allowed, qt
    }' "$table")"
if [ -z "$rules" ]; then
    echo "check-layers: no layer table in the Layers section of $table" >&2
    exit 2
fi

qtHeaders="${PELORIN_QT_HEADERS:-}"
if [ -z "$qtHeaders" ]; then
    for query in "qmake6 -query" "qtpaths6 --query"; do
        if command -v "${query%% *}" >/dev/null 2>&1; then
            qtHeaders="$($query QT_INSTALL_HEADERS 2>/dev/null || true)"
            [ -n "$qtHeaders" ] && break
        fi
    done
fi
coreHeaders=""
if [ -n "$qtHeaders" ] && [ -d "$qtHeaders/QtCore" ]; then
    coreHeaders="$(ls "$qtHeaders/QtCore")"
fi

sources=(-name '*.h' -o -name '*.hpp' -o -name '*.c' -o -name '*.cc' -o -name '*.cpp')
folders=()
unlisted=""
for dir in "$root"/*/; do
    name="$(basename "$dir")"
    [ -f "$dir/CMakeCache.txt" ] && continue # a build folder
    if printf '%s\n' "$rules" | cut -f1 | grep -qxF "$name"; then
        folders+=("$name")
    elif [ -n "$(find "$dir" -type f \( "${sources[@]}" \) -print -quit)" ]; then
        unlisted+="$name/: a source folder without a row in the layer table"$'\n'
    fi
done

if [ ${#folders[@]} -eq 0 ]; then
    echo "check-layers: no folder of the layer table in $root" >&2
    exit 2
fi
cd "$root"
includes="$(find "${folders[@]}" -type f \( "${sources[@]}" \) -print0 \
    | xargs -0 -r grep -nHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' || true)"

breaches="$(printf '%s\n' "$includes" | awk -v rules="$rules" -v core="$coreHeaders" '
    BEGIN {
        count = split(rules, line, "\n")
        for (i = 1; i <= count; ++i) {
            split(line[i], field, "\t")
            known[field[1]] = 1
            qt[field[1]] = field[3]
            if (field[2] ~ /\*/)
                everything[field[1]] = 1
            uses = split(field[2], use, " ")
            for (j = 1; j <= uses; ++j)
                may[field[1], use[j]] = 1
        }
        coreCount = split(core, header, "\n")
        for (i = 1; i <= coreCount; ++i)
            isCore[header[i]] = 1
    }
    $0 == "" { next }
    {
        first = index($0, ":")
        file = substr($0, 1, first - 1)
        rest = substr($0, first + 1)
        second = index(rest, ":")
        where = file ":" substr(rest, 1, second - 1)
        if (!match(substr(rest, second + 1), /[<"][^<>"]*[>"]/))
            next
        include = substr(substr(rest, second + 1), RSTART, RLENGTH)
        name = substr(include, 2, length(include) - 2)
        folder = file
        sub(/\/.*/, "", folder)
        target = name
        if (sub(/\/.*/, "", target) && (target in known) && target != folder \
            && !(folder in everything) && !((folder, target) in may))
            print where ": #include " include ": " folder "/ may not use " target "/"
        if (substr(include, 1, 1) != "<" || name !~ /^Q[A-Za-z0-9_]*(\/|$)/)
            next
        module = name
        if (!sub(/\/.*/, "", module))
            module = (name in isCore) ? "QtCore" : "another Qt module"
        if (qt[folder] == "none")
            print where ": #include " include ": " folder "/ may use no Qt"
        else if (qt[folder] == "core" && module != "QtCore")
            print where ": #include " include ": " folder "/ may use QtCore only"
    }')"

breaches="${unlisted}${breaches}"
if [ -n "${breaches//$'\n'/}" ]; then
    printf '%s\n' "${breaches%$'\n'}"
    echo "check-layers: the includes above break the layer table of docs/ARCHITECTURE.md" >&2
    exit 1
fi
