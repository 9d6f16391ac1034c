#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a C++ source of the project is not as clang-format writes it (.clang-format).
#   check-format.sh SOURCE_DIR
# `clang-format -i FILE...` puts a file right.
set -euo pipefail
cd "$1"
if ! command -v clang-format >/dev/null; then
  echo "clang-format is not installed (tools/setup-debian.sh installs it)" >&2
  exit 1
fi
mapfile -d '' files < <(find src tools bench fuzz tests \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
clang-format --dry-run --Werror "${files[@]}"
echo "${#files[@]} files as clang-format writes them"
