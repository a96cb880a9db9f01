#!/usr/bin/env bash
# Installs what Glyphwright needs from Debian's packages (only what is missing), then configures
# and builds it in build/. Safe to run again: it does nothing that is already done.
set -euo pipefail

cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libfreetype-dev libpng-dev fonts-dejavu-core xfonts-base xfonts-75dpi xfonts-unifont
  python3-pil hyperfine
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick python3
  clang-14 libclang-rt-14-dev
  pandoc librsvg2-bin man-db desktop-file-utils appstream dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done

if [ "${#missing[@]}" -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLYPHWRIGHT_WERROR=ON
fi
cmake --build build -j2
