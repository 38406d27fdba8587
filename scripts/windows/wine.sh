#!/usr/bin/env bash
# Runs a Windows program under Wine in a scratch prefix under the build
# folder, so that nothing lands in the user's home or desktop menus:
#   WINE_ROOT=build/wine scripts/windows/wine.sh program.exe [ARGUMENTS...]
# The prefix is made by the first call (about 16 s) and kept. Used as CMake's
# CMAKE_CROSSCOMPILING_EMULATOR, so that ctest runs the Windows tests here.
set -euo pipefail

root=${WINE_ROOT:?set WINE_ROOT to the folder for the Wine prefix}
mkdir -p "$root/home"
export WINEPREFIX=$root/prefix HOME=$root/home
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEDEBUG=-all
# wine64 itself, not the wine launcher, which asks for a 32-bit Wine it does
# not need.
wine=/usr/lib/wine/wine64
if [[ ! -f $WINEPREFIX/.vexel-ready ]]; then
    # Two first calls at once (ctest -j) must not both set the prefix up.
    exec 9>"$root/.prefix.lock"
    flock 9
    if [[ ! -f $WINEPREFIX/.vexel-ready ]]; then
        "$wine" wineboot --init >/dev/null 2>&1
        /usr/lib/wine/wineserver -w
        touch "$WINEPREFIX/.vexel-ready"
    fi
    exec 9>&-
fi
exec "$wine" "$@"
