#!/usr/bin/env bash
# Runs Windows programs under Wine, the same way every time.
#
#   wine-run.sh init PREFIX [--arch A] [--own-display]
#                                    fresh WINEPREFIX for architecture A; starts an
#                                    Xvfb display that later runs in it use, when
#                                    DISPLAY is unset or --own-display asks for one
#   wine-run.sh run [options] -- PROGRAM [ARGS...]
#       --arch i686|x86_64
#                         i686: the 32-bit Wine loader under qemu-i386 (the release);
#                         x86_64: wine64. Default: $QBX_ARCH, else x86_64
#       --prefix DIR      the WINEPREFIX (made by init; created here if missing); it
#                         must have been made for the same architecture
#       --locale ja|en    ja: ja_JP.UTF-8 (code page 932, locale 1041)
#                         en: C.UTF-8 (code page 1252, locale 1033); default en
#       --timeout SECONDS hard limit for the whole run (default 120); doubled on
#                         i686, where every instruction is emulated
#       --artifacts DIR   where output and, on failure, a screenshot are kept
#       --name NAME       file-name stem for the artifacts (default: the program's)
#   wine-run.sh stop PREFIX          stops the prefix's wineserver and its Xvfb
#
# run exits with the program's exit status, 124 on timeout. Its own wineserver
# is stopped afterwards, so nothing is left running.
set -uo pipefail

# The wineserver is the native one for both: it serves 32-bit clients too.
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

# Sets DISPLAY for a run: the prefix's own Xvfb, else DISPLAY, else a new Xvfb;
# OWN_XVFB is set when this run started its own server.
OWN_XVFB=""
choose_display() {
  local prefix="$1"
  local state; state=$(xvfb_state "$prefix")
  if [ -f "$state" ]; then
    read -r d p <"$state"
    if kill -0 "$p" 2>/dev/null && display_alive "$d"; then export DISPLAY="$d"; return 0; fi
  fi
  if [ -n "${DISPLAY:-}" ] && display_alive "$DISPLAY"; then return 0; fi
  local started; started=$(start_xvfb) || die "cannot start Xvfb"
  read -r d p <<<"$started"
  export DISPLAY="$d"; OWN_XVFB="$p"
}

# Sets WINE (the loader command, as an array) and WINEARCH for an architecture.
choose_arch() {
  case "$1" in
    x86_64) WINE=(/usr/lib/wine/wine64); WINEARCH=win64 ;;
    # The kernel runs no 32-bit code here: qemu-i386 runs the 32-bit loader.
    i686) WINE=(qemu-i386 /usr/lib/wine/wine); WINEARCH=win32 ;;
    *) die "unknown architecture $1" ;;
  esac
  ARCH="$1"
}

# The architecture Wine recorded when it made a prefix (win32 or win64).
prefix_arch() { sed -n 's/^#arch=//p' "$1/system.reg" 2>/dev/null | head -n1; }

wine_env() {
  export WINEPREFIX="$1" WINEDEBUG=-all WINEARCH
  # No prompts to install Mono or Gecko: nothing here uses them.
  export WINEDLLOVERRIDES="mscoree=;mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
}

screenshot() {
  import -display "$DISPLAY" -window root "$1" 2>/dev/null && echo "wine-run: screenshot kept at $1" >&2
}

stop_wineserver() { WINEPREFIX="$1" "$WINESERVER" -k >/dev/null 2>&1; WINEPREFIX="$1" "$WINESERVER" -w >/dev/null 2>&1 || true; }

cmd_init() {
  local prefix="${1:?init needs a prefix folder}"; shift
  local arch="${QBX_ARCH:-x86_64}" own_display=""
  while [ $# -gt 0 ]; do
    case "$1" in
      --arch) arch="$2"; shift 2 ;;
      --own-display) own_display=yes; shift ;;
      *) die "unknown option $1" ;;
    esac
  done
  choose_arch "$arch"
  prefix=$(realpath -m "$prefix")
  cmd_stop "$prefix"
  rm -rf "$prefix"; mkdir -p "$(dirname "$prefix")"
  # Tests that run side by side in different prefixes must not share a
  # display: keys go to whichever window has the focus.
  if [ -n "$own_display" ] || [ -z "${DISPLAY:-}" ] || ! display_alive "$DISPLAY"; then
    local started; started=$(start_xvfb) || die "cannot start Xvfb"
    echo "$started" >"$(xvfb_state "$prefix")"
    read -r DISPLAY _ <<<"$started"; export DISPLAY
  fi
  wine_env "$prefix"
  LC_ALL=C.UTF-8 timeout -k 10 300 "${WINE[@]}" wineboot --init >/dev/null 2>&1
  local rc=$?
  "$WINESERVER" -w >/dev/null 2>&1 || true
  stop_wineserver "$prefix"
  [ $rc -eq 0 ] || die "wineboot failed ($rc)"
  echo "wine-run: $ARCH prefix ready at $prefix (display $DISPLAY)"
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
  local prefix="" locale="en" timeout=120 artifacts="" name="" arch="${QBX_ARCH:-x86_64}"
  while [ $# -gt 0 ]; do
    case "$1" in
      --arch) arch="$2"; shift 2 ;;
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
  choose_arch "$arch"
  prefix=$(realpath -m "$prefix")
  [ -d "$prefix" ] || cmd_init "$prefix" --arch "$arch" >/dev/null
  # A 64-bit prefix cannot run the 32-bit loader, nor the other way round.
  local made_for; made_for=$(prefix_arch "$prefix")
  [ "$made_for" = "$WINEARCH" ] || die "$prefix is a ${made_for:-broken} prefix, not $WINEARCH ($arch)"
  [ "$ARCH" = i686 ] && timeout=$((timeout * 2))
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
  LC_ALL="$locale" LANG="$locale" "${WINE[@]}" "$@" > >(tee "$out") 2> >(tee "$err" >&2) &
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
  *) awk 'NR > 1 && !/^#/ { exit } NR > 1 { sub(/^# ?/, ""); print }' "$0" >&2; exit 2 ;;
esac
