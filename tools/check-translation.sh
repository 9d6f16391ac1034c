#!/bin/bash

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# check-translation.sh LUPDATE TS LISTFILE: every text of the sources named in LISTFILE has its
# translation in TS, and TS keeps none the sources no longer have. lupdate brings a copy of TS
# up to date; whatever it then marks unfinished or vanished is named and the check fails.
set -euo pipefail
lupdate=$1 ts=$2 sources=$3
copy=$(mktemp --suffix=.ts)
trap 'rm -f "$copy"' EXIT
cp "$ts" "$copy"
"$lupdate" -silent -locations none "@$sources" -ts "$copy"
if grep -B2 'type="\(unfinished\|vanished\|obsolete\)"' "$copy"; then
  echo "$ts: the texts above are new, untranslated or no longer in the sources;" \
    "the update_translations target brings the file up to date" >&2
  exit 1
fi
