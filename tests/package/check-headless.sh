#!/bin/sh
# varno-table needs no display: neither it nor any library that it loads may be a widget,
# GUI or X library, so that it runs on a server where none of them is installed.
# Usage: check-headless.sh PROGRAM
set -eu
needed=$(readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p')
[ -n "$needed" ] || { echo "FAIL: readelf finds no needed library in $1"; exit 1; }
# The libraries loaded at run time: the needed ones and those that they need in turn.
loaded=$(ldd "$1" | awk '{ print $1 }')
windowing=$(printf '%s\n%s\n' "$needed" "$loaded" | sort -u \
  | grep -E '^lib(Qt6(Widgets|Gui|OpenGL)|X|xcb|xkbcommon|GL|EGL|wayland)' || true)
if [ -n "$windowing" ]; then
  echo "FAIL: $1 loads a window-system library:" $windowing
  exit 1
fi
echo "$1 loads no window-system library:" $needed
