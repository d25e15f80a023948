#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only when one of them is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache
  clang-14 libclang-rt-14-dev
  libsdl2-dev
  libgl1-mesa-dev libegl-dev libgl1-mesa-dri
  libjpeg62-turbo-dev
  libvorbis-dev libogg-dev
  libfreetype-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  ffmpeg
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
