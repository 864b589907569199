#!/usr/bin/env bash
# hullwright_start.sh -- the real Hullwright on the X server in DISPLAY, started with the program
# folder's part files and no preference file: its window shows the wire-frame preview of the new
# airplane, and it ends with status 0 when Quit is chosen from its File menu by two mouse clicks,
# writing its preference file and closing its error file.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/kestrova_lib.sh"
exe=$1
cfg=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$cfg" "$work"' EXIT

companion_start "$exe" Hullwright "$work" "$cfg"

# The preview: the new airplane's wire frame in light green (0.5, 1, 0.5) on black.
eval "$(xdo_retry 5 getwindowgeometry --shell "$win")"
green=$(python3 "$here/window_pixels.py" "$X" "$Y" "$WIDTH" "$HEIGHT" 128 255 128 40) ||
  { echo "the screen could not be read"; kill -9 "$pid"; exit 1; }
echo "wire-frame pixels: $green"
[ "$green" -gt 500 ] || { echo "no preview of the aircraft was drawn"; kill -9 "$pid"; exit 1; }

# File's items are 67 units wide from x 50 and Quit, below four items and a separator, spans
# y 521..533.
companion_end Hullwright "$work" menu 83 527
head -n 2 "$cfg/Hullwright.prf" | tr '\n' ' ' | grep -q "^I 3 version " ||
  { echo "no preference file was written"; exit 1; }
exit 0
