#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Printing through a real CUPS queue: starts a private cupsd on loopback with
# the CUPS-PDF printer, runs the print-run test against it, and checks the
# queue's record of the jobs.
#   cups_print.sh TST_CUPS
set -euo pipefail

test_exe=$1
for tool in cupsd lpadmin lpstat; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
[[ -x /usr/lib/cups/backend/cups-pdf ]] || { echo "SKIP: the CUPS-PDF printer is missing"; exit 77; }
[[ $(id -u) -eq 0 ]] || { echo "SKIP: cupsd and its PDF printer need root"; exit 77; }

root=$(mktemp -d /tmp/cheque-cups-XXXXXX)
queue="ChequeTest$$"
pdf_conf="/etc/cups/cups-pdf-$queue.conf"
cupsd_pid=
cleanup() {
    [[ -n "$cupsd_pid" ]] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
    rm -f "$pdf_conf"
    rm -rf "$root"
}
trap cleanup EXIT

chmod 755 "$root"
mkdir -p "$root"/{etc,spool,tmp,cache,state,log,out}
# The filters run as lp: they read the spooled jobs and write temporary files.
chgrp lp "$root/spool" "$root/cache"
chmod 0710 "$root/spool"
chmod 0770 "$root/cache"
chmod 1777 "$root/tmp" "$root/out"
port=$((20000 + $$ % 20000))
cat >"$root/etc/cups-files.conf" <<CONF
ServerRoot $root/etc
RequestRoot $root/spool
TempDir $root/tmp
CacheDir $root/cache
StateDir $root/state
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
CONF
cat >"$root/etc/cupsd.conf" <<CONF
Listen 127.0.0.1:$port
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
# The test reads the jobs the queue received.
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
# The PDF printer writes into our folder, for this queue only.
cat >"$pdf_conf" <<CONF
Out $root/out
AnonDirName $root/out
Spool $root/spool
CONF

cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER="127.0.0.1:$port"
for _ in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.1
done
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
lpadmin -d "$queue"

CHEQUE_CUPS_OUT="$root/out" CHEQUE_CUPS_SPOOL="$root/spool" CHEQUE_CUPS_QUEUE="$queue" "$test_exe"

# The queue printed one job per cheque.
completed=$(lpstat -W completed -o "$queue" | wc -l)
if [[ "$completed" -ne 3 ]]; then
    echo "FAIL: $completed completed jobs, not 3" >&2
    cat "$root/log/error_log" >&2 || true
    exit 1
fi
echo "PASS: 3 jobs"
