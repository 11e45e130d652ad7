#!/usr/bin/env bash
# Builds the Debian source package and the .deb as on a fresh clone: dpkg-buildpackage on a copy of the checked-out
# tree (its uncommitted changes to tracked files included) in FOLDER/quintet, writing its results and the build's
# log, build.log, into FOLDER.
#   Usage: scripts/build-deb.sh FOLDER
set -euo pipefail
source=$(cd "$(dirname "$0")/.." && pwd)
out=$1

rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
commit=$(git -C "$source" stash create)
git -C "$source" archive --prefix=quintet/ "${commit:-HEAD}" | tar -x -C "$out"
touch "$out/started"
(cd "$out/quintet" && dpkg-buildpackage -us -uc -jauto) >"$out/build.log" 2>&1 || { tail -n 60 "$out/build.log"; exit 1; }

# Debian's conventions let a build write into obj-*/ and debian/ only.
stray=$(cd "$out/quintet" && find . -newer ../started -type f -not -path './obj-*' -not -path './debian/*')
rm "$out/started"
[ -z "$stray" ] || { echo "the build wrote into the source tree: $stray" >&2; exit 1; }
