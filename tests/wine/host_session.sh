# Shared by the end-to-end scripts that drive tansyhost.exe with the plug-in
# under Wine. Sourced after `set -uo pipefail`; uses the variables that
# qbx_add_wine_test sets (QBX_ARTIFACTS, QBX_WINE_RUN, QBX_WINE_PREFIX,
# QBX_LOCALE, QBX_WIN64_DIR).
#
# On sourcing: $work is a fresh folder with an empty plugins/ folder.

work="$QBX_ARTIFACTS"; rm -rf "$work"; mkdir -p "$work/plugins"

win() { printf 'Z:%s' "$1" | tr '/' '\\'; }
# A path inside a script line: backslashes doubled.
spath() { win "$1" | sed 's/\\/\\\\/g'; }
fail() { echo "FAIL: $*"; exit 1; }

# The plug-in and the regular-expression library it loads from its folder.
install_plugin() {
  cp "$QBX_WIN64_DIR/src/plugin/quillbox.dll" "$work/plugins/" || fail "the plug-in is not built"
  cp "$(find "$QBX_WIN64_DIR/src/regex" -name bregexp.dll | head -1)" "$work/plugins/" || fail "bregexp.dll is not built"
}

# Runs the host on $work/data with a script; fails unless it exits 0 with a
# clean ledger. Leaves everything it printed in $out.
run_host() {  # script-file [timeout-seconds]
  "$QBX_WINE_RUN" run --prefix "$QBX_WINE_PREFIX" --locale "$QBX_LOCALE" --timeout "${2:-240}" \
    --artifacts "$work" --name host -- "$QBX_WIN64_DIR/host/win32/tansyhost.exe" \
    --data "$(win "$work/data")" --mailbox 'Box\' --plugin-dir "$(win "$work/plugins")" \
    --script "$(win "$1")"
  local rc=$?
  out=$(tr -d '\r' <"$work/host.stdout"; tr -d '\r' <"$work/host.stderr")
  [ $rc -eq 0 ] || fail "host exited $rc: $out"
  grep -q "ledger: clean" <<<"$out" || fail "ledger not clean: $out"
}
