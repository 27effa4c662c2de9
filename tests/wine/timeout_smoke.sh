#!/usr/bin/env bash
# A program that never ends is stopped at the time limit, reported as failed
# (exit 124), and the display is kept as a screenshot.
set -u
probe="$QBX_WIN_DIR/$1"
rm -rf "$QBX_ARTIFACTS"
"$QBX_WINE_RUN" run --prefix "$QBX_WINE_PREFIX" --locale "$QBX_LOCALE" --timeout 15 \
  --artifacts "$QBX_ARTIFACTS" --name hang -- "$probe" --hang
rc=$?
[ $rc -eq 124 ] || { echo "expected exit 124 after the time limit, got $rc"; exit 1; }
[ -s "$QBX_ARTIFACTS/hang.png" ] || { echo "no screenshot kept"; exit 1; }
# The screenshot shows the probe's white window on the black root.
light=$(convert "$QBX_ARTIFACTS/hang.png" -crop 100x50+60+60 -format '%[fx:mean]' info:)
awk -v m="$light" 'BEGIN { exit !(m > 0.5) }' || { echo "screenshot does not show the window (mean $light)"; exit 1; }
left=$(grep -lsz "^WINEPREFIX=$QBX_WINE_PREFIX\$" /proc/[0-9]*/environ)
[ -z "$left" ] || { echo "processes left behind: $left"; exit 1; }
echo "timed out as expected; screenshot at $QBX_ARTIFACTS/hang.png"
