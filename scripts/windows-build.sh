#!/usr/bin/env bash
# Cross-builds the Windows program on Debian and packs it:
#   - the dependencies from Debian's source packages, once, into
#     BUILD_DIR/windows-deps (scripts/windows-deps.sh);
#   - vexel.exe and vexel-image-compare.exe (release, mingw-w64), checked to
#     import only DLLs that every Windows has;
#   - BUILD_DIR/vexel-windows.zip: the programs, the shaders, the golden
#     flight with its references and run-gpu.cmd, the runner for a Windows PC
#     (scripts/windows/run-gpu.cmd).
# With --tests it also builds the unit tests whose code differs by system.
#
#   scripts/windows-build.sh [--tests] [BUILD_DIR]     (default build)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tests=OFF
build=$repo/build
for argument in "$@"; do
    case $argument in
    --tests) tests=ON ;;
    -*)
        echo "usage: $0 [--tests] [BUILD_DIR]" >&2
        exit 2
        ;;
    *) build=$(realpath -m "$argument") ;;
    esac
done
deps=$build/windows-deps
out=$build/windows
jobs=${JOBS:-$(nproc)}

bash "$repo/scripts/windows-deps.sh" "$deps"

cmake -S "$repo" -B "$out" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
    -DOX_WINDOWS_PREFIX="$deps/prefix" -DCMAKE_BUILD_TYPE=Release -DOX_BUILD_TESTS=$tests \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$repo/scripts/windows/wine.sh" \
    >"$out.configure.log" || {
    cat "$out.configure.log" >&2
    exit 1
}
targets=(vexel vexel-image-compare)
[[ $tests == ON ]] && targets+=(ox_windows_tests)
cmake --build "$out" -j "$jobs" --target "${targets[@]}"

vexel=$out/src/app/vexel.exe
compare=$out/src/image/vexel-image-compare.exe

# The DLLs a fresh Windows has in System32; anything else would have to be
# shipped beside the programs.
system_dlls='^(kernel32|user32|gdi32|opengl32|shell32|advapi32|msvcrt|ole32|imm32|winmm|version|ws2_32|shlwapi|comdlg32)\.dll$'
for program in "$vexel" "$compare"; do
    imports=$(x86_64-w64-mingw32-objdump -p "$program" | awk '/DLL Name:/ {print tolower($3)}')
    foreign=$(grep -Ev "$system_dlls" <<<"$imports" || true)
    if [[ -n $foreign ]]; then
        echo "windows-build: $(basename "$program") imports DLLs a plain Windows lacks:" $foreign >&2
        exit 1
    fi
    echo "$(basename "$program") imports only:" $imports
done

# The zip: one folder, vexel-windows/, as a user unpacks it.
stage=$build/windows-zip/vexel-windows
rm -rf "$build/windows-zip" "$build/vexel-windows.zip"
mkdir -p "$stage/golden"
cp "$vexel" "$compare" "$stage/"
x86_64-w64-mingw32-strip --strip-debug "$stage"/*.exe
cp -r "$repo/shaders" "$stage/shaders"
cp "$repo/tests/golden/flight.input" "$stage/golden/"
while read -r frame name input; do
    [[ -z "$frame" || "$frame" == \#* || -n "$input" ]] && continue
    echo "$frame $name" >>"$stage/golden/golden.list"
    cp "$repo/tests/golden/$name.png" "$stage/golden/"
done <"$repo/tests/golden/golden.list"
# cmd.exe reads its scripts line by line and wants CRLF.
sed 's/\r$//; s/$/\r/' "$repo/scripts/windows/run-gpu.cmd" >"$stage/run-gpu.cmd"
(cd "$build/windows-zip" && zip -q -r -X "$build/vexel-windows.zip" vexel-windows)
echo "windows-build: $build/vexel-windows.zip ($(du -k "$build/vexel-windows.zip" | cut -f1) KiB)"
