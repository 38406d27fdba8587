#!/usr/bin/env bash
# The GPU bundle as a GPU server would get it: packs BUILD_DIR with
# gpu-bundle.sh, ships it as an archive into a fresh folder, and runs it there
# with no display, an emptied environment and only the bundle's libraries on
# the library path, for FRAMES frames of timing (default 30). Checks that every
# library the bundle is meant to carry loads from the bundle, that the folder
# stays within its size, and that the report is complete: device, GL vendor,
# renderer and version, the driver messages, the frame times, and a share and
# a side-by-side picture for every golden frame (all identical on llvmpipe).
#
#   scripts/check-gpu-bundle.sh BUILD_DIR [FRAMES]
set -euo pipefail

build=$(cd "$1" && pwd)
frames=${2:-30}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work="$build/gpu-bundle-check"
rm -rf "$work"
mkdir -p "$work/fresh"

bash "$repo/scripts/gpu-bundle.sh" "$build" "$work/bundle"
tar -C "$work" -czf "$work/bundle.tar.gz" bundle
tar -C "$work/fresh" -xzf "$work/bundle.tar.gz"
rm -rf "$work/bundle"
bundle="$work/fresh/bundle"

fail() {
    echo "check-gpu-bundle: $*" >&2
    exit 1
}

# Nothing from this shell reaches the run but a path and the cache's home; a
# sanitized build keeps its leak check off, as for every run of the program.
env -i PATH=/usr/bin:/bin HOME="${HOME:-/root}" VEXEL_BUNDLE_FRAMES="$frames" \
    ASAN_OPTIONS=detect_leaks=0 bash "$bundle/run.sh" "$work/report" ||
    fail "run.sh failed; see $work/report"

report="$work/report/report.md"
[[ -f "$report" ]] || fail "no report"
for library in libglfw.so.3 libGLEW.so libfmt.so libpng16.so.16 libGL.so.1 libEGL.so.1 \
    libGLdispatch.so.0 libstdc++.so.6; do
    grep -q "^    $library" "$report" || fail "$library was not loaded from the bundle"
done
for line in '^- EGL device: .+' '^- GL vendor: .+' '^- GL renderer: llvmpipe' \
    '^- GL version: 4\.[5-9]' '^## Driver messages of a --gl-debug run of the flight: [0-9]+$' \
    "^    $frames frames; frame time without the first: mean [0-9.]+ ms, .*GPU time per frame"; do
    grep -Eq -- "$line" "$report" || fail "no line matching '$line' in the report"
done
while read -r frame name input; do
    [[ -z "$frame" || "$frame" == \#* || -n "$input" ]] && continue
    grep -Eq "^\| $frame \| $name \| 0\.000% of pixels \| 0\.000% of pixels \| side-by-side/$name\.png \|$" \
        "$report" || fail "frame $frame ($name) is not reported identical to its reference"
    [[ -s "$work/report/side-by-side/$name.png" ]] || fail "no side-by-side picture of $name"
done <"$repo/tests/golden/golden.list"
[[ $(wc -l <"$work/report/stats.csv") -eq $((frames + 1)) ]] || fail "stats.csv lacks rows"
echo "check-gpu-bundle: complete report in $report"
