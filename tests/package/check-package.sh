#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Packs the build into a Debian package and holds it to Debian's own checker: lintian must
# find no error and no warning. Then reads the manual pages that `man` shows from the
# package: how to call each program, how it ends, every file velmora writes, the
# installation's own paths (not the build's), and no "?" for a character.
# usage: check-package.sh CPACK BUILD_DIR DATADIR
set -euo pipefail
cpack=$1
build=$2
datadir=$3

if ! command -v lintian >/dev/null; then
  echo "lintian is not installed (tools/setup-debian.sh installs it): the package is not checked"
  exit 77
fi

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi
debs=("$out"/velmora_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "cpack made no single velmora_*.deb"; ls "$out"; exit 1; }

# No overrides: what lintian says is fixed, not silenced.
if ! lintian --fail-on error,warning --display-level '>=warning' --tag-display-limit 0 "${debs[0]}"; then
  echo "lintian finds the package wanting"
  exit 1
fi

dpkg-deb -x "${debs[0]}" "$out/root"
page() {
  MANWIDTH=200 LC_ALL=C.UTF-8 man -l "$out/root/usr/share/man/man1/$1.1.gz" 2>/dev/null | col -b
}
check() { # PROGRAM TEXT...
  local program=$1 text
  text=$(page "$program")
  shift
  for wanted in "$@"; do
    grep -qF -- "$wanted" <<<"$text" || { echo "$program(1) does not say '$wanted':"; echo "$text"; exit 1; }
  done
  if grep -n '???' <<<"$text"; then
    echo "$program(1) shows a character it could not read"
    exit 1
  fi
  if grep -nF "$build" <<<"$text"; then
    echo "$program(1) names the build folder, not the installation's"
    exit 1
  fi
}
check velmora SYNOPSIS 'EXIT STATUS' '128 + N' FILES "$datadir/Filis.dat" --installed --edit \
  CARDFILE.bak.1 CARDFILE.bak.2 CARDFILE.journal .typed MySearch.doc Documents/Velmora
check velmora-cards SYNOPSIS 'velmora-cards show FILIS N' 'EXIT STATUS' '␀ for NUL'
echo "lintian: no error, no warning; the manual pages complete"
