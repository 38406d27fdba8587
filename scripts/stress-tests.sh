#!/usr/bin/env bash
# Runs the test suite, or the tests matching one pattern, many times to hunt
# flaky tests. Cold runs first remove the Mesa shader cache that the tests
# really use (under MESA_SHADER_CACHE_DIR, XDG_CACHE_HOME or ~/.cache, the
# same rule as Mesa's), as on a freshly cloned machine: by default every other
# run is cold, with --cold every run. All runs use as many parallel jobs as the
# machine has cores. Prints each failing test with its run number and keeps
# every run's full output under build/stress/. Exits 1 when any run failed.
#
#   scripts/stress-tests.sh 20                                  # the suite, 20 times
#   scripts/stress-tests.sh --cold --test '^TestTriangleGLTest$' 12
#
# The environment is passed on to the tests, so ASAN_OPTIONS, GTEST_FILTER or
# MESA_SHADER_CACHE_DISABLE can be varied from outside.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
    echo "usage: $0 [--cold] [--test REGEX] [number of runs]" >&2
    exit 2
}

arguments=("$@")
runs=10
pattern=
always_cold=false
while (($#)); do
    case $1 in
    --cold) always_cold=true ;;
    --test)
        (($# >= 2)) || usage
        pattern=$2
        shift
        ;;
    -*) usage ;;
    *)
        [[ "$1" =~ ^[1-9][0-9]*$ ]] || usage
        runs=$1
        ;;
    esac
    shift
done

if [[ -z "${OX_STRESS_ON_DISPLAY:-}" ]]; then
    make build-test >/dev/null
    exec env OX_STRESS_ON_DISPLAY=1 bash scripts/with-display.sh "$0" ${arguments[@]+"${arguments[@]}"}
fi

cache_dir=${MESA_SHADER_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}}/mesa_shader_cache
test_dir=build/test
log_dir=build/stress
mkdir -p "$log_dir"
jobs=$(nproc)
failed_runs=0
selection=()
[[ -n "$pattern" ]] && selection=(-R "$pattern")

for run in $(seq 1 "$runs"); do
    if $always_cold || ((run % 2 == 1)); then
        state=cold
        rm -rf "$cache_dir"
    else
        state=warm
    fi
    log=$log_dir/run-$run.log
    start=$(date +%s)
    if ctest --test-dir "$test_dir" --output-on-failure -j "$jobs" ${selection[@]+"${selection[@]}"} \
        >"$log" 2>&1; then
        echo "run $run/$runs ($state cache): passed in $(($(date +%s) - start)) s"
    else
        failed_runs=$((failed_runs + 1))
        echo "run $run/$runs ($state cache): FAILED in $(($(date +%s) - start)) s, output in $log"
        # ctest lists the failed tests after "The following tests FAILED:".
        sed -n '/The following tests FAILED:/,$p' "$log" | grep -E '^\s+[0-9]+ - ' |
            sed "s/^\s*/    run $run: /"
    fi
done

echo "stress: $((runs - failed_runs)) passed, $failed_runs failed"
((failed_runs == 0))
