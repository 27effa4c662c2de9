#!/usr/bin/env bash
# The probe under Wine sees the Windows the locale asks for, and the run
# leaves no process of the prefix behind.
set -u
probe="$QBX_WIN_DIR/$1"
case "$QBX_LOCALE" in
  ja) expected="ACP=932 LCID=1041" ;;
  en) expected="ACP=1252 LCID=1033" ;;
esac
out=$("$QBX_WINE_RUN" run --prefix "$QBX_WINE_PREFIX" --locale "$QBX_LOCALE" --timeout 60 \
      --artifacts "$QBX_ARTIFACTS" -- "$probe") || { echo "probe failed"; exit 1; }
out=$(printf '%s' "$out" | tr -d '\r')
[ "$out" = "$expected" ] || { echo "got '$out', expected '$expected'"; exit 1; }
left=$(grep -lsz "^WINEPREFIX=$QBX_WINE_PREFIX\$" /proc/[0-9]*/environ)
[ -z "$left" ] || { echo "processes left behind: $left"; exit 1; }
echo "$out"
