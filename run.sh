#!/usr/bin/env bash
# Builds Quintet and starts it from its run folder (where config.cfg is kept).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target quintet
cd build/run
exec ./quintet
