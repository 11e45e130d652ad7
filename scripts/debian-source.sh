# Sourced by the scripts that build the engine from Debian's source packages: apt's deb-src entries, the versions
# a source package has, and its download into $cache/src. Needs $cache set.

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

has_source_index() {
    apt-cache showsrc irrlicht 2>/dev/null | grep -q '^Package: irrlicht$'
}

# apt-get source needs deb-src entries: the binary entries again with Types: deb-src, added once.
ensure_deb_src() {
    has_source_index && return 0
    local list=/etc/apt/sources.list.d/debian-src.sources binary=/etc/apt/sources.list.d/debian.sources
    if [ -f "$binary" ]; then
        [ -f "$list" ] || sed 's/^Types: deb$/Types: deb-src/' "$binary" | $sudo tee "$list" >/dev/null
    else
        list=/etc/apt/sources.list.d/debian-src.list
        [ -f "$list" ] || sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list | $sudo tee "$list" >/dev/null
    fi
    $sudo apt-get update -qq
    has_source_index || { echo "no source package index after adding $list" >&2; exit 1; }
}

# The versions of a source package that apt knows, newest first.
source_versions() {
    local v sorted=() i
    for v in $(apt-cache showsrc --only-source "$1" 2>/dev/null | sed -n 's/^Version: //p' | sort -u); do
        i=${#sorted[@]}
        while [ "$i" -gt 0 ] && dpkg --compare-versions "$v" gt "${sorted[i-1]}"; do
            sorted[i]=${sorted[i-1]}
            i=$((i - 1))
        done
        sorted[i]=$v
    done
    echo "${sorted[@]}"
}

# Downloads the newest version of a source package that the mirror serves into $cache/src; prints its .dsc.
# A version the index lists may be missing from the mirror for a while, so older ones are tried too.
fetch_source() {
    local package=$1 v dsc
    mkdir -p "$cache/src"
    for v in $(source_versions "$package"); do
        dsc="$cache/src/${package}_${v#*:}.dsc"
        if [ -f "$dsc" ] || (cd "$cache/src" && apt-get source --download-only -qq "$package=$v" >/dev/null 2>&1); then
            echo "$dsc"
            return 0
        fi
        echo "could not download $package $v, trying an older version" >&2
    done
    echo "no version of the source package $package could be downloaded" >&2
    return 1
}

# The built engine's folder in the cache, named by both source versions and by how it is built ($recipe, a hash
# the caller sets), so a new Debian version or a changed recipe builds afresh.
engine_dir() { echo "$cache/engine-irrlicht_${1#*:}-libpng1.6_${2#*:}-$recipe"; }

# Prints the folder of a complete cached engine of any known versions; fails when there is none.
find_cached_engine() {
    local irr png
    for irr in $(source_versions irrlicht); do
        for png in $(source_versions libpng1.6); do
            [ -f "$(engine_dir "$irr" "$png")/complete" ] && { engine_dir "$irr" "$png"; return 0; }
        done
    done
    return 1
}

# Unpacks both source packages and runs the caller's build_both IRRLICHT_SRC LIBPNG_SRC OUT; prints the folder
# once it is complete. $what names the engine in the messages.
build_cached_engine() {
    local irr_dsc png_dsc irr png work started=$SECONDS dir
    irr_dsc=$(fetch_source irrlicht)
    png_dsc=$(fetch_source libpng1.6)
    irr=$(sed -n 's/^Version: //p' "$irr_dsc")
    png=$(sed -n 's/^Version: //p' "$png_dsc")
    dir=$(engine_dir "$irr" "$png")
    work=$(mktemp -d "$cache/build.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    echo "== $what: irrlicht $irr, libpng1.6 $png (built once, kept in $cache)" >&2
    # apt checked the files against the signed index; dpkg-source's own complaint about the unchecked
    # signature (no Debian keyring here) is shown only when the unpacking fails.
    dpkg-source -x "$irr_dsc" "$work/irrlicht" >"$work/unpack.log" 2>&1 &&
        dpkg-source -x "$png_dsc" "$work/libpng" >>"$work/unpack.log" 2>&1 || { cat "$work/unpack.log" >&2; exit 1; }
    build_both "$work/irrlicht" "$work/libpng" "$work/out"
    printf 'irrlicht %s\nlibpng1.6 %s\n' "$irr" "$png" >"$work/out/versions.txt"
    touch "$work/out/complete"
    rm -rf "$dir"
    mv "$work/out" "$dir"
    rm -rf "$work"
    trap - EXIT
    echo "== $what built in $((SECONDS - started)) s" >&2
    echo "$dir"
}

# Prints the folder of the cached engine, built first when there is none for the current versions and recipe.
cached_engine() {
    ensure_deb_src >&2  # stdout is the folder alone
    mkdir -p "$cache"
    if ! find_cached_engine; then
        build_cached_engine
    fi
}
