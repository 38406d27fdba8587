#!/usr/bin/env bash
# Packs Vexel for a GPU server that has a GPU driver and nothing else: no X
# server, no packages to install. One folder holds the program, the image
# comparer, the shared libraries such a machine lacks (GLFW, GLEW, {fmt},
# libpng, the GL dispatch libraries, the C++ runtime and what they pull in),
# the shaders, the golden flight with its llvmpipe references, and run.sh,
# which runs the flight headless on the first hardware EGL device and writes
# one report (see scripts/gpu-bundle/run.sh).
#
#   scripts/gpu-bundle.sh [BUILD_DIR] [OUT_DIR]
#
# BUILD_DIR defaults to build/release (make run builds it), OUT_DIR to
# BUILD_DIR/gpu-bundle. Left out on purpose: the C library and the dynamic
# loader (the server's own must be used), and the GL vendor drivers (the
# server's driver brings its own, found through the dispatch libraries).
# Fails when the folder would be larger than 60 MiB.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$repo/build/release}" && pwd)
out=${2:-$build/gpu-bundle}
limit_mib=60

for program in "$build/src/app/vexel" "$build/src/image/vexel-image-compare"; do
    if [[ ! -x "$program" ]]; then
        echo "gpu-bundle: $program is missing (build the release configuration first: make build-release)" >&2
        exit 1
    fi
done

rm -rf "$out"
mkdir -p "$out/bin" "$out/lib" "$out/golden"
cp "$build/src/app/vexel" "$build/src/image/vexel-image-compare" "$out/bin/"
# Debug information is for the machine that built it; a debug build's would
# not fit.
strip --strip-debug "$out/bin/vexel" "$out/bin/vexel-image-compare"
cp -r "$repo/shaders" "$out/shaders"
cp "$repo/scripts/gpu-bundle/run.sh" "$out/run.sh"
chmod +x "$out/run.sh"

# The flight and the references of its frames.
cp "$repo/tests/golden/flight.input" "$out/golden/"
while read -r frame name input; do
    [[ -z "$frame" || "$frame" == \#* || -n "$input" ]] && continue
    echo "$frame $name" >>"$out/golden/golden.list"
    cp "$repo/tests/golden/$name.png" "$out/golden/"
done <"$repo/tests/golden/golden.list"

# Copies a library into the bundle unless it is part of the C library or a GL
# driver, or is there already.
bundle_library() {
    local name
    name=$(basename "$1")
    [[ -e "$out/lib/$name" ]] && return
    case "$name" in
        libc.so.* | libm.so.* | libdl.so.* | libpthread.so.* | librt.so.* | libresolv.so.* | ld-linux*) ;;
        libGLX_*.so.* | libEGL_*.so.* | *_dri.so | libglapi.so.* | libgbm.so.* | libLLVM*) ;;
        *) cp -L "$1" "$out/lib/" ;;
    esac
}
loaded() {
    ldd "$@" | awk '$2 == "=>" && $3 ~ /^\// {print $3}' | sort -u
}

# Everything the programs load by name; libEGL, which the headless back end
# loads whether or not the program links it; then what those load in turn.
for library in $(loaded "$out/bin/vexel" "$out/bin/vexel-image-compare") \
    $(ldconfig -p | awk '$1 == "libEGL.so.1" && /x86-64/ {print $NF; exit}'); do
    bundle_library "$library"
done
for library in $(loaded "$out"/lib/*); do
    bundle_library "$library"
done

size_kib=$(du -sk "$out" | cut -f1)
if ((size_kib > limit_mib * 1024)); then
    echo "gpu-bundle: $out is $((size_kib / 1024)) MiB, more than $limit_mib MiB" >&2
    exit 1
fi
echo "gpu-bundle: $out ($((size_kib / 1024)) MiB, $(ls "$out/lib" | wc -l) libraries); run $out/run.sh on the GPU machine"
