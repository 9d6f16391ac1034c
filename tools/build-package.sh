#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package from debian/ as Debian's tools do, and holds it to lintian: no
# error and no warning. dpkg-buildpackage writes into the tree it builds and puts the
# packages beside it, so it builds a copy of the sources, OUT/velmora-VERSION, and the
# packages land in OUT.
# usage: build-package.sh OUT
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)
version=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
tree=$out/velmora-$version

rm -rf "$tree" "$out"/velmora_"$version"_* "$out"/velmora-dbgsym_"$version"_*
mkdir -p "$tree"
# The project's files, not its build folders: what git tracks or would track.
if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard) |
    tar -C "$source_dir" -c --null --ignore-failed-read -T - 2>/dev/null | tar -x -C "$tree"
else
  tar -C "$source_dir" -c --exclude='./build*' --exclude=./.git . | tar -x -C "$tree"
fi

# The compiler's cache, when there is one, makes a second build cheap; what it gives back
# is what the compiler made.
if command -v ccache >/dev/null && [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
if ! (cd "$tree" && dpkg-buildpackage -us -uc -b) >"$out/build.log" 2>&1; then
  tail -n 25 "$out/build.log" | cut -c1-300
  echo "dpkg-buildpackage failed; the whole log is $out/build.log"
  exit 1
fi
if ! lintian --fail-on error,warning --display-level '>=warning' --tag-display-limit 0 \
  "$out/velmora_${version}_$(dpkg --print-architecture).changes"; then
  echo "lintian finds the package wanting"
  exit 1
fi
# Back to the sources alone, as autopkgtest reads its tests from them.
(cd "$tree" && debian/rules clean) >>"$out/build.log" 2>&1
echo "$out/velmora_${version}_$(dpkg --print-architecture).deb: built, lintian finds no error or warning"
