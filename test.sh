#!/usr/bin/env bash
# Builds Quintet and runs every test: rules, frames (null device and OpenGL under Xvfb), end to end, the Debian
# package (lintian, autopkgtest, reproducibility), the Windows zip and installer (built twice, to the same bytes)
# under Wine, and the browser zip (built twice, to the same bytes) in chromium; then the Linux tests but the
# package's again in an ASan+UBSan build; then every file the game reads fuzzed against a sanitized engine: what
# once failed and the corpora again, and 20 s per target.
set -euo pipefail
cd "$(dirname "$0")"
# Wine plays the Windows zip; of its recommendations, the X and GL libraries are what it needs here. A window
# manager, and its remote control, for the window's test on a desktop. The package tests: autopkgtest (its
# xvfb-run needs xauth), and reprotest with the tools of its variations (faketime, disorderfs, the locales) and
# diffoscope to show a difference.
scripts/setup.sh wine64 wine unzip libgl1 libxrandr2 libxi6 libxcursor1 libxrender1 libxcomposite1 \
  libxinerama1 libxxf86vm1 libxfixes3 openbox wmctrl \
  autopkgtest xauth reprotest faketime disorderfs locales-all diffoscope-minimal

jobs=$(nproc)

# Our own X server, so display tests never touch the user's desktop and CI needs none.
source scripts/xvfb.sh
start_xvfb || { echo "Xvfb did not start"; exit 1; }
trap 'kill "$XVFB_PID" 2>/dev/null' EXIT

echo "== build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINTET_WINE_TESTS=ON -DQUINTET_WEB_TESTS=ON >/dev/null
cmake --build build -j"$jobs"
echo "== Windows build"
scripts/build-windows.sh
echo "== Windows build again from an empty build-win/: the same bytes"
sums=$(sha256sum build-win/quintet-*-win64.zip build-win/quintet-*-win64-setup.exe)
rm -rf build-win
scripts/build-windows.sh >/dev/null
sha256sum --quiet -c <<<"$sums" || { echo "the second Windows build differs from the first"; exit 1; }
echo "$sums"
echo "== web build"
scripts/build-web.sh
echo "== web build again from an empty build-web/: the same bytes"
sums=$(sha256sum build-web/quintet-*-web.zip)
rm -rf build-web
scripts/build-web.sh >/dev/null
sha256sum --quiet -c <<<"$sums" || { echo "the second web build differs from the first"; exit 1; }
echo "$sums"
echo "== tests"
(cd build && ctest --output-on-failure -j"$jobs")

echo "== sanitizer build"
# The GL driver and X libraries keep memory until exit; leaks there are not ours to judge.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUINTET_SANITIZE=ON -DQUINTET_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
echo "== sanitizer tests"
# The package builds itself from the source; its tests would only repeat themselves here.
(cd build-asan && ctest --output-on-failure -j"$jobs" -LE package)

echo "== fuzz"
fuzz/run.sh 20
