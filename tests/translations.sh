#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Arabic catalogue translates every text the sources mark for
# translation, and draws no mnemonic: lupdate brings a copy of it up to date
# with the sources, which must leave nothing unfinished.
set -euo pipefail
project=$1 generate=$2 lupdate=$3 catalogue=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$catalogue" "$work/ar.ts"
cmake -DIN_FILE="$project" -DOUT_FILE="$work/project.json" -P "$generate"
"$lupdate" -project "$work/project.json" -no-obsolete -locations none -ts "$work/ar.ts"
status=0
if grep -q 'type="unfinished"' "$work/ar.ts"; then
    echo "Texts without their Arabic:"
    grep -B2 'type="unfinished"' "$work/ar.ts" | grep '<source>'
    status=1
fi
if grep '<translation>' "$work/ar.ts" | grep -q '&amp;[^ ]'; then
    echo "Mnemonics in Arabic translations (their underline reads as a kasra):"
    grep '<translation>' "$work/ar.ts" | grep '&amp;[^ ]'
    status=1
fi
exit $status
