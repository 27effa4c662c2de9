#!/usr/bin/env bash
# The list's file icons land in the 15 x 15 corner of the file-name cell and
# nowhere else; sizes carry the locale's thousands separator.
set -u
probe="$QBX_WIN_DIR/$1"
out=$("$QBX_WINE_RUN" run --prefix "$QBX_WINE_PREFIX" --locale "$QBX_LOCALE" --timeout 90 \
      --artifacts "$QBX_ARTIFACTS" -- "$probe") || { echo "probe failed"; exit 1; }
out=$(printf '%s\n' "$out" | tr -d '\r')
echo "$out"
failures=0
for row in 1 2; do
  line=$(grep "^row $row " <<<"$out")
  colours=$(awk '{print $4}' <<<"$line")
  [ "${colours:-0}" -ge 3 ] || { echo "FAIL: row $row: no icon in the corner"; failures=$((failures + 1)); }
  grep -q "outside no$" <<<"$line" || { echo "FAIL: row $row: painted outside the corner"; failures=$((failures + 1)); }
done
grep -qx "untouched 3" <<<"$out" || { echo "FAIL: painted where no icon belongs"; failures=$((failures + 1)); }
grep -qx "size 1,234,567" <<<"$out" || { echo "FAIL: size not grouped by the locale"; failures=$((failures + 1)); }
exit $((failures > 0))
