#!/usr/bin/env bash
# End-to-end tests of the attachment window: tansyhost.exe with quillbox.dll
# under Wine, driven by host scripts.
#   main_window_e2e.sh SCENARIO QBX
set -uo pipefail
scenario="$1"; qbx="$2"
work="$QBX_ARTIFACTS"; rm -rf "$work"; mkdir -p "$work/plugins"
here=$(cd "$(dirname "$0")" && pwd)
win() { printf 'Z:%s' "$1" | tr '/' '\\'; }
# A path inside a script line: backslashes doubled.
spath() { win "$1" | sed 's/\\/\\\\/g'; }
fail() { echo "FAIL: $*"; exit 1; }

cp "$QBX_WIN64_DIR/src/plugin/quillbox.dll" "$work/plugins/"
cp "$(find "$QBX_WIN64_DIR/src/regex" -name bregexp.dll | head -1)" "$work/plugins/"
python3 "$here/make_folders.py" "$work/mails" || fail "mail folders"

case "$QBX_LOCALE" in
ja) title="Quillbox プラグイン"
    no_attachments="このフォルダには添付ファイル付きのメールはありません"
    not_found="検索語が見つかりませんでした"
    find_caption="検索" ;;
en) title="Quillbox Plug-in"
    no_attachments="This folder has no messages with attachments."
    not_found="The text was not found."
    find_caption="Find" ;;
esac
window="Quillbox*"

import() {  # folder-name mail-files...
  local folder="$1"; shift
  "$qbx" import "$work/data/Box/$folder" "$@" >/dev/null || fail "import into $folder"
}

run_host() {  # script-file -> rc, out
  "$QBX_WINE_RUN" run --prefix "$QBX_WINE_PREFIX" --locale "$QBX_LOCALE" --timeout 240 \
    --artifacts "$work" --name host -- "$QBX_WIN64_DIR/host/win32/tansyhost.exe" \
    --data "$(win "$work/data")" --mailbox 'Box\' --plugin-dir "$(win "$work/plugins")" \
    --script "$(win "$1")"
  rc=$?
  out=$(tr -d '\r' <"$work/host.stdout"; tr -d '\r' <"$work/host.stderr")
  [ $rc -eq 0 ] || fail "host exited $rc: $out"
  grep -q "ledger: clean" <<<"$out" || fail "ledger not clean: $out"
}

# The window on a folder, after its scan: the grid's focus comes last.
open_window() {  # folder
  cat <<SCRIPT
folder "Box\\\\$1\\\\"
run 0 "Tools/$title"
wait-window "$window" 30
SCRIPT
}

case "$scenario" in
no-attachments)
  import Plain "$work/mails/plain.mbox"
  { open_window Plain
    echo "msgbox \"$(spath "$work/notice.txt")\" OK 30"
    echo "wait-gone \"$window\" 10"
    # The activation after the box starts no second scan and no second box.
    echo "sleep 1000"
    echo "expect-no-window \"$window\""
    echo "quit"; } >"$work/script.txt"
  run_host "$work/script.txt"
  grep -qF "$no_attachments" "$work/notice.txt" || fail "notice: $(cat "$work/notice.txt")"
  ;;
esc-during-scan)
  import Big "$work/mails/big.mbox"
  { open_window Big
    echo "sleep 700"
    echo "status \"$window\" 1 \"$(spath "$work/progress.txt")\""
    echo "keys \"$window\" . \"{ESC}\""
    echo "sleep 1500"
    echo "expect-window \"$window\""
    echo "screenshot \"$(spath "$work/stopped.bmp")\""
    echo "keys \"$window\" . \"{ESC}\""
    echo "wait-gone \"$window\" 10"
    echo "quit"; } >"$work/script.txt"
  run_host "$work/script.txt"
  # A percentage below 100 shows the scan was still running when Esc came.
  grep -qE '^[0-9]{1,2}%' "$work/progress.txt" || fail "the scan was not running: $(cat "$work/progress.txt")"
  ;;
*) fail "unknown scenario $scenario" ;;
esac
for bmp in "$work"/*.bmp; do [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png"; done
echo "PASS: $scenario ($QBX_LOCALE)"
