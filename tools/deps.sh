#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and
# only those that are missing. Quiet when everything is already there.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libgl-dev
    libicu-dev libbenchmark-dev
    poppler-utils xvfb xauth xdotool libx11-dev
    cups printer-driver-cups-pdf
    fonts-liberation2 fonts-hosny-amiri fonts-dejavu-core
)
case "${1:-}" in
--fuzz) packages+=(clang libclang-rt-14-dev) ;;
--bench) packages+=(hyperfine) ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
