#!/usr/bin/env bash
# Proves the Windows program under Wine on a private virtual display, after
# scripts/windows-build.sh --tests:
#   1. the unit tests whose code differs by system, as Windows programs under
#      ctest (Wine is the build's CMAKE_CROSSCOMPILING_EMULATOR);
#   2. the golden flight drawn by vexel.exe, its frames compared with
#      tests/golden/ as the Linux check compares them;
#   3. the zip's runner, unpacked into a fresh folder and run by Wine's
#      cmd.exe: it must finish and write a complete report.
#
#   scripts/windows-test.sh [BUILD_DIR]      (default build)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$repo/build}")
export WINE_ROOT=$build/wine
wine=$repo/scripts/windows/wine.sh
start=$SECONDS

# Wine opens its windows on this display; its opengl32 reaches Mesa's
# llvmpipe through GLX, as the Linux references were drawn.
if [[ -z ${VEXEL_WINDOWS_DISPLAY:-} ]]; then
    export VEXEL_WINDOWS_DISPLAY=1
    exec bash "$repo/scripts/with-display.sh" bash "$0" "$@"
fi

# Wine's services (wineserver, winedevice.exe) would outlive the display
# they were started on: end them with the check.
trap 'WINEPREFIX=$WINE_ROOT/prefix /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT

# The prefix once, outside every time limit below.
"$wine" cmd /c exit 0

echo "== unit tests under Wine"
ctest --test-dir "$build/windows" --output-on-failure -j 2

echo "== golden flight under Wine"
bash "$repo/scripts/golden.sh" --wine "$wine" --out "$build/windows/golden" "$build/windows"

echo "== the zip's runner under Wine"
field=$build/windows/zip-check
rm -rf "$field"
mkdir -p "$field"
(cd "$field" && unzip -q "$build/vexel-windows.zip")
# A short timing run: the check is that the report is complete.
(cd "$field/vexel-windows" && VEXEL_BUNDLE_FRAMES=60 timeout 600 "$wine" cmd /c run-gpu.cmd) \
    >"$field/runner.out" 2>&1 || {
    cat "$field/runner.out" >&2
    echo "windows-test: the runner failed" >&2
    exit 1
}
report=$field/vexel-windows/report/report.md
bash "$repo/scripts/windows/check-report.sh" --identical "$report" "$field/vexel-windows/golden/golden.list"
echo "windows-test: passed in $((SECONDS - start)) s"
