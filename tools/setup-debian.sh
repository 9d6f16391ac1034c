#!/usr/bin/env bash
# Installs from Debian 12's packages everything Velmora needs to build, run and test.
# Safe to run again: apt only installs what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libx11-dev
  libcsv-dev libexpected-dev zlib1g-dev
  fonts-urw-base35 fonts-dejavu-core fontconfig
  xvfb xauth xdotool x11-utils
  poppler-utils
  appstream desktop-file-utils shared-mime-info
  at-spi2-core dbus dbus-x11 python3 python3-pyatspi python3-dbus python3-gi
  clang-14 libclang-rt-14-dev clang-format clang-tidy
  e2fsprogs file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
