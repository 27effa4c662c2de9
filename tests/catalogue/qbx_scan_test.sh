#!/usr/bin/env bash
# qbx import, then qbx scan, over mails shaped as common mailers write them;
# the listing must be exactly the expected one, under either rule set.
#   qbx_scan_test.sh QBX MAILS-DIR
set -euo pipefail
qbx=$1
mails=$2
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT

"$qbx" import "$data/box/inbox" "$mails"/*.eml >/dev/null
"$qbx" scan "$data" box/inbox/ >"$data/scan.txt"
diff "$mails/expected-scan.txt" "$data/scan.txt"
"$qbx" scan "$data" box/inbox/ --rules full | diff "$mails/expected-scan.txt" -
# The classic rules miss the text part with a file name and the mail whose
# boundary follows another parameter.
"$qbx" scan "$data" box/inbox/ --rules classic | diff "$mails/expected-scan-classic.txt" -
if "$qbx" scan "$data" box/inbox/ --rules old 2>/dev/null; then exit 1; fi

# The progress texts come first, one a line, then the same listing.
"$qbx" scan "$data" box/inbox/ --progress >"$data/progress.txt"
printf '25%%\n50%%\n75%%\n100%%\n' | cat - "$mails/expected-scan.txt" | diff - "$data/progress.txt"

# A folder without its index is an error.
if "$qbx" scan "$data" box/missing/ 2>"$data/error.txt"; then exit 1; fi
grep -q "Folder.idx does not exist." "$data/error.txt"
