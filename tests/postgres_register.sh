#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The register on a real PostgreSQL server: starts a private server from
# Debian's postgresql package (initdb in a temporary folder, listening on a
# socket in that folder only, no TCP port; run as an unprivileged user, as
# the server refuses root), runs the register test against it, stops it.
#   postgres_register.sh TST_REGISTER
set -euo pipefail

test_exe=$1
bin=
for dir in /usr/lib/postgresql/*/bin; do
    [[ -x "$dir/initdb" && -x "$dir/pg_ctl" ]] && bin=$dir
done
[[ -n "$bin" ]] || { echo "SKIP: the postgresql package is missing"; exit 77; }

# The server's own user: the package's postgres, else nobody.
run_as=()
if [[ $(id -u) -eq 0 ]]; then
    user=postgres
    id "$user" >/dev/null 2>&1 || user=nobody
    run_as=(runuser -u "$user" --)
fi

# A short folder: the socket's path is limited to 107 bytes.
root=$(mktemp -d /tmp/pgXXXXXX)
cleanup() {
    "${run_as[@]}" "$bin/pg_ctl" -D "$root/data" -m fast -w stop >/dev/null 2>&1 || true
    rm -rf "$root"
}
trap cleanup EXIT
[[ ${#run_as[@]} -gt 0 ]] && chown "$user" "$root"
cd "$root"

# UTF-8 whatever the caller's locale (without it: SQL_ASCII).
"${run_as[@]}" "$bin/initdb" --no-sync -E UTF8 --locale=C.UTF-8 --auth=trust -U clerk -D "$root/data" >"$root/initdb.log" 2>&1 ||
    { cat "$root/initdb.log"; exit 1; }
"${run_as[@]}" "$bin/pg_ctl" -D "$root/data" -l "$root/server.log" -w \
    -o "-k $root -c listen_addresses='' -c fsync=off" start >/dev/null ||
    { cat "$root/server.log"; exit 1; }
"$bin/createdb" -h "$root" -U clerk register

export CHEQUE_PG_HOST=$root CHEQUE_PG_DATABASE=register CHEQUE_PG_USER=clerk CHEQUE_PG_DATA=$root/data
"$test_exe"
