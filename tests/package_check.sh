# The Debian package as a distribution builds and reviews it: the source package and the .deb built by
# scripts/build-deb.sh into BUILD_DIR/deb, then lintian on the .changes, the desktop entry, the AppStream data, the
# manual page, the licence texts and the version and date of the release.   Usage: package_check.sh SOURCE_DIR BUILD_DIR
set -u
source=$1 build=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

"$source/scripts/build-deb.sh" "$build/deb" || exit 1
deb=$(ls "$build"/deb/quintet_*.deb)
root=$(mktemp -d /tmp/quintet-package.XXXXXX)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root" || exit 1
share="$root/usr/share"

echo "--- lintian"
lintian -i -I -E --pedantic --fail-on error,warning "$build"/deb/quintet_*.changes 2>&1 | grep -v "root privileges"
[ "${PIPESTATUS[0]}" = 0 ] || fail "lintian reports errors or warnings"

echo "--- desktop entry, AppStream data, manual page"
desktop-file-validate "$share/applications/quintet.desktop" || fail "desktop-file-validate"
metainfo="$share/metainfo/invalid.quintet.quintet.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
# The tree check also finds the desktop entry and icon that the metainfo's launchable names.
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$share/man/man6/quintet.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "manual page warnings: $warnings"

echo "--- licence texts"
# A licence's text as plain lines: the indented lines after the first "License: NAME" that has any.
licence() {
    awk -v name="$2" '$0 == "License: " name { on = 1; next } on && /^ / { n++; print; next } n { exit } { on = 0 }' "$1" |
        sed -e 's/^ //' -e 's/^\.$//' -e 's/[[:space:]]*$//'
}
copyright="$share/doc/quintet/copyright"
diff <(licence "$copyright" Zlib) <(sed -n '/^This software/,$p' "$source/LICENSE") || fail "Zlib text is not LICENSE's"
for row in "bitstream-vera fonts-dejavu-core" "Apache-2.0 fonts-open-sans" "OFL-1.1 fonts-comfortaa"; do
    set -- $row
    [ -n "$(licence "$copyright" "$1")" ] || fail "no $1 licence text"
    diff <(licence "$copyright" "$1") <(licence "/usr/share/doc/$2/copyright" "$1") || fail "$1 text differs from $2's"
done
# Every media file the copyright names is one the package ships.
for file in $(sed -n 's/^Files: //p' "$copyright" | tr ' ' '\n' | grep '^media/'); do
    [ -f "$share/games/quintet/$file" ] || fail "copyright names $file, which the package lacks"
done

echo "--- one release everywhere"
changelog() { zcat "$share/doc/quintet/changelog.gz" | dpkg-parsechangelog -l - -S "$1"; }
version=$(dpkg-deb -f "$deb" Version)
date=$(date -u -d "$(changelog Date)" +%F)
for row in "changelog $(changelog Version)" \
           "metainfo $(grep -o '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)" \
           "manual $(zcat "$share/man/man6/quintet.6.gz" | sed -n 's/^\.TH .*"Quintet \([^"]*\)".*/\1/p')"; do
    set -- $row
    [ "${2:-}" = "$version" ] || fail "$1 says version ${2:-none}, the package $version"
done
grep -q "<release version=\"$version\" date=\"$date\"" "$metainfo" || fail "metainfo release date is not the changelog's $date"

[ "$failures" = 0 ]
