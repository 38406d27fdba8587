#!/usr/bin/env bash
# Runs the program once under valgrind's memcheck as a person would: start,
# wait for the window, Escape. Passes when the program exits with 0 and
# valgrind reports no error and no definite leak outside the suppressions of
# scripts/valgrind.supp (which name only Mesa, X and GLFW).
# Usage: memcheck.sh <vexel binary> <scratch dir>; needs a DISPLAY.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
vexel="$(realpath "$1")"
work="$2"
rm -rf "$work"
mkdir -p "$work"
cp -r "$repo/shaders" "$work/shaders"
work="$(realpath "$work")"

# Under valgrind llvmpipe compiles and runs its shaders some fifty times
# slower: start-up takes minutes with the demo's 362 programs. The limits are
# generous, but every wait has one.
start_limit=900
exit_limit=600

cd "$work"
# Mesa's generated code lands in memory that is reused for later shaders;
# --smc-check makes valgrind notice when code there changes. GLFW unloads the
# GL driver when it terminates, before the leak check; --keep-debuginfo keeps
# the driver's names in the stacks so reports from it can be told apart.
valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --smc-check=all-non-file \
    --keep-debuginfo=yes --num-callers=40 \
    --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --suppressions="$repo/scripts/valgrind.supp" --gen-suppressions=all \
    --log-file="$work/valgrind.txt" "$vexel" &
pid=$!

window=""
for ((i = 0; i < start_limit * 2; ++i)); do
    window=$(timeout 5 xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)
    [[ -n "$window" ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
done
if [[ -z "$window" ]]; then
    echo "memcheck: no window within ${start_limit} s" >&2
    kill "$pid" 2>/dev/null || true
    wait "$pid" || true
    tail -n 40 "$work/valgrind.txt" >&2
    exit 1
fi
# The first statistics title means the frame loop runs. Escape is then held
# until the program ends: a frame can take seconds here, and a key pressed and
# released between two frames is never seen held.
title=""
for ((i = 0; i < start_limit; ++i)); do
    title=$(timeout 5 xdotool getwindowname "$window" 2>/dev/null || true)
    [[ "$title" == FPS:* ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 1
done
echo "memcheck: title '$title'"
for ((i = 0; i < 20; ++i)); do
    timeout 5 xdotool windowfocus "$window" 2>/dev/null || true
    [[ "$(timeout 5 xdotool getwindowfocus 2>/dev/null || true)" == "$window" ]] && break
    sleep 0.5
done
timeout 5 xdotool keydown Escape 2>/dev/null || true

code=""
for ((i = 0; i < exit_limit * 2; ++i)); do
    if ! kill -0 "$pid" 2>/dev/null; then
        set +e
        wait "$pid"
        code=$?
        set -e
        break
    fi
    sleep 0.5
done
timeout 5 xdotool keyup Escape 2>/dev/null || true
if [[ -z "$code" ]]; then
    echo "memcheck: still running ${exit_limit} s after Escape" >&2
    kill -9 "$pid" 2>/dev/null || true
    exit 1
fi
grep -E "ERROR SUMMARY|definitely lost|indirectly lost|suppressed:" "$work/valgrind.txt" || true
if [[ "$code" != 0 ]]; then
    echo "memcheck: exit code $code (99: valgrind found errors; see $work/valgrind.txt)" >&2
    exit 1
fi
echo "memcheck passed: exit code 0, no errors and no definite leaks from our code"
