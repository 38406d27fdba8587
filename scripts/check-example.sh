#!/usr/bin/env bash
# The installed engine as another project sees it: installs BUILD_DIR into a
# staging prefix under it, configures and builds examples/custom-mesh against
# that prefix with find_package(Vexel), runs it on the current display with a
# fixed clock and captures frame 10, and checks that frame against the
# example's reference picture, and the frame of a headless run without
# DISPLAY too; then edits the example's fragment shader and
# checks that the same frame no longer matches.
#
#   scripts/check-example.sh BUILD_DIR [SANITIZE]
#
# With SANITIZE=1 the example is compiled and linked with the sanitizers the
# engine's libraries in BUILD_DIR were built with (a sanitized static library
# needs the sanitizer runtime in the program that links it).
set -euo pipefail

build=$(cd "$1" && pwd)
sanitize=${2:-0}
source=$(cd "$(dirname "$0")/.." && pwd)
example="$source/examples/custom-mesh"
work="$build/custom-mesh-check"
compare="$build/src/image/vexel-image-compare"

rm -rf "$work"
mkdir -p "$work"
cmake --install "$build" --prefix "$work/stage" >"$work/install.log"
# Every installed header stands on installed headers alone: one that includes
# a header left out of the package (the demo's) could not be used.
include="$work/stage/include/vexel"
missing=$(cd "$include" && grep -rhoE '^#include "[^"]+"' . | sed -E 's/#include "(.*)"/\1/' | sort -u |
    while read -r header; do [ -f "$header" ] || echo "$header"; done)
if [ -n "$missing" ]; then
    echo "check-example: installed headers include headers that are not installed: $missing" >&2
    exit 1
fi

flags=()
if [ "$sanitize" = 1 ]; then
    flags=(-DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer"
           -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined")
    # Mesa is unloaded when GLFW terminates, so the leak checker could only
    # report its remains; the exit code must speak for the program. The
    # example is not one of this build's executables, so it lacks their
    # built-in runtime options (cmake/asan_default_options.cpp): give it them.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0:intercept_tls_get_addr=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
cmake -S "$example" -B "$work/build" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_PREFIX_PATH="$work/stage" "${flags[@]}" >"$work/configure.log"
cmake --build "$work/build" -j 2 >"$work/build.log"

# Runs the example in a fresh directory with the given shader folder and
# captures frame 10 into it.
run() {
    local dir="$1"
    mkdir -p "$dir"
    cp -r "$2" "$dir/shaders"
    (cd "$dir" && "$work/build/custom-mesh" --frames 10 --fixed-dt 0.05 \
        --capture capture --capture-frames 10 "${@:3}")
    test -f "$dir/capture/frame-10.png"
    if grep -q '(l:err)' "$dir/vexel.log"; then
        echo "error lines in $dir/vexel.log:" >&2
        grep '(l:err)' "$dir/vexel.log" >&2
        return 1
    fi
}

run "$work/original" "$example/shaders"
"$compare" --tolerance 8 --share 0.001 "$example/expected-frame-10.png" \
    "$work/original/capture/frame-10.png" "$work/original/difference.png"

# The shell hands the run's instruments to the example's scene as to the
# demo's: with --gpu-timing its mesh register's groups are timed, each by a
# time query of its own, on top of the frame's others. How long the quad's
# group takes says nothing: on llvmpipe it is well under a microsecond, which
# the log's three decimals round to the 0.000 ms of an untimed group as often
# as not. The trace's queries do say it: an observed group brings the queries
# before, around and after it to three or more per frame, where a frame with
# no group observed has one.
mkdir -p "$work/timed"
cp -r "$example/shaders" "$work/timed/shaders"
frames=10
(cd "$work/timed" && ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
    apitrace trace --api gl -o timed.trace "$work/build/custom-mesh" --frames "$frames" \
    --fixed-dt 0.05 --gpu-timing >"$work/timed/trace.log" 2>&1)
grep -q 'render group 0: mean [0-9.]* ms' "$work/timed/vexel.log"
queries=$(apitrace dump "$work/timed/timed.trace" | grep -c 'glBeginQuery(target = GL_TIME_ELAPSED' || true)
if [ "$queries" -le $((2 * frames)) ]; then
    echo "the example's render group was not timed: $queries time queries in $frames frames" >&2
    exit 1
fi

# The same program headless, with no X server to lean on: the same frame.
(unset DISPLAY WAYLAND_DISPLAY; run "$work/headless" "$example/shaders" --headless --egl-device software)
"$compare" --tolerance 8 --share 0.001 "$example/expected-frame-10.png" \
    "$work/headless/capture/frame-10.png" "$work/headless/difference.png"

# An edit of the fragment shader is the example's own: the quad turns red.
cp -r "$example/shaders" "$work/edited-shaders"
sed -i 's/color = vec4(corner.x, corner.y, 0.8, 1.0);/color = vec4(1.0, 0.0, 0.0, 1.0);/' \
    "$work/edited-shaders/spinning-quad.frag"
if cmp -s "$example/shaders/spinning-quad.frag" "$work/edited-shaders/spinning-quad.frag"; then
    echo "the edit did not apply to spinning-quad.frag" >&2
    exit 1
fi
run "$work/edited" "$work/edited-shaders"
if "$compare" --tolerance 8 --share 0.001 "$example/expected-frame-10.png" \
    "$work/edited/capture/frame-10.png" "$work/edited/difference.png" >/dev/null; then
    echo "the edited shader did not change the picture" >&2
    exit 1
fi
echo "custom-mesh: built against $work/stage, frame 10 matches windowed and headless, the edit changes it"
