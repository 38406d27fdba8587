#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and only those
# that are missing. With --check it installs nothing and exits 1 when
# something is missing, so the Makefile can skip apt entirely on a ready machine.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libglfw3-dev libglew-dev libfmt-dev libglm-dev libpng-dev
    libgtest-dev libbenchmark-dev
    libx11-dev libxtst-dev libxrandr-dev
    xvfb xauth libgl1-mesa-dri
    xdotool x11-utils imagemagick
    glslang-tools
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$package")
    fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi
if [[ "${1:-}" == "--check" ]]; then
    echo "Missing packages: ${missing[*]}"
    exit 1
fi

if [[ $(id -u) -eq 0 ]]; then
    sudo=()
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    sudo=(sudo)
else
    echo "Please install the missing packages first:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
