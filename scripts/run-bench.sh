#!/usr/bin/env bash
# Runs the benchmarks of a bench build (what `make bench` does after building):
#   bash scripts/run-bench.sh build/bench [google-benchmark options...]
# 1. Every Google Benchmark program: the executables named ...Bench under the
#    build's bench/ folder. EngineFrameBench also writes the engine's CPU work
#    per frame for step 2.
# 2. The frame-rate comparison of the demo against the raw OpenGL baseline
#    (alternating runs, time to first frame, targets, per-frame chart) and the
#    growth check, on the current display or, without one, a private virtual
#    display.
# Settings from the environment: BENCH_SECONDS (per run, default 5),
# BENCH_PAIRS (default 6), BENCH_WARMUP (seconds, default 2),
# BENCH_GROWTH_FRAMES (default 20000; 0 skips the growth check),
# BENCH_COMPARE (default 1; 0 skips step 2).
# Results: BUILD/bench-report/ (comparison.txt, frame-times.svg, engine-cpu.txt
# and each run's probe report and output).
set -euo pipefail

if [[ $# -lt 1 ]]; then
    echo "usage: $0 BENCH_BUILD_DIR [benchmark options...]" >&2
    exit 2
fi
build_dir=$(realpath "$1")
shift
root=$(cd "$(dirname "$0")/.." && pwd)

if [[ ! -d "$build_dir/bench" ]]; then
    echo "No bench/ folder in '$build_dir'; build it with 'make build-bench' first." >&2
    exit 1
fi

mapfile -t programs < <(find "$build_dir/bench" -type f -name '*Bench' -perm -u+x | sort)
if [[ ${#programs[@]} -eq 0 ]]; then
    echo "No benchmark programs found under '$build_dir/bench'." >&2
    exit 1
fi

report_dir="$build_dir/bench-report"
mkdir -p "$report_dir"
export VEXEL_ENGINE_CPU_OUT="$report_dir/engine-cpu.txt"
rm -f "$VEXEL_ENGINE_CPU_OUT"

status=0
for program in "${programs[@]}"; do
    echo "== $(basename "$program")"
    "$program" "$@" || status=$?
done

if [[ "${BENCH_COMPARE:-1}" != 0 ]]; then
    echo "== demo against the raw OpenGL baseline"
    # Both programs read shaders/ from their working directory, and the demo
    # writes its log there; a scratch copy keeps the checkout clean.
    work_dir="$build_dir/bench-run"
    rm -rf "$work_dir"
    mkdir -p "$work_dir"
    cp -r "$root/shaders" "$work_dir/"
    bash "$root/scripts/with-display.sh" "$build_dir/bench/vexel-frame-compare" \
        --demo "$build_dir/src/app/vexel" \
        --baseline "$build_dir/bench/vexel-baseline" \
        --probe "$build_dir/bench/libvexel-frame-probe.so" \
        --call-probe "$build_dir/bench/libvexel-call-probe.so" \
        --workdir "$work_dir" \
        --out "$report_dir" \
        --engine-cpu "$VEXEL_ENGINE_CPU_OUT" \
        --seconds "${BENCH_SECONDS:-5}" \
        --pairs "${BENCH_PAIRS:-6}" \
        --warmup "${BENCH_WARMUP:-2}" \
        --growth-frames "${BENCH_GROWTH_FRAMES:-20000}" || status=$?
fi
exit "$status"
