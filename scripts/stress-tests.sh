#!/usr/bin/env bash
# Runs the whole test suite N times (default 10) to hunt flaky tests: every
# other run starts with an empty shader cache, as on a freshly cloned machine,
# and all runs use as many parallel jobs as the machine has cores. Prints each
# failing test with its run number and keeps every run's full output under
# build/stress/. Exits 1 when any run failed.
#
#   scripts/stress-tests.sh 20
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10}
if ! [[ "$runs" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [number of runs]" >&2
    exit 2
fi

if [[ -z "${DISPLAY:-}" ]]; then
    make build-test >/dev/null
    exec bash scripts/with-display.sh "$0" "$@"
fi

test_dir=build/test
log_dir=build/stress
mkdir -p "$log_dir"
jobs=$(nproc)
failed_runs=0

for run in $(seq 1 "$runs"); do
    cache=$(mktemp -d)
    if ((run % 2 == 1)); then
        state=cold
        cache_home=$cache
    else
        state=warm
        cache_home=${XDG_CACHE_HOME:-$HOME/.cache}
    fi
    log=$log_dir/run-$run.log
    start=$(date +%s)
    if XDG_CACHE_HOME=$cache_home ctest --test-dir "$test_dir" --output-on-failure \
        -j "$jobs" >"$log" 2>&1; then
        echo "run $run/$runs ($state cache): passed in $(($(date +%s) - start)) s"
    else
        failed_runs=$((failed_runs + 1))
        echo "run $run/$runs ($state cache): FAILED in $(($(date +%s) - start)) s, output in $log"
        # ctest lists the failed tests after "The following tests FAILED:".
        sed -n '/The following tests FAILED:/,$p' "$log" | grep -E '^\s+[0-9]+ - ' |
            sed "s/^\s*/    run $run: /"
    fi
    rm -rf "$cache"
done

echo "stress: $((runs - failed_runs)) passed, $failed_runs failed"
((failed_runs == 0))
