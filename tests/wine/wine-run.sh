#!/usr/bin/env bash
# Runs Windows programs (x86_64 builds) under wine64, the same way every time.
#
#   wine-run.sh init PREFIX          fresh WINEPREFIX; starts an Xvfb display that
#                                    later runs share when DISPLAY is unset
#   wine-run.sh run [options] -- PROGRAM [ARGS...]
#       --prefix DIR      the WINEPREFIX (made by init; created here if missing)
#       --locale ja|en    ja: ja_JP.UTF-8 (code page 932, locale 1041)
#                         en: C.UTF-8 (code page 1252, locale 1033); default en
#       --timeout SECONDS hard limit for the whole run (default 120)
#       --artifacts DIR   where output and, on failure, a screenshot are kept
#       --name NAME       file-name stem for the artifacts (default: the program's)
#   wine-run.sh stop PREFIX          stops the prefix's wineserver and its Xvfb
#
# run exits with the program's exit status, 124 on timeout. Its own wineserver
# is stopped afterwards, so nothing is left running.
set -uo pipefail

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

die() { echo "wine-run: $*" >&2; exit 2; }

xvfb_state() { echo "$1.xvfb"; }

display_alive() { DISPLAY="$1" xdpyinfo >/dev/null 2>&1; }

# Starts Xvfb on a free display; prints "DISPLAY PID".
start_xvfb() {
  local out; out=$(mktemp)
  Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$out" 2>/dev/null &
  local pid=$!
  for _ in $(seq 1 100); do
    if [ -s "$out" ]; then
      local n; n=$(head -n1 "$out"); rm -f "$out"
      if display_alive ":$n"; then echo ":$n $pid"; return 0; fi
    fi
    sleep 0.1
  done
  kill "$pid" 2>/dev/null; rm -f "$out"
  return 1
}

# Sets DISPLAY for a run; OWN_XVFB is set when this run started its own server.
OWN_XVFB=""
choose_display() {
  local prefix="$1"
  if [ -n "${DISPLAY:-}" ] && display_alive "$DISPLAY"; then return 0; fi
  local state; state=$(xvfb_state "$prefix")
  if [ -f "$state" ]; then
    read -r d p <"$state"
    if kill -0 "$p" 2>/dev/null && display_alive "$d"; then export DISPLAY="$d"; return 0; fi
  fi
  local started; started=$(start_xvfb) || die "cannot start Xvfb"
  read -r d p <<<"$started"
  export DISPLAY="$d"; OWN_XVFB="$p"
}

wine_env() {
  export WINEPREFIX="$1" WINEDEBUG=-all WINEARCH=win64
  # No prompts to install Mono or Gecko: nothing here uses them.
  export WINEDLLOVERRIDES="mscoree=;mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
}

screenshot() {
  import -display "$DISPLAY" -window root "$1" 2>/dev/null && echo "wine-run: screenshot kept at $1" >&2
}

stop_wineserver() { WINEPREFIX="$1" "$WINESERVER" -k >/dev/null 2>&1; WINEPREFIX="$1" "$WINESERVER" -w >/dev/null 2>&1 || true; }

cmd_init() {
  local prefix="${1:?init needs a prefix folder}"
  prefix=$(realpath -m "$prefix")
  cmd_stop "$prefix"
  rm -rf "$prefix"; mkdir -p "$(dirname "$prefix")"
  if [ -z "${DISPLAY:-}" ] || ! display_alive "$DISPLAY"; then
    local started; started=$(start_xvfb) || die "cannot start Xvfb"
    echo "$started" >"$(xvfb_state "$prefix")"
    read -r DISPLAY _ <<<"$started"; export DISPLAY
  fi
  wine_env "$prefix"
  LC_ALL=C.UTF-8 timeout -k 10 300 "$WINE" wineboot --init >/dev/null 2>&1
  local rc=$?
  "$WINESERVER" -w >/dev/null 2>&1 || true
  stop_wineserver "$prefix"
  [ $rc -eq 0 ] || die "wineboot failed ($rc)"
  echo "wine-run: prefix ready at $prefix (display $DISPLAY)"
}

cmd_stop() {
  local prefix="${1:?stop needs a prefix folder}"
  prefix=$(realpath -m "$prefix")
  [ -d "$prefix" ] && stop_wineserver "$prefix"
  local state; state=$(xvfb_state "$prefix")
  if [ -f "$state" ]; then
    read -r _ p <"$state"; kill "$p" 2>/dev/null; rm -f "$state"
  fi
  return 0
}

cmd_run() {
  local prefix="" locale="en" timeout=120 artifacts="" name=""
  while [ $# -gt 0 ]; do
    case "$1" in
      --prefix) prefix="$2"; shift 2 ;;
      --locale) locale="$2"; shift 2 ;;
      --timeout) timeout="$2"; shift 2 ;;
      --artifacts) artifacts="$2"; shift 2 ;;
      --name) name="$2"; shift 2 ;;
      --) shift; break ;;
      *) die "unknown option $1" ;;
    esac
  done
  [ $# -gt 0 ] || die "run needs a program"
  [ -n "$prefix" ] || die "run needs --prefix"
  prefix=$(realpath -m "$prefix")
  [ -d "$prefix" ] || cmd_init "$prefix" >/dev/null
  case "$locale" in
    ja|ja_JP.UTF-8) locale=ja_JP.UTF-8 ;;
    en|C.UTF-8) locale=C.UTF-8 ;;
    *) die "unknown locale $locale" ;;
  esac
  [ -n "$name" ] || name=$(basename "$1" .exe)
  [ -n "$artifacts" ] || artifacts="$prefix/../artifacts"
  mkdir -p "$artifacts"
  choose_display "$prefix"
  wine_env "$prefix"

  local out="$artifacts/$name.stdout" err="$artifacts/$name.stderr"
  LC_ALL="$locale" LANG="$locale" "$WINE" "$@" > >(tee "$out") 2> >(tee "$err" >&2) &
  local pid=$! rc deadline=$((SECONDS + timeout))
  while kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.2; done
  if kill -0 "$pid" 2>/dev/null; then
    # Still running: keep what the screen shows before anything is killed.
    echo "wine-run: $name timed out after ${timeout}s" >&2
    screenshot "$artifacts/$name.png"
    stop_wineserver "$prefix"
    kill -9 "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
    rc=124
  else
    wait "$pid"; rc=$?
    [ $rc -ne 0 ] && screenshot "$artifacts/$name.png"
  fi
  stop_wineserver "$prefix"
  [ -n "$OWN_XVFB" ] && kill "$OWN_XVFB" 2>/dev/null
  wait 2>/dev/null
  return $rc
}

case "${1:-}" in
  init) shift; cmd_init "$@" ;;
  run) shift; cmd_run "$@" ;;
  stop) shift; cmd_stop "$@" ;;
  *) sed -n '2,19p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2 ;;
esac
