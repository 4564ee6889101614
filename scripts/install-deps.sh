#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and benchmarking need.
# Idempotent: when every package is present it asks apt nothing and returns at once.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang
    qt6-base-dev libgl-dev
    libjpeg62-turbo-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libfreeimage-dev libsdl2-image-dev libstb-dev libgif-dev
    xvfb xauth imagemagick
    librsvg2-bin desktop-file-utils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
