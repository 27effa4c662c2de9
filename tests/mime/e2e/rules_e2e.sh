#!/usr/bin/env bash
# End to end under Wine: a folder of mails as common mailers write them lists
# every attachment with its Japanese name; the attachment rules switch from
# the Option menu and survive a restart; a nested attachment saves byte for
# byte.
#   rules_e2e.sh QBX
set -uo pipefail
qbx="$1"
source "$QBX_SOURCE_DIR/tests/wine/host_session.sh"
plan="$here/rules_plan.py"

install_plugin
ini="$work/plugins/quillbox.ini"
python3 "$plan" mails "$work" || fail "mails"
"$qbx" import "$work/data/Box/Rules" "$work/mails/"*.eml >/dev/null || fail "import"
nested_row=$(python3 "$plan" write "$work" "$qbx" "$QBX_LOCALE") || fail "plan"

case "$QBX_LOCALE" in
ja) title="Quillbox プラグイン"; classic_caption="従来の規則で添付ファイルを探す"
    save_this="この添付をフォルダに保存" ;;
en) title="Quillbox Plug-in"; classic_caption="Classic attachment rules"
    save_this="Save This Attachment to a Folder" ;;
esac
window="Quillbox*"
grid="QuillboxStringAlignGrid"

open_window() {
  printf 'folder "Box\\\\Rules\\\\"\nrun 0 "Tools/%s"\nwait-window "%s" 30\nsleep 2000\n' "$title" "$window"
}
closing() { echo "close \"$window\""; echo "wait-gone \"$window\" 10"; echo "quit"; }
copy_table() {  # stem
  echo "keys \"$window\" $grid \"{CTRL+C}\""; echo "sleep 300"
  echo "clipboard \"$(spath "$work/$1.table")\" raw"
  echo "window-menu \"$window\" \"$(spath "$work/$1.menu")\""
}
switch_rules() { echo "menu \"$window\" \"Options/$classic_caption\""; echo "sleep 2000"; }
names_of() { python3 "$plan" names "$work/$1.table"; }
same_names() {  # stem expected-file
  names_of "$1" | cmp -s - "$work/$2" ||
    fail "$1 lists $(names_of "$1" | tr '\n' '|'), expected $(tr '\n' '|' <"$work/$2")"
}
classic_checked() {  # stem yes|no: the menu item's check
  local line; line=$(grep -F "$classic_caption" "$work/$1.menu") || fail "$1: no rules item in the menu"
  case "$2" in
  yes) grep -q " checked " <<<"$line" || fail "$1: classic rules not checked: $line" ;;
  no) grep -q " checked " <<<"$line" && fail "$1: classic rules checked: $line" ;;
  esac
}

# First run: the full rules (a new settings file), then the classic ones.
{ open_window
  copy_table full
  switch_rules
  copy_table classic
  closing; } >"$work/first.txt"
run_host "$work/first.txt"
same_names full full.names
same_names classic classic.names
classic_checked full no
classic_checked classic yes
grep -q "^ClassicRules = 1" "$ini" || fail "rules not written: $(grep -a Classic "$ini")"

# Second run: the classic rules again; back to the full rules, and the
# nested attachment saved through the grid's pop-up menu.
y=$(( nested_row * 20 + 10 ))
{ open_window
  copy_table restarted
  switch_rules
  copy_table back
  echo "click \"$window\" $grid 510 $y"; echo "sleep 200"
  echo "click \"$window\" $grid 510 $y right"
  echo "popup \"$save_this\""
  echo "save-as \"$(spath "$work/nested.out")\" 20"
  echo "sleep 1500"
  closing; } >"$work/second.txt"
run_host "$work/second.txt"
same_names restarted classic.names
classic_checked restarted yes
same_names back full.names
classic_checked back no
grep -q "^ClassicRules = 0" "$ini" || fail "rules not written back: $(grep -a Classic "$ini")"
cmp -s "$work/nested.out" "$work/nested.bin" || fail "the nested attachment (row $nested_row) did not save byte for byte"
echo "PASS: rules ($QBX_LOCALE)"
