#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs from Debian 12's packages everything Velmora needs to build, run and test.
# Safe to run again: apt only installs what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libx11-dev
  libcsv-dev libexpected-dev libicu-dev zlib1g-dev libbtparse-dev
  pandoc python3-bibtexparser
  texlive-binaries texlive-base biber texlive-bibtex-extra
  fonts-urw-base35 fonts-dejavu-core fontconfig
  xvfb xauth xdotool x11-utils
  poppler-utils
  appstream desktop-file-utils shared-mime-info
  at-spi2-core dbus dbus-x11 python3 python3-pyatspi python3-dbus python3-gi
  clang-14 libclang-rt-14-dev clang-format clang-tidy
  e2fsprogs file strace
  lintian help2man dpkg-dev debhelper autopkgtest reuse
  qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools locales
  qt6-wayland weston
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The command line's Greek is tested under el_GR.UTF-8, which Debian does not generate.
locale -a 2>/dev/null | grep -qix 'el_GR.utf-\?8' || $sudo localedef -i el_GR -f UTF-8 el_GR.UTF-8
