#!/usr/bin/env bash
# End-to-end tests of the About box and the ReadMe command: tansyhost.exe with
# quillbox.dll under Wine, driven by host scripts.
#   about_e2e.sh SCENARIO QBX
#
# The ReadMe opens in whatever the system associates with ".txt", the link in
# what it associates with "http". The scenarios that open them register a
# recorder for the run instead.
set -uo pipefail
scenario="$1"; qbx="$2"
source "$QBX_SOURCE_DIR/tests/wine/host_session.sh"

install_plugin
plugin_dir="$build/src/plugin"
cp "$plugin_dir/Quillbox_ReadMeJpn.txt" "$plugin_dir/Quillbox_ReadMeEng.txt" "$work/plugins/" \
  || fail "the ReadMe files are not built"

case "$QBX_LOCALE" in
ja) title="Quillbox プラグイン"; about="バージョン情報"; about_menu="ヘルプ/このプラグインについて..."
    readme_menu="ヘルプ/ReadMe ファイルを読む"; copy="コピー"; tag=Jpn ;;
en) title="Quillbox Plug-in"; about="About Quillbox"; about_menu="Help/About This Plug-in..."
    readme_menu="Help/Read the ReadMe File"; copy="Copy"; tag=Eng ;;
esac
window="Quillbox*"
home_page="http://quillbox.example.org/"

wine_program() { "$QBX_WINE_RUN" run --prefix "$QBX_WINE_PREFIX" --locale "$QBX_LOCALE" --timeout 60 \
  --artifacts "$work" --name "$1" -- "${@:2}" >/dev/null; }


# The attachment window over a folder with attachments, its scan done.
open_window() {
  python3 "$here/make_folders.py" "$work/mails" >/dev/null || fail "mail folders"
  "$qbx" import "$work/data/Box/Small" "$work/mails/small/"*.eml >/dev/null || fail "import"
  printf 'folder "Box\\\\Small\\\\"\nrun 0 "Tools/%s"\nwait-window "%s" 30\nsleep 2000\n' "$title" "$window"
}
close_window() { echo "close \"$window\""; echo "wait-gone \"$window\" 10"; }

# The About box's texts as the host read them: title, then one label a line.
expect_about() {  # file
  local text; text=$(tr -d '\r' <"$work/$1")
  [ "$(head -n1 <<<"$text")" = "$about" ] || fail "$1: title: $text"
  for line in "$title" "for Tansy!2" "Version 1.26" "$home_page"; do
    grep -qxF "$line" <<<"$text" || fail "$1: no line \"$line\": $text"
  done
}

# A recorder for what the system opens: it writes the path or address it was
# given and the folder it was started in. Registered for a key under the
# classes root, whose earlier contents come back at exit.
register_recorder() {  # class-key [type-name]: the ".txt" class, or the "http" protocol
  local key="$1" type="${2:-}" record; record=$(win "$work/opened")
  printf '@echo %%~1> %s.tmp\r\n@cd>> %s.tmp\r\n@move /y %s.tmp %s.txt >nul\r\n' \
    "$record" "$record" "$record" "$record" >"$work/record.bat"
  local command; command="C:\\windows\\system32\\cmd.exe /c $(win "$work/record.bat") \"%1\""
  wine_program reg-export reg export "HKCR\\$key" "$(win "$work/saved.reg")" /y || rm -f "$work/saved.reg"
  python3 - "$work/add.reg" "$command" "$key" "$type" <<'PY'
import sys
command = sys.argv[2].replace("\\", "\\\\").replace('"', '\\"')
key, type_name = sys.argv[3], sys.argv[4]
lines = ["REGEDIT4", ""]
if type_name:
    lines += ["[HKEY_CLASSES_ROOT\\%s]" % key, '@="%s"' % type_name, ""]
    key = type_name
lines += ["[HKEY_CLASSES_ROOT\\%s\\shell\\open\\command]" % key, '@="%s"' % command, ""]
open(sys.argv[1], "w", newline="\r\n").write("\n".join(lines))
PY
  wine_program reg-add reg import "$(win "$work/add.reg")" || fail "cannot register the recorder"
  recorder_key="$key"; recorder_type="$type"
  trap unregister_recorder EXIT
}
unregister_recorder() {
  wine_program reg-delete-key reg delete "HKCR\\$recorder_key" /f
  [ -z "$recorder_type" ] || wine_program reg-delete-type reg delete "HKCR\\$recorder_type" /f
  [ ! -e "$work/saved.reg" ] || wine_program reg-restore reg import "$(win "$work/saved.reg")"
}

case "$scenario" in
setup)
  # The host's plug-in setup command: the box, and 1 once it has closed.
  { echo "plugin-setup"
    echo "msgbox \"$(spath "$work/about.txt")\" OK 20"
    echo "wait-gone \"$about\" 10"
    echo "sleep 500"
    echo "quit"; } >"$work/script.txt"
  run_host "$work/script.txt"
  expect_about about.txt
  # The host prints plug-in names in the local code page.
  printed=$(tr -d '\r' <"$work/host.stdout")
  [ "$QBX_LOCALE" = ja ] && printed=$(iconv -f CP932 -t UTF-8 <<<"$printed")
  grep -qxF "plugin: setup of $title returned 1" <<<"$printed" || fail "setup result: $printed"
  ;;
help-menu)
  # The Help menu's About box; its link's pop-up copies the address.
  { open_window
    echo "menu \"$window\" \"$about_menu\""
    echo "wait-window \"$about\" 10"
    echo "expect-disabled \"$window\""
    echo "click \"$about\" id=106 3 3 right"
    echo "popup \"$copy\""
    echo "sleep 300"
    echo "clipboard \"$(spath "$work/link.txt")\""
    echo "screenshot \"$(spath "$work/about.bmp")\""
    echo "msgbox \"$(spath "$work/about.txt")\" OK 10"
    echo "wait-gone \"$about\" 10"
    echo "expect-enabled \"$window\""
    close_window
    echo "quit"; } >"$work/script.txt"
  run_host "$work/script.txt"
  expect_about about.txt
  [ "$(cat "$work/link.txt")" = "$home_page" ] || fail "copied link: $(cat "$work/link.txt")"
  ;;
link-keys)
  # Tab goes from the OK button to the link, and Enter opens it; the box stays.
  register_recorder http
  { echo "plugin-setup"
    echo "wait-window \"$about\" 10"
    echo "sleep 500"
    echo "press \"$about\" \"{TAB}\""
    echo "paint \"$about\""
    echo "screenshot \"$(spath "$work/link-focused.bmp")\""
    echo "press \"$about\" \"{ENTER}\""
    echo "wait-file \"$(spath "$work/opened.txt")\" 20"
    echo "expect-window \"$about\""
    echo "press \"$about\" \"{ESC}\""
    echo "wait-gone \"$about\" 10"
    echo "sleep 500"
    echo "quit"; } >"$work/script.txt"
  run_host "$work/script.txt"
  [ "$(head -n1 "$work/opened.txt" | tr -d '\r')" = "$home_page" ] || fail "opened: $(cat "$work/opened.txt")"
  ;;
readme-opens)
  # The current language's file, opened with the host's folder as the working folder.
  register_recorder .txt QuillboxReadMeRecorder
  { open_window
    echo "menu \"$window\" \"$readme_menu\""
    echo "wait-file \"$(spath "$work/opened.txt")\" 20"
    close_window
    echo "quit"; } >"$work/script.txt"
  run_host "$work/script.txt"
  opened=$(tr -d '\r' <"$work/opened.txt")
  [ "$(head -n1 <<<"$opened")" = "$(win "$work/plugins/Quillbox_ReadMe$tag.txt")" ] || fail "opened: $opened"
  [ "${opened#*$'\n'}" = "$(win "$build/host/win32")" ] || fail "working folder: $opened"
  ;;
readme-missing)
  # Only the Japanese file: the second language reports its own file missing.
  # On a Japanese system the Japanese interface then still opens its file
  # (elsewhere its menu captions cannot be read back).
  register_recorder .txt QuillboxReadMeRecorder
  rm "$work/plugins/Quillbox_ReadMeEng.txt"
  { open_window
    echo "menu \"$window\" \"Options/English\""
    echo "menu \"$window\" \"Help/Read the ReadMe File\""
    echo "msgbox \"$(spath "$work/missing.txt")\" OK 10"
    if [ "$QBX_LOCALE" = ja ]; then
      echo "menu \"$window\" \"Options/Japanese\""
      echo "menu \"$window\" \"ヘルプ/ReadMe ファイルを読む\""
      echo "wait-file \"$(spath "$work/opened.txt")\" 20"
    fi
    close_window
    echo "quit"; } >"$work/script.txt"
  run_host "$work/script.txt"
  [ "$(tr -d '\r' <"$work/missing.txt")" = "Quillbox Plug-in"$'\n'"The ReadMe file \"Quillbox_ReadMeEng.txt\" was not found." ] \
    || fail "error box: $(cat "$work/missing.txt")"
  if [ "$QBX_LOCALE" = ja ]; then
    [ "$(head -n1 "$work/opened.txt" | tr -d '\r')" = "$(win "$work/plugins/Quillbox_ReadMeJpn.txt")" ] \
      || fail "opened: $(cat "$work/opened.txt")"
  else
    [ ! -e "$work/opened.txt" ] || fail "something was opened: $(cat "$work/opened.txt")"
  fi
  ;;
*) fail "unknown scenario $scenario" ;;
esac
for bmp in "$work"/*.bmp; do [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"; done
echo "PASS: $scenario"
