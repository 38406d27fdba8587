#!/usr/bin/env bash
# Vexel on this machine's GPU, with no X server and nothing installed: runs
# the golden flight headless on the first hardware EGL device (Mesa's
# software device where there is none) with only this folder's libraries,
# and writes one report, REPORT_DIR/report.md:
#   - the EGL device, the GL vendor, renderer and version;
#   - the driver's messages in a --gl-debug run of the flight;
#   - frame and GPU times of a --stats --gpu-timing run (stats.csv beside it);
#   - for each golden frame, the share of pixels that differ from the llvmpipe
#     reference (at all, and by more than the golden check's 24 levels) and
#     a side-by-side picture (reference, this machine, differences).
#
#   ./run.sh [REPORT_DIR]                   (default: ./report)
#   VEXEL_BUNDLE_FRAMES=N ./run.sh          frames of the timing run (2000)
#   VEXEL_BUNDLE_DEVICE=N|software ./run.sh the --egl-device to use
#
# Exit code 0 when every run finished and the report is complete (frames
# that differ from llvmpipe's are reported, not failed), 1 otherwise.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
report_dir=${1:-$here/report}
mkdir -p "$report_dir"
out=$(cd "$report_dir" && pwd)
frames=${VEXEL_BUNDLE_FRAMES:-2000}
step=0.016
export LD_LIBRARY_PATH="$here/lib"
unset DISPLAY WAYLAND_DISPLAY
vexel="$here/bin/vexel"
compare="$here/bin/vexel-image-compare"
device=()
if [[ -n "${VEXEL_BUNDLE_DEVICE:-}" ]]; then
    device=(--egl-device "$VEXEL_BUNDLE_DEVICE")
fi

golden_frames=()
golden_names=()
while read -r frame name; do
    [[ -z "$frame" || "$frame" == \#* ]] && continue
    golden_frames+=("$frame")
    golden_names+=("$name")
done <"$here/golden/golden.list"
last=${golden_frames[-1]}
captures=$(IFS=,; echo "${golden_frames[*]}")

failed=0
# run NAME ARGUMENTS...: one headless run in a fresh working directory; its
# log is kept as NAME.log and its terminal output as NAME.out.
run() {
    local name=$1
    shift
    local work="$out/work-$name"
    rm -rf "$work"
    mkdir -p "$work"
    cp -r "$here/shaders" "$work/shaders"
    (cd "$work" && timeout 900 "$vexel" --headless "${device[@]}" "$@") >"$out/$name.out" 2>&1
    local code=$?
    cp "$work/vexel.log" "$out/$name.log" 2>/dev/null
    rm -rf "$work"
    if ((code != 0)); then
        echo "run.sh: the $name run failed with exit code $code (see $out/$name.out and $out/$name.log)" >&2
        failed=1
    fi
}

# The first log line matching PATTERN, without the time stamp, the channel
# and PREFIX, and without its closing full stop.
message() {
    grep -m 1 -E "$1" "$2" 2>/dev/null | sed -E 's/^[0-9-]+ [0-9:]+ \(l:[a-z]+\) [^>]+> //' |
        sed -E "s/^${3:-}//; s/\.$//"
}

rm -rf "$out/frames" "$out/side-by-side"
mkdir -p "$out/side-by-side"
run flight --fixed-dt "$step" --input "$here/golden/flight.input" --frames "$last" \
    --capture "$out/frames" --capture-frames "$captures"
run debug --gl-debug --fixed-dt "$step" --input "$here/golden/flight.input" --frames "$last"
run timing --fixed-dt "$step" --input "$here/golden/flight.input" --frames "$frames" \
    --stats "$out/stats.csv" --gpu-timing

{
    echo "# Vexel on $(message 'Renderer name: ' "$out/flight.log" 'Renderer name: ')"
    echo
    echo "- Machine: $(uname -srm), $(nproc) processors"
    echo "- EGL device: $(message 'Using EGL device' "$out/flight.log" 'EGL > Using ')"
    echo "- GL vendor: $(message '> Vendor: ' "$out/flight.log" 'Vendor: ')"
    echo "- GL renderer: $(message 'Renderer name: ' "$out/flight.log" 'Renderer name: ')"
    echo "- GL version: $(message '> Version: ' "$out/flight.log" 'Version: ')"
    echo
    echo "EGL devices as the program listed them:"
    echo
    grep -E 'EGL device' "$out/flight.log" | sed -E 's/^[0-9-]+ [0-9:]+ \(l:[a-z]+\) [^>]+> /    /'
    echo
    echo "Libraries the program loads from this folder:"
    echo
    LD_TRACE_LOADED_OBJECTS=1 "$vexel" | awk -v lib="$here/lib/" 'index($3, lib) == 1 {print "    " $1}'
    echo
    messages=$(grep -c 'OpenGL driver message' "$out/debug.log" 2>/dev/null)
    echo "## Driver messages of a --gl-debug run of the flight: ${messages:-0}"
    echo
    grep 'OpenGL driver message' "$out/debug.log" 2>/dev/null | head -n 50 |
        sed -E 's/^[0-9-]+ [0-9:]+ \(l:([a-z]+)\) [^>]+> /    (\1) /'
    echo
    echo "## Frame and GPU times: $frames frames with --stats --gpu-timing"
    echo
    echo "    $(message ' frames; frame time' "$out/timing.log")"
    echo
    echo "Per frame in stats.csv."
    echo
    echo "## Golden frames against the llvmpipe references"
    echo
    echo "| frame | name | pixels that differ | by more than 24 levels | side by side |"
    echo "|---|---|---|---|---|"
    for i in "${!golden_frames[@]}"; do
        frame=${golden_frames[$i]}
        name=${golden_names[$i]}
        new="$out/frames/frame-$frame.png"
        side="side-by-side/$name.png"
        if [[ ! -f "$new" ]]; then
            echo "| $frame | $name | not captured | not captured | |"
            failed=1
            continue
        fi
        any=$("$compare" --tolerance 0 --share 1 --always-write "$here/golden/$name.png" "$new" \
            "$out/$side" | grep -o -m 1 '[0-9.]*% of pixels')
        beyond=$("$compare" --tolerance 24 --share 1 "$here/golden/$name.png" "$new" /dev/null |
            grep -o -m 1 '[0-9.]*% of pixels')
        echo "| $frame | $name | ${any:-unreadable} | ${beyond:-unreadable} | $side |"
        [[ -n "$any" && -n "$beyond" ]] || failed=1
    done
} >"$out/report.md"

echo "run.sh: report in $out/report.md"
exit $failed
