#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang and runs each for a while:
#   fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/deps.sh" --fuzz
seconds="${1:-600}"
shift || true
dir="$root/build-fuzz"
if [[ ! -f "$dir/build.ninja" ]]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCHEQUE_FUZZ=ON -DCHEQUE_SANITIZE=ON -DCHEQUE_TESTS=OFF >/dev/null
fi
cmake --build "$dir" -j2
targets=("$@")
if ((${#targets[@]} == 0)); then
    targets=($(cd "$dir/fuzz" && ls fuzz_* | grep -v '\.' || true))
fi
for t in "${targets[@]}"; do
    corpus="$root/fuzz/corpus-$t"
    mkdir -p "$corpus"
    seeds="$root/fuzz/seeds/$t"
    echo "=== $t for ${seconds}s"
    (cd "$root/fuzz" && "$dir/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=64 \
        -print_final_stats=1 "$corpus" $( [[ -d "$seeds" ]] && echo "$seeds" ))
done
