#!/usr/bin/env bash
# Fuzzes the files the game reads: builds the targets against the sanitized engine in build-fuzz/, replays the inputs
# that once failed (fuzz/regressions/<target>), the seeds and the corpus, then fuzzes each target SECONDS seconds
# (0: the replay alone). New inputs are kept in build-fuzz/corpus/<target>, failing ones in build-fuzz/crashes/.
# Usage: fuzz/run.sh SECONDS [config|bitmap|font|png ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(config bitmap font png)

engine=$(scripts/build-fuzz-engine.sh | tail -n 1)
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DQUINTET_FUZZ=ON -DQUINTET_TESTS=OFF -DQUINTET_BENCH=OFF \
    -DIrrlicht_INCLUDE_DIR="$engine/include/irrlicht" -DIrrlicht_LIBRARY="$engine/lib/libIrrlicht.a" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

# Seeds beside the small ones in fuzz/seeds/: the generated media whole and damaged (cut to half, cut after a '>'
# near the middle, bytes 23..26 overwritten, random, random behind a PPM signature).
media=build-fuzz/run/media
seed() {
    local dir=build-fuzz/seeds/$1 file size cut
    shift
    rm -rf "$dir" && mkdir -p "$dir"
    for file in "$@"; do
        size=$(stat -c %s "$media/$file")
        cp "$media/$file" "$dir/"
        head -c $((size / 2)) "$media/$file" >"$dir/$file.half"
        cut=$(head -c $((size / 2)) "$media/$file" | grep -abo '>' | tail -n 1 | cut -d: -f1 || true)
        [ -z "$cut" ] || head -c $((cut + 1)) "$media/$file" >"$dir/$file.tag"
        { head -c 23 "$media/$file"; printf '\377\377\377\377'; tail -c +28 "$media/$file"; } >"$dir/$file.23"
    done
    # The compressed middle of a PNG is as good as random, and the same every time.
    head -c 6000 "$media/quintet.png" | tail -c 4000 >"$dir/random"
    { printf 'P6\n'; cat "$dir/random"; } >"$dir/random.ppm"
}
seed bitmap exp.bmp title.bmp
seed font Swiss12.xml humn28.xml
seed png Swiss12_0.png humn28_0.png

# An engine fault is a sanitizer report: it ends the run like a crash. Those of every start are listed in the file.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:suppressions=$PWD/fuzz/ubsan.supp
# The targets run in scratch folders of their own: the paths in their options are absolute.
for target in "${targets[@]}"; do
    dirs=(build-fuzz/corpus/$target)
    for more in build-fuzz/seeds/$target fuzz/seeds/$target fuzz/regressions/$target; do
        [ -d "$more" ] && dirs+=("$more")
    done
    options=(-timeout=1 -artifact_prefix="$PWD/build-fuzz/crashes/$target-" -print_final_stats=1)
    [ "$target" = font ] && options+=(-dict="$PWD/fuzz/xml.dict")
    mkdir -p build-fuzz/corpus/$target build-fuzz/crashes
    echo "== replay $target"
    build-fuzz/fuzz/fuzz_$target "${options[@]}" -runs=0 "${dirs[@]}"
    [ "$seconds" -gt 0 ] || continue
    # A whole picture is slow to load and leads nowhere a small one does not: fuzzed bitmaps stay small.
    [ "$target" = bitmap ] && options+=(-max_len=65536)
    echo "== fuzz $target: $seconds s"
    build-fuzz/fuzz/fuzz_$target "${options[@]}" -max_total_time="$seconds" "${dirs[@]}"
done
