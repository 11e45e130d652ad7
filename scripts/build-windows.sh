#!/usr/bin/env bash
# Cross-builds Quintet for 64-bit Windows with mingw-w64 and writes build-win/quintet-<version>-win64.zip and the
# per-user installer build-win/quintet-<version>-win64-setup.exe, both the same bytes for the same commit.
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
setup="$root/build-win/quintet-$version-win64-setup.exe"

# Reproducible builds: every date in the zip and the installer is the last commit's, never the clock's.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || stat -c %Y CMakeLists.txt)}
export SOURCE_DATE_EPOCH

# dpkg-dev unpacks the source packages; libz-mingw-w64-dev is zlib for Windows, linked into the engine;
# icoutils makes the .ico, nsis the installer.
scripts/setup.sh g++-mingw-w64-x86-64 libz-mingw-w64-dev dpkg-dev zip icoutils nsis

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
# Its file system is the wide one, over the Windows calls' wide forms (UNICODE): with the narrow one every path
# goes through the ANSI code page, and a folder named in another script cannot be opened. The switch is set in
# the copied header too, so the game's io::path is the engine's wide string. Its log prints those paths in
# UTF-8 (scripts/engine-utf8-log.patch, against the source with Unix line ends). No build time goes into the
# DLL, so two machines build the same bytes.
build_engine() {
    local src=$1 png=$2 out=$3 config=$1/include/IrrCompileConfig.h
    sed -i 's|^//\(#define _IRR_WCHAR_FILESYSTEM\)|\1|' "$config"
    grep -q '^#define _IRR_WCHAR_FILESYSTEM' "$config" || { echo "no wide file system switch in $config" >&2; exit 1; }
    sed -i 's/\r$//' "$src/source/Irrlicht/CLogger.cpp"
    patch -s -d "$src" -p1 <"$root/scripts/engine-utf8-log.patch"
    make -C "$src/source/Irrlicht" -s -j"$jobs" sharedlib_win32 \
        CXX="$cxx" CC="$cc" AR="$mingw-ar" LIBAESGM= CXXFLAGS="-O2 -pipe -fno-exceptions -fstrict-aliasing -w" \
        CPPFLAGS="-I../../include -I$png/include -DIRRLICHT_EXPORTS=1 -DIRR_COMPILE_WITH_DX9_DEV_PACK \
-DNO_IRR_COMPILE_WITH_DIRECTINPUT_JOYSTICK_ -DNO_IRR_COMPILE_WITH_LIBJPEG_ -DNO_IRR_COMPILE_WITH_JPG_LOADER_ \
-DNO_IRR_COMPILE_WITH_JPG_WRITER_ -DNO_IRR_COMPILE_WITH_BZIP2_ -DNO_IRR_COMPILE_WITH_ZIP_ENCRYPTION_ \
-D__GNUWIN32__ -D_WIN32 -DWIN32 -D_WINDOWS -DUNICODE -D_UNICODE -D_USRDLL" \
        LDFLAGS="$png/lib/libpng.a /usr/$mingw/lib/libz.a -lgdi32 -lopengl32 -lwinmm -Wl,--add-stdcall-alias \
-static -s -Wl,--no-insert-timestamp"
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
recipe=$( (declare -f build_libpng build_engine; cat scripts/engine-utf8-log.patch; "$cxx" -dumpfullversion) |
    sha256sum | cut -c1-12)
what="engine for Windows"

engine=$(cached_engine)
echo "== engine: $engine"

# The media generator runs on the build machine: the native build makes media/ and the icons for both.
echo "== native media"
# Configured again, keeping an existing build's settings, so targets newer than that build are known.
if [ -f build/CMakeCache.txt ]; then cmake build >/dev/null; else cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null; fi
cmake --build build -j"$jobs" --target media icons

echo "== game for Windows"
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DQUINTET_TESTS=OFF -DQUINTET_BENCH=OFF -DQUINTET_MEDIA_FROM="$root/build/run/media" \
    -DQUINTET_ICONS_FROM="$root/build/icons" \
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
cp debian/copyright "$stage/COPYRIGHT.txt"
cp /usr/share/common-licenses/Apache-2.0 "$stage/licenses/Apache-2.0.txt"
cp "$engine"/licenses/*.txt "$stage/licenses/"
cp "/usr/share/doc/libz-mingw-w64-dev/copyright" "$stage/licenses/zlib.txt"
# The mingw-w64 start-up code and C helpers linked into every program.
cp "/usr/share/doc/mingw-w64-x86-64-dev/copyright" "$stage/licenses/mingw-w64-runtime.txt"
# Every entry dated to the last commit (zip stores local time: UTC here), with fixed permissions, in the order of
# the names and with no extra fields, so the zip's bytes depend on the files alone.
find "$root/build-win/zip" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
chmod -R u=rwX,go=rX "$root/build-win/zip"
(cd "$root/build-win/zip" && find "$name" | LC_ALL=C sort | TZ=UTC zip -qX -@ "$zip")
echo "== wrote $zip ($(stat -c %s "$zip") bytes)"

# The installer installs the zip's folder as it is; the lists of what to put and what to take away again are
# written out in the order of the names.
echo "== installer"
lists="$root/build-win/installer"
rm -rf "$lists" "$setup"
mkdir -p "$lists"
(
    cd "$stage"
    for dir in $(find . -type d | LC_ALL=C sort); do
        win=${dir#.}
        echo "SetOutPath \"\$INSTDIR${win//\//\\}\""
        find "$dir" -maxdepth 1 -type f | LC_ALL=C sort | sed "s|^\./\(.*\)|File \"$stage/\1\"|"
    done >"$lists/files.nsh"
    find . -type f | LC_ALL=C sort | sed -e 's|^\./|Delete "$INSTDIR\\|' -e 's|$|"|' -e 's|/|\\|g' >"$lists/unfiles.nsh"
    find . -mindepth 1 -type d | LC_ALL=C sort -r | sed -e 's|^\./|RMDir "$INSTDIR\\|' -e 's|$|"|' -e 's|/|\\|g' \
        >>"$lists/unfiles.nsh"
)
makensis -V2 -WX -INPUTCHARSET UTF8 -DOUTFILE="$setup" -DFILES="$lists/files.nsh" -DUNFILES="$lists/unfiles.nsh" \
    build-win/packaging/windows/installer.nsi
echo "== wrote $setup ($(stat -c %s "$setup") bytes)"
