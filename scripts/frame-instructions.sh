#!/usr/bin/env bash
# Counts, with valgrind's callgrind, the instructions the frame loop's thread
# executes per frame in the demo and in the raw OpenGL baseline of a bench
# build. Unlike a frame rate, an instruction count does not move with other
# work on the machine, so this settles what a noisy frame-rate comparison
# cannot: how much more the demo's main thread does per frame. Slow (a couple
# of minutes per program); not part of `make bench`.
#   bash scripts/frame-instructions.sh [BENCH_BUILD_DIR (build/bench)] [FRAMES (40)]
# Needs valgrind (apt-get install valgrind).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath "${1:-$root/build/bench}")
frames=${2:-40}
command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install valgrind)." >&2; exit 1; }

work_dir="$build_dir/bench-run"
out_dir="$build_dir/bench-report/callgrind"
rm -rf "$out_dir"
mkdir -p "$work_dir" "$out_dir"
cp -r "$root/shaders" "$work_dir/"

# Instructions of one program's main thread per frame: the median over the
# last ten frames before the probe closes the window.
measure() {
    local name=$1 binary=$2
    (
        cd "$work_dir"
        VEXEL_PROBE_REPORT="$out_dir/$name.probe" VEXEL_PROBE_FRAMES="$frames" \
            bash "$root/scripts/with-display.sh" env \
            LD_PRELOAD="$build_dir/bench/libvexel-frame-probe.so" \
            valgrind --tool=callgrind --smc-check=all-non-file --separate-threads=yes \
            --dump-before=glfwSwapBuffers --callgrind-out-file="$out_dir/$name.%p" \
            "$binary" >"$out_dir/$name.log" 2>&1
    )
    # One dump per swap of the main thread (thread 1); the probe's own wrapper
    # adds an almost empty dump in between, which the size filter drops.
    find "$out_dir" -name "$name.*.[0-9]*-01" | sort -t. -k3 -n | while read -r dump; do
        awk '/^totals:/ { print $2 }' "$dump"
    done | awk '$1 > 1000000' | tail -n 11 | head -n 10 | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

demo=$(measure demo "$build_dir/src/app/vexel")
baseline=$(measure baseline "$build_dir/bench/vexel-baseline")
echo "Main-thread instructions per frame (median of 10 frames, callgrind):"
echo "  demo     $demo"
echo "  baseline $baseline"
awk -v d="$demo" -v b="$baseline" 'BEGIN {
    printf "  the demo'\''s extra: %d (%+.2f%%); baseline/demo %.4f\n", d - b, 100 * (d - b) / b, b / d }'
