#!/usr/bin/env bash
# Builds Quintet for the browser with Debian's Emscripten and writes build-web/quintet-<version>-web.zip (the page,
# the game's .js and .wasm, media/ and the licences), the same bytes for the same commit. The engine, libpng and
# zlib are built from Debian's source packages once per source version and recipe, into QUINTET_WEB_CACHE
# (default ~/.cache/quintet-web), so later runs only build the game.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
root=$PWD

jobs=$(nproc)
cache=${QUINTET_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quintet-web}
version=$(sed -n 's/^project(Quintet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip="$root/build-web/quintet-$version-web.zip"

SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || stat -c %Y CMakeLists.txt)}
export SOURCE_DATE_EPOCH

scripts/setup.sh emscripten dpkg-dev zip
# Debian's emcc runs its JavaScript optimiser with node, which finds Debian's acorn only here.
export NODE_PATH=/usr/share/nodejs
# Emscripten's own cache of system libraries lives in /usr/share/emscripten/cache, built with the package.
flags="-O2 -w"

source scripts/debian-source.sh

# zlib's library part alone (no gz* files: libpng reads from memory and files through its own calls).
build_zlib() {
    local src=$1 out=$2 f objs=()
    mkdir -p "$out/include" "$out/lib"
    for f in adler32 compress crc32 deflate inffast inflate inftrees trees uncompr zutil; do
        emcc $flags -c "$src/$f.c" -o "$src/$f.o"
        objs+=("$src/$f.o")
    done
    emar rcs "$out/lib/libz.a" "${objs[@]}"
    cp "$src/zlib.h" "$src/zconf.h" "$out/include/"
}

build_libpng() {
    local src=$1 zlib=$2 out=$3
    make -C "$src" -s -f scripts/makefile.gcc -j"$jobs" libpng.a \
        CC=emcc AR_RC="emar rcs" RANLIB=emranlib ZLIBINC="$zlib/include" CFLAGS="$flags"
    mkdir -p "$out/include" "$out/lib"
    cp "$src"/png.h "$src"/pngconf.h "$src"/pnglibconf.h "$out/include/"
    cp "$src/libpng.a" "$out/lib/"
}

# The engine's static library with the SDL device (Emscripten's SDL 1 over the canvas) in place of the X11 one,
# which the engine's config turns on unconditionally on POSIX: that line goes. Only what the game uses stays: the
# software renderer Burning's Video, the GUI's font and static text, the BMP and PNG loaders, the folder file
# system. scripts/engine-web.patch (against the source with Unix line ends) mends what the browser shows: the SDL
# device's picture in the canvas's byte order and a press that moves the cursor (a tap); in Burning's Video, a
# stretched image's colour (the fades) and the texels it shows, a source past the texture's edge (the scan-row
# overlay), and 2D fills batched as a primitive list.
build_engine() {
    local src=$1 deps=$2 out=$3 config=$1/include/IrrCompileConfig.h off
    sed -i 's/\r$//' "$config" "$src"/source/Irrlicht/{CIrrDeviceSDL.cpp,CSoftwareDriver2.cpp,CSoftwareDriver2.h,CBlit.h}
    sed -i 's|^//\(#define _IRR_COMPILE_WITH_SDL_DEVICE_\)$|\1|; /^#define _IRR_COMPILE_WITH_X11_DEVICE_$/d' "$config"
    grep -q '^#define _IRR_COMPILE_WITH_SDL_DEVICE_$' "$config" && ! grep -q '^#define _IRR_COMPILE_WITH_X11_DEVICE_' "$config" ||
        { echo "no SDL or X11 device switch in $config" >&2; exit 1; }
    patch -s -d "$src" -p1 <"$root/scripts/engine-web.patch"
    off=$(printf -- '-DNO_IRR_COMPILE_WITH_%s_ ' X11 OPENGL SOFTWARE JOYSTICK_EVENTS LIBJPEG CONSOLE_DEVICE \
        JPG_LOADER JPG_WRITER BZIP2 ZIP_ENCRYPTION SKINNED_MESH_SUPPORT IRR_SCENE_LOADER IRR_MESH_LOADER \
        B3D_LOADER MS3D_LOADER X_LOADER OGRE_LOADER \
        HALFLIFE_LOADER MD2_LOADER MD3_LOADER 3DS_LOADER COLLADA_LOADER CSM_LOADER BSP_LOADER DMF_LOADER \
        LMTS_LOADER MY3D_LOADER OBJ_LOADER OCT_LOADER LWO_LOADER STL_LOADER PLY_LOADER SMF_LOADER \
        IRR_WRITER COLLADA_WRITER STL_WRITER OBJ_WRITER PLY_WRITER \
        PCX_LOADER PPM_LOADER PSD_LOADER DDS_LOADER TGA_LOADER WAL_LOADER LMP_LOADER RGB_LOADER \
        BMP_WRITER PCX_WRITER PNG_WRITER PPM_WRITER PSD_WRITER TGA_WRITER)
    make -C "$src/source/Irrlicht" -s -j"$jobs" staticlib CXX=em++ CC=emcc AR=emar LIBAESGM= NDEBUG=1 \
        CXXFLAGS="$flags -fno-exceptions -fstrict-aliasing" \
        CPPFLAGS="-I../../include -I$deps/include -DIRRLICHT_EXPORTS=1 -DNO__IRR_COMPILE_WITH_PAK_ARCHIVE_LOADER_ \
-DNO__IRR_COMPILE_WITH_NPK_ARCHIVE_LOADER_ -DNO__IRR_COMPILE_WITH_TAR_ARCHIVE_LOADER_ \
-DNO__IRR_COMPILE_WITH_WAD_ARCHIVE_LOADER_ $off"
    mkdir -p "$out/include/irrlicht" "$out/lib"
    cp "$src"/include/*.h "$out/include/irrlicht/"
    cp "$src/lib/Linux/libIrrlicht.a" "$out/lib/"
}

# The engine with libpng, zlib and the licences of all three in out. zlib's source is fetched here: the cache
# folder is named by the engine's and libpng's versions, zlib's goes into the recipe.
build_both() {
    local irr=$1 png=$2 out=$3 zdsc
    zdsc=$(fetch_source zlib)
    dpkg-source -x "$zdsc" "$png/../zlib" >/dev/null 2>&1
    build_zlib "$png/../zlib" "$out"
    build_libpng "$png" "$out" "$out"
    build_engine "$irr" "$out" "$out"
    mkdir -p "$out/licenses"
    cp "$irr/debian/copyright" "$out/licenses/irrlicht.txt"
    cp "$png/debian/copyright" "$out/licenses/libpng.txt"
    cp "$png/../zlib/debian/copyright" "$out/licenses/zlib.txt"
}
recipe=$( (declare -f build_zlib build_libpng build_engine build_both; echo "$flags"; cat scripts/engine-web.patch
    source_versions zlib | cut -d" " -f1; emcc --version | sed -n 1p) | sha256sum | cut -c1-12)
what="engine for the browser"

engine=$(cached_engine)
echo "== engine: $engine"

# The media generator runs on the build machine: the native build makes media/.
echo "== native media"
if [ -f build/CMakeCache.txt ]; then cmake build >/dev/null; else cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null; fi
cmake --build build -j"$jobs" --target media

echo "== game for the browser"
# Built in a fixed folder (build-web/game), so no path of this machine's differs between two builds' outputs.
emcmake cmake -S . -B build-web/game -DCMAKE_BUILD_TYPE=Release -DQUINTET_TESTS=OFF -DQUINTET_BENCH=OFF \
    -DQUINTET_MEDIA_FROM="$root/build/run/media" \
    -DIrrlicht_INCLUDE_DIR="$engine/include/irrlicht" -DIrrlicht_LIBRARY="$engine/lib/libIrrlicht.a" >/dev/null
cmake --build build-web/game -j"$jobs" --target quintet

# The zip holds one folder: the page, the game's script and WebAssembly, media/ and the licences.
echo "== zip"
name="quintet-$version-web"
stage="$root/build-web/zip/$name"
run="$root/build-web/game/run"
rm -rf "$root/build-web/zip" "$zip"
mkdir -p "$stage/licenses" "$stage/media"
cp "$run/index.html" "$run/quintet.js" "$run/quintet.wasm" "$stage/"
for file in $(sed -n 's/^ *var media = \[\(.*\)\];/\1/p' "$run/index.html" | tr -d "'," ); do
    cp "$run/media/$file" "$stage/media/"
done
cp LICENSE "$stage/LICENSE.txt"
cp debian/copyright "$stage/COPYRIGHT.txt"
cp /usr/share/common-licenses/Apache-2.0 "$stage/licenses/Apache-2.0.txt"
cp "$engine"/licenses/*.txt "$stage/licenses/"
# Emscripten's runtime and C and C++ libraries, compiled into the script and the WebAssembly.
cp /usr/share/doc/emscripten/copyright "$stage/licenses/emscripten.txt"
find "$root/build-web/zip" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
chmod -R u=rwX,go=rX "$root/build-web/zip"
(cd "$root/build-web/zip" && find "$name" | LC_ALL=C sort | TZ=UTC zip -qX -@ "$zip")
echo "== wrote $zip ($(stat -c %s "$zip") bytes)"
