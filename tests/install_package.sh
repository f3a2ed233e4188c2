#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program as users get it: installed into a prefix that cannot be
# written, started under Xvfb with a fresh home (its files go to the user's
# data folder, nothing into the prefix), --data-dir and --version; the
# desktop entry and the AppStream file validated; the Debian package built
# from debian/ twice (the same bytes both times, once with the unit suites
# run at build time and once under nocheck), lintian clean, hardened and
# stripped, installed into a private root, its autopkgtests run against it,
# and removed.
# The package is built from the sources alone, so the sanitizer build's run
# leaves it to the release build's (no-package).
#   install_package.sh BUILD-DIR WMDELETE [package|no-package]
set -euo pipefail

build=$1
wmdelete=$2
package=${3:-package}
for tool in Xvfb xdotool desktop-file-validate appstreamcli dpkg-deb dpkg-buildpackage dh lintian readelf pdftotext; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
work=$(mktemp -d /tmp/cheque-install-XXXXXX)
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
trap cleanup EXIT

echo "1. install into a prefix"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/cheque-printer bin/cheque-words libexec/cheque-printer/cheque-xlsx share/man/man1/cheque-words.1 \
    share/applications/org.example.ChequePrinter.desktop share/metainfo/org.example.ChequePrinter.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.example.ChequePrinter.svg \
    share/icons/hicolor/48x48/apps/org.example.ChequePrinter.png share/doc/cheque-printer/LICENSE; do
    [[ -e "$prefix/$f" ]] || fail "$f was not installed"
done
desktop-file-validate "$prefix/share/applications/org.example.ChequePrinter.desktop" >"$work/desktop.txt" 2>&1 || true
grep -q "error:" "$work/desktop.txt" && fail "the desktop entry: $(cat "$work/desktop.txt")"
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.ChequePrinter.metainfo.xml" >"$work/as.txt" 2>&1 ||
    fail "the metainfo: $(cat "$work/as.txt")"
chmod -R a-w "$prefix"
find "$prefix" -newer "$work" -type f | sort >"$work/prefix.before"

echo "2. the installed program under Xvfb, with a fresh home"
start_xvfb
unset XDG_DATA_HOME XDG_CONFIG_HOME
export HOME="$work/home"
mkdir "$HOME"
# Root may write anywhere: the program then runs as nobody, for whom the
# prefix is what it is for a user.
as_user=()
if [[ $(id -u) -eq 0 ]]; then
    chown nobody "$HOME"
    chmod 755 "$work"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
(cd / && exec "${as_user[@]}" "$prefix/bin/cheque-printer") >"$work/log" 2>&1 &
pid=$!
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Print Cheque$' | head -n1) ||
    fail "the main window did not appear"
sleep 1
"$wmdelete" "$main"
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "the program did not end"; }
wait "$pid" || fail "the program ended with status $?"
data="$HOME/.local/share/cheque-printer"
for f in banks.txt options.txt money.txt; do
    [[ -f "$data/$f" ]] || fail "$f is not in the user's data folder"
done
# The installed program prints a list into its register.
printf 'Date,Payee,Amount\r\n2026-12-07,Dorvan Eskel,5000\r\n' >"$HOME/list.csv"
"${as_user[@]}" "$prefix/bin/cheque-printer" --batch "$HOME/list.csv" --bank SIB --to-pdf "$HOME/cheques.pdf" \
    >"$work/log" 2>&1 || fail "the installed program could not print a list"
[[ -f "$data/register.sqlite" && -s "$HOME/cheques.pdf" ]] || fail "the list was not printed and recorded"
find "$prefix" -type f | sort >"$work/prefix.after"
find "$prefix" -newer "$work" -type f | sort >"$work/prefix.changed"
cmp -s "$work/prefix.before" "$work/prefix.changed" || fail "the program wrote into its prefix"
"${as_user[@]}" "$prefix/bin/cheque-printer" --version | grep -q "Data folder: $data/" ||
    fail "--version does not name the data folder"
"$prefix/bin/cheque-printer" --version --data-dir "$work/elsewhere" | grep -q "Data folder: $work/elsewhere/" ||
    fail "--data-dir is not the data folder"
[[ -d "$work/elsewhere" ]] || fail "--data-dir did not create its folder"

if [[ "$package" != package ]]; then
    echo "PASS (the package is built in the release build's run)"
    exit 0
fi
echo "3. the Debian package: its source package made from the tree, and the binary built from that source package"
echo "   in two different folders"
src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
mkdir -p "$work/tree/src"
tar -C "$src" --exclude='./build*' --exclude=./.git --exclude='./obj-*' --exclude=./debian/.debhelper \
    --exclude=./debian/cheque-printer --exclude=./debian/cheque-printer-dbgsym --exclude=./debian/tmp \
    --exclude=./debian/files --exclude='./debian/*.substvars' --exclude=./debian/debhelper-build-stamp \
    -cf - . | tar -C "$work/tree/src" -xf -
(cd "$work/tree/src" && dpkg-buildpackage -S -uc -us >"$work/tree/build.log" 2>&1) ||
    fail "dpkg-buildpackage -S: $(tail -5 "$work/tree/build.log")"
dsc="$work/tree/cheque-printer_1.1.0.dsc"
[[ -f "$dsc" ]] || fail "no source package"
# The binary packages (and the source again) from the unpacked source
# package alone.
build_package() {
    local dir=$1 options=$2
    shift 2
    mkdir -p "$dir"
    dpkg-source -x "$dsc" "$dir/src" >"$dir/unpack.log" 2>&1 || fail "dpkg-source -x: $(tail -5 "$dir/unpack.log")"
    (cd "$dir/src" && DEB_BUILD_OPTIONS="$options" dpkg-buildpackage "$@" -uc -us -j2 >"$dir/build.log" 2>&1) ||
        fail "dpkg-buildpackage: $(tail -30 "$dir/build.log")"
}
# The first build runs the unit suites; the second is told not to, and must
# give the same package.
build_package "$work/one" "parallel=2"
grep -q "tests passed, 0 tests failed" "$work/one/build.log" || fail "the package build ran no tests"
build_package "$work/two/elsewhere" "nocheck" -b
if grep -q "tests passed" "$work/two/elsewhere/build.log"; then fail "the build ran tests under nocheck"; fi
deb="$work/one/cheque-printer_1.1.0_amd64.deb"
[[ -f "$deb" ]] || fail "no binary package from the source package"
[[ -f "$work/one/cheque-printer-dbgsym_1.1.0_amd64.deb" ]] || fail "no -dbgsym package"
cmp -s "$deb" "$work/two/elsewhere/cheque-printer_1.1.0_amd64.deb" ||
    fail "two builds in different folders gave different packages"
lintian --pedantic --fail-on error,warning "$work/one/cheque-printer_1.1.0_amd64.changes" >"$work/lintian.txt" 2>&1 ||
    fail "lintian: $(cat "$work/lintian.txt")"
dpkg-deb --info "$deb" >"$work/info.txt"
for dependency in libqt6widgets6 libqt6sql6-sqlite libquazip1-qt6-1 libxlsxwriter4 libcsv3 libpoppler-qt6-3 \
    fonts-liberation2 fonts-dejavu-core; do
    grep -q "^ Depends:.*$dependency" "$work/info.txt" || fail "the package does not depend on $dependency"
done
grep -q "^ Recommends:.*qt6-translations-l10n" "$work/info.txt" || fail "the package does not recommend Qt's translations"
dpkg-deb --contents "$deb" >"$work/contents.txt"
for f in ./usr/bin/cheque-printer ./usr/bin/cheque-words ./usr/libexec/cheque-printer/cheque-xlsx \
    ./usr/share/applications/org.example.ChequePrinter.desktop ./usr/share/man/man1/cheque-words.1.gz \
    ./usr/share/man/man1/cheque-printer.1.gz ./usr/share/doc/cheque-printer/copyright; do
    grep -q " $f\$" "$work/contents.txt" || fail "the package lacks $f"
done
# Hardened (position independent, bound at load, read-only relocations,
# stack protector) and stripped, without the build's folder in them.
dpkg-deb -x "$deb" "$work/unpacked"
for f in usr/bin/cheque-printer usr/bin/cheque-words usr/libexec/cheque-printer/cheque-xlsx \
    usr/libexec/cheque-printer/cheque-pdfpage; do
    binary="$work/unpacked/$f"
    elf=$(readelf -h -d -l -S --dyn-syms -W "$binary")
    grep -q "Type: *DYN" <<<"$elf" || fail "$f is not position independent"
    grep -q "BIND_NOW" <<<"$elf" || fail "$f is not bound at load"
    grep -q "GNU_RELRO" <<<"$elf" || fail "$f has no read-only relocations"
    grep -q "__stack_chk_fail" <<<"$elf" || fail "$f has no stack protector"
    if grep -q "debug_info" <<<"$elf"; then fail "$f is not stripped"; fi
    if grep -q -E "RUNPATH|RPATH" <<<"$elf"; then fail "$f has a run path of its own"; fi
    if grep -q "$work" "$binary"; then fail "$f holds the build's folder"; fi
done
if [[ $(id -u) -eq 0 ]]; then
    root="$work/root"
    mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
    touch "$root/var/lib/dpkg/status"
    dpkg --root="$root" --force-depends --no-triggers -i "$deb" >/dev/null 2>&1 || fail "dpkg could not install the package"
    [[ -x "$root/usr/bin/cheque-printer" ]] || fail "the package installed no program"
    # The installed program prints a list, headless.
    QT_QPA_PLATFORM=offscreen "$root/usr/bin/cheque-printer" --data-dir "$work/packaged" --batch "$HOME/list.csv" \
        --bank SIB --to-pdf "$work/packaged.pdf" >"$work/log" 2>&1 || fail "the packaged program: $(cat "$work/log")"
    [[ -s "$work/packaged.pdf" ]] || fail "the packaged program printed nothing"
    # The package's own tests (autopkgtest's), on the installed package.
    for t in $(sed -n 's/^Tests: //p' "$src/debian/tests/control"); do
        AUTOPKGTEST_TMP=$(mktemp -d "$work/autopkgtest-XXXXXX") PATH="$root/usr/bin:$PATH" \
            sh "$src/debian/tests/$t" >"$work/log" 2>&1 || fail "debian/tests/$t: $(cat "$work/log")"
    done
    # Every word where the tested build puts it.
    QT_QPA_PLATFORM=offscreen "$build/app/cheque-printer" --data-dir "$work/built" --batch "$HOME/list.csv" \
        --bank SIB --to-pdf "$work/built.pdf" >"$work/log" 2>&1 || fail "the built program: $(cat "$work/log")"
    for pdf in packaged built; do
        pdftotext -bbox "$work/$pdf.pdf" - | grep "<word" >"$work/$pdf.words"
    done
    [[ -s "$work/built.words" ]] || fail "no words on the built program's page"
    cmp -s "$work/packaged.words" "$work/built.words" ||
        fail "the packaged program places its words elsewhere: $(diff "$work/built.words" "$work/packaged.words" | head)"
    dpkg --root="$root" -r cheque-printer >/dev/null 2>&1 || fail "dpkg could not remove the package"
    [[ ! -e "$root/usr/bin/cheque-printer" ]] || fail "the program stayed after the package was removed"
fi
echo "PASS"
