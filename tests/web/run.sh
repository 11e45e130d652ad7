#!/usr/bin/env bash
# Unpacks the browser zip into a scratch folder and plays it in Debian's chromium, headless, through puppeteer-core
# (pinned in package-lock.json; no browser of its own is downloaded). Screenshots of the title and of play are left
# in build-web/screenshots.
# Usage: run.sh ZIP TITLE_PPM (the reference frame of the title at size S)
set -euo pipefail
zip=$(realpath "$1") reference=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
"$root/scripts/setup.sh" chromium unzip
command -v npm >/dev/null || "$root/scripts/setup.sh" npm
# The lock file's versions, installed once into tests/web/node_modules.
if [ ! -f "$here/node_modules/.package-lock.json" ] || [ "$here/package-lock.json" -nt "$here/node_modules/.package-lock.json" ]; then
    (cd "$here" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work"
node "$here/web_test.js" "$(echo "$work"/quintet-*-web)" "$reference" "$root/build-web/screenshots"
