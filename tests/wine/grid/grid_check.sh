#!/usr/bin/env bash
# Runs the grid showcase and checks its screenshots at the cells it names.
set -u
exe="$QBX_WIN_DIR/$1"
art="$QBX_ARTIFACTS"
mkdir -p "$art"
rm -f "$art"/go-* "$art"/grid-*.png "$art/grid_showcase.stdout"
out="$art/grid_showcase.stdout"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The display the runner uses: the prefix's own Xvfb, or ours.
if [ -f "$QBX_WINE_PREFIX.xvfb" ]; then
  read -r DISPLAY _ <"$QBX_WINE_PREFIX.xvfb"; export DISPLAY
fi

"$QBX_WINE_RUN" run --prefix "$QBX_WINE_PREFIX" --locale "$QBX_LOCALE" --timeout 150 \
  --artifacts "$art" -- "$exe" "Z:$(printf '%s' "$art" | tr / '\\')" >/dev/null &
runner=$!

wait_for() {
  for _ in $(seq 1 900); do
    [ -f "$out" ] && tr -d '\r' <"$out" | grep -q "^$1\$" && return 0
    kill -0 "$runner" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
field() { tr -d '\r' <"$out" | awk -v k="$1" -v n="$2" '$1 == k && $2 == n { print $3, $4, $5, $6 }' | tail -n1; }
rgb() {  # shot x y -> r,g,b
  convert "$1" -depth 8 -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:
}
expect_pixel() {  # shot probe r,g,b
  local x y got
  read -r x y _ <<<"$(field probe "$2")"
  [ -n "$x" ] || { fail "no probe $2"; return; }
  got=$(rgb "$1" "$x" "$y")
  [ "$got" = "$3" ] || fail "$2 at $x,$y is $got, expected $3"
}
crop() {  # shot box -> convert crop geometry
  local l t r b
  read -r l t r b <<<"$(field box "$2")"
  echo "$((r - l))x$((b - t))+$l+$t"
}
darkest() { convert "$1" -crop "$2" +repage -colorspace Gray -depth 8 -format '%[fx:int(255*minima)]' info:; }
step() {
  wait_for "ready $1" || { fail "showcase did not reach step $1"; return 1; }
  import -window root "$art/grid-$1.png"
}
go() { touch "$art/go-$1"; }

if step 1; then
  shot="$art/grid-1.png"
  expect_pixel "$shot" marked_row 255,238,238
  expect_pixel "$shot" marked_row_file_name 248,248,255
  expect_pixel "$shot" marked_row_html_file_name 255,255,221
  expect_pixel "$shot" file_name 248,248,255
  expect_pixel "$shot" plain 255,255,255
  colours=$(convert "$shot" -crop "$(crop "$shot" icon)" +repage -format %k info:)
  [ "$colours" -ge 3 ] || fail "no icon painted in the file-name cell ($colours colours)"
  [ "$(darkest "$shot" "$(crop "$shot" file_name_text)")" -lt 128 ] || fail "file name not drawn"
  # A right-aligned size: ink in the right half of the cell only.
  read -r l t r b <<<"$(field box size)"
  half=$(((r - l) / 2))
  [ "$(darkest "$shot" "${half}x$((b - t))+$l+$t")" -gt 200 ] || fail "size not right-aligned"
  [ "$(darkest "$shot" "${half}x$((b - t))+$((l + half))+$t")" -lt 128 ] || fail "size not drawn"
  go 1
fi
if step 2; then
  shot="$art/grid-2.png"
  hex=$(tr -d '\r' <"$out" | awk '$1 == "highlight" { print $2 }')
  highlight="$((16#${hex:4:2})),$((16#${hex:2:2})),$((16#${hex:0:2}))"
  expect_pixel "$shot" last_row_selected "$highlight"
  expect_pixel "$shot" marked_row_above 255,238,238
  go 2
fi
if step 3; then
  go 3
fi
if step 4; then
  go 4
fi
wait "$runner"
rc=$?
[ $rc -eq 0 ] || fail "showcase exited with $rc"
tr -d '\r' <"$out" | grep '^fail' && failures=$((failures + 1))
echo "$(tr -d '\r' <"$out" | grep -c '^ok') program checks passed, $failures failures"
[ $failures -eq 0 ]
