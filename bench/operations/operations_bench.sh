#!/usr/bin/env bash
# Removal over a 1,000-mail folder (MB/s of source rewritten) and decoding a
# 100 MB attachment, through qbx, against Python's email package doing the
# same; printed as ratios. bench/operations/operations_bench.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build/native}
qbx=$(cd "$build" && pwd)/host/qbx/qbx
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
now() { date +%s.%N; }
mbps() { python3 -c "print('%.1f' % ($1 / ($2) / 1e6))"; }

python3 "$here/../catalogue/make_mails.py" "$work/eml" 1000 60 >/dev/null
"$qbx" import "$work/data/box/inbox/" "$work"/eml/*.eml >/dev/null
bytes=$(cat "$work"/data/box/inbox/*.eml | wc -c)
rows=$("$qbx" scan "$work/data/" box/inbox/ | wc -l)
t0=$(now); "$qbx" scan "$work/data/" box/inbox/ >/dev/null; t1=$(now)
"$qbx" remove "$work/data/" box/inbox/ $(seq 1 "$rows") >/dev/null; t2=$(now)
scan=$(python3 -c "print($t1 - $t0)"); removal=$(python3 -c "print(max($t2 - $t1 - ($t1 - $t0), 1e-6))")
ours=$(mbps "$bytes" "$removal")
peer_line=$(python3 "$here/python_operations_peer.py" remove "$work/eml")
peer_bytes=${peer_line#bytes=}; peer_bytes=${peer_bytes%% *}; peer_seconds=${peer_line##*seconds=}
peer=$(mbps "$peer_bytes" "$peer_seconds")
echo "removal: $rows attachments from 1000 mails, $bytes bytes; qbx ${ours} MB/s (scan ${scan}s taken off), python-email ${peer} MB/s, ratio $(python3 -c "print('%.2f' % ($ours / $peer))")"

python3 "$here/make_big_mail.py" "$work/big.eml" 100
"$qbx" import "$work/data/box/big/" "$work/big.eml" >/dev/null
big=$(wc -c < "$work/big.eml")
t0=$(now); "$qbx" save "$work/data/" box/big/ 1 "$work/big.out"; t1=$(now)
cmp "$work/big.out" "$work/big.eml.bin"
ours=$(mbps "$big" "$t1 - $t0")
peer_line=$(python3 "$here/python_operations_peer.py" save "$work/big.eml" "$work/big.peer")
peer_seconds=${peer_line##*seconds=}
peer=$(mbps "$big" "$peer_seconds")
echo "decode 100 MB: qbx ${ours} MB/s of source (scan included), python-email ${peer} MB/s, ratio $(python3 -c "print('%.2f' % ($ours / $peer))")"
