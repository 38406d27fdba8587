#!/usr/bin/env bash
# Builds the libraries the Windows program links, for x86_64-w64-mingw32, from
# Debian's own source packages: GLFW, GLEW, {fmt}, GLM (headers), libpng
# (against Debian's mingw zlib), Dear ImGui with the stb it carries, and
# GoogleTest for the Windows unit tests. Everything lands in a cache under the
# given folder and is built once: a finished library leaves a stamp, and a
# second run only checks the stamps.
#
#   scripts/windows-deps.sh <cache folder>
#
# Debian publishes the sources through deb-src entries; when the machine has
# none, a copy of its deb entries with `Types: deb-src` is written beside them.
set -euo pipefail

cache=$(realpath -m "${1:?usage: $0 <cache folder>}")
repo=$(cd "$(dirname "$0")/.." && pwd)
sources=$cache/sources
prefix=$cache/prefix
work=$cache/build
toolchain=$repo/cmake/mingw-w64-x86_64.cmake
jobs=${JOBS:-$(nproc)}
mkdir -p "$sources" "$prefix" "$work" "$cache/stamps"

if [[ $(id -u) -eq 0 ]]; then sudo=(); else sudo=(sudo -n); fi

# Source entries once per machine: the same mirrors and suites as the binary
# entries, so `apt-get source` sees the versions the machine installs.
ensure_source_entries() {
    if apt-cache showsrc glfw3 2>/dev/null | grep -q '^Package:'; then
        return
    fi
    local entries=/etc/apt/sources.list.d/debian.sources
    local copy=/etc/apt/sources.list.d/vexel-deb-src.sources
    if [[ ! -f $entries ]]; then
        echo "No $entries to derive the source entries from; add deb-src entries by hand." >&2
        exit 1
    fi
    sed 's/^Types:.*/Types: deb-src/' "$entries" | "${sudo[@]}" tee "$copy" >/dev/null
    "${sudo[@]}" apt-get update -qq
}

# Unpacks a source package into $sources/<package>; the newest version first,
# then older ones, since a mirror's index can list a version whose files it
# does not have.
fetch() {
    local package=$1
    if [[ -d $sources/$package ]]; then
        return
    fi
    ensure_source_entries
    local versions version scratch
    versions=$(apt-cache showsrc "$package" | awk '/^Version:/ {print $2}' | sort -Vru)
    for version in $versions; do
        scratch=$sources/.fetch-$package
        rm -rf "$scratch" && mkdir -p "$scratch"
        if (cd "$scratch" && apt-get source -qq "$package=$version" >/dev/null 2>&1); then
            local tree
            tree=$(find "$scratch" -mindepth 1 -maxdepth 1 -type d | head -n1)
            mv "$tree" "$sources/$package"
            rm -rf "$scratch"
            echo "fetched $package $version"
            return
        fi
        echo "source package $package $version could not be fetched; trying an earlier version" >&2
    done
    rm -rf "$sources/.fetch-$package"
    echo "no version of the source package $package could be fetched" >&2
    exit 1
}

# A CMake project, cross-built static and installed into the prefix.
cmake_build() {
    local name=$1 source=$2
    shift 2
    cmake -S "$source" -B "$work/$name" -G "Unix Makefiles" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DOX_WINDOWS_PREFIX="$prefix" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DBUILD_SHARED_LIBS=OFF "$@" >"$work/$name.log"
    cmake --build "$work/$name" -j "$jobs" >>"$work/$name.log"
    cmake --install "$work/$name" >>"$work/$name.log"
}

# Runs one step unless its stamp exists; the stamp is written only on success.
step() {
    local name=$1
    shift
    if [[ -f $cache/stamps/$name ]]; then
        return
    fi
    local start=$SECONDS
    "$@"
    touch "$cache/stamps/$name"
    echo "built $name in $((SECONDS - start)) s"
}

build_glfw() {
    fetch glfw3
    cmake_build glfw "$sources/glfw3" -DGLFW_BUILD_DOCS=OFF -DGLFW_BUILD_EXAMPLES=OFF \
        -DGLFW_BUILD_TESTS=OFF
}

build_glew() {
    fetch glew
    cmake_build glew "$sources/glew/build/cmake" -DBUILD_UTILS=OFF
    # Only the static library is wanted; the DLL's import library would be
    # found first otherwise.
    rm -f "$prefix"/lib/libglew32.dll.a "$prefix"/bin/glew32.dll
}

build_fmt() {
    fetch fmtlib
    cmake_build fmt "$sources/fmtlib" -DFMT_DOC=OFF -DFMT_TEST=OFF
}

build_glm() {
    fetch glm
    mkdir -p "$prefix/include"
    rm -rf "$prefix/include/glm"
    cp -r "$sources/glm/glm" "$prefix/include/glm"
    # GLM is headers only; its own package file assumes another layout.
    mkdir -p "$prefix/lib/cmake/glm"
    cat >"$prefix/lib/cmake/glm/glmConfig.cmake" <<'CONFIG'
get_filename_component(_glm_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
if(NOT TARGET glm::glm)
    add_library(glm::glm INTERFACE IMPORTED)
    set_target_properties(glm::glm PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${_glm_prefix}/include")
endif()
CONFIG
}

build_png() {
    fetch libpng1.6
    cmake_build png "$sources/libpng1.6" -DPNG_SHARED=OFF -DPNG_TESTS=OFF \
        -DPNG_EXECUTABLES=OFF -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON
}

build_imgui() {
    fetch imgui
    local source=$sources/imgui object
    local out=$work/imgui
    mkdir -p "$out" "$prefix/include/imgui" "$prefix/lib"
    for object in imgui imgui_draw imgui_tables imgui_widgets; do
        x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -w -I"$source" -c "$source/$object.cpp" \
            -o "$out/$object.o"
    done
    rm -f "$prefix/lib/libimgui.a"
    x86_64-w64-mingw32-ar rcs "$prefix/lib/libimgui.a" "$out"/*.o
    cp "$source"/imgui.h "$source"/imconfig.h "$source"/imgui_internal.h \
        "$source"/imstb_*.h "$prefix/include/imgui/"
}

build_gtest() {
    fetch googletest
    cmake_build gtest "$sources/googletest" -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF
}

step glfw build_glfw
step glew build_glew
step fmt build_fmt
step glm build_glm
step png build_png
step imgui build_imgui
step gtest build_gtest
