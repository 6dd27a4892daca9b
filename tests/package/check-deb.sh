#!/bin/sh
# Builds the Debian package from the build tree into a temporary folder and checks
# its file list, its control fields, its changelog, its desktop files and, where
# lintian is installed, that lintian finds neither an error nor a warning in it,
# without installing it. With VARNO_REQUIRE_LINTIAN=1 (as in CI), a missing lintian fails.
# Usage: check-deb.sh BUILD_FOLDER VERSION
set -eu
for tool in cpack dpkg-deb desktop-file-validate update-mime-database; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
if ! command -v lintian >/dev/null && [ "${VARNO_REQUIRE_LINTIAN:-0}" = 1 ]; then
  echo "FAIL: lintian is not installed"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$1/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail cpack; }
deb=$(ls "$work"/varno_*.deb)

files=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for file in bin/varno bin/varno-table bin/varno-open share/applications/varno.desktop share/mime/packages/varno.xml \
    share/icons/hicolor/16x16/apps/varno.png share/icons/hicolor/32x32/apps/varno.png \
    share/icons/hicolor/32x32/mimetypes/application-x-varno-nls.png \
    share/icons/hicolor/32x32/mimetypes/application-x-varno-keyboard-layout.png \
    share/man/man1/varno.1.gz share/man/man1/varno-table.1.gz share/man/man1/varno-open.1.gz \
    share/doc/varno/copyright share/doc/varno/changelog.gz; do
  echo "$files" | grep -qx "./usr/$file" || fail "the package does not install /usr/$file"
done

[ "$(dpkg-deb -f "$deb" Package)" = varno ] || fail "Package is not varno"
[ "$(dpkg-deb -f "$deb" Version)" = "$2" ] || fail "Version is not $2"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6; do
  echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done

# The changelog's latest entry is this version.
dpkg-deb -x "$deb" "$work/root"
latest=$(gzip -dc "$work/root/usr/share/doc/varno/changelog.gz" | head -n 1)
case "$latest" in
  "varno ($2) "*) ;;
  *) fail "the changelog's latest entry is not version $2: $latest" ;;
esac

if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail lintian; }
fi

# The desktop entry validates, and every type it claims is defined by the MIME package.
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
