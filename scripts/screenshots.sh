#!/usr/bin/env bash
# Screenshots of the real program for the README, from an existing build:
#   docs/screenshots/editor.png       a windows-1251 grid and a keyboard layout side by side (offscreen)
#   docs/screenshots/editor-xvfb.png  the same on an X server (Xvfb)
#   docs/screenshots/startup-xvfb.png the varno executable as it starts, with no document open (Xvfb)
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default: build; build it first)
# Needs xvfb-run, xwininfo and ImageMagick's import for the two Xvfb pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
out="$PWD/docs/screenshots"
gui_tests="$build/tests/gui/varno_gui_tests"
varno="$build/app/varno"
for program in "$gui_tests" "$varno"; do
  [ -x "$program" ] || { echo "missing $program: build first (cmake -S . -B $build && cmake --build $build)" >&2; exit 1; }
done
mkdir -p "$out"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

echo "== offscreen"
VARNO_SCREENSHOT_DIR="$out" QT_QPA_PLATFORM=offscreen "$gui_tests" --gtest_filter='Screenshot.*'

echo "== Xvfb: the same windows on an X server"
mkdir -p "$scratch/xvfb"
VARNO_SCREENSHOT_DIR="$scratch/xvfb" xvfb-run -a -s "-screen 0 1600x1000x24" \
  env QT_QPA_PLATFORM=xcb "$gui_tests" --gtest_filter='Screenshot.*'
mv "$scratch/xvfb/screen.png" "$out/editor-xvfb.png"

echo "== Xvfb: the varno executable at start-up"
# Its own home, so that the user's recent-file list is neither read nor written.
cat > "$scratch/startup.sh" <<SCRIPT
#!/bin/sh
HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" QT_QPA_PLATFORM=xcb "$PWD/$varno" &
pid=\$!
tries=0
until xwininfo -root -tree | grep -q '"Varno"'; do
  tries=\$((tries + 1))
  [ \$tries -lt 100 ] || { kill \$pid; echo "no main window" >&2; exit 1; }
  sleep 0.1
done
sleep 0.5
import -window root "$out/startup-xvfb.png"
kill \$pid
SCRIPT
chmod +x "$scratch/startup.sh"
xvfb-run -a -s "-screen 0 1400x900x24" "$scratch/startup.sh"
ls -l "$out"
