#!/usr/bin/env bash
# Runs the demo from the repository root so that ./vexel.log and shaders/
# resolve there; further arguments go to the program. With a DISPLAY, or with
# --headless, it just runs the program. Without one it runs
# the demo on a private virtual display for RUN_SECONDS (default 5), saves a
# screenshot of its window to build/vexel.png, prints the window title and the
# last log lines, closes it with Escape and reports its exit code.
set -uo pipefail

binary=$(realpath "$1")
shift
# The rest are the program's own options (make run ARGS="...").
options=("$@")
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

if [[ -n "${DISPLAY:-}" ]]; then
    exec "$binary" "${options[@]}"
fi
# A headless run needs no display, and no Escape from one: it ends with its
# --frames, its input script, or Ctrl+C.
for option in "${options[@]}"; do
    if [[ "$option" == --headless ]]; then
        exec "$binary" "${options[@]}"
    fi
done

seconds=${RUN_SECONDS:-5}
screenshot="$root/build/vexel.png"
mkdir -p "$root/build"

# Pick a display number nobody uses.
display=99
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1280x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null' EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

echo "No DISPLAY: running Vexel on the virtual display $DISPLAY for ${seconds}s."
"$binary" "${options[@]}" &
app=$!
sleep "$seconds"

if ! kill -0 $app 2>/dev/null; then
    wait $app
    code=$?
    echo "Vexel ended early with exit code $code. Last log lines:"
    tail -n 20 vexel.log 2>/dev/null
    exit $code
fi

window=$(xdotool search --sync --limit 1 --pid $app 2>/dev/null | head -n 1)
if [[ -n "$window" ]]; then
    echo "Window title: $(xdotool getwindowname "$window")"
    if import -window "$window" "$screenshot" 2>/dev/null; then
        echo "Screenshot: $screenshot"
    else
        echo "Could not take a screenshot."
    fi
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
    # A tap is enough: the window remembers a press until the frame loop asks.
    xdotool key Escape
else
    echo "No window found for the running program."
fi

for _ in $(seq 100); do
    kill -0 $app 2>/dev/null || break
    sleep 0.1
done
if kill -0 $app 2>/dev/null; then
    echo "Vexel did not close on Escape; stopping it."
    kill $app
fi
wait $app
code=$?
echo "Last log lines (vexel.log):"
tail -n 12 vexel.log 2>/dev/null
echo "Vexel exit code: $code"
exit $code
