#!/usr/bin/env bash
# Packs the release from the i686 build and checks what a user unpacks: the
# five files and nothing else, checksums that hold, and the ReadMe files in
# their code pages with CR LF.
#   check_dist.sh WIN32_BUILD_DIR OUTPUT_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out="$2"
fail() { echo "FAIL: $*"; exit 1; }

bash "$root/scripts/dist.sh" "$1" "$out"
archive="$out/quillbox-1.26.zip"
[ -f "$archive" ] || fail "no archive named for version 1.26 in $out"

unpacked="$out/unpacked"; rm -rf "$unpacked"; mkdir -p "$unpacked"
unzip -q "$archive" -d "$unpacked"
listing=$(cd "$unpacked" && find . -type f | sort)
expected=$(printf './quillbox-1.26/%s\n' Quillbox_ReadMeEng.txt Quillbox_ReadMeJpn.txt SHA256SUMS.txt bregexp.dll quillbox.dll | sort)
[ "$listing" = "$expected" ] || fail "archive holds:"$'\n'"$listing"
cd "$unpacked/quillbox-1.26"
sha256sum --quiet -c SHA256SUMS.txt || fail "checksums"
[ "$(wc -l <SHA256SUMS.txt)" -eq 4 ] || fail "checksum list: $(cat SHA256SUMS.txt)"

python3 - <<'PY' || fail "ReadMe files"
import sys
for name, encoding, must in (("Quillbox_ReadMeJpn.txt", "cp932", "添付ファイル"), ("Quillbox_ReadMeEng.txt", "ascii", "attachment")):
    data = open(name, "rb").read()
    text = data.decode(encoding)
    assert must in text, f"{name}: no {must!r}"
    assert data.count(b"\n") == data.count(b"\r\n") > 100, f"{name}: not CR LF throughout"
    for needle in ("X-Removed-Attachment", "X-Detached-Attachment", "quillbox.ini", "Ctrl+Alt+A", "Ctrl+G",
                   "Ctrl+T", "F3", "Del", "1.26"):
        assert needle in text, f"{name}: no {needle!r}"
PY
echo "PASS: $archive"
