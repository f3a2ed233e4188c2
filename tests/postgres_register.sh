#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The register on a real PostgreSQL server: starts a private server from
# Debian's postgresql package (initdb in a temporary folder, listening on a
# socket in that folder only, no TCP port; run as an unprivileged user, as
# the server refuses root), runs the register test against it, stops it.
#   postgres_register.sh TST_REGISTER [ARGUMENTS…]
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

# TLS on 127.0.0.1 (a port nobody uses), with a certificate authority made
# here and another one that did not sign the server's certificate; the
# socket stays without encryption, TCP without it is refused.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Office CA" -keyout ca.key -out ca.crt 2>/dev/null
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Other CA" -keyout other.key -out other.crt 2>/dev/null
openssl req -newkey rsa:2048 -nodes -subj "/CN=localhost" -keyout data/server.key -out server.csr 2>/dev/null
printf 'subjectAltName=DNS:localhost,IP:127.0.0.1\n' >san.ext
openssl x509 -req -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 2 -extfile san.ext \
    -out data/server.crt 2>/dev/null
chmod 600 data/server.key
[[ ${#run_as[@]} -gt 0 ]] && chown "$user" data/server.key data/server.crt ca.crt other.crt
printf 'local all all trust\nhostssl all all 127.0.0.1/32 trust\nhostnossl all all 127.0.0.1/32 reject\n' >data/pg_hba.conf
echo "ssl = on" >>data/postgresql.conf # in the file: a test turns it off for a while
port=$((20000 + RANDOM % 20000))
while (: </dev/tcp/127.0.0.1/$port) 2>/dev/null; do port=$((port + 1)); done
"${run_as[@]}" "$bin/pg_ctl" -D "$root/data" -l "$root/server.log" -w \
    -o "-k $root -p $port -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null ||
    { cat "$root/server.log"; exit 1; }
"$bin/createdb" -h "$root" -p "$port" -U clerk register

export CHEQUE_PG_HOST=$root CHEQUE_PG_PORT=$port CHEQUE_PG_DATABASE=register CHEQUE_PG_USER=clerk \
    CHEQUE_PG_DATA=$root/data CHEQUE_PG_CA=$root/ca.crt CHEQUE_PG_OTHER_CA=$root/other.crt
"$test_exe" "${@:2}"
