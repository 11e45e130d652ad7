#!/usr/bin/env bash
# Writes what a release publishes into dist/: the source package and the .deb of the checked-out commit, the Windows
# zip and installer that scripts/build-windows.sh left in build-win/, the browser zip that scripts/build-web.sh left in
# build-web/, and SHA256SUMS over them all.
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Quintet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# A release is one commit: what is not committed would be in no source package.
git diff --quiet HEAD || { echo "uncommitted changes: commit them before a release" >&2; exit 1; }

echo "== source package and .deb (build-deb/)"
scripts/build-deb.sh build-deb
rm -rf dist
mkdir dist
cp build-deb/quintet_"$version".dsc build-deb/quintet_"$version".tar.xz \
   build-deb/quintet_"$version"_"$(dpkg --print-architecture)".deb dist/
for file in quintet-"$version"-win64.zip quintet-"$version"-win64-setup.exe; do
    if [ -f build-win/"$file" ]; then
        cp build-win/"$file" dist/
    else
        echo "no build-win/$file: scripts/build-windows.sh makes the Windows files" >&2
    fi
done
if [ -f build-web/quintet-"$version"-web.zip ]; then
    cp build-web/quintet-"$version"-web.zip dist/
else
    echo "no build-web/quintet-$version-web.zip: scripts/build-web.sh makes the browser zip" >&2
fi
(cd dist && sha256sum -- * >SHA256SUMS)
echo "== dist/"
(cd dist && ls -l)
