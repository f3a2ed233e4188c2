#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real executable in a real X session (Xvfb, no window manager): its data
# files are created, written back and kept exactly as the program promises.
#   xvfb_program.sh CHEQUE-PRINTER WMDELETE
set -euo pipefail

exe=$1
wmdelete=$2
work=$(mktemp -d "/tmp/cheque xvfb شيك-XXXXXX")
chmod 755 "$work"
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
trap cleanup EXIT
start_xvfb

# The bytes a file must hold: UTF-8 lines given here, Windows-1256 with CR LF.
expect() {
    local file=$1
    shift
    printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP1256 >"$work/expected"
    cmp -s "$work/expected" "$file" || fail "$file differs from what was expected"
}

# Answers with Escape the windows titled like $1 (other than window $2)
# that appear within 5 s, and notes how many there were in $work/answered.
answer_messages() {
    local title=$1 seen=0
    for _ in $(seq 50); do
        for id in $(xdotool search --onlyvisible --name "$title" 2>/dev/null); do
            [[ "$id" == "${2:-}" ]] && continue
            xdotool windowfocus --sync "$id" key Escape 2>/dev/null || true
            seen=$((seen + 1))
        done
        ((seen > 0)) && break
        sleep 0.1
    done
    echo "$seen" >>"$work/answered"
}

# Starts the program copied into DIR from another working directory (as
# the user the further arguments give), closes its window as the close box
# does, runs $after_close with the main window's id when set, and waits for
# the program to end.
session() {
    local dir=$1
    shift
    local -a as_user=("$@")
    cp "$exe" "$dir/cheque-printer"
    (cd / && exec "${as_user[@]}" "$dir/cheque-printer") >"$work/log" 2>&1 &
    local pid=$!
    local main
    main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Print Cheque$' | head -n1) ||
        fail "the main window did not appear"
    # Let the start-up finish (its messages, if any, are answered by the caller).
    sleep 1
    "$wmdelete" "$main"
    [[ -n "${after_close:-}" ]] && "$after_close" "$main"
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        fail "the program did not end when its window was closed"
    fi
    wait "$pid" || fail "the program ended with status $?"
}

initial='51#0001001245-16777208/Times New Roman/12/100-16777208/Times New Roman/12/100-16777208/Times New Roman/12/100-16777208/Times New Roman/12/100-16777208/Times New Roman/12/10032/512/21/121/128/80/29/537/168/536/25/121/168/80/57/369/16/96/21/121/0/0/0/'
uae=('درهم' 'DHs' 'Dhs' 'فلس' 'Fils' 'درهمان' 'فلسان' 'دراهم' 'فلوس' '2' 'T' 'T')

echo "1. first run in an empty directory"
first="$work/first run دليل"
mkdir "$first"
session "$first"
expect "$first/money.txt" "${uae[@]}"
expect "$first/banks.txt" 'SIB'
expect "$first/options.txt" "$initial"

echo "2. three banks come back unchanged"
second="$work/three banks"
mkdir "$second"
printf '%s\r\n' 'SIB' 'بنك دبي' 'ADCB' | iconv -f UTF-8 -t CP1256 >"$second/banks.txt"
printf '%s\r\n' "$initial" "${initial/512\//500\/}" "${initial/537\//20\/}" | iconv -t CP1256 >"$second/options.txt"
cp "$second/banks.txt" "$work/banks.before"
cp "$second/options.txt" "$work/options.before"
session "$second"
cmp -s "$work/banks.before" "$second/banks.txt" || fail "banks.txt changed"
cmp -s "$work/options.before" "$second/options.txt" || fail "options.txt changed"

echo "3. a read-only directory: the user's data folder, started from the files beside the program"
if [[ $(id -u) -ne 0 ]]; then
    echo "SKIP: the read-only case runs the program as another user, which needs root"
else
    third="$work/read only"
    cp -r "$second" "$third"
    cp "$third/money.txt" "$work/money.before"
    chmod 644 "$third"/*.txt
    chmod 555 "$third"
    home="$work/home"
    mkdir "$home"
    chown nobody "$home"
    rm -f "$work/answered"
    close_question() { answer_messages '^Print Cheque$' "$1"; }
    (
        after_close=close_question
        session "$third" setpriv --reuid=nobody --regid=nogroup --clear-groups \
            env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home"
    ) &
    runner=$!
    # No message at start: nothing is wrong.
    answer_messages '^Error$'
    wait "$runner" || fail "the program did not end in the read-only directory"
    chmod 755 "$third"
    [[ $(head -n1 "$work/answered") -eq 0 ]] || fail "a message at start"
    [[ $(tail -n1 "$work/answered") -eq 0 ]] || fail "a question at close, with nothing to lose"
    # The files beside the program are as they were; the user's copies
    # started from them.
    cmp -s "$work/banks.before" "$third/banks.txt" || fail "banks.txt beside the program changed"
    cmp -s "$work/options.before" "$third/options.txt" || fail "options.txt beside the program changed"
    cmp -s "$work/money.before" "$third/money.txt" || fail "money.txt beside the program changed"
    data="$home/.local/share/cheque-printer"
    cmp -s "$work/banks.before" "$data/banks.txt" || fail "the user's banks.txt is not the default's copy"
    cmp -s "$work/options.before" "$data/options.txt" || fail "the user's options.txt is not the default's copy"
    cmp -s "$work/money.before" "$data/money.txt" || fail "the user's money.txt is not the default's copy"
fi
echo "PASS"
