#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing need, and
# only those that are missing (without the packages they merely recommend).
# Quiet when everything is already there.
#   deps.sh [--bench|--fuzz]
set -euo pipefail

# What building the package needs comes from debian/control (below); the
# rest is for the tests, the benchmarks and running the program.
packages=(
    g++
    libicu-dev libbenchmark-dev
    poppler-utils xvfb xauth xdotool libx11-dev
    cups printer-driver-cups-pdf
    fonts-liberation2 fonts-hosny-amiri fonts-dejavu-core
    libqt6sql6-sqlite libqt6sql6-psql postgresql openssl
    qt6-translations-l10n
    appstream desktop-file-utils dpkg-dev file lintian
)
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
while read -r p; do
    [[ "$p" == debhelper-compat ]] && p=debhelper
    packages+=("$p")
done < <(sed -n '/^Build-Depends:/,/^[A-Z]/p' "$root/debian/control" | sed 's/^Build-Depends://; /^[A-Z]/d' |
    tr ',' '\n' | sed 's/(.*)//; s/<[^>]*>//g; s/[[:space:]]//g' | grep -v '^$')
case "${1:-}" in
--fuzz) packages+=(clang libclang-rt-14-dev) ;;
--bench) packages+=(hyperfine time python3 libxdamage-dev) ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
((${#missing[@]})) || exit 0

as_root=()
if [[ $(id -u) -ne 0 ]]; then
    if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
        as_root=(sudo)
    else
        echo "deps.sh: these packages are missing and must be installed as root:" \
            "apt-get install --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
