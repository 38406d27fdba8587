#!/usr/bin/env bash
# Runs a command on a private virtual X display (Xvfb) with Mesa's software
# rasteriser (llvmpipe, OpenGL 4.5 core), whether or not DISPLAY is set: the
# tests open windows, move the pointer and type for minutes, and the golden
# references are software-rasterised frames, so neither belongs on a desktop.
# VEXEL_USE_DISPLAY=1 runs the command on the current DISPLAY instead.
set -euo pipefail
if [[ "${VEXEL_USE_DISPLAY:-}" == 1 ]]; then
    if [[ -z "${DISPLAY:-}" ]]; then
        echo "with-display: VEXEL_USE_DISPLAY=1 but DISPLAY is not set" >&2
        exit 2
    fi
    exec "$@"
fi
# Nothing of the desktop's session may leak in: no Wayland socket for GLFW to
# prefer, and the software rasteriser even where a GPU driver exists.
unset WAYLAND_DISPLAY
export LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe
# -noreset: by default Xvfb resets whenever its last client disconnects, and a
# program that terminates GLFW and starts it again (every GL test) would then
# find the display refusing connections for a moment.
exec xvfb-run -a -s "-screen 0 1280x1280x24 -noreset" "$@"
