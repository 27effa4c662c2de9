#!/usr/bin/env bash
# The MIME reader's figures: the scan of the 1 GB benchmark folder under the
# classic and the full rules (through the store, and over mails held in
# memory), and the save of a 100 MB attachment with its peak memory.
#   bench/mime/run.sh BUILD-DIR
set -euo pipefail
build=$(cd "${1:?usage: run.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
# The folder the catalogue benchmark uses.
store=$(bash "$here/../catalogue/make_folder.sh" "$build")

field() { sed -n "s|.*[[:space:]]$1=\([0-9.]*\).*|\1|p" <<<"$2" | head -1; }
classic=$("$build/bench/catalogue/scan_bench" folder "$store" mixed/inbox/ classic | grep '^scan')
full=$("$build/bench/catalogue/scan_bench" folder "$store" mixed/inbox/ full | grep '^scan')
memory=$("$build/bench/mime/mime_bench" scan "$store" mixed/inbox/)
save=$("$build/bench/mime/mime_bench" save 100)
echo "through the store (reads included):"
echo "  classic: $classic"
echo "  full:    $full"
echo "over mails in memory:"
sed 's/^/  /' <<<"$memory"
echo "save of a 100 MB attachment over mails in memory:"
sed 's/^/  /' <<<"$save"
awk -v sc="$(field 'cpu-MB/s' "$classic")" -v sf="$(field 'cpu-MB/s' "$full")" \
    -v wc="$(field 'MB/s' "$classic")" -v wf="$(field 'MB/s' "$full")" \
    -v mc="$(field 'cpu-MB/s' "$(grep '^scan-classic' <<<"$memory")")" \
    -v mf="$(field 'cpu-MB/s' "$(grep '^scan-full' <<<"$memory")")" \
    -v mr="$(field 'cpu-MB/s' "$(grep '^reader' <<<"$memory")")" \
    -v mm="$(field 'cpu-MB/s' "$(grep '^memcpy' <<<"$memory")")" \
    -v sb="$(field 'cpu-MB/s' "$(grep '^save-base64 ' <<<"$save")")" \
    -v s8="$(field 'cpu-MB/s' "$(grep '^save-8bit ' <<<"$save")")" \
    -v lb="$(field 'locate-cpu-MB/s' "$(grep '^save-base64-steps' <<<"$save")")" \
    -v l8="$(field 'locate-cpu-MB/s' "$(grep '^save-8bit-steps' <<<"$save")")" \
    -v pp="$(field 'per-encoded-byte' "$(grep '^save-base64-peak ' <<<"$save")")" \
    -v ph="$(field 'per-encoded-byte' "$(grep '^save-base64-peak-with' <<<"$save")")" 'BEGIN {
  printf "full / classic scan, store: %.2f (processor time), %.2f (wall); aim >= 1\n", sf / sc, wf / wc
  printf "full scan, store: %.0f MB/s processor time; aim >= 1000\n", sf
  printf "full / classic scan, in memory: %.2f; full scan %.0f MB/s processor time (reader alone %.0f, memcpy %.0f)\n", mf / mc, mf, mr, mm
  printf "save, finding and cutting the body: Base64 %.0f MB/s, 8bit %.0f MB/s processor time; aim >= 1000\n", lb, l8
  printf "save, whole (the source handed over, finding, cutting, writing the body out): Base64 %.0f MB/s, 8bit %.0f MB/s\n", sb, s8
  printf "save, peak memory per encoded byte: %.2f (plug-in), %.2f (with the host converter); aim <= 2\n", pp, ph
}'
