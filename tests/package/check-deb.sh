#!/bin/sh
# Builds the Debian package from the build tree into a temporary folder and checks
# its file list, its control fields and its desktop files, without installing it.
# Usage: check-deb.sh BUILD_FOLDER VERSION
set -eu
for tool in cpack dpkg-deb desktop-file-validate update-mime-database; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$1/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail cpack; }
deb=$(ls "$work"/varno_*.deb)

files=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for file in bin/varno bin/varno-table bin/varno-open share/applications/varno.desktop share/mime/packages/varno.xml \
    share/icons/hicolor/16x16/apps/varno.png share/icons/hicolor/32x32/apps/varno.png \
    share/icons/hicolor/32x32/mimetypes/application-x-varno-nls.png \
    share/icons/hicolor/32x32/mimetypes/application-x-varno-keyboard-layout.png; do
  echo "$files" | grep -qx "./usr/$file" || fail "the package does not install /usr/$file"
done

[ "$(dpkg-deb -f "$deb" Package)" = varno ] || fail "Package is not varno"
[ "$(dpkg-deb -f "$deb" Version)" = "$2" ] || fail "Version is not $2"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6; do
  echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done

# The desktop entry validates, and every type it claims is defined by the MIME package.
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/varno.desktop" || fail "desktop-file-validate"
mkdir -p "$work/mime/packages"
cp "$work/root/usr/share/mime/packages/varno.xml" "$work/mime/packages/"
update-mime-database "$work/mime" 2>"$work/mime.log"
! grep -Eiq 'error|failed' "$work/mime.log" || fail "update-mime-database: $(cat "$work/mime.log")"
types=$(sed -n 's/^MimeType=//p' "$work/root/usr/share/applications/varno.desktop" | tr ';' ' ')
[ -n "$types" ] || fail "the desktop entry claims no MIME type"
for type in $types; do
  [ -f "$work/mime/$type.xml" ] || fail "the MIME package does not define $type"
done
echo "ok: $(basename "$deb")"
