#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The most memory the program takes (/usr/bin/time's maximum resident set)
# reading and checking lists made to exhaust it (a few kilobytes each that
# unpack or spread out far), against an ordinary list of 250 cheques and
# one of 10,000, each given to --batch:
#   bench/hostile_lists.sh [PROGRAM]
set -euo pipefail
program=${1:-build-bench/app/cheque-printer}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
python3 - "$dir" <<'PY'
import sys, zipfile
d = sys.argv[1]
header = 'Date,Payee,Amount\n'
open(f'{d}/list-250.csv', 'w').write(header + ''.join(f'2026-12-07,Payee {i},{100 + i}\n' for i in range(250)))
open(f'{d}/list-10000.csv', 'w').write(header + ''.join(f'2026-12-07,Payee {i},{100 + i}\n' for i in range(10000)))
open(f'{d}/commas.csv', 'w').write(header + ',' * (15 * 1024 * 1024))
open(f'{d}/rows.csv', 'w').write(header + '2026-12-07,Payee,5\n' * 600000)
wb = b'<workbook xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="L" sheetId="1" r:id="rId1"/></sheets></workbook>'
rels = b'<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>'
hdr = b'<row r="1"><c r="A1" t="inlineStr"><is><t>Date</t></is></c><c r="B1" t="inlineStr"><is><t>Payee</t></is></c><c r="C1" t="inlineStr"><is><t>Amount</t></is></c></row>'
def book(name, sheet, shared=None):
    with zipfile.ZipFile(f'{d}/{name}', 'w', zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        z.writestr('xl/workbook.xml', wb)
        z.writestr('xl/_rels/workbook.xml.rels', rels)
        z.writestr('xl/worksheets/sheet1.xml', b'<worksheet><sheetData>' + sheet + b'</sheetData></worksheet>')
        if shared is not None:
            z.writestr('xl/sharedStrings.xml', b'<sst>' + shared + b'</sst>')
book('sparse.xlsx', hdr + b''.join(b'<row r="%d"><c r="XFD%d"><v>1</v></c></row>' % (r, r) for r in range(2, 20002)))
book('shared.xlsx', hdr, b'<si/>' * 100000000)
book('sheet.xlsx', hdr + b'<row/>' * 100000000)
PY
mkdir -p "$dir/data"
printf '%-16s %10s %12s\n' list bytes 'max RSS KB'
for f in list-250.csv list-10000.csv sparse.xlsx shared.xlsx sheet.xlsx commas.csv rows.csv; do
    QT_QPA_PLATFORM=offscreen /usr/bin/time -f '%M' -o "$dir/rss" "$program" --batch "$dir/$f" --bank SIB \
        --to-pdf "$dir/out.pdf" --data-dir "$dir/data" --allow-duplicates >/dev/null 2>&1 || true
    rss=$(tail -n 1 "$dir/rss")
    printf '%-16s %10s %12s\n' "$f" "$(stat -c %s "$dir/$f")" "$rss"
done
