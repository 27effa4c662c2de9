#!/usr/bin/env bash
# End-to-end tests of the attachment window: tansyhost.exe with quillbox.dll
# under Wine, driven by host scripts.
#   main_window_e2e.sh SCENARIO QBX
set -uo pipefail
scenario="$1"; qbx="$2"
source "$QBX_SOURCE_DIR/tests/wine/host_session.sh"

install_plugin
python3 "$here/make_folders.py" "$work/mails" || fail "mail folders"

case "$QBX_LOCALE" in
ja) title="Quillbox プラグイン"
    no_attachments="このフォルダには添付ファイル付きのメールはありません"
    not_found="検索語が見つかりませんでした"
    find_caption="検索"; find_menu="編集/検索..."; show_mail="このメールをTansy!で表示"
    marked="ファイル マーク済み"; header="No.	Mark	日付▼	Subject	From	ファイル名	サイズ"; encoding=cp932; mark="★" ;;
en) title="Quillbox Plug-in"
    no_attachments="This folder has no messages with attachments."
    not_found="The text was not found."
    find_caption="Find"; find_menu="Edit/Find..."; show_mail="Go to This Message in Tansy!"
    marked="files marked"; header="No.	Mark	Date >>	Subject	From	File Name	Size"; encoding=cp1252; mark="X" ;;
esac
window="Quillbox*"

import() {  # folder-name mail-files...
  local folder="$1"; shift
  "$qbx" import "$work/data/Box/$folder" "$@" >/dev/null || fail "import into $folder"
}


# The window on a folder, after its scan has listed the rows.
start_window() {  # folder [mail key to select first]
  printf 'folder "Box\\\\%s\\\\"\n' "$1"
  [ -z "${2:-}" ] || printf 'mail "Box\\\\%s\\\\?%s"\n' "$1" "$2"
  printf 'run 0 "Tools/%s"\nwait-window "%s" 30\n' "$title" "$window"
}
open_window() { start_window "$@"; echo "sleep 2000"; }

# Grid rows are 19 pixels and a line high; the header is row 0.
grid="QuillboxStringAlignGrid"
row_y() { echo $(( $1 * 20 + 10 )); }
file_x=510   # the file-name column
mark_x=55    # the mark column
date_x=100   # the date column

# Host script lines for the small folder's tests.
# Clicks and plain keys are posted: a short wait lets the window take them
# before the next command asks it anything.
click_row() { echo "click \"$window\" $grid $file_x $(row_y "$1")"; echo "sleep 200"; }
status() { echo "status \"$window\" $1 \"$(spath "$work/$2")\""; }
find_text() {  # text: through the menu and the find dialog
  echo "menu \"$window\" \"$find_menu\""
  echo "wait-window \"$find_caption\" 10"
  echo "keys \"$find_caption\" Edit \"$1\""  # replaces the last text, which starts selected
  echo "button \"$find_caption\" OK"
  echo "wait-gone \"$find_caption\" 10"
}
expect_text() {  # file text
  grep -qF "$2" "$work/$1" || fail "$1: expected \"$2\", got \"$(cat "$work/$1")\""
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
  { start_window Big
    # Esc once the scan shows its progress, however slowly it starts.
    echo "wait-status \"$window\" 1 % 30"
    echo "status \"$window\" 1 \"$(spath "$work/progress.txt")\""
    echo "keys \"$window\" . \"{ESC}\""
    echo "sleep 1500"
    echo "expect-window \"$window\""
    status 4 listed.txt
    echo "screenshot \"$(spath "$work/stopped.bmp")\""
    echo "keys \"$window\" . \"{ESC}\""
    echo "wait-gone \"$window\" 10"
    echo "quit"; } >"$work/script.txt"
  run_host "$work/script.txt"
  # A percentage below 100 shows the scan was still running when Esc came.
  grep -qE '^[0-9]{1,2}%' "$work/progress.txt" || fail "the scan was not running: $(cat "$work/progress.txt")"
  # What was found before the stop is listed; the rest was never visited.
  listed=$(grep -oE '/[0-9]+' "$work/listed.txt" | tr -d /)
  [ -n "$listed" ] && [ "$listed" -gt 0 ] && [ "$listed" -lt 2000 ] || fail "rows after the stop: $(cat "$work/listed.txt")"
  ;;
close-during-scan)
  # Closed while the scan runs over mails that turn out to carry no
  # attachment: the window goes once the scan has stopped, with no notice.
  python3 "$here/make_folders.py" "$work/mails" hollow || fail "hollow folder"
  import Hollow "$work/mails/hollow.mbox"
  { start_window Hollow
    # Closed once the scan shows its progress, however slowly it starts.
    echo "wait-status \"$window\" 1 % 30"
    echo "status \"$window\" 1 \"$(spath "$work/progress.txt")\""
    echo "close \"$window\""
    echo "wait-gone \"$window\" 5"
    echo "sleep 1500"
    echo "quit"; } >"$work/script.txt"  # quit fails while a notice is open
  run_host "$work/script.txt"
  grep -qE '^[0-9]{1,2}%' "$work/progress.txt" || fail "the scan was not running: $(cat "$work/progress.txt")"
  ;;
marks-and-copy)
  import Small "$work/mails/small/"*.eml
  { open_window Small
    status 4 count0.txt
    # Keyboard: two rows by Shift+Down, marked with Ctrl+M; Space on a third.
    click_row 1
    echo "keys \"$window\" $grid \"{SHIFT+DOWN}{CTRL+M}\""
    status 4 count2.txt
    click_row 4
    echo "keys \"$window\" $grid \" \""
    echo "sleep 300"
    status 4 count3.txt
    # Mouse: the pop-up's jump on the mark column toggles the mark instead.
    echo "click \"$window\" $grid $mark_x $(row_y 5) right"
    echo "popup \"$show_mail\""
    echo "sleep 300"  # the chosen command is posted
    status 4 count4.txt
    status 3 marked4.txt
    echo "screenshot \"$(spath "$work/marked.bmp")\""
    echo "keys \"$window\" $grid \"{CTRL+U}\""
    status 4 count3b.txt
    echo "keys \"$window\" $grid \"{CTRL+C}\""
    echo "clipboard \"$(spath "$work/table.txt")\" raw"
    echo "keys \"$window\" $grid \"{CTRL+B}\""
    status 4 count0b.txt
    echo "close \"$window\""
    echo "wait-gone \"$window\" 10"
    echo "quit"; } >"$work/script.txt"
  run_host "$work/script.txt"
  expect_text count0.txt "0/5 $marked"
  expect_text count2.txt "2/5 $marked"
  expect_text count3.txt "3/5 $marked"
  expect_text count4.txt "4/5 $marked"
  expect_text count3b.txt "3/5 $marked"
  expect_text count0b.txt "0/5 $marked"
  python3 - "$work/table.txt" "$header" "$encoding" "$mark" <<'PY' || fail "copied table"
import sys
rows = [
    "1\tMARK\t2001/09/12  10:46:40\tNews\tDave <dave@example.com>\tNoName.html\t133",
    "2\tMARK\t2001/09/11  10:46:40\tBudget\tCarol <carol@example.com>\tsheet.xls\t397",
    "3\t\t2001/09/10  10:46:40\tMinutes\tBob <bob@example.com>\tnotes.txt\t397",
    "4\tMARK\t2001/09/09  10:46:40\tPlans\tAlice <alice@example.com>\treport.pdf\t410",
    "5\t\t2001/09/09  10:46:40\tPlans\tAlice <alice@example.com>\tphoto.jpg\t397",
]
expected = "\r\n".join([sys.argv[2]] + rows).replace("MARK", sys.argv[4]).encode(sys.argv[3])
actual = open(sys.argv[1], "rb").read()
if actual != expected:
    print("expected:", expected)
    print("actual:  ", actual)
    sys.exit(1)
PY
  python3 "$here/check_pixels.py" "$work/marked.bmp" || fail "list colours on marked.png"
  ;;
find-and-jump)
  import Small "$work/mails/small/"*.eml
  mail() { echo "expect-current-mail \"Box\\\\Small\\\\?$1\""; }
  key() { echo "keys \"$window\" $grid \"$1\""; echo "sleep 300"; }
  { open_window Small 2
    # Newest first: 1 News (?4), 2 Budget (?3), 3 Minutes (?2), 4 and 5 Plans (?1).
    key "{CTRL+G}"; mail 2  # no press in the grid yet: no row to jump to
    find_text pdf; key "{ENTER}"; mail 1
    click_row 4; find_text notes; key "{ENTER}"; mail 2  # from row 4 round to row 3
    click_row 5; key "{F3}"; key "{ENTER}"; mail 2
    find_text 2001/09/11; key "{ENTER}"; mail 3
    find_text zzz
    echo "msgbox \"$(spath "$work/not-found.txt")\" OK"
    key "{ENTER}"; mail 3  # the cursor stayed
    echo "click \"$window\" $grid $file_x $(row_y 1) double"; echo "sleep 300"; mail 4
    # After a press on the header the jump commands do nothing.
    echo "click \"$window\" $grid 420 10"; echo "sleep 300"
    key "{CTRL+G}"; mail 4
    echo "click \"$window\" $grid $file_x $(row_y 3) right"
    echo "popup \"$show_mail\""; echo "sleep 300"; mail 4
    # The date header turns the order round, the size header sorts by size.
    echo "click \"$window\" $grid $date_x 10"; echo "sleep 300"
    status 2 sorted-by-date.txt
    click_row 1; key "{ENTER}"; mail 1
    echo "click \"$window\" $grid 620 10"; echo "sleep 300"
    click_row 1; key "{CTRL+G}"; mail 4
    echo "screenshot \"$(spath "$work/by-size.bmp")\""
    # A bad pattern is reported and the window stays.
    find_text "(pdf"
    echo "msgbox \"$(spath "$work/bad-pattern.txt")\" OK"
    echo "expect-window \"$window\""
    echo "close \"$window\""
    echo "wait-gone \"$window\" 10"
    echo "quit"; } >"$work/script.txt"
  run_host "$work/script.txt"
  expect_text not-found.txt "$not_found"
  [ -s "$work/bad-pattern.txt" ] || fail "no error box for a bad pattern"
  ;;
keyboard-popup)
  # Shift+F10 and the context-menu key open the pop-up for the cursor row,
  # wherever the mouse was last pressed.
  import Small "$work/mails/small/"*.eml
  mail() { echo "expect-current-mail \"Box\\\\Small\\\\?$1\""; }
  { open_window Small 3
    # Newest first: 1 News (?4), 2 Budget (?3), 3 Minutes (?2), 4 and 5 Plans (?1).
    # The mouse goes down on row 1's mark column; the keys take the cursor on.
    echo "click \"$window\" $grid $mark_x $(row_y 1)"; echo "sleep 200"
    echo "keys \"$window\" $grid \"{DOWN}{DOWN}\""; echo "sleep 300"
    echo "press \"$window\" \"{SHIFT+F10}\""
    echo "popup \"$show_mail\""; echo "sleep 300"; mail 2
    echo "keys \"$window\" $grid \"{DOWN}\""; echo "sleep 300"
    echo "press \"$window\" \"{APPS}\""
    echo "popup \"$show_mail\""; echo "sleep 300"; mail 1
    status 4 count.txt
    # The keys leave no menu open behind them: Esc closes the window.
    echo "keys \"$window\" . \"{ESC}\""
    echo "wait-gone \"$window\" 10"
    echo "quit"; } >"$work/script.txt"
  run_host "$work/script.txt"
  expect_text count.txt "0/5 $marked"
  ;;
drag-widens)
  import Small "$work/mails/small/"*.eml
  ini="$work/plugins/quillbox.ini"
  closing() { echo "close \"$window\""; echo "wait-gone \"$window\" 10"; echo "quit"; }
  { open_window Small; closing; } >"$work/first.txt"
  run_host "$work/first.txt"
  cp "$ini" "$work/before.ini"
  # The right edge of the file-name column (its left edge plus its width; a
  # pixel of grid line after each column), 50 pixels further right.
  border=$(python3 -c "import re,sys; w=[int(x) for x in re.findall(r'Grid Width\(\d+\) = (\d+)', open(sys.argv[1], encoding='latin-1').read())]; print(sum(w[:6]) + 5)" "$work/before.ini")
  { open_window Small
    echo "drag \"$window\" $grid $border 10 $((border + 50)) 10"
    echo "sleep 500"
    echo "screenshot \"$(spath "$work/widened.bmp")\""
    closing; } >"$work/second.txt"
  run_host "$work/second.txt"
  python3 - "$work/before.ini" "$ini" <<'PY' || fail "window width after the drag"
import re, sys
def read(path):
    text = open(path, "rb").read().decode("latin-1")
    width = int(re.search(r"Pos = \(-?\d+, -?\d+, (\d+), \d+\)", text).group(1))
    columns = [int(w) for w in re.findall(r"Grid Width\(\d+\) = (\d+)", text)]
    return width, columns
(w0, c0), (w1, c1) = read(sys.argv[1]), read(sys.argv[2])
print("before", w0, c0, "after", w1, c1)
if c1[5] - c0[5] != 50 or w1 - w0 != 50 or c1[:5] + c1[6:] != c0[:5] + c0[6:]:
    sys.exit(1)
PY
  ;;
*) fail "unknown scenario $scenario" ;;
esac
for bmp in "$work"/*.bmp; do [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png"; done
echo "PASS: $scenario ($QBX_LOCALE)"
