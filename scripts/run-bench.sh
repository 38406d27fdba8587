#!/usr/bin/env bash
# Runs every benchmark program of a bench build:
#   bash scripts/run-bench.sh build/bench [google-benchmark options...]
# Programs are the executables named ...Bench under the build's bench/ folder.
set -euo pipefail

if [[ $# -lt 1 ]]; then
    echo "usage: $0 BENCH_BUILD_DIR [benchmark options...]" >&2
    exit 2
fi
build_dir=$1
shift

if [[ ! -d "$build_dir/bench" ]]; then
    echo "No bench/ folder in '$build_dir'; build it with 'make build-bench' first." >&2
    exit 1
fi

mapfile -t programs < <(find "$build_dir/bench" -type f -name '*Bench' -perm -u+x | sort)
if [[ ${#programs[@]} -eq 0 ]]; then
    echo "No benchmark programs found under '$build_dir/bench'." >&2
    exit 1
fi

status=0
for program in "${programs[@]}"; do
    echo "== $(basename "$program")"
    "$program" "$@" || status=$?
done
exit "$status"
