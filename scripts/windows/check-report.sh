#!/usr/bin/env bash
# Checks a report written by run-gpu.cmd: every section is there, the GL
# strings and the timing line are filled in, and every golden frame of the
# list has its row with two shares and a side-by-side picture that exists.
# With --identical the frames must match the references pixel for pixel (0 %
# of pixels differ), as they do on llvmpipe.
#
#   scripts/windows/check-report.sh [--identical] REPORT.md GOLDEN_LIST
set -euo pipefail

identical=0
if [[ ${1:-} == --identical ]]; then
    identical=1
    shift
fi
file=${1:?usage: $0 [--identical] REPORT.md GOLDEN_LIST}
list=${2:?usage: $0 [--identical] REPORT.md GOLDEN_LIST}
failed=0
fail() {
    echo "check-report: $*" >&2
    failed=1
}

[[ -f $file ]] || { echo "check-report: no report $file" >&2; exit 1; }
report=$(tr -d '\r' <"$file")
for line in '^# Vexel on .+' '^- GL vendor: .+' '^- GL renderer: .+' '^- GL version: [0-9]' \
    '^## Driver messages of a --gl-debug run of the flight: [0-9]+$' \
    '^## Frame and GPU times: [0-9]+ frames' '^    [0-9]+ frames; frame time' \
    '^## Golden frames against the llvmpipe references$'; do
    grep -Eq -- "$line" <<<"$report" || fail "no line matching '$line'"
done
while read -r frame name; do
    [[ -z $frame || $frame == \#* ]] && continue
    row=$(grep -E "^\| $frame \| $name \|" <<<"$report" || true)
    pattern='^\| [0-9]+ \| [a-z0-9-]+ \| [0-9.]+% of pixels \| [0-9.]+% of pixels \| side-by-side/[a-z0-9-]+\.png \|$'
    if [[ ! $row =~ $pattern ]]; then
        fail "frame $frame ($name): row '${row:-missing}'"
        continue
    fi
    side=$(dirname "$file")/side-by-side/$name.png
    [[ -f $side ]] || fail "frame $frame ($name): no $side"
    if ((identical)) && [[ ! $row =~ \|\ 0\.000%\ of\ pixels\ \|\ 0\.000%\ of\ pixels\ \| ]]; then
        fail "frame $frame ($name) differs from its reference: $row"
    fi
done < <(tr -d '\r' <"$list")
((failed == 0)) && echo "check-report: $file complete"
exit $failed
