# Shared by the end-to-end scripts that drive tansyhost.exe with the plug-in
# under Wine. Sourced after `set -uo pipefail`; uses the variables that
# qbx_add_wine_test sets (QBX_ARTIFACTS, QBX_WINE_RUN, QBX_WINE_PREFIX,
# QBX_LOCALE, QBX_ARCH, QBX_WIN_DIR).
#
# On sourcing: $work is a fresh folder with an empty plugins/ folder, and
# $here the folder of the test script, where its helpers are.

work="$QBX_ARTIFACTS"; rm -rf "$work"; mkdir -p "$work/plugins"
here=$(cd "$(dirname "${BASH_SOURCE[1]}")" && pwd)
source "$(dirname "${BASH_SOURCE[0]}")/run_host.sh"

# A path inside a script line: backslashes doubled.
spath() { win "$1" | sed 's/\\/\\\\/g'; }
fail() { echo "FAIL: $*"; exit 1; }

# The build folder for QBX_ARCH; fails when it holds the other architecture's
# host, so that no test runs the x86_64 build and calls it the release.
windows_build() {
  local want
  case "${QBX_ARCH:-}" in
    i686) want="file format pei-i386" ;;
    x86_64) want="file format pei-x86-64" ;;
    *) echo "FAIL: QBX_ARCH is '${QBX_ARCH:-}', not i686 or x86_64" >&2; return 1 ;;
  esac
  objdump -f "$QBX_WIN_DIR/host/win32/tansyhost.exe" 2>/dev/null | grep -q "$want" \
    || { echo "FAIL: $QBX_WIN_DIR/host/win32/tansyhost.exe is not an $QBX_ARCH build" >&2; return 1; }
  echo "$QBX_WIN_DIR"
}

# The Windows build of the test's architecture: i686 (the release) or x86_64.
build=$(windows_build) || exit 1

# The plug-in and the regular-expression library it loads from its folder.
install_plugin() {
  cp "$build/src/plugin/quillbox.dll" "$work/plugins/" || fail "the plug-in is not built"
  cp "$build/src/regex/bregexp.dll" "$work/plugins/" || fail "bregexp.dll is not built"
}

# Runs the host on $work/data with a script; fails unless it exits 0 with a
# clean ledger. Leaves everything it printed in $out.
run_host() {  # script-file [timeout-seconds]
  local rc host_timeout="${2:-240}"
  run_windows_host tansyhost.exe "$1" --mailbox 'Box\' --plugin-dir "$(win "$work/plugins")"
  [ $rc -eq 0 ] || fail "host exited $rc: $out"
  grep -q "ledger: clean" <<<"$out" || fail "ledger not clean: $out"
}
