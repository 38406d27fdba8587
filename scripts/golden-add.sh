#!/usr/bin/env bash
# Turns a recorded session into new golden references: copies the input
# script beside the others as NAME.input, renders it like golden.sh does
# (fixed 0.016 s step, 1024x1024) and keeps each listed frame as
# NAME-<frame>.png, with a line "FRAME NAME-<frame> NAME.input" in
# golden.list. From then on `make golden` and `make test` check those frames
# too. Needs an X display (see with-display.sh).
#
#   scripts/golden-add.sh [--golden DIR] [--shaders DIR] BUILD_DIR NAME INPUT FRAMES
#
#   NAME     letters, digits, '-' and '_'; not yet used in the list
#   INPUT    an input script, for example one written by vexel --record
#   FRAMES   the frames to keep, comma-separated (30,120)
#   --golden DIR   the references, list and inputs (default tests/golden)
#   --shaders DIR  render with these shader files instead of the repository's
#
# Exit code 0 when every frame was added; 1 when rendering failed, 2 for bad
# arguments. Nothing is added unless every frame was captured.
set -euo pipefail

STEP=0.016

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
golden="$repo/tests/golden"
shaders="$repo/shaders"
args=()
while [[ $# -gt 0 ]]; do
    case "$1" in
        --golden) golden=$(cd "$2" && pwd); shift ;;
        --shaders) shaders=$2; shift ;;
        -*) echo "golden-add: unknown option $1" >&2; exit 2 ;;
        *) args+=("$1") ;;
    esac
    shift
done
usage="usage: scripts/golden-add.sh [--golden DIR] [--shaders DIR] BUILD_DIR NAME INPUT FRAMES"
if [[ ${#args[@]} -ne 4 ]]; then
    echo "$usage" >&2
    exit 2
fi
build=$(cd "${args[0]}" && pwd)
name=${args[1]}
input=${args[2]}
frames=${args[3]}
vexel="$build/src/app/vexel"

if [[ ! "$name" =~ ^[A-Za-z0-9_-]+$ ]]; then
    echo "golden-add: NAME must be letters, digits, '-' and '_', not '$name'" >&2
    exit 2
fi
if [[ -e "$golden/$name.input" ]] || grep -qE "^[0-9]+ $name(-[0-9]+)?( |$)" "$golden/golden.list"; then
    echo "golden-add: '$name' is already in $golden" >&2
    exit 2
fi
if [[ ! -r "$input" || -d "$input" ]]; then
    echo "golden-add: cannot read the input script '$input'" >&2
    exit 2
fi
if [[ ! "$frames" =~ ^[1-9][0-9]*(,[1-9][0-9]*)*$ ]]; then
    echo "golden-add: FRAMES must be frame numbers separated by commas, not '$frames'" >&2
    exit 2
fi
sorted=$(tr , '\n' <<<"$frames" | sort -n -u)
last=$(tail -n 1 <<<"$sorted")
captures=$(paste -s -d, <<<"$sorted")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$shaders" "$work/shaders"
cp "$input" "$work/session.input"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
if ! (cd "$work" && timeout 120 "$vexel" --fixed-dt "$STEP" --frames "$last" \
        --input session.input --capture frames --capture-frames "$captures"); then
    echo "golden-add: the program failed; its log:" >&2
    tail -n 20 "$work/vexel.log" >&2 || true
    exit 1
fi
for frame in $sorted; do
    if [[ ! -f "$work/frames/frame-$frame.png" ]]; then
        # A recorded Escape before the frame ends the replay early.
        echo "golden-add: frame $frame was not captured (does the session end before it?)" >&2
        exit 1
    fi
done

cp "$input" "$golden/$name.input"
for frame in $sorted; do
    cp "$work/frames/frame-$frame.png" "$golden/$name-$frame.png"
    echo "$frame $name-$frame $name.input" >>"$golden/golden.list"
    echo "added $golden/$name-$frame.png"
done
echo "golden-add: $(wc -w <<<"$sorted") references added; commit $golden"
