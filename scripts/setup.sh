#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quintet need; only the missing ones.
# Further package names given as arguments are installed with them (the Windows build and its tests add theirs).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libirrlicht-dev libgl-dev libgl1-mesa-dri libx11-dev libxrandr-dev
  libfreetype-dev libpng-dev zlib1g-dev fonts-dejavu-core fonts-open-sans fonts-comfortaa
  libgtest-dev libbenchmark-dev
  xvfb xdotool imagemagick x11-utils procps
  dpkg-dev debhelper lintian desktop-file-utils appstream man-db groff-base
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq -o DPkg::Lock::Timeout=600
# Another install under way (a second build, unattended upgrades) holds the lock: wait for it rather than fail.
$sudo apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 "${missing[@]}"
