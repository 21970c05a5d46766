#!/usr/bin/env bash
# The pictures in docs/, cut from the captures the end-to-end passes save
# (build/windows/artefacts/NAME.bmp, see SaveScreenshot): NAME is what the capture shows, followed
# by its dots per inch where they are not 96 ("about-144dpi"); docs/NAME.png is its picture.
#   pictures.sh make    cuts every capture into its picture in docs/
#   pictures.sh check   cuts each picture's capture the same way beside it and fails, naming the
#                       picture, where more pixels differ than anti-aliasing may; the difference
#                       is kept there as NAME-difference.png
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shots=$root/build/windows/artefacts
# Colours nearer than this are the same; no two system colours are so near (window and dialog
# face, the nearest, are 6 % apart). Measured, the captures of unchanged windows differ in no
# pixel beyond it, at either dpi, from run to run.
fuzz=2%
most_differing=0

# Capture $1 cut into picture $2: the tray menu with the corner of the desktop it opened in (Wine
# keeps it inside the screen, so it covers the icon); a window alone, the desktop (its taskbar, and
# the tray's tip just above) trimmed away around it, with a margin.
# Without a date in it, a picture made anew from the same capture is the same file.
cut() {
  local same=(-define 'png:exclude-chunks=date,time')
  case $(basename "$1") in
    tray-menu*) convert "$1" -gravity SouthEast -crop 360x240+0+0 +repage "${same[@]}" "$2" ;;
    *) convert "$1" -gravity South -chop 0x48 -fuzz 2% -trim +repage \
      -bordercolor '#26708f' -border 16 "${same[@]}" "$2" ;;
  esac
}

# How many pixels of pictures $1 and $2 differ, the two laid on one canvas of the larger size (where
# only one reaches, they differ); the difference drawn into $3.
differing() {
  local width=0 height=0 w h
  while read -r w h; do
    width=$((w > width ? w : width)) height=$((h > height ? h : height))
  done < <(identify -format '%w %h\n' "$1" "$2")
  convert "$1" -background magenta -extent "${width}x$height" "$work/a.png"
  convert "$2" -background cyan -extent "${width}x$height" "$work/b.png"
  # compare prints the count on stderr, and exits 1 when any pixel differs.
  printf '%.0f' "$(compare -metric AE -fuzz "$fuzz" "$work/a.png" "$work/b.png" "$3" 2>&1 || true)"
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case ${1:-} in
  make)
    for capture in "$shots"/*.bmp; do
      cut "$capture" "$root/docs/$(basename "$capture" .bmp).png"
    done
    ls -l "$root"/docs/*.png
    ;;
  check)
    failed=0
    for picture in "$root"/docs/*.png; do
      name=$(basename "$picture" .png)
      if [ ! -f "$shots/$name.bmp" ]; then
        echo "pictures: docs/$name.png: no capture $shots/$name.bmp" >&2
        failed=1
        continue
      fi
      cut "$shots/$name.bmp" "$shots/$name.png"
      count=$(differing "$shots/$name.png" "$picture" "$shots/$name-difference.png")
      echo "pictures: docs/$name.png: $count pixels differ"
      if [ "$count" -gt "$most_differing" ]; then
        echo "pictures: docs/$name.png is not what this build shows: more than $most_differing" \
          "pixels differ; see $shots/$name-difference.png" >&2
        failed=1
      else
        rm -f "$shots/$name-difference.png"
      fi
    done
    exit "$failed"
    ;;
  *)
    echo "usage: pictures.sh make|check" >&2
    exit 2
    ;;
esac
