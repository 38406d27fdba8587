#!/usr/bin/env bash
# Renders the golden flights (tests/golden/flight.input, and the input of
# every session added with golden-add.sh, each with a fixed 0.016 s step,
# 1024x1024) and compares each frame of tests/golden/golden.list with its
# reference PNG. A list line is "FRAME NAME [INPUT]", INPUT a file beside the
# list (flight.input when left out). For every frame that does not match it writes a
# side-by-side image (reference, new, differences in magenta) and prints its
# path. Needs an X display (see with-display.sh), or with --headless none.
#
#   scripts/golden.sh [--headless] [--update] [--shaders DIR] [--out DIR] [--golden DIR] BUILD_DIR
#
#   --headless     render with the headless back end on Mesa's software EGL
#                  device, with DISPLAY unset: the same frames, no X server
#   --update       rewrite the references from this run instead of comparing
#   --shaders DIR  render with these shader files instead of the repository's
#   --out DIR      where the new frames and side-by-side images go
#                  (default BUILD_DIR/golden)
#   --golden DIR   the references, list and inputs (default tests/golden)
#   --wine WRAPPER run the Windows build's vexel.exe and comparer through
#                  this Wine launcher (scripts/windows/wine.sh)
#
# Exit code 0 when every frame matches (or was updated), 1 otherwise.
#
# Tolerance: a pixel differs when a colour channel is off by more than 24 of
# 255, and a frame fails when more than 0.5 % of its pixels differ. llvmpipe
# on other machines (other LLVM versions, other vector widths) may shade a few
# levels differently and round some triangle and line edges the other way;
# both numbers leave room for that. What must fail stays far above them,
# measured on these frames: a one-degree yaw or pitch changes 17 to 19 % of
# the start view's pixels and 10 % of the sparse line-loop view's by more than
# 24 levels (still 8 % beyond 96 levels), and swapping the colour channels of
# the instanced triangles' fragment shader 1.4 to 3.9 % of each frame.
set -euo pipefail

TOLERANCE=24
SHARE=0.005
STEP=0.016

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
golden="$repo/tests/golden"
update=0
headless=0
shaders="$repo/shaders"
wine=""
out=""
build=""
while [[ $# -gt 0 ]]; do
    case "$1" in
        --update) update=1 ;;
        --headless) headless=1 ;;
        --shaders) shaders=$2; shift ;;
        --out) out=$2; shift ;;
        --golden) golden=$(cd "$2" && pwd); shift ;;
        --wine) wine=$2; shift ;;
        -*) echo "golden.sh: unknown option $1" >&2; exit 2 ;;
        *) build=$1 ;;
    esac
    shift
done
if [[ -z "$build" ]]; then
    echo "usage: scripts/golden.sh [--headless] [--update] [--shaders DIR] [--out DIR] [--golden DIR] BUILD_DIR" >&2
    exit 2
fi
build=$(cd "$build" && pwd)
vexel=("$build/src/app/vexel")
compare=("$build/src/image/vexel-image-compare")
if [[ -n "$wine" ]]; then
    vexel=("$wine" "$build/src/app/vexel.exe")
    compare=("$wine" "$build/src/image/vexel-image-compare.exe")
fi
out=${out:-$build/golden}

frames=()
names=()
inputs=()
while read -r frame name input; do
    [[ -z "$frame" || "$frame" == \#* ]] && continue
    frames+=("$frame")
    names+=("$name")
    inputs+=("${input:-flight.input}")
done <"$golden/golden.list"

# The program reads its shaders from its working directory and writes its log
# there: a scratch directory keeps the checkout clean.
rm -rf "$out"
mkdir -p "$out/work"
out=$(cd "$out" && pwd)
cp -r "$shaders" "$out/work/shaders"
# Mesa is unloaded when GLFW terminates, so a sanitized build's leak checker
# can only report its remains; the exit code must speak for the program.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
# The references are llvmpipe's frames, so a headless run draws with Mesa's
# software device even where a GPU is present; without DISPLAY it proves that
# it needs no X server.
run=("${vexel[@]}")
if [[ $headless -eq 1 ]]; then
    run=(env -u DISPLAY -u WAYLAND_DISPLAY "$vexel" --headless --egl-device software)
fi
# Long enough for a start with a cold shader cache (every program compiled,
# tens of seconds for a sanitized build) and a slow flight after it.
# Where the frames of one input land: the original flight's in frames/, every
# other input's in frames/<input without .input>/.
frames_dir() {
    if [[ "$1" == flight.input ]]; then echo "$out/frames"; else echo "$out/frames/${1%.input}"; fi
}

# One run per input, capturing all of its listed frames.
for input in $(printf '%s\n' "${inputs[@]}" | sort -u); do
    list=()
    for i in "${!frames[@]}"; do
        [[ "${inputs[$i]}" == "$input" ]] && list+=("${frames[$i]}")
    done
    sorted=$(printf '%s\n' "${list[@]}" | sort -n -u)
    last=$(tail -n 1 <<<"$sorted")
    captures=$(paste -s -d, <<<"$sorted")
    if ! (cd "$out/work" && timeout 200 "${run[@]}" --fixed-dt "$STEP" --frames "$last" \
            --input "$golden/$input" --capture "$(frames_dir "$input")" \
            --capture-frames "$captures"); then
        echo "golden: the program failed on $input; its log is $out/work/vexel.log" >&2
        exit 1
    fi
done

failed=0
for i in "${!frames[@]}"; do
    new="$(frames_dir "${inputs[$i]}")/frame-${frames[$i]}.png"
    reference="$golden/${names[$i]}.png"
    if [[ ! -f "$new" ]]; then
        echo "golden: frame ${frames[$i]} (${names[$i]}) was not captured" >&2
        failed=1
        continue
    fi
    if [[ $update -eq 1 ]]; then
        cp "$new" "$reference"
        echo "updated $reference"
        continue
    fi
    if [[ ! -f "$reference" ]]; then
        echo "golden: no reference $reference (make golden-update writes it)" >&2
        failed=1
        continue
    fi
    echo "${names[$i]}:"
    "${compare[@]}" --tolerance "$TOLERANCE" --share "$SHARE" "$reference" "$new" \
        "$out/${names[$i]}-side-by-side.png" || failed=1
done
if [[ $failed -ne 0 ]]; then
    echo "golden: FAILED (new frames in $out/frames)" >&2
    exit 1
fi
if [[ $update -eq 1 ]]; then
    echo "golden: ${#frames[@]} references rewritten"
else
    echo "golden: all ${#frames[@]} frames match"
fi
