# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that run the real program: a private X server
# without access control (another user's program may open windows on it),
# stopped with the script. Needs $work, a scratch folder.

xvfb_pid=
start_xvfb() {
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -ac >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [[ -s "$work/display" ]] && break
        sleep 0.1
    done
    export DISPLAY=":$(head -n1 "$work/display")"
    unset QT_QPA_PLATFORM
    export QT_FONT_DPI=96
    # In a sanitizer build: the X keyboard library hands strndup a buffer with
    # no terminating zero, which strict string checks report; it is not ours.
    if [[ -n "${ASAN_OPTIONS:-}" ]]; then
        export ASAN_OPTIONS="${ASAN_OPTIONS//strict_string_checks=1/strict_string_checks=0}"
    fi
}

# Stops the server and removes the scratch folder (also one made read-only).
cleanup() {
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}

fail() {
    echo "FAIL: $*" >&2
    [[ -s "$work/log" ]] && sed 's/^/program: /' "$work/log" >&2
    exit 1
}
