#!/usr/bin/env bash
# Installs the Debian packages that one kind of work needs, and only those that
# are missing:
#   run    build the release program and run it (also on a virtual display,
#          or headless on Mesa's software EGL device)
#   test   run + the test suite: GoogleTest, X11 input, the shader compiler,
#          RenderDoc to take and replay captures, apitrace
#   bench  run + the benchmarks and the instruction counts
#   soak   run + the soak driver and the memory check
#   windows run + the Windows cross-build and its checks under Wine: mingw-w64,
#          Debian's mingw zlib, dpkg-dev for unpacking source packages, Wine
#          and zip
#   all    everything above (the default)
# With --check it installs nothing and exits 1 when something is missing, so
# the Makefile can skip apt entirely on a ready machine.
#
#   scripts/install-deps.sh [--check] [run|test|bench|soak|windows|all]...
set -euo pipefail

run=(
    build-essential cmake pkg-config
    libglfw3-dev libglew-dev libfmt-dev libglm-dev libpng-dev libimgui-dev
    libegl-dev libegl-mesa0
    xvfb xauth libgl1-mesa-dri xdotool x11-utils imagemagick
)
test=(libgtest-dev libx11-dev libxtst-dev libxrandr-dev glslang-tools python3
    librenderdoc renderdoccmd python3-renderdoc x11-xserver-utils apitrace)
bench=(libbenchmark-dev valgrind)
soak=(python3 valgrind)
windows=(
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev dpkg-dev
    wine wine64 zip unzip
)

check=false
sets=()
for argument in "$@"; do
    case $argument in
    --check) check=true ;;
    run | test | bench | soak | windows | all) sets+=("$argument") ;;
    *)
        echo "usage: $0 [--check] [run|test|bench|soak|windows|all]..." >&2
        exit 2
        ;;
    esac
done
((${#sets[@]})) || sets=(all)

packages=("${run[@]}")
for set in "${sets[@]}"; do
    case $set in
    test) packages+=("${test[@]}") ;;
    bench) packages+=("${bench[@]}") ;;
    soak) packages+=("${soak[@]}") ;;
    windows) packages+=("${windows[@]}") ;;
    all) packages+=("${test[@]}" "${bench[@]}" "${soak[@]}" "${windows[@]}") ;;
    esac
done

missing=()
for package in $(printf '%s\n' "${packages[@]}" | sort -u); do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [[ "$status" != "install ok installed" ]]; then
        missing+=("$package")
    fi
done

if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi
if $check; then
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
