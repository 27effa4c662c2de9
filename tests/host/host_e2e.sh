#!/usr/bin/env bash
# End-to-end tests of tansyhost.exe with the probe plug-in.
#   host_e2e.sh menus|driver|double-free|incomplete|bad-lines QBX
set -uo pipefail
mode="$1"; qbx="$2"
work="$QBX_ARTIFACTS"; rm -rf "$work"; mkdir -p "$work"
source "$QBX_SOURCE_DIR/tests/wine/run_host.sh"
fail() { echo "FAIL: $*"; exit 1; }

probedir="$QBX_WIN_DIR/tests/host"

# A mailbox with one folder of two mails, and a folder-less second mailbox.
mkdir -p "$work/data/Other"
cat >"$work/a.eml" <<'MAIL'
From: Alice <alice@example.com>
To: bob@example.com
Subject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?= one
Date: Tue, 01 Dec 2026 10:00:00 +0900
Content-Type: text/plain; charset=US-ASCII

first
MAIL
plain_mail "Carol <carol@example.com>" second "Wed, 02 Dec 2026 10:00:00 +0900" second >"$work/b.eml"
"$qbx" import "$work/data/Box/Inbox" "$work/a.eml" "$work/b.eml" >/dev/null || fail "import"

# Runs the host with one probe plug-in; sets rc and out.
run_probe() {  # exe plugin script [host options...]
  local exe="$1" plugin="$2" script="$3"; shift 3
  run_windows_host "$exe" "$script" --plugin "$(win "$probedir/$plugin")" "$@"
}

case "$mode" in
menus)
  cat >"$work/script.txt" <<SCRIPT
expect-plugins 1
mailbox "Other\\\\"
expect-menu 0 "Probe 0" greyed
expect-menu 2 "Probe 2" greyed
expect-menu 1 "Probe 1" enabled
folder "Box\\\\Inbox\\\\"
expect-menu 0 "Tools/Probe 0" enabled
expect-menu 2 "Probe 2" enabled
dump-menu 0 "$(win "$work/menu0.txt" | sed 's/\\/\\\\/g')"
dump-menu 1 "$(win "$work/menu1.txt" | sed 's/\\/\\\\/g')"
dump-menu 2 "$(win "$work/menu2.txt" | sed 's/\\/\\\\/g')"
run 1 "Probe 1"
msgbox "$(win "$work/report.txt" | sed 's/\\/\\\\/g')" OK
wait-gone Probe
expect-current-mail "Box\\\\Inbox\\\\?2"
quit
SCRIPT
  run_probe tansyhost.exe probe_plugin.dll "$work/script.txt"
  [ $rc -eq 0 ] || fail "host exited $rc: $out"
  grep -q "ledger: clean" <<<"$out" || fail "no clean ledger: $out"
  # Kind 0 goes into the fifth drop-down (Tools), kinds 1 and 2 into the
  # context menus, whose item 32935 follows a separator.
  grep -A3 "^4: popup &Tools" "$work/menu0.txt" | grep -q "enabled Probe 0" || fail "kind 0 item: $(cat "$work/menu0.txt")"
  grep -q "enabled Probe 1" "$work/menu1.txt" || fail "kind 1 item: $(cat "$work/menu1.txt")"
  grep -B1 "32935 enabled" "$work/menu1.txt" | head -1 | grep -q separator || fail "no separator before 32935"
  grep -q "enabled Probe 2" "$work/menu2.txt" || fail "kind 2 item"
  report=$(tr -d '\r' <"$work/report.txt")
  grep -qF 'folder=Box\Inbox\' <<<"$report" || fail "report: $report"
  grep -q "mails=2" <<<"$report" || fail "report: $report"
  # The subject "テスト one": 3 double-byte characters under code page 932, "??? one" under 1252.
  case "$QBX_LOCALE" in ja) want=10 ;; en) want=7 ;; esac
  grep -qF "?1 subject-length=$want" <<<"$report" || fail "decoded subject length: $report"
  # The other arrangements of item 32935 that plug-ins must cope with.
  printf 'dump-menu 1 "%s"\nquit\n' "$(win "$work/layout.txt" | sed 's/\\/\\\\/g')" >"$work/layout-script.txt"
  for layout in first absent plain; do
    run_probe tansyhost.exe probe_plugin.dll "$work/layout-script.txt" --context-layout "$layout"
    [ $rc -eq 0 ] || fail "layout $layout: host exited $rc: $out"
    case "$layout" in
      first) head -1 "$work/layout.txt" | grep -q "^0: 32935 " || fail "first: $(cat "$work/layout.txt")" ;;
      absent) ! grep -q " 32935 " "$work/layout.txt" || fail "absent: $(cat "$work/layout.txt")" ;;
      plain) grep -B1 " 32935 " "$work/layout.txt" | head -1 | grep -qv separator || fail "plain: $(cat "$work/layout.txt")" ;;
    esac
  done
  ;;
driver)
  q() { win "$work/$1" | sed 's/\\/\\\\/g'; }
  mkdir -p "$work/chosen"
  cat >"$work/script.txt" <<SCRIPT
timeout 20
folder "Box\\\\Inbox\\\\"
run 2 "Probe 2"
wait-window "Probe Window"
keys "Probe Window" Edit "hello probe"
menu "Probe Window" "File/Copy"
sleep 300
clipboard "$(q clip.txt)"
expect-contains "$(q clip.txt)" "hello probe"
keys "Probe Window" Edit "{SHIFT+Q}x{LEFT}y"
menu "Probe Window" "File/Copy"
sleep 300
clipboard "$(q clip2.txt)"
click "Probe Window" . 200 150 right
popup Mark
sleep 300
status "Probe Window" 1 "$(q status1.txt)"
expect-contains "$(q status1.txt)" marked
menu "Probe Window" "File/Ask..."
msgbox "$(q ask.txt)" id=7
sleep 300
status "Probe Window" 0 "$(q answer.txt)"
menu "Probe Window" "File/Browse..."
folder-browser "$(q chosen)"
sleep 500
status "Probe Window" 0 "$(q folder.txt)"
menu "Probe Window" "File/Save As..."
save-as "$(q saved.txt)"
sleep 500
status "Probe Window" 0 "$(q saved-status.txt)"
screenshot "$(q shot.bmp)"
close "Probe Window"
wait-gone "Probe Window"
source "Box\\\\Inbox\\\\?1" "$(q 1.eml)"
quit
SCRIPT
  run_probe tansyhost.exe probe_plugin.dll "$work/script.txt"
  [ $rc -eq 0 ] || fail "host exited $rc: $out"
  grep -q "ledger: clean" <<<"$out" || fail "no clean ledger: $out"
  # Shift held through the input queue gives a capital; {LEFT} moved the caret.
  [ "$(cat "$work/clip2.txt")" = "hello probeQyx" ] || fail "keys with a modifier: $(cat "$work/clip2.txt")"
  grep -q "Keep going?" "$work/ask.txt" || fail "message box text: $(cat "$work/ask.txt")"
  grep -q "answer=7" "$work/answer.txt" || fail "the No button was not pressed: $(cat "$work/answer.txt")"
  grep -qi "folder=.*chosen" "$work/folder.txt" || fail "folder browser: $(cat "$work/folder.txt")"
  [ "$(cat "$work/saved.txt" 2>/dev/null)" = probe ] || fail "save dialog: $(cat "$work/saved-status.txt")"
  "$qbx" source "$work/data" "Box/Inbox/?1" >"$work/1.expected" 2>/dev/null || true
  cmp -s "$work/1.eml" "$work/data/Box/Inbox/1.eml" || fail "source differs"
  [ -s "$work/shot.bmp" ] || fail "no screenshot"
  ;;
double-free)
  printf 'folder "Box\\\\Inbox\\\\"\nrun 0 "Probe 0"\nmsgbox - OK\nwait-gone Probe\nquit\n' >"$work/script.txt"
  run_probe tansyhost.exe probe_plugin_double_free.dll "$work/script.txt"
  [ $rc -eq 2 ] || fail "host exited $rc, expected 2: $out"
  grep -q "ledger: error: double TSA_Free" <<<"$out" || fail "double free not reported: $out"
  ;;
incomplete)
  printf 'expect-plugins 0\nquit\n' >"$work/script.txt"
  run_probe tansyhost_incomplete.exe probe_plugin.dll "$work/script.txt"
  [ $rc -eq 0 ] || fail "host exited $rc: $out"
  grep -q "plugin: cannot load" <<<"$out" || fail "no load failure reported: $out"
  # The complete host loads the same plug-in, so this script fails there.
  run_probe tansyhost.exe probe_plugin.dll "$work/script.txt"
  [ $rc -eq 3 ] || fail "expected the complete host to load the plug-in: $out"
  grep -q "1 plug-in(s) loaded, expected 0" <<<"$out" || fail "$out"
  ;;
bad-lines)
  # A script stops at its first bad line, naming the line and what is wrong.
  expect_script_failure() {  # script expected-message
    printf '%b' "$1" >"$work/script.txt"
    run_probe tansyhost.exe probe_plugin.dll "$work/script.txt"
    [ $rc -eq 3 ] || fail "host exited $rc, expected 3: $out"
    grep -qF "$2" <<<"$out" || fail "expected \"$2\": $out"
  }
  expect_script_failure 'echo one two\nfrobnicate now\nquit\n' "script: line 2 (frobnicate): unknown command frobnicate"
  grep -qx "one" <<<"$out" || fail "echo before the bad line: $out"
  expect_script_failure 'wait-window Probe 1 2\nquit\n' "script: line 1 (wait-window): usage: wait-window TITLE [SECONDS]"
  expect_script_failure 'expect-plugins 1\nfolder\nquit\n' "script: line 2 (folder): usage: mailbox|folder|mail ID"
  ;;
esac
echo "ok: $mode"
