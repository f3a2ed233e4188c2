#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the PNG sizes of the program's pictures from their SVG drawings
# (needs rsvg-convert, from Debian's librsvg2-bin). The PNGs are committed,
# so that building needs no SVG support.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root/app/icons"
for svg in *.svg; do
    name=${svg%.svg}
    sizes="16 24 32 48"
    # The program's own icon, for the desktop's menus and launchers.
    [[ $name == cheque-printer ]] && sizes="16 24 32 48 64 128 256"
    for size in $sizes; do
        rsvg-convert -w "$size" -h "$size" "$svg" -o "$name-$size.png"
    done
done
