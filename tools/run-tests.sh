#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then builds and runs every test twice: in the
# release build and in the AddressSanitizer + UndefinedBehaviorSanitizer
# build. Ends with CTest's summary of the sanitizer run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/deps.sh"

# Tests never reach a real printer, a desktop setting or a user's locale.
unset LC_ALL LANGUAGE LC_TIME LC_NUMERIC QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
export CUPS_SERVER=127.0.0.1:1
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
for config in release asan; do
    echo "=== $config build"
    "$root/tools/build.sh" "$config"
    dir="$root/build"
    [[ "$config" == asan ]] && dir="$root/build-asan"
    echo "=== $config tests"
    ctest --test-dir "$dir" --output-on-failure -j2 || status=1
done
exit $status
