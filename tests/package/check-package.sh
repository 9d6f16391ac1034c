#!/usr/bin/env bash
# Builds the Debian package as a release does and holds it to Debian's own checker:
# lintian must find no error and no warning. Then reads the manual page that `man velmora`
# shows from the package.
# usage: check-package.sh CPACK BUILD_DIR
set -euo pipefail
cpack=$1
build=$2

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

# Overrides travel inside the package (usr/share/lintian/overrides), each with its reason.
if ! lintian --fail-on error,warning --display-level '>=warning' --tag-display-limit 0 "${debs[0]}"; then
  echo "lintian finds the package wanting"
  exit 1
fi

# The manual page says how to call the program, how it ends and where it writes.
dpkg-deb -x "${debs[0]}" "$out/root"
page=$(MANWIDTH=200 LC_ALL=C.UTF-8 man -l "$out/root/usr/share/man/man1/velmora.1.gz" 2>/dev/null | col -b)
for wanted in '--installed' '--edit' 'Exit status: 0 done' 'FILES' 'MySearch.doc' 'Documents/Velmora'; do
  if ! grep -qF -- "$wanted" <<<"$page"; then
    echo "velmora(1) does not say '$wanted':"
    echo "$page"
    exit 1
  fi
done
[ -f "$out/root/usr/share/man/man1/velmora-cards.1.gz" ] || { echo "velmora-cards(1) is missing"; exit 1; }
echo "lintian: no error, no warning; velmora(1) complete"
