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

cd "$work" || exit 1
KV_CONFIG_DIR=$cfg "$exe" &
pid=$!
find_window "$pid" 30
# The notice of a machine drawing OpenGL in software, if any, is answered by Return.
for _ in 1 2 3; do
  xdotool windowfocus --sync "$win" 2>/dev/null
  xdotool key --clearmodifiers Return
  sleep 0.5
done
kill -0 "$pid" 2>/dev/null || { echo "Hullwright ended before it was closed"; cat Error.out; exit 1; }

# The preview: the new airplane's wire frame in light green (0.5, 1, 0.5) on black.
eval "$(xdotool getwindowgeometry --shell "$win")"
green=$(python3 "$here/window_pixels.py" "$X" "$Y" "$WIDTH" "$HEIGHT" 128 255 128 40) ||
  { echo "the screen could not be read"; kill -9 "$pid"; exit 1; }
echo "wire-frame pixels: $green"
[ "$green" -gt 500 ] || { echo "no preview of the aircraft was drawn"; kill -9 "$pid"; exit 1; }

# File's items are 67 units wide from x 50 and Quit, below four items and a separator, spans
# y 521..533.
quit_by_menu "$win" "$pid" Hullwright 83 527
echo "menu: exit status $status"
[ "$status" -eq 0 ] || exit 1
grep -q "end simulation" "$work/Error.out" || { echo "Error.out was not closed"; exit 1; }
head -n 2 "$cfg/Hullwright.prf" | tr '\n' ' ' | grep -q "^I 3 version " ||
  { echo "no preference file was written"; exit 1; }
exit 0
