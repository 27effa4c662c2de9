#!/usr/bin/env bash
# End-to-end tests of quillbox.dll in the reference host.
#   plugin_e2e.sh MODE QBX
# MODE: menus               load from the plug-in folder (bregexp.dll beside it is no
#                           plug-in), information record, menus of kinds 0-2, enabling
#       layout LAYOUT       the kind-1 and kind-2 insertion for a context-menu layout
#       command             the command's modal window over the host, on a folder without attachments
#       missing-regex       no bregexp.dll beside the plug-in: the load fails with a box
#       incomplete-host     a host lacking one function: the load fails, nothing shown
set -uo pipefail
mode="$1"; qbx="$2"; layout="${3:-}"
work="$QBX_ARTIFACTS"; rm -rf "$work"; mkdir -p "$work"
source "$QBX_SOURCE_DIR/tests/wine/run_host.sh"
quoted() { win "$1" | sed 's/\\/\\\\/g'; }  # a path inside a script's "..."
fail() { echo "FAIL: $*"; exit 1; }

case "$QBX_LOCALE" in
  # The plug-in's folder ends in "表", whose second Shift_JIS byte is 0x5C.
  ja) title="Quillbox プラグイン"; plugindir="$work/プラグイン表" ;;
  en) title="Quillbox Plug-in"; plugindir="$work/plugins" ;;
esac
mkdir -p "$plugindir"
cp "$QBX_WIN_DIR/src/plugin/quillbox.dll" "$plugindir/"
[ "$mode" = missing-regex ] || cp "$QBX_WIN_DIR/src/regex/bregexp.dll" "$plugindir/"

# A mailbox with one folder of one mail, and a second mailbox without folders.
mkdir -p "$work/data/Other"
plain_mail "Alice <alice@example.com>" one "Tue, 01 Dec 2026 10:00:00 +0900" first >"$work/a.eml"
"$qbx" import "$work/data/Box/Inbox" "$work/a.eml" >/dev/null || fail "import"

# The plug-in by its path; menus loads it from its folder instead.
plugin_args=(--plugin "$(win "$plugindir/quillbox.dll")")

# Runs the host with the plug-in as plugin_args give it; sets rc and out.
run_plugin() {  # exe script [host options...]
  local exe="$1" script="$2"; shift 2
  run_windows_host "$exe" "$script" "${plugin_args[@]}" "$@"
}
expect_clean_run() {
  [ $rc -eq 0 ] || fail "host exited $rc: $out"
  grep -q "ledger: clean" <<<"$out" || fail "ledger not clean: $out"
}
# The lines of a menu dump from the one holding $2 on, at most $3 lines.
lines_from() { grep -A"$3" -F "$2" "$1"; }

case "$mode" in
menus)
  plugin_args=(--plugin-dir "$(win "$plugindir")")
  cat >"$work/script.txt" <<SCRIPT
expect-plugins 1
plugin-info "$(quoted "$work/info.txt")" raw
plugin-info "$(quoted "$work/record.bin")" record
mailbox "Other\\\\"
expect-menu 0 "Tools/$title" greyed
expect-menu 2 "$title" greyed
expect-menu 1 "$title" enabled
folder "Box\\\\Inbox\\\\"
expect-menu 0 "Tools/$title" enabled
expect-menu 2 "$title" enabled
dump-menu 0 "$(quoted "$work/menu0.txt")"
quit
SCRIPT
  run_plugin tansyhost.exe "$work/script.txt"
  expect_clean_run
  # bregexp.dll lies in the same folder and is passed over without a word.
  [ "$(grep -c '^plugin: ' <<<"$out")" = 1 ] && LC_ALL=C grep -q '^plugin: loaded .*quillbox.dll$' <<<"$out" \
    || fail "plug-ins loaded from the folder: $out"
  # The information record, byte for byte in the local code page.
  case "$QBX_LOCALE" in
    ja) description=$(printf "このプラグインはメールフォルダ中の添付ファイルの\r  ・ リストアップ検索\r  ・ 一括保存\r  ・ 一括削除\rを支援するプラグインです。" | iconv -f UTF-8 -t CP932) ;;
    en) description=$(printf 'This plug-in helps you with the attachments\rin a mail folder:\r  - list and search them\r  - save them all at once\r  - remove them all at once') ;;
  esac
  expected=$(printf '%s\n%s\n%s\n%s' "$(printf '%s' "$title" | iconv -f UTF-8 -t CP932)" "Quillbox Project" "1.26" "$description")
  [ "$(cat "$work/info.txt")" = "$expected" ] || fail "information record: $(od -c "$work/info.txt" | head -20)"
  # The same texts at their offsets in the record, and nothing else written.
  python3 "$(dirname "$0")/check_info_record.py" "$work/record.bin" \
    "$(printf '%s' "$title" | iconv -f UTF-8 -t CP932)" "Quillbox Project" "1.26" "$description" \
    || fail "information record layout"
  # Kind 0: the last item of the fifth drop-down, after a separator.
  tools=$(sed -n '/^4: popup/,/^5: popup/p' "$work/menu0.txt" | grep '^  ' )
  tail -2 <<<"$tools" | head -1 | grep -q separator || fail "no separator above the command: $tools"
  tail -1 <<<"$tools" | grep -qF "enabled $title" || fail "command is not last in Tools: $tools"
  ;;
layout)
  cat >"$work/script.txt" <<SCRIPT
folder "Box\\\\Inbox\\\\"
dump-menu 1 "$(quoted "$work/menu1.txt")"
dump-menu 2 "$(quoted "$work/menu2.txt")"
quit
SCRIPT
  run_plugin tansyhost.exe "$work/script.txt" --context-layout "$layout"
  expect_clean_run
  for kind in 1 2; do
    dump="$work/menu$kind.txt"
    grep -qF "enabled $title" "$dump" || fail "kind $kind: no command: $(cat "$dump")"
    # The item kinds around the command: s(eparator), c(ommand), a(nchor 32935), o(ther).
    shape=$(sed -E "s/^[0-9]+: //; s/^separator.*/s/; s/^32935 .*/a/; s/^[0-9]+ (enabled|greyed) $title\$/c/; /^[sac]\$/!s/.*/o/" "$dump" | tr -d '\n')
    # The host's menus: other items, a separator, then 32935 after a separator
    # (separated), right after other items (plain), first, or absent.
    case "$layout" in
      separated) want='^o+scsaso$' ;;  # separator, command, separator, 32935
      plain) want='^o+scaso$' ;;       # a separator above the command
      first) want='^cao+so$' ;;        # index 0, no separator
      absent) want='^o+soc$' ;;        # appended, no separator
    esac
    grep -qE "$want" <<<"$shape" || fail "kind $kind, layout $layout: shape $shape: $(cat "$dump")"
  done
  ;;
command)
  cat >"$work/script.txt" <<SCRIPT
folder "Box\\\\Inbox\\\\"
run 1 "$title"
wait-window "$title for Tansy!2"
expect-disabled "Tansy Host"
msgbox "$(quoted "$work/window.txt")" OK
wait-gone "$title for Tansy!2"
expect-enabled "Tansy Host"
quit
SCRIPT
  run_plugin tansyhost.exe "$work/script.txt"
  expect_clean_run
  # The folder's only mail has no attachment: the window says so and closes.
  case "$QBX_LOCALE" in
    ja) notice="このフォルダには添付ファイル付きのメールはありません" ;;
    en) notice="This folder has no messages with attachments." ;;
  esac
  [ "$(sed -n 1p "$work/window.txt")" = "$title" ] || fail "box caption: $(cat "$work/window.txt")"
  [ "$(sed -n 2p "$work/window.txt")" = "$notice" ] || fail "notice: $(cat "$work/window.txt")"
  ;;
missing-regex)
  cat >"$work/script.txt" <<SCRIPT
msgbox "$(quoted "$work/box.txt")" OK
wait-gone "$title"
expect-plugins 0
quit
SCRIPT
  run_plugin tansyhost.exe "$work/script.txt"
  expect_clean_run
  grep -q "plugin: cannot load" <<<"$out" || fail "the load did not fail: $out"
  [ "$(sed -n 2p "$work/box.txt")" = "Loading \"$(win "$plugindir/bregexp.dll")\" failed." ] \
    || fail "box: $(cat "$work/box.txt")"
  ;;
incomplete-host)
  # quit fails while any window besides the host's is open.
  printf 'sleep 1500\nexpect-plugins 0\nquit\n' >"$work/script.txt"
  run_plugin tansyhost_incomplete.exe "$work/script.txt"
  expect_clean_run
  grep -q "plugin: cannot load" <<<"$out" || fail "the load did not fail: $out"
  ;;
*) fail "unknown mode $mode" ;;
esac
echo "ok: $mode $layout"
