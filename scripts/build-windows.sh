#!/usr/bin/env bash
# Cross-builds Quintet for 64-bit Windows with mingw-w64 and writes build-win/quintet-<version>-win64.zip.
# The engine and libpng are built from Debian's own source packages, once per source version: the result is
# kept outside the clone in QUINTET_WIN_CACHE (default ~/.cache/quintet-win), so later runs skip that step.
set -euo pipefail
# The engine is built inside $( ): a failing step there must end the script too.
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
root=$PWD

mingw=x86_64-w64-mingw32
cc=$mingw-gcc-win32
cxx=$mingw-g++-win32
jobs=$(nproc)
cache=${QUINTET_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quintet-win}
version=$(sed -n 's/^project(Quintet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip="$root/build-win/quintet-$version-win64.zip"

# dpkg-dev unpacks the source packages; libz-mingw-w64-dev is zlib for Windows, linked into the engine.
scripts/setup.sh g++-mingw-w64-x86-64 libz-mingw-w64-dev dpkg-dev zip

# ensure_deb_src, source_versions, fetch_source: the engine comes from Debian's source package.
source scripts/debian-source.sh

# libpng as a static library, with its generic gcc makefile; zlib's headers are mingw's.
build_libpng() {
    local src=$1 out=$2
    make -C "$src" -s -f scripts/makefile.gcc -j"$jobs" libpng.a \
        CC="$cc" AR_RC="$mingw-ar rcs" RANLIB="$mingw-ranlib" ZLIBINC="/usr/$mingw/include" CFLAGS="-O2 -w"
    mkdir -p "$out/include" "$out/lib"
    cp "$src"/png.h "$src"/pngconf.h "$src"/pnglibconf.h "$out/include/"
    cp "$src/libpng.a" "$out/lib/"
}

# The engine as Irrlicht.dll through its own win32 make target, with these settings in place of the target's:
# Direct3D 9 on through the DX9 dev-pack switch, against mingw's own d3d9.h (the driver loads D3DX at run time,
# so nothing links it); OpenGL on; DirectInput, JPEG, bzip2 and zip encryption off (the game reads BMP, PNG and
# XML); libpng, zlib and the C and C++ runtimes linked in, so the DLL needs only Windows' own DLLs.
build_engine() {
    local src=$1 png=$2 out=$3
    make -C "$src/source/Irrlicht" -s -j"$jobs" sharedlib_win32 \
        CXX="$cxx" CC="$cc" AR="$mingw-ar" LIBAESGM= CXXFLAGS="-O2 -pipe -fno-exceptions -fstrict-aliasing -w" \
        CPPFLAGS="-I../../include -I$png/include -DIRRLICHT_EXPORTS=1 -DIRR_COMPILE_WITH_DX9_DEV_PACK \
-DNO_IRR_COMPILE_WITH_DIRECTINPUT_JOYSTICK_ -DNO_IRR_COMPILE_WITH_LIBJPEG_ -DNO_IRR_COMPILE_WITH_JPG_LOADER_ \
-DNO_IRR_COMPILE_WITH_JPG_WRITER_ -DNO_IRR_COMPILE_WITH_BZIP2_ -DNO_IRR_COMPILE_WITH_ZIP_ENCRYPTION_ \
-D__GNUWIN32__ -D_WIN32 -DWIN32 -D_WINDOWS -D_MBCS -D_USRDLL" \
        LDFLAGS="$png/lib/libpng.a /usr/$mingw/lib/libz.a -lgdi32 -lopengl32 -lwinmm -Wl,--add-stdcall-alias \
-static -s"
    mkdir -p "$out/include/irrlicht" "$out/lib" "$out/bin"
    cp "$src"/include/*.h "$out/include/irrlicht/"
    cp "$src/bin/Win32-gcc/Irrlicht.dll" "$out/bin/"
    cp "$src/lib/Win32-gcc/libIrrlicht.a" "$out/lib/libIrrlicht.dll.a"
}

# The engine with libpng and the licences of both in out; the recipe below covers the two build steps.
build_both() {
    local irr=$1 png=$2 out=$3
    build_libpng "$png" "$png/out"
    build_engine "$irr" "$png/out" "$out"
    mkdir -p "$out/licenses"
    cp "$irr/debian/copyright" "$out/licenses/irrlicht.txt"
    cp "$png/debian/copyright" "$out/licenses/libpng.txt"
}
recipe=$( (declare -f build_libpng build_engine; "$cxx" -dumpfullversion) | sha256sum | cut -c1-12)
what="engine for Windows"

ensure_deb_src
mkdir -p "$cache"
if ! engine=$(find_cached_engine); then
    engine=$(build_cached_engine)
fi
echo "== engine: $engine"

# The media generator runs on the build machine: the native build makes media/ for both.
echo "== native media"
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" --target media

echo "== game for Windows"
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DQUINTET_TESTS=OFF -DQUINTET_BENCH=OFF -DQUINTET_MEDIA_FROM="$root/build/run/media" \
    -DIrrlicht_INCLUDE_DIR="$engine/include/irrlicht" -DIrrlicht_LIBRARY="$engine/lib/libIrrlicht.dll.a" >/dev/null
cmake --build build-win -j"$jobs" --target quintet start

# The zip holds one folder: the game, its launcher and the engine side by side with media/ and the licences.
echo "== zip"
name="quintet-$version-win64"
stage="$root/build-win/zip/$name"
rm -rf "$root/build-win/zip" "$zip"
mkdir -p "$stage/licenses"
cp build-win/run/quintet.exe build-win/run/start.exe "$engine/bin/Irrlicht.dll" "$stage/"
"$mingw-strip" "$stage/quintet.exe" "$stage/start.exe"
cp -r build-win/run/media "$stage/"
cp LICENSE "$stage/LICENSE.txt"
# The game's and its fonts' copyright; it points to the Apache licence of Open Sans, which Windows lacks.
cp packaging/copyright "$stage/COPYRIGHT.txt"
cp /usr/share/common-licenses/Apache-2.0 "$stage/licenses/Apache-2.0.txt"
cp "$engine"/licenses/*.txt "$stage/licenses/"
cp "/usr/share/doc/libz-mingw-w64-dev/copyright" "$stage/licenses/zlib.txt"
# The mingw-w64 start-up code and C helpers linked into every program.
cp "/usr/share/doc/mingw-w64-x86-64-dev/copyright" "$stage/licenses/mingw-w64-runtime.txt"
(cd "$root/build-win/zip" && zip -qrX "$zip" "$name")
echo "== wrote $zip ($(stat -c %s "$zip") bytes)"
