#!/usr/bin/env bash
# End-to-end tests of tansyhost.exe with the probe plug-in.
#   host_e2e.sh menus|double-free|incomplete QBX
set -uo pipefail
mode="$1"; qbx="$2"
work="$QBX_ARTIFACTS"; rm -rf "$work"; mkdir -p "$work"
win() { printf 'Z:%s' "$1" | tr '/' '\\'; }
fail() { echo "FAIL: $*"; exit 1; }

hostdir="$QBX_WIN64_DIR/host/win32"
probedir="$QBX_WIN64_DIR/tests/host"

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
cat >"$work/b.eml" <<'MAIL'
From: Carol <carol@example.com>
Subject: second
Date: Wed, 02 Dec 2026 10:00:00 +0900
Content-Type: text/plain

second
MAIL
"$qbx" import "$work/data/Box/Inbox" "$work/a.eml" "$work/b.eml" >/dev/null || fail "import"

run_host() {  # exe plugin script [host options...] -> sets rc, out
  local exe="$1" plugin="$2" script="$3"; shift 3
  "$QBX_WINE_RUN" run --prefix "$QBX_WINE_PREFIX" --locale "$QBX_LOCALE" --timeout 90 \
    --artifacts "$work" --name host -- "$hostdir/$exe" --data "$(win "$work/data")" \
    --plugin "$(win "$probedir/$plugin")" --script "$(win "$script")" "$@"
  rc=$?
  out=$(tr -d '\r' <"$work/host.stdout"; tr -d '\r' <"$work/host.stderr")
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
  run_host tansyhost.exe probe_plugin.dll "$work/script.txt"
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
  ;;
double-free)
  printf 'folder "Box\\\\Inbox\\\\"\nrun 0 "Probe 0"\nmsgbox - OK\nwait-gone Probe\nquit\n' >"$work/script.txt"
  run_host tansyhost.exe probe_plugin_double_free.dll "$work/script.txt"
  [ $rc -eq 2 ] || fail "host exited $rc, expected 2: $out"
  grep -q "ledger: error: double TSA_Free" <<<"$out" || fail "double free not reported: $out"
  ;;
incomplete)
  printf 'expect-plugins 0\nquit\n' >"$work/script.txt"
  run_host tansyhost_incomplete.exe probe_plugin.dll "$work/script.txt"
  [ $rc -eq 0 ] || fail "host exited $rc: $out"
  grep -q "plugin: cannot load" <<<"$out" || fail "no load failure reported: $out"
  # The complete host loads the same plug-in, so this script fails there.
  run_host tansyhost.exe probe_plugin.dll "$work/script.txt"
  [ $rc -eq 3 ] || fail "expected the complete host to load the plug-in: $out"
  grep -q "1 plug-in(s) loaded, expected 0" <<<"$out" || fail "$out"
  ;;
esac
echo "ok: $mode"
