#!/usr/bin/env bash
# Builds the engine and libpng natively from Debian's source packages with clang under AddressSanitizer,
# UndefinedBehaviorSanitizer and libFuzzer's coverage, as static libraries for the fuzz targets (fuzz/). Kept outside
# the clone in QUINTET_FUZZ_CACHE (default ~/.cache/quintet-fuzz), once per source version and recipe; the last line
# printed is the engine's folder.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."

jobs=$(nproc)
cache=${QUINTET_FUZZ_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quintet-fuzz}
flags="-O1 -gline-tables-only -fno-omit-frame-pointer -fsanitize=address,undefined,fuzzer-no-link -w"

scripts/setup.sh clang libclang-rt-14-dev dpkg-dev >&2
source scripts/debian-source.sh

build_libpng() {
    local src=$1 out=$2
    make -C "$src" -s -f scripts/makefile.gcc -j"$jobs" libpng.a CC=clang CFLAGS="$flags"
    mkdir -p "$out/include" "$out/lib"
    cp "$src"/png.h "$src"/pngconf.h "$src"/pnglibconf.h "$out/include/"
    cp "$src/libpng.a" "$out/lib/"
}

# The engine's own static library target, built as Debian builds it (its system zlib, no _DEBUG) but for the null
# driver alone: no window, OpenGL or software renderers, no mesh loaders, no JPEG (no file that passes the game's
# checks starts like one), no bzip2 or AES archives. Every image loader stays, as a damaged file may reach any.
build_engine() {
    local src=$1 png=$2 out=$3 off
    off=$(printf -- '-DNO_IRR_COMPILE_WITH_%s_ ' X11 OPENGL SOFTWARE BURNINGSVIDEO JOYSTICK_EVENTS LIBJPEG \
        JPG_LOADER JPG_WRITER BZIP2 ZIP_ENCRYPTION SKINNED_MESH_SUPPORT IRR_SCENE_LOADER IRR_MESH_LOADER \
        HALFLIFE_LOADER MD2_LOADER MD3_LOADER 3DS_LOADER COLLADA_LOADER CSM_LOADER BSP_LOADER DMF_LOADER \
        LMTS_LOADER MY3D_LOADER OBJ_LOADER OCT_LOADER LWO_LOADER STL_LOADER PLY_LOADER SMF_LOADER \
        IRR_WRITER COLLADA_WRITER STL_WRITER OBJ_WRITER PLY_WRITER)
    make -C "$src/source/Irrlicht" -s -j"$jobs" staticlib CXX=clang++ CC=clang LIBAESGM= \
        CXXFLAGS="$flags -fno-exceptions -fstrict-aliasing" \
        CPPFLAGS="-I../../include -I$png/include -DIRRLICHT_EXPORTS=1 $off"
    mkdir -p "$out/include/irrlicht" "$out/lib"
    cp "$src"/include/*.h "$out/include/irrlicht/"
    cp "$src/lib/Linux/libIrrlicht.a" "$png"/lib/libpng.a "$out/lib/"
}

build_both() {
    build_libpng "$2" "$2/out"
    build_engine "$1" "$2/out" "$3"
}
recipe=$( (declare -f build_libpng build_engine; echo "$flags"; clang++ --version | head -1) | sha256sum | cut -c1-12)
what="sanitized engine for the fuzz targets"

engine=$(cached_engine)
echo "$engine"
