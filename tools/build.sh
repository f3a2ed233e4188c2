#!/usr/bin/env bash
# Configures and builds one configuration: build.sh release|asan
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
config="${1:-release}"
case "$config" in
    release) dir="$root/build"; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHEQUE_SANITIZE=OFF) ;;
    asan)    dir="$root/build-asan"; flags=(-DCMAKE_BUILD_TYPE=Debug -DCHEQUE_SANITIZE=ON) ;;
    *) echo "usage: build.sh release|asan" >&2; exit 2 ;;
esac
if [[ ! -f "$dir/build.ninja" ]]; then
    cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}" >/dev/null
fi
cmake --build "$dir" -j2
