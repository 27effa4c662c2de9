#!/usr/bin/env bash
# Puts bregexp.dll in a folder whose name ends in 表 (Shift_JIS 0x95 0x5C)
# under the Japanese locale, or in a plain folder otherwise, and has the
# probe load it from there through the plug-in's loader.
set -u
probe="$QBX_WIN_DIR/$1"; dll="$QBX_WIN_DIR/$2"
mkdir -p "$QBX_ARTIFACTS"
if [ "$QBX_LOCALE" = ja ]; then
  folder="$QBX_ARTIFACTS/plugins表"; extra=--dbcs-tail
else
  folder="$QBX_ARTIFACTS/plugins"; extra=""
fi
rm -rf "$folder"; mkdir -p "$folder"
cp "$dll" "$folder/bregexp.dll" || { echo "no $dll"; exit 1; }
winfolder="Z:$(printf '%s' "$folder" | tr / '\\')"
"$QBX_WINE_RUN" run --prefix "$QBX_WINE_PREFIX" --locale "$QBX_LOCALE" --timeout 120 \
  --artifacts "$QBX_ARTIFACTS" -- "$probe" "$winfolder" $extra
