# Runs the reference host under Wine for the end-to-end tests, on mails the
# test writes. Sourced after
# `set -uo pipefail`; uses $work and the variables qbx_add_wine_test sets
# (QBX_WINE_RUN, QBX_WINE_PREFIX, QBX_LOCALE, QBX_WIN_DIR).

# A path as the Windows programs see it: under drive Z:, with backslashes.
win() { printf 'Z:%s' "$1" | tr '/' '\\'; }

# Runs EXE of the Windows build's host folder on the data folder $work/data
# with a script and any further host options, for at most $host_timeout
# seconds (default 90). Sets rc to its exit code and out to everything it
# printed, standard output first, without carriage returns.
run_windows_host() {  # exe script [host options...]
  local exe="$1" script="$2"; shift 2
  "$QBX_WINE_RUN" run --prefix "$QBX_WINE_PREFIX" --locale "$QBX_LOCALE" --timeout "${host_timeout:-90}" \
    --artifacts "$work" --name host -- "$QBX_WIN_DIR/host/win32/$exe" --data "$(win "$work/data")" \
    --script "$(win "$script")" "$@"
  rc=$?
  out=$(tr -d '\r' <"$work/host.stdout"; tr -d '\r' <"$work/host.stderr")
}

# A plain-text mail, to standard output.
plain_mail() {  # from subject date body
  printf 'From: %s\nSubject: %s\nDate: %s\nContent-Type: text/plain\n\n%s\n' "$1" "$2" "$3" "$4"
}
