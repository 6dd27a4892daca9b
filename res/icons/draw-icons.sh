#!/bin/sh
# Draws the program's icons: 128 for the main window, 129 for document windows,
# each 32x32 and 16x16 in the 16 colours of the classic palette. Run from this
# folder with ImageMagick's convert; the PNG files it writes are committed.
set -eu

bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
ink='#000080'   # navy: frames and grid lines
changed='#00FF00'
clash='#FF0000'

palette=$(mktemp --suffix=.png)
trap 'rm -f "$palette"' EXIT
convert -size 17x1 xc:none \
  -fill '#000000' -draw 'point 0,0'  -fill '#800000' -draw 'point 1,0'  -fill '#008000' -draw 'point 2,0' \
  -fill '#808000' -draw 'point 3,0'  -fill '#000080' -draw 'point 4,0'  -fill '#800080' -draw 'point 5,0' \
  -fill '#008080' -draw 'point 6,0'  -fill '#C0C0C0' -draw 'point 7,0'  -fill '#808080' -draw 'point 8,0' \
  -fill '#FF0000' -draw 'point 9,0'  -fill '#00FF00' -draw 'point 10,0' -fill '#FFFF00' -draw 'point 11,0' \
  -fill '#0000FF' -draw 'point 12,0' -fill '#FF00FF' -draw 'point 13,0' -fill '#00FFFF' -draw 'point 14,0' \
  -fill '#FFFFFF' -draw 'point 15,0' "$palette"   # the 17th pixel stays transparent: the icon mask

# Reads a drawing on standard input and writes it in the palette, fully
# transparent or fully opaque pixel by pixel.
finish() {
  convert - -channel A -threshold 50% +channel +dither -remap "$palette" -strip PNG8:"$1"
}

# Main window: a table of four cells, unchanged, changed and clashing, with Cyrillic letters.
convert -size 32x32 xc:none -stroke none \
  -fill "$ink" -draw 'rectangle 0,0 31,31' \
  -fill white -draw 'rectangle 1,1 14,14' -fill "$changed" -draw 'rectangle 16,1 30,14' \
  -fill white -draw 'rectangle 1,16 14,30' -fill "$clash" -draw 'rectangle 16,16 30,30' \
  +antialias -font "$bold" -pointsize 13 -fill black \
  -annotate +3+13 'Я' -annotate +17+13 'Ж' -annotate +3+29 'Б' -annotate +18+29 'Д' \
  png:- | finish icon-128-32.png

convert -size 16x16 xc:none -stroke none \
  -fill "$ink" -draw 'rectangle 0,0 15,15' -fill white -draw 'rectangle 1,1 14,14' \
  -fill "$changed" -draw 'rectangle 10,1 14,7' -fill "$clash" -draw 'rectangle 10,9 14,14' \
  -fill "$ink" -draw 'line 9,1 9,14' -draw 'line 10,8 14,8' \
  +antialias -font "$bold" -pointsize 11 -fill black -annotate +1+13 'Я' \
  png:- | finish icon-128-16.png

# Document window: a page with a folded corner, a letter and a row of cells.
convert -size 32x32 xc:none -stroke none \
  -fill "$ink" -draw 'polygon 4,0 21,0 28,7 28,31 4,31' \
  -fill white -draw 'polygon 5,1 20,1 20,8 27,8 27,30 5,30' \
  -fill '#C0C0C0' -draw 'polygon 21,2 26,7 21,7' \
  +antialias -font "$bold" -pointsize 14 -fill black -annotate +8+17 'Я' \
  -fill "$ink" -draw 'rectangle 7,21 25,28' \
  -fill white -draw 'rectangle 8,22 12,27' -fill "$changed" -draw 'rectangle 14,22 18,27' \
  -fill "$clash" -draw 'rectangle 20,22 24,27' \
  png:- | finish icon-129-32.png

convert -size 16x16 xc:none -stroke none \
  -fill "$ink" -draw 'polygon 2,0 10,0 14,4 14,15 2,15' \
  -fill white -draw 'polygon 3,1 9,1 9,5 13,5 13,14 3,14' \
  -fill '#C0C0C0' -draw 'polygon 10,1 13,4 10,4' \
  -fill "$ink" -draw 'rectangle 4,7 12,13' \
  -fill white -draw 'rectangle 5,8 7,12' -fill "$changed" -draw 'rectangle 9,8 11,10' \
  -fill "$clash" -draw 'rectangle 9,11 11,12' \
  png:- | finish icon-129-16.png
