#!/usr/bin/env bash
# End-to-end tests of saving and removing attachments: tansyhost.exe with
# quillbox.dll under Wine, driven by host scripts; the saved files and the
# stored mails are checked afterwards.
#   save_remove_e2e.sh SCENARIO QBX [INTEGRITY-CHECK]
set -uo pipefail
scenario="$1"; qbx="$2"; integrity="${3:-}"
source "$QBX_SOURCE_DIR/tests/wine/host_session.sh"

install_plugin
python3 "$here/make_mails.py" "$work/mails" || fail "mails"
"$qbx" import "$work/data/Box/Ops" "$work/mails/ops/"*.eml >/dev/null || fail "import"
expected="$work/mails/expected"
ini="$work/plugins/quillbox.ini"

case "$QBX_LOCALE" in
ja) title="Quillbox プラグイン"; encoding=cp932
    replace="上書きしますか？"; undecoded="以下の添付ファイルをデコード出来ませんでした。"
    cannot_decode="この添付ファイルはBinaryでないか、未対応の形式です。"
    delete_marked="本当に削除してもよろしいですか？"; delete_one="を削除してもよろしいですか？"
    save_this="この添付をフォルダに保存"; delete_this="この添付ファイルを削除"; marked="ファイル マーク済み"
    number_item="同じ名前のファイルは番号を付けて保存"; zone=JST-9
    detach_item="マークした添付ファイルを保存してから削除(&T)"; detach_hint="マークした添付ファイルを保存してから削除" ;;
en) title="Quillbox Plug-in"; encoding=cp1252
    replace="Do you want to replace it?"; undecoded="because their encoding is not supported:"
    cannot_decode="This attachment is either not Binary nor encoded in unknown format"
    delete_marked="Are you sure you want to delete them?"; delete_one="Are you sure you want to delete the attachment"
    save_this="Save This Attachment to a Folder"; delete_this="Delete This Attachment"; marked="files marked"
    number_item="Number files that have the same name"; zone=UTC0
    detach_item="Save Marked Attachments, &Then Delete Them"; detach_hint="Save Marked Attachments, Then Delete Them" ;;
esac
window="Quillbox*"
grid="QuillboxStringAlignGrid"
# The answers of the overwrite question, by button identifier.
yes=id=6; no=id=7; cancel=id=2; no_to_all=id=101; yes_to_all=id=102


# Newest first: 1 c.bin, 2 d.bin (Delta); 3 odd.bin (Gamma); 4 a.bin, 5 b.dat
# (Beta); 6 a.bin, 7 notes.txt (Alpha).
open_window() {  # [folder]
  printf 'folder "Box\\\\%s\\\\"\nrun 0 "Tools/%s"\nwait-window "%s" 30\nsleep 2000\n' "${1:-Ops}" "$title" "$window"
}
row_y() { echo $(( $1 * 20 + 10 )); }
click_row() { echo "click \"$window\" $grid 510 $(row_y "$1")"; echo "sleep 200"; }
popup_row() {  # row caption
  echo "click \"$window\" $grid 510 $(row_y "$1") right"
  echo "popup \"$2\""
}
key() { echo "keys \"$window\" $grid \"$1\""; echo "sleep 300"; }
# Saves the marked rows into a folder, chosen in the folder browser.
save_marked_into() { key "{CTRL+S}"; echo "folder-browser \"$(spath "$1")\" 20"; }
# A save that asks nothing: the file comes, and no box of the plug-in is left open.
saved_without_asking() {  # file
  echo "wait-file \"$(spath "$1")\" 20"
  echo "sleep 1500"
  echo "expect-no-window \"$title\""
}
status() { echo "status \"$window\" $1 \"$(spath "$work/$2")\""; }
# The box closes after the press arrives: wait, so the next answer finds the
# next box and not this one on its way out.
answer() { echo "msgbox \"$(spath "$work/$1")\" $2 20"; echo "sleep 700"; }
closing() { echo "close \"$window\""; echo "wait-gone \"$window\" 10"; echo "quit"; }

expect_text() {  # file text
  grep -qF "$2" "$work/$1" || fail "$1: expected \"$2\", got \"$(cat "$work/$1")\""
}
same() {  # saved expected-name
  cmp -s "$1" "$expected/$2" || fail "$1 is not the decoded $2"
}
stale() {  # folder names...: files that a save may replace
  local folder="$1"; shift
  mkdir -p "$folder"
  for name in "$@"; do echo stale >"$folder/$name"; done
}
is_stale() { [ "$(cat "$1" 2>/dev/null)" = stale ] || fail "$1 was replaced"; }
absent() { [ ! -e "$1" ] || fail "$1 should not exist"; }
saved_dir() {  # the folder SaveDir holds
  python3 -c "import re,sys; print(re.search(r'SaveDir = (.*)\r', open(sys.argv[1], encoding='latin-1', newline='').read()).group(1))" "$ini"
}
source_of() { "$qbx" source "$work/data/" "Box/Ops/?$1"; }
# A saved file's modification time is its mail's date as the list shows it
# (the host's time plus 9 hours), read in the time zone the host ran in.
dated() {  # file mail
  local want; want=$(TZ="$zone" python3 - "$work/mails/dates" "$2" <<'PY'
import sys, time
seconds = dict(line.split() for line in open(sys.argv[1]))[sys.argv[2]]
shown = time.gmtime(int(seconds) + 9 * 3600)
print(int(time.mktime(shown[:8] + (-1,))))
PY
)
  [ "$(stat -c %Y "$1")" = "$want" ] || fail "$1 is dated $(stat -c %Y "$1"), not $2's $want"
}

case "$scenario" in
save-marked)
  # Three runs over the seven marked rows, each into a folder of its own
  # that already holds some of the names.
  stale "$work/out1" c.bin d.bin b.dat
  stale "$work/out2" c.bin a.bin
  stale "$work/out3" d.bin
  { open_window
    key "{CTRL+A}"; key "{CTRL+M}"
    status 4 marked.txt
    save_marked_into "$work/out1"
    answer q-c.txt $yes            # c.bin replaced
    echo "sleep 2000"; echo "screenshot \"$(spath "$work/overwrite.bmp")\""
    answer q-d.txt $no             # d.bin kept; odd.bin cannot be decoded
    answer q-b.txt $yes_to_all     # b.dat, then Alpha's a.bin over Beta's without asking
    answer report1.txt OK
    status 1 after1.txt
    save_marked_into "$work/out2"
    answer q-c2.txt $no_to_all     # c.bin and both a.bin stay as they were
    answer report2.txt OK
    save_marked_into "$work/out3"
    answer q-d3.txt $cancel        # c.bin saved before, nothing after
    echo "sleep 1000"
    status 4 marked-after.txt
    closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  expect_text marked.txt "7/7 $marked"
  expect_text marked-after.txt "7/7 $marked"
  for q in q-c q-d q-b q-c2 q-d3; do expect_text $q.txt "$replace"; done
  expect_text q-c.txt '"c.bin"'; expect_text q-d.txt '"d.bin"'; expect_text q-b.txt '"b.dat"'
  expect_text q-c2.txt '"c.bin"'; expect_text q-d3.txt '"d.bin"'
  for report in report1 report2; do
    expect_text $report.txt "$undecoded"
    expect_text $report.txt "2024/01/05	Gamma	odd.bin"
    [ "$(grep -c 'odd.bin' "$work/$report.txt")" = 1 ] || fail "$report lists more than odd.bin"
  done
  [ ! -s "$work/after1.txt" ] || fail "progress text left after the save: $(cat "$work/after1.txt")"
  out="$work/out1"
  same "$out/c.bin" Delta-c.bin; is_stale "$out/d.bin"; absent "$out/odd.bin"
  same "$out/b.dat" Beta-b.dat; same "$out/a.bin" Alpha-a.bin; same "$out/notes.txt" Alpha-notes.txt
  out="$work/out2"
  is_stale "$out/c.bin"; is_stale "$out/a.bin"; same "$out/d.bin" Delta-d.bin
  same "$out/b.dat" Beta-b.dat; same "$out/notes.txt" Alpha-notes.txt
  out="$work/out3"
  same "$out/c.bin" Delta-c.bin; is_stale "$out/d.bin"
  [ "$(ls "$out" | wc -l)" = 2 ] || fail "files saved after Cancel: $(ls "$out")"
  [ "$(saved_dir)" = "$(win "$work/out3")\\" ] || fail "SaveDir is $(saved_dir)"
  ;;
save-one)
  mkdir -p "$work/chosen"
  { open_window
    click_row 1; popup_row 1 "$save_this"
    echo "save-as \"$(spath "$work/chosen/picked.bin")\" 20"
    echo "sleep 1000"
    click_row 3; popup_row 3 "$save_this"
    echo "save-as \"$(spath "$work/chosen/odd.bin")\" 20"
    answer undecodable.txt OK
    closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  same "$work/chosen/picked.bin" Delta-c.bin
  absent "$work/chosen/odd.bin"
  expect_text undecodable.txt "$cannot_decode"
  [ "$(saved_dir)" = "$(win "$work/chosen")" ] || fail "SaveDir is $(saved_dir)"
  ;;
save-numbered)
  # Epsilon, Zeta and Eta each carry an a.bin; Theta a name of 300 bytes.
  # Newest first: 1 Theta, 2 Eta, 3 Zeta, 4 Epsilon.
  "$qbx" import "$work/data/Box/Same" "$work/mails/same/"*.eml >/dev/null || fail "import"
  # Two folders at the same depth, so that the long name is cut alike.
  mkdir -p "$work/asking" "$work/number"
  # Theta's name is cut to what the folder's path leaves of 259 bytes, 200 at most.
  room=$(( 259 - $(win "$work/number/" | wc -c) ))
  [ $room -gt 200 ] && room=200
  xs() { printf 'x%.0s' $(seq "$1"); }
  long=$(xs $((room - 4))).bin
  long2="$(xs $((room - 8))) (2).bin"
  { open_window Same
    key "{CTRL+A}"; key "{CTRL+M}"
    # Numbering off: the second a.bin is asked about, as before.
    save_marked_into "$work/asking"
    answer q-off.txt $cancel
    echo "menu \"$window\" \"Options/$number_item\""
    echo "sleep 500"  # the chosen command is posted
    echo "window-menu \"$window\" \"$(spath "$work/menu.txt")\""
    save_marked_into "$work/number"
    saved_without_asking "$work/number/a (3).bin"
    echo "screenshot \"$(spath "$work/number.bmp")\""
    # Again into the same folder: the names there count too.
    save_marked_into "$work/number"
    saved_without_asking "$work/number/a (6).bin"
    # Saving one proposes the next free name in the folder last used.
    click_row 2; popup_row 2 "$save_this"
    echo "save-as - 20"
    echo "wait-file \"$(spath "$work/number/a (7).bin")\" 20"
    echo "sleep 1000"
    closing; } >"$work/script.txt"
  TZ="$zone" run_host "$work/script.txt"
  expect_text q-off.txt "$replace"; expect_text q-off.txt '"a.bin"'
  same "$work/asking/a.bin" Eta-a.bin
  same "$work/asking/$long" Theta-long.bin
  [ "$(ls "$work/asking" | wc -l)" = 2 ] || fail "saved after Cancel: $(ls "$work/asking")"
  grep -F "$number_item" "$work/menu.txt" | grep -q checked || fail "the item is not checked: $(cat "$work/menu.txt")"
  out="$work/number"
  same "$out/a.bin" Eta-a.bin; same "$out/a (2).bin" Zeta-a.bin; same "$out/a (3).bin" Epsilon-a.bin
  same "$out/a (4).bin" Eta-a.bin; same "$out/a (5).bin" Zeta-a.bin; same "$out/a (6).bin" Epsilon-a.bin
  same "$out/a (7).bin" Eta-a.bin
  same "$out/$long" Theta-long.bin; same "$out/$long2" Theta-long.bin
  [ "$(ls "$out" | wc -l)" = 9 ] || fail "numbered folder: $(ls "$out")"
  for f in "a.bin Eta" "a (2).bin Zeta" "a (3).bin Epsilon" "a (7).bin Eta" "$long Theta"; do
    dated "$out/${f% *}" "${f##* }"
  done
  dated "$work/asking/a.bin" Eta
  tr -d '\r' <"$ini" | grep -qx "NumberSameNames = 1" || fail "settings: $(cat "$ini")"
  tr -d '\r' <"$ini" | grep -qx "MailDateOnFiles = 1" || fail "settings: $(cat "$ini")"
  ;;
delete-marked)
  for n in 1 2 3 4; do source_of $n >"$work/before$n.eml"; done
  { open_window
    echo "watch-stores \"$window\" 1 \"$(spath "$work/stores.txt")\""
    click_row 1; key "{CTRL+M}"; click_row 4; key "{CTRL+M}"; click_row 6; key "{CTRL+M}"
    status 4 marked.txt
    key "{DELETE}"
    answer no.txt $no
    status 4 still-marked.txt
    key "{DELETE}"
    answer confirm.txt $yes
    echo "sleep 1500"
    status 4 after.txt
    status 1 progress-after.txt
    closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  expect_text marked.txt "3/7 $marked"
  expect_text still-marked.txt "3/7 $marked"
  expect_text confirm.txt "$delete_marked"
  expect_text after.txt "0/4 $marked"
  [ ! -s "$work/progress-after.txt" ] || fail "progress text left: $(cat "$work/progress-after.txt")"
  # One rewrite per mail, in list order, the text shown as each is stored.
  python3 - "$work/stores.txt" <<'PY' || fail "progress while storing: $(cat "$work/stores.txt")"
import sys
seen = []
for line in open(sys.argv[1], encoding="utf-8").read().splitlines():
    mail, text = line.split("\t")
    if not seen or seen[-1] != (mail, text):
        seen.append((mail, text))
expected = [("Box\\Ops\\?1", "33%"), ("Box\\Ops\\?2", "67%"), ("Box\\Ops\\?4", "100%")]
print(seen)
sys.exit(0 if seen == expected else 1)
PY
  for n in 1 2 3 4; do source_of $n >"$work/after$n.eml"; done
  cmp -s "$work/before3.eml" "$work/after3.eml" || fail "Gamma was changed"
  python3 "$here/check_removal.py" "$work" 1:a.bin 2:a.bin 4:c.bin || fail "stored mails"
  ;;
delete-one)
  for n in 1 2 3 4; do source_of $n >"$work/before$n.eml"; done
  { open_window
    click_row 1; popup_row 1 "$delete_this"
    answer confirm.txt $yes
    echo "sleep 1500"
    status 4 after.txt
    # Delta's d.bin moves up to row 1 and saves from its renumbered part.
    click_row 1; popup_row 1 "$save_this"
    echo "save-as \"$(spath "$work/picked.bin")\" 20"
    echo "sleep 1000"
    closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  expect_text confirm.txt "c.bin"
  expect_text confirm.txt "$delete_one"
  expect_text after.txt "0/6 $marked"
  same "$work/picked.bin" Delta-d.bin
  for n in 1 2 3 4; do source_of $n >"$work/after$n.eml"; done
  for n in 1 2 3; do cmp -s "$work/before$n.eml" "$work/after$n.eml" || fail "mail $n was changed"; done
  python3 "$here/check_removal.py" "$work" 4:c.bin || fail "stored mail"
  ;;
detach)
  # Newest first: 1 n1.bin, 2 n2.bin (Nu); 3 m1.bin, 4 m2.bin (Mu); 5 l.bin,
  # 6 l.odd (Lambda); 7 k1.bin, 8 k2.bin (Kappa). All but n1.bin are marked.
  "$qbx" import "$work/data/Box/Detach" "$work/mails/detach/"*.eml >/dev/null || fail "import"
  # In Japanese the folder's name has a character whose second byte is a backslash's.
  target="$work/out"; [ "$QBX_LOCALE" = ja ] && target="$work/out-ソフト"
  mkdir -p "$target"
  echo mine >"$target/k1.bin"
  echo protected >"$target/m1.bin"; chmod 444 "$target/m1.bin"
  for n in 1 2 3 4; do "$qbx" source "$work/data/" "Box/Detach/?$n" >"$work/before$n.eml"; done
  command_states() {  # stem
    echo "window-menu \"$window\" \"$(spath "$work/$1-menu.txt")\""
    echo "tool-states \"$window\" \"$(spath "$work/$1-tools.txt")\""
  }
  { open_window Detach
    command_states none
    echo "tool-hints \"$window\" \"$(spath "$work/hints.txt")\""
    key "{CTRL+A}"; key "{CTRL+M}"; click_row 1; key "{CTRL+U}"
    status 4 marked.txt
    command_states marked
    echo "paint \"$window\""; echo "screenshot \"$(spath "$work/marked.bmp")\""
    key "{CTRL+T}"
    echo "folder-browser \"$(spath "$target")\" 20"
    answer q-m1.txt $yes    # read-only: not written
    answer q-k1.txt $no
    answer report.txt OK
    status 4 after.txt
    status 1 progress-after.txt
    # Once the command has ended, Esc closes the window again.
    echo "keys \"$window\" . \"{ESC}\""
    echo "wait-gone \"$window\" 10"
    echo "quit"; } >"$work/script.txt"
  run_host "$work/script.txt"

  # The command, its shortcut (no other command's) and its button, greyed
  # like the delete button while nothing is marked.
  python3 - "$work" "$detach_item" <<'PY' || fail "menus and buttons: $(cat "$work/none-menu.txt" "$work/none-tools.txt")"
import collections, sys
work, caption = sys.argv[1], sys.argv[2]
def read(name):
    return open(f"{work}/{name}", encoding="utf-8").read().splitlines()
for stem, state in (("none", "greyed"), ("marked", "enabled")):
    items = [line.strip().split(": ", 1)[1] for line in read(f"{stem}-menu.txt")]
    assert f"2030 {state} {caption}\tCtrl+T" in items, (stem, items)
    keys = collections.Counter(line.split("\t")[1] for line in items if "\t" in line)
    assert all(count == 1 for count in keys.values()), keys
    tools = dict(line.split(": ") for line in read(f"{stem}-tools.txt"))
    assert tools["2030"] == tools["2019"] == state, tools
PY
  hint=$(grep -a "^2030: " "$work/hints.txt" | cut -d' ' -f2-); [ "$QBX_LOCALE" = ja ] && hint=$(iconv -f CP932 -t UTF-8 <<<"$hint")
  [ "$hint" = "$detach_hint" ] || fail "button hint: $hint"
  expect_text marked.txt "7/8 $marked"
  expect_text q-m1.txt "$replace"; expect_text q-m1.txt '"m1.bin"'
  expect_text q-k1.txt "$replace"; expect_text q-k1.txt '"k1.bin"'
  python3 "$here/check_detach.py" report "$work/report.txt" "$QBX_LOCALE" detached:n2.bin detached:m2.bin \
    detached:l.bin detached:k2.bin unsaved:m1.bin:unwritten unsaved:l.odd:undecodable unsaved:k1.bin:no \
    || fail "report: $(cat "$work/report.txt")"
  # What stayed is listed and marked: m1.bin, l.odd and k1.bin; n1.bin unmarked.
  expect_text after.txt "3/4 $marked"
  [ ! -s "$work/progress-after.txt" ] || fail "progress text left: $(cat "$work/progress-after.txt")"

  same "$target/n2.bin" Nu-n2.bin; same "$target/m2.bin" Mu-m2.bin; same "$target/l.bin" Lambda-l.bin; same "$target/k2.bin" Kappa-k2.bin
  [ "$(cat "$target/k1.bin")" = mine ] || fail "k1.bin was replaced"
  [ "$(cat "$target/m1.bin")" = protected ] || fail "the read-only m1.bin was replaced"
  absent "$target/l.odd"; absent "$target/n1.bin"
  [ "$(ls "$target" | wc -l)" = 6 ] || fail "saved: $(ls "$target")"

  for n in 1 2 3 4; do "$qbx" source "$work/data/" "Box/Detach/?$n" >"$work/after$n.eml"; done
  python3 "$here/check_removal.py" "$work" 1:k2.bin 2:l.bin 3:m2.bin 4:n2.bin || fail "stored mails"
  for pair in 1:k2.bin 2:l.bin 3:m2.bin 4:n2.bin; do
    "$integrity" "$work/before${pair%%:*}.eml" "$work/after${pair%%:*}.eml" "${pair#*:}" || fail "mail ${pair%%:*}"
  done
  python3 "$here/check_detach.py" mails "$work" "$(win "$target")\\" 1:k2.bin 2:l.bin 3:m2.bin 4:n2.bin \
    || fail "X-Detached-Attachment"
  ;;
*) fail "unknown scenario $scenario" ;;
esac
for bmp in "$work"/*.bmp; do [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png"; done
echo "PASS: $scenario ($QBX_LOCALE)"
