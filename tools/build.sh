#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds one configuration: build.sh release|asan
# Quiet when all is well; on a failure, the compiler's errors are shown.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
config="${1:-release}"
case "$config" in
    release) dir="$root/build"; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHEQUE_SANITIZE=OFF)
             first="Building (first time, about 2 minutes)…" ;;
    asan)    dir="$root/build-asan"; flags=(-DCMAKE_BUILD_TYPE=Debug -DCHEQUE_SANITIZE=ON)
             first="Building with the sanitizers (first time, about 3 minutes)…" ;;
    *) echo "usage: build.sh release|asan" >&2; exit 2 ;;
esac
mkdir -p "$dir"
log="$dir/build.log"
if [[ ! -f "$dir/build.ninja" ]]; then
    echo "$first"
    if ! cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}" >"$log" 2>&1; then
        cat "$log" >&2
        echo "build.sh: configuring the $config build failed (log: $log)" >&2
        exit 1
    fi
fi
if ! cmake --build "$dir" -j2 >"$log" 2>&1; then
    # Everything but ninja's progress lines: the failed commands and what the
    # compiler said about them.
    grep -vE '^\[[0-9]+/[0-9]+\] ' "$log" >&2 || true
    echo "build.sh: the $config build failed (whole log: $log)" >&2
    exit 1
fi
