#!/usr/bin/env bash
# The folder scan: a realistic folder of 10,000 mails (about 1 GB of
# sources) scanned through the store, next to memcpy over the same bytes and
# Python's email package parsing the same files; then parts without an empty
# line of 1, 10 and 100 MB. The generated folder is kept for later runs.
#   bench/catalogue/run.sh BUILD-DIR
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
data="$build/bench-data/catalogue"
eml="$data/eml"
store="$data/store"

if [[ ! -f "$eml/.complete" ]]; then
  rm -rf "$eml"
  python3 "$here/make_mails.py" "$eml" 10000 1000
  touch "$eml/.complete"
fi
if [[ ! -f "$store/.complete" ]]; then
  rm -rf "$store"
  "$build/host/qbx/qbx" import "$store/mixed/inbox" "$eml"/*.eml >/dev/null
  touch "$store/.complete"
fi

scan=$("$build/bench/catalogue/scan_bench" folder "$store" mixed/inbox/)
peer=$(python3 "$here/python_email_peer.py" "$eml")
echo "$scan"
echo "$peer"
field() { sed -n "s|.*[[:space:]]$1=\([0-9.]*\).*|\1|p" <<<"$2" | head -1; }
scan_mbs=$(field 'MB/s' "$(grep '^scan' <<<"$scan")")
scan_cpu=$(field 'cpu-MB/s' "$(grep '^scan' <<<"$scan")")
copy_mbs=$(field 'MB/s' "$(grep '^memcpy' <<<"$scan")")
peer_mbs=$(field 'MB/s' "$peer")
peer_cpu=$(field 'cpu-MB/s' "$peer")
awk -v s="$scan_mbs" -v c="$scan_cpu" -v m="$copy_mbs" -v p="$peer_mbs" -v q="$peer_cpu" 'BEGIN {
  printf "scan %.0f MB/s (processor time alone: %.0f MB/s; aim 1000)\n", s, c
  printf "scan / memcpy          = %.3f\n", s / m
  printf "scan / python email    = %.1f x (processor time: %.1f x)\n", s / p, c / q
}'
"$build/bench/catalogue/scan_bench" no-empty-line 1 10 100
