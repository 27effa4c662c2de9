#!/usr/bin/env bash
# Makes the benchmark folder once and keeps it for later runs: 10,000
# realistic mails (about 1 GB) as .eml files, and imported into a store.
#   bench/catalogue/make_folder.sh BUILD-DIR   (prints the store's data folder)
set -euo pipefail
build=$(cd "${1:?usage: make_folder.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
data="$build/bench-data/catalogue"
eml="$data/eml"
store="$data/store"

if [[ ! -f "$eml/.complete" ]]; then
  rm -rf "$eml"
  python3 "$here/make_mails.py" "$eml" 10000 1000 >&2
  touch "$eml/.complete"
fi
if [[ ! -f "$store/.complete" ]]; then
  rm -rf "$store"
  "$build/host/qbx/qbx" import "$store/mixed/inbox" "$eml"/*.eml >/dev/null
  touch "$store/.complete"
fi
echo "$store"
