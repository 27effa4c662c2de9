#!/usr/bin/env bash
# make demo: sample folders, then the reference host with the plug-in loaded
# and the Japanese folder selected. Without a display it runs under Xvfb and
# keeps a screenshot.
#   demo.sh [--arch i686|x86_64]
# i686 (the default) is the release pair, quillbox.dll and bregexp.dll as users
# install them, in the i686 host under qemu-i386; x86_64 runs under wine64.
set -euo pipefail
arch=i686
[ "${1:-}" = --arch ] && arch="${2:?--arch needs i686 or x86_64}"
root=$(cd "$(dirname "$0")/.." && pwd)
demo="$root/build/demo"
case "$arch" in
  i686) build="$root/build/win32" ;;
  x86_64) build="$root/build/win64" ;;
  *) echo "demo: unknown architecture $arch" >&2; exit 2 ;;
esac
export QBX_ARCH="$arch"
qbx="$root/build/native/host/qbx/qbx"
run="$root/tests/wine/wine-run.sh"
win() { printf 'Z:%s' "$1" | tr '/' '\\'; }

rm -rf "$demo/samples" "$demo/data" "$demo/plugins"
mkdir -p "$demo/plugins"
python3 "$root/host/samples/make_samples.py" "$demo/samples"
"$qbx" import "$demo/data/Mail/Japanese" "$demo/samples/japanese/"*.eml >/dev/null
"$qbx" import "$demo/data/Mail/English" "$demo/samples/english/"*.eml >/dev/null
cp "$build/src/plugin/quillbox.dll" "$build/src/plugin/"Quillbox_ReadMe*.txt "$build/src/regex/bregexp.dll" \
  "$demo/plugins/"
echo "demo: the $arch build ($build)"

host_args=(--data "$(win "$demo/data")" --mailbox 'Mail\' --folder 'Mail\Japanese\'
           --plugin-dir "$(win "$demo/plugins")")
prefix="$demo/wine-prefix-$arch"
[ -d "$prefix" ] || "$run" init "$prefix" --arch "$arch" >/dev/null
host="$build/host/win32/tansyhost.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "demo: opening the host on $DISPLAY; close its window to end."
  exec "$run" run --prefix "$prefix" --locale ja --timeout 86400 --artifacts "$demo" --name host \
    -- "$host" "${host_args[@]}"
fi

# No display: run a script under Xvfb that opens the plug-in's window when the
# plug-in offers its command, and keeps a screenshot.
menu="$demo/menu.txt"
printf 'dump-menu 0 "%s"\nquit\n' "$(win "$menu" | sed 's/\\/\\\\/g')" >"$demo/probe.txt"
"$run" run --prefix "$prefix" --locale ja --timeout 60 --artifacts "$demo" --name probe \
  -- "$host" "${host_args[@]}" --script "$(win "$demo/probe.txt")" >/dev/null || true
shot="$(win "$demo/screenshot.bmp" | sed 's/\\/\\\\/g')"
{
  echo "sleep 1500"
  if grep -q "Quillbox" "$menu" 2>/dev/null; then
    echo 'run 0 "Tools/Quillbox プラグイン"'
    echo 'wait-window "Quillbox*" 30'
    echo 'sleep 3000'
    echo "screenshot \"$shot\""
    echo 'close "Quillbox*"'
    echo 'wait-gone "Quillbox*" 30'
  else
    echo "screenshot \"$shot\""
  fi
  echo "quit"
} >"$demo/demo-script.txt"
"$run" run --prefix "$prefix" --locale ja --timeout 120 --artifacts "$demo" --name host \
  -- "$host" "${host_args[@]}" --script "$(win "$demo/demo-script.txt")"
convert "$demo/screenshot.bmp" "$demo/screenshot.png"
"$run" stop "$prefix"
echo "demo: screenshot at $demo/screenshot.png"
echo "demo: host script commands: host/README.md (section Scripts); this run's script: $demo/demo-script.txt"
