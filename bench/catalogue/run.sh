#!/usr/bin/env bash
# A realistic folder of 10,000 mails (about 1 GB of sources): imported into
# a new folder, timed by thousands; then scanned through the store, next to
# memcpy over the same bytes and Python's email package parsing the same
# files; then parts without an empty line of 1, 10 and 100 MB. The generated
# mails are kept for later runs, and so is the imported folder (the removal
# benchmark copies it).
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
rm -rf "$store"
python3 "$here/import_bench.py" "$build/host/qbx/qbx" "$store/mixed/inbox" "$eml"
touch "$store/.complete"

scan=$("$build/bench/catalogue/scan_bench" folder "$store" mixed/inbox/)
peer=$(python3 "$here/python_email_peer.py" "$eml")
echo "$scan"
echo "$peer"
field() { sed -n "s|.*[[:space:]]$1=\([0-9.]*\).*|\1|p" <<<"$2" | head -1; }
scan_mbs=$(field 'MB/s' "$(grep '^scan' <<<"$scan")")
scan_cpu=$(field 'cpu-MB/s' "$(grep '^scan' <<<"$scan")")
copy_mbs=$(field 'MB/s' "$(grep '^memcpy' <<<"$scan")")
reads_mbs=$(field 'MB/s' "$(grep '^store-reads' <<<"$scan")")
reads_cpu=$(field 'cpu-MB/s' "$(grep '^store-reads' <<<"$scan")")
peer_mbs=$(field 'MB/s' "$peer")
peer_cpu=$(field 'cpu-MB/s' "$peer")
awk -v s="$scan_mbs" -v c="$scan_cpu" -v m="$copy_mbs" -v p="$peer_mbs" -v q="$peer_cpu" \
    -v r="$reads_mbs" -v rc="$reads_cpu" 'BEGIN {
  printf "scan %.0f MB/s, store reads included (processor time alone: %.0f MB/s); aim 2000\n", s, c
  printf "  of which the store reads alone: %.0f MB/s (processor time %.0f MB/s)\n", r, rc
  printf "scan / memcpy          = %.3f (aim 0.12)\n", s / m
  printf "scan / python email    = %.1f x (processor time: %.1f x)\n", s / p, c / q
}'
"$build/bench/catalogue/scan_bench" no-empty-line 1 10 100
