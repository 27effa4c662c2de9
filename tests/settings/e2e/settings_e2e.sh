#!/usr/bin/env bash
# End-to-end tests of the interface languages and the settings file:
# tansyhost.exe with quillbox.dll under Wine, driven by host scripts.
#   settings_e2e.sh SCENARIO QBX
# SCENARIO: first-start   no settings file: the language of the locale, default fonts
#           live-switch   the language commands change marks, arrows, texts and checks at once
#           restart       what the window shows survives closing it and restarting the host
#           font-dialog   the font command: the dialog shows the current font, OK keeps the choice
#           placement     saved geometry is applied only with a saved position
#           unwritable    a settings file that cannot be written: told once, the window closes
#           hand-edited   numbers out of their ranges are brought back, the window onto the screen
#           maximized     closed maximised: the normal place is kept and the window opens maximised
#           quit-message  the host ends the window's loop: the settings are written all the same
set -uo pipefail
scenario="$1"; qbx="$2"
source "$QBX_SOURCE_DIR/tests/wine/host_session.sh"
check="$here/check_settings.py"

install_plugin
ini="$work/plugins/quillbox.ini"
python3 "$QBX_SOURCE_DIR/tests/ui/e2e/make_folders.py" "$work/mails" >/dev/null || fail "mail folders"
"$qbx" import "$work/data/Box/Small" "$work/mails/small/"*.eml >/dev/null || fail "import"

# The language the window starts in, and the menu path to the other one.
case "$QBX_LOCALE" in
ja) title="Quillbox プラグイン"; start=ja; other=en ;;
en) title="Quillbox Plug-in"; start=en; other=ja ;;
esac
window="Quillbox*"
grid="QuillboxStringAlignGrid"
to_language() {  # ja|en: the language command; Options and English read the same in both
  if [ "$1" = en ]; then echo "menu \"$window\" \"Options/English\""
  else echo "menu \"$window\" \"Options/Japanese\""; fi
  echo "sleep 500"
}


# The host's menu shows the title of the language the settings chose, in the
# local code page.
menu_title() {  # ja|en
  python3 "$check" title "$1"
}
open_window() {  # [language of the title, default the locale's]
  printf 'folder "Box\\\\Small\\\\"\nrun 0 "Tools/%s"\nwait-window "%s" 30\nsleep 2000\n' \
    "$(menu_title "${1:-$start}")" "$window"
}
closing() { echo "close \"$window\""; echo "wait-gone \"$window\" 10"; echo "quit"; }
# What the window shows, into files named STEM.*: caption, grid position,
# menu and tool-button hints, the copied table, the status panels, a screenshot.
snapshot() {  # stem
  echo "window-info \"$window\" . \"$(spath "$work/$1.window")\" raw"
  echo "window-info \"$window\" $grid \"$(spath "$work/$1.grid")\""
  echo "window-menu \"$window\" \"$(spath "$work/$1.menu")\""
  echo "tool-hints \"$window\" \"$(spath "$work/$1.hints")\""
  echo "keys \"$window\" $grid \"{CTRL+C}\""
  echo "clipboard \"$(spath "$work/$1.table")\" raw"
  for panel in 2 3 4; do echo "status \"$window\" $panel \"$(spath "$work/$1.panel$panel")\" raw"; done
  echo "paint \"$window\""
  echo "screenshot \"$(spath "$work/$1.bmp")\""
}
# Rows 1 and 4 marked: the mark column shows the symbol in the copy.
mark_rows() {
  for row in 1 4; do
    echo "click \"$window\" $grid 510 $((row * 20 + 10))"; echo "sleep 200"
    echo "keys \"$window\" $grid \"{CTRL+M}\""
  done
}
expect() { python3 "$check" "$@" || fail "$*"; }

case "$scenario" in
first-start)
  { open_window; snapshot first; closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  expect shows "$work/first" "$start" descending 5
  expect default-file "$ini" "$start"
  ;;
live-switch)
  { open_window; mark_rows
    snapshot a
    to_language "$other"; snapshot b
    # The date header turns the order round: the ascending arrow.
    echo "click \"$window\" $grid 100 10"; echo "sleep 500"
    snapshot c
    to_language "$start"; snapshot d
    # The one-extension filter's text in panel 0 follows too.
    echo "click \"$window\" $grid 510 30"; echo "sleep 200"
    echo "keys \"$window\" $grid \"{CTRL+E}\""; echo "sleep 300"
    echo "status \"$window\" 0 \"$(spath "$work/filter.$start")\" raw"
    to_language "$other"
    echo "status \"$window\" 0 \"$(spath "$work/filter.$other")\" raw"
    closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  [ "$(iconv -f CP932 -t UTF-8 "$work/filter.ja")" = "*.pdfファイルのみ表示中" ] &&
    [ "$(cat "$work/filter.en")" = "Showing only *.pdf files" ] ||
    fail "filter texts: $(cat "$work/filter.ja" "$work/filter.en" | iconv -f CP932 -t UTF-8)"
  expect shows "$work/a" "$start" descending 5
  expect shows "$work/b" "$other" descending 5
  expect shows "$work/c" "$other" ascending 2
  expect shows "$work/d" "$start" ascending 2
  expect same-rows "$work/a.table" "$work/b.table"
  # The last choice is the one written.
  grep -q "^Locale = $([ $other = ja ] && echo 1041 || echo 1033)" "$ini" || fail "language written: $(cat "$ini")"
  ;;
restart)
  # A first start fits the columns to what they show: where the file-name
  # column ends (a pixel of grid line after each column) is read from the
  # file it writes.
  { open_window; closing; } >"$work/zero.txt"
  run_host "$work/zero.txt"
  border=$(python3 -c "import re,sys; w=[int(x) for x in re.findall(r'Grid Width\(\d+\) = (\d+)', open(sys.argv[1], encoding='latin-1').read())]; print(sum(w[:6]) + 5)" "$ini")
  # First run: the other language, sorted by size, moved and sized, a column widened.
  { open_window
    to_language "$other"
    echo "click \"$window\" $grid $((border + 10)) 10"; echo "sleep 500"
    # The right edge of the file-name column, before the subject column takes
    # the width the window gains.
    echo "drag \"$window\" $grid $border 10 $((border + 40)) 10"; echo "sleep 500"
    echo "move-window \"$window\" 40 30 800 520"; echo "sleep 500"
    snapshot one
    closing; } >"$work/first.txt"
  run_host "$work/first.txt"
  cp "$ini" "$work/first.ini"
  { open_window "$other"; snapshot two; closing; } >"$work/second.txt"
  run_host "$work/second.txt"
  expect shows "$work/one" "$other" by-size 0
  expect shows "$work/two" "$other" by-size 0
  expect same-file "$work/one.table" "$work/two.table"
  expect placement "$work/first.ini" "$work/one.window" "$work/two.window"
  expect same-file "$work/first.ini" "$ini"
  grep -q "^Pos = (40, 30, 800, 520)" "$ini" && grep -q "^Grid Width(5) = 194" "$ini" ||
    fail "geometry written: $(cat "$ini")"
  grep -q "^SortTarget = 2" "$ini" || fail "view options written: $(cat "$ini")"
  grep -qE "^  5: [0-9]+ enabled checked" "$work/two.menu" || fail "sort by size unchecked: $(cat "$work/two.menu")"
  ;;
font-dialog)
  change_font() {  # language file face size
    if [ "$1" = en ]; then echo "menu \"$window\" \"Options/Change Font...\""
    else echo "menu \"$window\" \"Options/フォントの変更...\""; fi
    echo "font-dialog \"$(spath "$work/$2")\" $3 $4 20"; echo "sleep 500"
  }
  # The grid's place and a screenshot: how tall its text is drawn.
  grid_shot() {
    echo "window-info \"$window\" $grid \"$(spath "$work/$1.grid")\""
    echo "window-info \"$window\" id=104 \"$(spath "$work/$1.target")\""
    echo "window-info \"$window\" id=105 \"$(spath "$work/$1.folder")\""
    echo "paint \"$window\""
    echo "screenshot \"$(spath "$work/$1.bmp")\""
  }
  { open_window; grid_shot f0
    change_font "$start" shown1.txt "\"DejaVu Sans\"" "16 \"#FF0000\""; grid_shot f1
    change_font "$start" shown2.txt - 0
    # The other language keeps its own font; coming back brings the chosen one.
    to_language "$other"; grid_shot f2
    to_language "$start"; grid_shot f3
    change_font "$start" shown3.txt - 0
    closing | head -2
    # A second window of the same run keeps the font.
    open_window; change_font "$start" shown4.txt - 0; grid_shot f4
    closing; } >"$work/first.txt"
  run_host "$work/first.txt"
  cp "$ini" "$work/first.ini"
  # The next start reads the chosen font and offers it again.
  { open_window; change_font "$start" shown5.txt - 0; closing; } >"$work/second.txt"
  run_host "$work/second.txt"
  for n in 2 3 4 5; do expect dialog-font "$work/shown$n.txt" "DejaVu Sans" 16; done
  # Row 3 is neither marked nor the current row.
  read -r h0 h1 h2 h3 h4 <<<"$(python3 "$check" text-heights 3 "$work"/f{0,1,2,3,4})"
  [ "$h1" -ge $((h0 + 3)) ] && [ "$h2" -le $((h1 - 3)) ] && [ "$h3" -eq "$h1" ] && [ "$h4" -eq "$h1" ] ||
    fail "text heights before, chosen, other language, back, next window: $h0 $h1 $h2 $h3 $h4"
  # The folder label stays green; the folder name and the grid take the font's colour.
  colours=$(python3 "$check" text-colours "$work"/f{0,1,2,3,4})
  [ "$colours" = "green black black; green red red; green black black; green red red; green red red" ] ||
    fail "text colours before, chosen, other language, back, next window: $colours"
  expect chosen-font "$work/first.ini" "$start" "DejaVu Sans" 16 255
  expect same-file "$work/first.ini" "$ini"
  ;;
unwritable)
  # A folder where the file should be: nothing can replace it.
  mkdir "$ini"
  { open_window; echo "close \"$window\""
    echo "msgbox \"$(spath "$work/notice.txt")\" OK 20"
    echo "wait-gone \"$window\" 10"
    # Told once: the next close goes quietly ("quit" fails while a box is open).
    open_window; echo "close \"$window\""; echo "wait-gone \"$window\" 10"; echo "sleep 1000"; echo "quit"
  } >"$work/script.txt"
  run_host "$work/script.txt"
  case "$QBX_LOCALE" in
  ja) said="を保存できませんでした" ;;
  en) said="could not be saved" ;;
  esac
  grep -qF "$said" "$work/notice.txt" && grep -qF "quillbox.ini" "$work/notice.txt" ||
    fail "notice: $(cat "$work/notice.txt")"
  [ -d "$ini" ] && [ -z "$(ls "$ini")" ] && ! [ -e "$ini.new" ] || fail "left behind: $(ls -la "$work/plugins")"
  ;;
placement)
  { open_window; snapshot designed; closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  cp "$ini" "$work/designed.ini"
  # Column widths without a position are not applied.
  python3 "$check" edit "$work/designed.ini" "$ini" no-position || fail "edit"
  run_host "$work/script.txt"
  expect same-file "$work/designed.ini" "$ini"
  # With a position, the window goes there with its size and column widths.
  python3 "$check" edit "$work/designed.ini" "$work/moved.ini" moved || fail "edit"
  cp "$work/moved.ini" "$ini"
  { open_window; snapshot moved; closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  expect placement "$work/moved.ini" "$work/moved.window"
  expect same-file "$work/moved.ini" "$ini"
  ;;
hand-edited)
  # Off every screen, an overflowing column, a giant font, a view option no
  # menu shows: each comes back into its range, and is written back so.
  { open_window; closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  python3 "$check" edit "$ini" "$work/absurd.ini" absurd || fail "edit"
  cp "$work/absurd.ini" "$ini"
  { open_window; snapshot absurd; closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  expect on-screen "$work/absurd.window" 1280 1024
  grep -q "0/5" "$work/absurd.panel4" || fail "rows listed: $(cat "$work/absurd.panel4")"
  expect in-range "$ini" 1280 1024
  ;;
maximized)
  { open_window; echo "move-window \"$window\" 40 30 800 520"; echo "sleep 500"; closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  cp "$ini" "$work/normal.ini"
  { open_window; echo "window-state \"$window\" maximized"; echo "sleep 500"; closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  cp "$ini" "$work/maximized.ini"
  # Without a window manager, Wine keeps neither the rectangle of a window
  # shown maximised nor its way back from it: the state it is shown in and
  # the place it would come back to are what is checked, and closing it again
  # must keep both.
  { open_window
    echo "window-placement \"$window\" \"$(spath "$work/reopened.placement")\""
    closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  # The maximised close keeps the normal place and widths, and says it was maximised.
  expect maximized-file "$work/normal.ini" "$work/maximized.ini"
  [ "$(tr -d '\r' <"$work/reopened.placement")" = $'state maximized\nnormal 40 30 800 520' ] ||
    fail "placement when reopened: $(cat "$work/reopened.placement")"
  expect same-file "$work/maximized.ini" "$ini"
  ;;
quit-message)
  { open_window; echo "move-window \"$window\" 40 30 800 520"; echo "sleep 500"; echo "post-quit"; } >"$work/script.txt"
  run_host "$work/script.txt"
  grep -q "^Pos = (40, 30, 800, 520)" "$ini" || fail "settings after the quit message: $(cat "$ini" 2>&1)"
  ;;
*) fail "unknown scenario $scenario" ;;
esac
for bmp in "$work"/*.bmp; do [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"; done
echo "PASS: $scenario ($QBX_LOCALE)"
