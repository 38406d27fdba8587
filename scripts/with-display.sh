#!/usr/bin/env bash
# Runs a command with an X display: the current one if DISPLAY is set,
# otherwise a private virtual display (Xvfb, Mesa llvmpipe, OpenGL 4.5 core).
set -euo pipefail
if [[ -n "${DISPLAY:-}" ]]; then
    exec "$@"
fi
# -noreset: by default Xvfb resets whenever its last client disconnects, and a
# program that terminates GLFW and starts it again (every GL test) would then
# find the display refusing connections for a moment.
exec xvfb-run -a -s "-screen 0 1280x1280x24 -noreset" "$@"
