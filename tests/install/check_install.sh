#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR as a package does, then checks what arrived: the
# list of files, the desktop entry and metainfo against their validators, and that the program
# runs from there on its own.
# Usage: check_install.sh <build folder> <version>
set -euo pipefail
build=$1
version=$2
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
fail() { echo "check_install: $*" >&2; exit 1; }

DESTDIR=$dest cmake --install "$build" --prefix /usr >/dev/null

id=app.zentrav.Zentrav
expected=(
  usr/bin/zentrav
  usr/share/applications/$id.desktop
  usr/share/doc/zentrav/changelog.gz
  usr/share/doc/zentrav/copyright
)
for size in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
expected+=(
  usr/share/icons/hicolor/scalable/apps/$id.svg
  usr/share/man/man1/zentrav.1.gz
  usr/share/metainfo/$id.metainfo.xml
)
installed=$(cd "$dest" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
diff <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) <(echo "$installed") ||
  fail "the installed files differ from the list above (<: missing, >: unexpected)"

out=$(desktop-file-validate "$dest/usr/share/applications/$id.desktop" 2>&1) && [ -z "$out" ] ||
  fail "the desktop entry is not valid: $out"
out=$(appstreamcli validate --no-net "$dest/usr/share/metainfo/$id.metainfo.xml" 2>&1) ||
  fail "the metainfo is not valid: $out"
grep -q "<release version=\"$version\"" "$dest/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo has no release $version"
for size in 16 256; do
  # A PNG's width and height are the 4-byte numbers at offsets 16 and 20.
  png=$dest/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
  read -r a b c d e f g h <<<"$(od -An -tu1 -j16 -N8 "$png")"
  [ $((a << 24 | b << 16 | c << 8 | d)) = "$size" ] && [ $((e << 24 | f << 16 | g << 8 | h)) = "$size" ] ||
    fail "the $size pixel icon is not $size x $size"
done

# Nothing points back into the build tree, and the program needs nothing from it.
if readelf -d "$dest/usr/bin/zentrav" | grep -Eq 'RPATH|RUNPATH'; then
  fail "the installed program keeps a library path: $(readelf -d "$dest/usr/bin/zentrav" | grep PATH)"
fi
[ "$(HOME=$dest DISPLAY='' "$dest/usr/bin/zentrav" --version)" = "Zentrav $version" ] ||
  fail "the installed program does not print its version"
echo "check_install: $(echo "$installed" | wc -l) files installed and valid"
