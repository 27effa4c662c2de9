#!/bin/bash
# qbx save and qbx remove over the sample folders: a removal takes exactly the
# rows named, and the attachments left save to the same bytes as before.
set -euo pipefail
qbx=$1 samples_script=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$samples_script" "$work/samples" >/dev/null
"$qbx" import "$work/data/box/inbox/" "$work"/samples/japanese/*.eml >/dev/null
data=$work/data/ folder=box/inbox/

rows_before=$("$qbx" scan "$data" "$folder" | wc -l)
last=$rows_before
"$qbx" save "$data" "$folder" "$last" "$work/last-before"
"$qbx" save "$data" "$folder" 1 "$work/first-before"
[ -s "$work/last-before" ] || { echo "nothing saved"; exit 1; }

"$qbx" remove "$data" "$folder" 1 2 >/dev/null
rows_after=$("$qbx" scan "$data" "$folder" | wc -l)
[ "$rows_after" -eq $((rows_before - 2)) ] || { echo "rows: $rows_before -> $rows_after"; exit 1; }
"$qbx" save "$data" "$folder" $((last - 2)) "$work/last-after"
cmp "$work/last-before" "$work/last-after"

if "$qbx" save "$data" "$folder" 0 "$work/none" 2>/dev/null; then echo "row 0 saved"; exit 1; fi
if "$qbx" remove "$data" "$folder" "$rows_before" 2>/dev/null; then echo "a missing row was removed"; exit 1; fi
echo "ok: $rows_before rows, 2 removed, the last still saves the same"
