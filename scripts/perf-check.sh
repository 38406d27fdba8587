#!/usr/bin/env bash
# The cost check of `make perf-check` (and, with --update, `make perf-update`):
# measures the demo and the raw OpenGL baseline of a bench build in figures
# that other work on the machine cannot move, and compares them with the
# references committed in bench/perf/:
#   bash scripts/perf-check.sh [--update] BENCH_BUILD_DIR
#
# 1. EngineFrameBench, briefly: the engine's CPU work per frame, reported
#    beside the figures (a time, so it is not checked).
# 2. The demo under valgrind, uninstrumented, for two frames: this fills a
#    private Mesa shader cache that every check starts empty. Mesa keys its
#    cache by the processor's features, which differ under valgrind, so only a
#    run under valgrind can warm the cache the counted runs use. Start-up is
#    thus always counted with a complete cache, whatever the user's own cache
#    holds: compiling from scratch would be slower and far noisier (see
#    docs/performance.md). The baseline builds the same shaders (a
#    compile-time check keeps its copy of the built-in ones equal), so the
#    demo's run fills the cache for both; were they to differ, the baseline's
#    start-up count would grow by most of a compile and fail the check.
# 3. Each program with the call probe, natively: every GL call by function
#    and the file-status queries, per steady frame (frames 10 to 30).
# 4. Each program under callgrind: the frame loop thread's instructions from
#    process start to the first presented frame and in each of frames 3 to 9.
#    Only those few frames are measured; instrumentation stops after them. A
#    steady frame is counted without the allocator's heap bookkeeping, whose cost
#    depends on how start-up's threads left the heap (bench/perf/CallgrindDump.hpp).
#
# Every run uses --fixed-dt, so both programs draw the same frames each time.
# Results land in BUILD/perf-report/ (measured.txt is machine-readable, in the
# references' format). Exit code: 0 within bounds, 1 a figure out of bounds,
# 2 a run that failed.
set -euo pipefail

update=()
if [[ "${1:-}" == --update ]]; then
    update=(--update)
    shift
fi
if [[ $# -ne 1 ]]; then
    echo "usage: $0 [--update] BENCH_BUILD_DIR" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath "$1")

# One virtual display for every run.
if [[ -z "${DISPLAY:-}" ]]; then
    exec bash "$root/scripts/with-display.sh" bash "$0" "${update[@]}" "$build_dir"
fi
command -v valgrind >/dev/null || { echo "valgrind is not installed (scripts/install-deps.sh)." >&2; exit 2; }
for file in src/app/vexel bench/vexel-baseline bench/libvexel-call-probe.so \
    bench/libvexel-frame-probe.so bench/vexel-perf-check bench/EngineFrameBench; do
    [[ -e "$build_dir/$file" ]] || { echo "$build_dir/$file is missing; run 'make build-bench'." >&2; exit 2; }
done

fixed_dt=0.0166666
call_first=10
call_last=30
instruction_first=3
instruction_last=9

# What the instruction counts depend on besides our code: the versions of
# what runs the counted code, and the processor the programs see. Under
# valgrind that is not the host's: on every host with AVX2 valgrind presents
# one and the same Intel processor, for which the C library picks its string
# functions and llvmpipe generates its shader code.
machine() {
    local libraries processor="a host without AVX2"
    libraries=$(dpkg-query -W -f='${Package} ${Version}, ' libc6 libgl1-mesa-dri libllvm15 \
        2>/dev/null | sed 's/, $//')
    grep -qw avx2 /proc/cpuinfo && processor="an AVX2 host"
    echo "$(valgrind --version) on $processor; ${libraries:-unknown libraries}"
}

started=$(date +%s)
report_dir="$build_dir/perf-report"
work_dir="$build_dir/perf-run"
rm -rf "$report_dir" "$work_dir"
mkdir -p "$report_dir/callgrind" "$work_dir"
cp -r "$root/shaders" "$work_dir/"
export MESA_SHADER_CACHE_DIR="$work_dir/shader-cache"
export MESA_GLSL_CACHE_DIR="$MESA_SHADER_CACHE_DIR"
unset MESA_SHADER_CACHE_DISABLE MESA_GLSL_CACHE_DISABLE

declare -A binary=([demo]="$build_dir/src/app/vexel" [baseline]="$build_dir/bench/vexel-baseline")

failed() {
    echo "$1 failed; its output is in $2:" >&2
    tail -n 20 "$2" >&2
    exit 2
}

echo "== engine CPU work per frame (EngineFrameBench)"
VEXEL_ENGINE_CPU_OUT="$report_dir/engine-cpu.txt" timeout 300 \
    "$build_dir/bench/EngineFrameBench" --benchmark_min_time=0.05 >"$report_dir/engine-bench.out" 2>&1 ||
    failed EngineFrameBench "$report_dir/engine-bench.out"

echo "== filling the shader cache (the demo under valgrind)"
(cd "$work_dir" && timeout 900 valgrind --tool=callgrind --instr-atstart=no \
    --callgrind-out-file=/dev/null --smc-check=all-non-file \
    "${binary[demo]}" --frames 2 --fixed-dt $fixed_dt) \
    >"$report_dir/warm-up.out" 2>&1 || failed "warm-up" "$report_dir/warm-up.out"

for program in demo baseline; do
    echo "== $program: calls per frame"
    # The probe goes into the program alone, not into timeout or valgrind.
    (cd "$work_dir" && timeout 300 env LD_PRELOAD="$build_dir/bench/libvexel-call-probe.so" \
        VEXEL_PROBE_REPORT="$report_dir/$program.calls" \
        VEXEL_PROBE_SNAPSHOTS="$call_first,$call_last" \
        "${binary[$program]}" --frames $((call_last + 1)) --fixed-dt $fixed_dt) \
        >"$report_dir/$program.calls.out" 2>&1 || failed "$program (calls)" "$report_dir/$program.calls.out"
done

for program in demo baseline; do
    echo "== $program: instructions (callgrind)"
    (cd "$work_dir" && timeout 900 env LD_PRELOAD="$build_dir/bench/libvexel-frame-probe.so" \
        VEXEL_PROBE_INSTRUCTION_FRAMES="$instruction_first-$instruction_last" \
        valgrind --tool=callgrind --smc-check=all-non-file --separate-threads=yes \
        --callgrind-out-file="$report_dir/callgrind/$program.%p" \
        "${binary[$program]}" --frames $((instruction_last + 1)) --fixed-dt $fixed_dt) \
        >"$report_dir/$program.callgrind.out" 2>&1 || failed "$program (callgrind)" "$report_dir/$program.callgrind.out"
done

status=0
"$build_dir/bench/vexel-perf-check" "${update[@]}" \
    --calls demo="$report_dir/demo.calls" --calls baseline="$report_dir/baseline.calls" \
    --callgrind demo="$report_dir/callgrind/demo" --callgrind baseline="$report_dir/callgrind/baseline" \
    --references "$root/bench/perf/references.txt" --bounds "$root/bench/perf/bounds.txt" \
    --engine-cpu "$report_dir/engine-cpu.txt" --machine "$(machine)" \
    --out "$report_dir/measured.txt" || status=$?
echo "The check took $(($(date +%s) - started)) s."
exit "$status"
