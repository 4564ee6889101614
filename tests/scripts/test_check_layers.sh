#!/usr/bin/env bash
# scripts/check-layers.sh passes on the tree given, and on a copy of it with one planted
# include at a time fails naming that include, or passes where the table allows it.
# usage: test_check_layers.sh SOURCE_ROOT
set -euo pipefail
root="$1"
check="$root/scripts/check-layers.sh"

"$check" "$root" || { echo "FAIL: the tree itself breaks the layer table"; exit 1; }

copy="$(mktemp -d)"
trap 'rm -rf "$copy"' EXIT
# The sources and the table, without test data and build folders.
tar -C "$root" --exclude='tests/data' -cf - docs/ARCHITECTURE.md platform settings image \
    preview ui resources view browser app tools tests bench fuzz 2>/dev/null \
    | tar -C "$copy" -xf -

failures=0
# file | planted include | the line the check must print, or "passes"
while IFS='|' read -r file include expected; do
    mkdir -p "$copy/$(dirname "$file")"
    printf '%s\n' "$include" >"$copy/$file"
    status=0
    output="$("$check" "$copy" 2>&1)" || status=$?
    rm "$copy/$file"
    rmdir --ignore-fail-on-non-empty "$copy/$(dirname "$file")"
    if [ "$expected" = passes ]; then
        [ "$status" -eq 0 ] && continue
    elif [ "$status" -eq 1 ] && grep -qxF "$expected" <<<"$output"; then
        continue
    fi
    echo "FAIL: $include in $file (status $status):"
    echo "$output"
    failures=$((failures + 1))
done <<'PLANTS'
image/Planted.h|#include <QWidget>|image/Planted.h:1: #include <QWidget>: image/ may use no Qt
settings/Planted.h|#include "ui/Window.h"|settings/Planted.h:1: #include "ui/Window.h": settings/ may not use ui/
platform/Planted.h|#include <QtGui/QImage>|platform/Planted.h:1: #include <QtGui/QImage>: platform/ may use QtCore only
platform/Planted.h|#include <QtCore/QString>|passes
view/Planted.h|#include "browser/ViewFileDlg.h"|view/Planted.h:1: #include "browser/ViewFileDlg.h": view/ may not use browser/
Planted/Planted.cpp|int planted;|Planted/: a source folder without a row in the layer table
PLANTS
exit "$failures"
