#!/usr/bin/env bash
# Packs the release: the i686 plug-in, its regular-expression library, both
# ReadMe files and their SHA-256 checksums, in one zip archive.
#
#   scripts/dist.sh [WIN32_BUILD_DIR] [OUTPUT_DIR]
#
# Defaults: build/win32 (built by "make build-windows") and build/dist.
# Prints the archive's path and its listing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win32}")
out=$(realpath -m "${2:-$root/build/dist}")
die() { echo "dist: $*" >&2; exit 1; }

# One source for the version: the product version of the library's resources.
version=$(sed -n 's/.*VALUE "ProductVersion", "\([^"]*\)".*/\1/p' "$root/src/resources/quillbox.rc")
[ -n "$version" ] || die "no product version in src/resources/quillbox.rc"

plugin="$build/src/plugin"
regex=$(find "$build/src/regex" -maxdepth 2 -name bregexp.dll 2>/dev/null | head -n1)
files=("$plugin/quillbox.dll" "${regex:-$build/src/regex/bregexp.dll}"
       "$plugin/Quillbox_ReadMeJpn.txt" "$plugin/Quillbox_ReadMeEng.txt")
for f in "${files[@]}"; do [ -f "$f" ] || die "missing $f (run: make build-windows)"; done
# The release is the 32-bit build; a 64-bit library would not load into the host.
for dll in "${files[@]:0:2}"; do
  i686-w64-mingw32-objdump -f "$dll" | grep -q 'file format pei-i386' || die "$dll is not an i686 library"
done

name="quillbox-$version"
stage="$out/$name"
rm -rf "$stage" "$out/$name.zip"
mkdir -p "$stage"
cp "${files[@]}" "$stage/"
# CR LF, so that the list reads well in any Windows editor; sha256sum -c takes it.
(cd "$stage" && sha256sum --binary quillbox.dll bregexp.dll Quillbox_ReadMeJpn.txt Quillbox_ReadMeEng.txt \
  | sed 's/$/\r/' >SHA256SUMS.txt)
# Fixed entry times, so that the same build packs to the same bytes.
touch -d '2000-01-01 00:00:00 UTC' "$stage" "$stage"/*
(cd "$out" && TZ=UTC zip -q -X -r "$name.zip" "$name")
echo "dist: $out/$name.zip"
unzip -l "$out/$name.zip"
