#!/usr/bin/env bash
# End-to-end tests of the attachment window's sizes: a first start fits the
# columns to what they show, and the window scales with the density of its
# monitor (96 and 144 DPI, and a move from one to the other), with no label,
# heading or status text cut off.
#   window_scale_e2e.sh SCENARIO QBX
#     first-start  the shared Wine prefix (96 DPI); then a move to a 144-DPI
#                  monitor and back, as WM_DPICHANGED tells it
#     at-144       a Wine prefix of its own with LogPixels 144, never the
#                  shared one, so no other test sees that density
set -uo pipefail
scenario="$1"; qbx="$2"
source "$QBX_SOURCE_DIR/tests/wine/host_session.sh"

install_plugin
python3 "$here/make_folders.py" "$work/mails" || fail "mail folders"
"$qbx" import "$work/data/Box/Small" "$work/mails/small/"*.eml >/dev/null || fail "import"
ini="$work/plugins/quillbox.ini"

case "$QBX_LOCALE" in
ja) title="Quillbox プラグイン"; encoding=cp932; about="バージョン情報"; about_menu="ヘルプ/このプラグインについて..."
    headings=("0 No." "1 Mark" "2 日付▼ bold" "2 日付▲ bold" "3 Subject" "4 From" "5 ファイル名"
              "6 サイズ▼ bold" "6 サイズ▲ bold") ;;
en) title="Quillbox Plug-in"; encoding=cp1252; about="About Quillbox"; about_menu="Help/About This Plug-in..."
    headings=("0 No." "1 Mark" "2 Date >> bold" "2 Date << bold" "3 Subject" "4 From" "5 File Name"
              "6 Size >> bold" "6 Size << bold") ;;
esac
dates=("2001/09/09  10:46:40" "2001/09/10  10:46:40" "2001/09/11  10:46:40" "2001/09/12  10:46:40")
window="Quillbox*"
grid="QuillboxStringAlignGrid"

open_window() {
  printf 'folder "Box\\\\Small\\\\"\nrun 0 "Tools/%s"\nwait-window "%s" 30\nsleep 2000\n' "$title" "$window"
}
# Everything check_fit.py reads about the window at one moment.
measure() {  # tag
  echo "paint \"$window\""
  echo "screenshot \"$(spath "$work/$1.bmp")\""
  echo "text-fit \"$window\" \"$(spath "$work/$1-fit.txt")\""
  echo "window-info \"$window\" . \"$(spath "$work/$1-window.txt")\""
  local n heading
  for n in "${!headings[@]}"; do
    heading=${headings[$n]}
    local col=${heading%% *} text=${heading#* } bold=""
    [ "${text% bold}" != "$text" ] && { text=${text% bold}; bold=bold; }
    echo "text-extent \"$window\" $grid \"$text\" \"$(spath "$work/$1-h-$col-$n.txt")\" $bold"
  done
  for n in "${!dates[@]}"; do
    echo "text-extent \"$window\" $grid \"${dates[$n]}\" \"$(spath "$work/$1-d-$n.txt")\""
  done
}
closing() { echo "close \"$window\""; echo "wait-gone \"$window\" 10"; echo "quit"; }
check() {  # tag dpi
  python3 "$here/check_fit.py" "$work" "$1" "$2" "$ini" || fail "texts cut off at $2 DPI ($1.png)"
}
# The copied table holds each date whole, as the list shows it.
check_table() {
  python3 - "$work/table.txt" "$encoding" "${dates[@]}" <<'PY' || fail "copied table: $(cat "$work/table.txt")"
import sys
rows = open(sys.argv[1], "rb").read().decode(sys.argv[2]).split("\r\n")[1:]
shown = {row.split("\t")[2] for row in rows}
sys.exit(0 if shown == set(sys.argv[3:]) else 1)
PY
}

case "$scenario" in
first-start)
  [ ! -e "$ini" ] || fail "a settings file before the first start"
  { open_window
    echo "keys \"$window\" $grid \"{CTRL+C}\""
    echo "clipboard \"$(spath "$work/table.txt")\" raw"
    measure first
    echo "dpi-changed \"$window\" 96 144"
    echo "sleep 500"
    measure moved
    echo "dpi-changed \"$window\" 144 96"
    echo "sleep 500"
    measure back
    closing; } >"$work/script.txt"
  run_host "$work/script.txt"
  check_table
  for step in "first 96" "moved 144" "back 96"; do check $step; done
  # The pictures follow the move; the settings file keeps 96-DPI sizes.
  grep -q "image 48 48" "$work/moved-fit.txt" || fail "pictures after the move: $(cat "$work/moved-fit.txt")"
  grep -q "image 32 32" "$work/back-fit.txt" || fail "pictures after the move back: $(cat "$work/back-fit.txt")"
  ;;
at-144)
  # A prefix of its own, made once per test run beside the shared one (which
  # every run makes afresh) and used by both languages; on the shared
  # prefix's display when there is one.
  prefix="$QBX_WINE_PREFIX-144"
  if [ -f "$QBX_WINE_PREFIX.xvfb" ]; then read -r DISPLAY _ <"$QBX_WINE_PREFIX.xvfb"; export DISPLAY; fi
  trap '"$QBX_WINE_RUN" stop "$prefix"' EXIT
  # Wine writes .update-timestamp when it makes a prefix, and not on every run.
  if ! [ "$prefix/.update-timestamp" -nt "$QBX_WINE_PREFIX/.update-timestamp" ] ||
     ! grep -q '"LogPixels"=dword:00000090' "$prefix/user.reg"; then
    "$QBX_WINE_RUN" init "$prefix" >/dev/null || fail "a prefix of its own"
    "$QBX_WINE_RUN" run --prefix "$prefix" --timeout 60 --artifacts "$work" --name reg -- \
      reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null || fail "LogPixels"
  fi
  { open_window
    echo "keys \"$window\" $grid \"{CTRL+C}\""
    echo "clipboard \"$(spath "$work/table.txt")\" raw"
    measure large
    # The About box scales as well.
    echo "menu \"$window\" \"$about_menu\""
    echo "wait-window \"$about\" 10"
    echo "paint \"$about\""
    echo "screenshot \"$(spath "$work/about.bmp")\""
    echo "text-fit \"$about\" \"$(spath "$work/about-fit.txt")\""
    echo "window-info \"$about\" . \"$(spath "$work/about-window.txt")\""
    echo "button \"$about\" id=1"
    echo "wait-gone \"$about\" 10"
    closing; } >"$work/script.txt"
  QBX_WINE_PREFIX="$prefix" run_host "$work/script.txt"
  # Its labels whole, its client area the design's 298 x 180 at 144 DPI.
  python3 - "$work/about-fit.txt" "$work/about-window.txt" <<'PY' || fail "About box: $(cat "$work/about-fit.txt" "$work/about-window.txt")"
import re, sys
labels = re.findall(r"label \d+: text (\d+) (\d+) box (\d+) (\d+)", open(sys.argv[1], encoding="utf-8").read())
client = re.search(r"client -?\d+ -?\d+ (\d+) (\d+)", open(sys.argv[2], encoding="utf-8").read()).groups()
print(labels, client)
whole = all(int(tw) <= int(bw) and int(th) <= int(bh) for tw, th, bw, bh in labels)
sys.exit(0 if len(labels) >= 4 and whole and tuple(map(int, client)) == (447, 270) else 1)
PY
  check_table
  check large 144
  grep -q "image 48 48" "$work/large-fit.txt" || fail "pictures: $(cat "$work/large-fit.txt")"
  # A file written at 144 DPI holds the 96-DPI sizes: the design's height.
  tr -d '\r' <"$ini" | grep -qE '^Pos = \([0-9]+, [0-9]+, 6[0-9][0-9], 480\)$' || fail "settings: $(cat "$ini")"
  ;;
*) fail "unknown scenario $scenario" ;;
esac
for bmp in "$work"/*.bmp; do [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png"; done
echo "PASS: $scenario ($QBX_LOCALE)"
