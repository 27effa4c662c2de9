#!/usr/bin/env bash
# End to end under Wine: in a folder of mails as common mailers write them,
# a nested attachment is deleted through the grid's pop-up menu, then a
# marked set of rows the classic rules list and rows only the full rules
# list, with every part of a mail whose parts are all attachments; the
# stored mails are judged by Python's email package, the note left in that
# mail included.
#   nested_remove_e2e.sh QBX
set -uo pipefail
qbx="$1"
source "$QBX_SOURCE_DIR/tests/wine/host_session.sh"
rules_plan="$QBX_SOURCE_DIR/tests/mime/e2e/rules_plan.py"
plan="$here/nested_plan.py"

install_plugin
python3 "$rules_plan" mails "$work" || fail "mails"
python3 "$plan" mail "$work/mails/all-attachments.eml" || fail "mails"
"$qbx" import "$work/data/Box/Rules" "$work/mails/"*.eml >/dev/null || fail "import"
python3 "$rules_plan" write "$work" "$qbx" "$QBX_LOCALE" >/dev/null || fail "names"
rows=$(python3 "$plan" plan "$work" "$qbx" Box/Rules/) || fail "plan"
nested_row=$(sed -n 1p <<<"$rows"); marked_rows=$(sed -n 2p <<<"$rows")

case "$QBX_LOCALE" in
ja) title="Quillbox プラグイン"; delete_this="この添付ファイルを削除" ;;
en) title="Quillbox Plug-in"; delete_this="Delete This Attachment" ;;
esac
window="Quillbox*"
grid="QuillboxStringAlignGrid"
yes=id=6

row_y() { echo $(( $1 * 20 + 10 )); }
click_row() { echo "click \"$window\" $grid 510 $(row_y "$1")"; echo "sleep 200"; }
key() { echo "keys \"$window\" $grid \"$1\""; echo "sleep 300"; }
answer() { echo "msgbox \"$(spath "$work/$1")\" $2 20"; echo "sleep 700"; }

{ printf 'folder "Box\\\\Rules\\\\"\nrun 0 "Tools/%s"\nwait-window "%s" 30\nsleep 2000\n' "$title" "$window"
  click_row "$nested_row"
  echo "click \"$window\" $grid 510 $(row_y "$nested_row") right"
  echo "popup \"$delete_this\""
  answer confirm-one.txt $yes
  echo "sleep 1500"
  for row in $marked_rows; do click_row "$row"; key "{CTRL+M}"; done
  key "{DELETE}"
  answer confirm-marked.txt $yes
  echo "sleep 2000"
  key "{CTRL+C}"
  echo "clipboard \"$(spath "$work/after.table")\" raw"
  echo "close \"$window\""; echo "wait-gone \"$window\" 10"; echo "quit"; } >"$work/script.txt"
run_host "$work/script.txt"
python3 "$plan" check "$work" "$qbx" Box/Rules/ "$work/after.table" "$QBX_LOCALE" || fail "stored mails or table"
echo "PASS: nested removal ($QBX_LOCALE)"
