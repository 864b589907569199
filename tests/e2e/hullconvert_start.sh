#!/usr/bin/env bash
# hullconvert_start.sh -- the real Hullconvert on the X server in DISPLAY: given an earlier-layout
# aircraft file it answers its start-up notice, converts the file in place and ends with status 0;
# given the converted file again it refuses it with its alert and ends with a failure status, the
# file untouched; started without one it shows the open dialog and ends with status 0 when its
# window is closed.
set -u
. "$(dirname "$0")/kestrova_lib.sh"
exe=$1
fixture=$2
cfg=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$cfg" "$work"' EXIT
cd "$work" || exit 1

"$fixture" "$work/old plane.acf" 3 || { echo "the fixture could not be written"; exit 1; }
KV_CONFIG_DIR=$cfg "$exe" "$work/old plane.acf" &
pid=$!
# It converts as soon as its window is up; a notice (OpenGL drawn in software) is answered by Return.
for _ in $(seq 1 60); do
  kill -0 "$pid" 2>/dev/null || break
  win=$(vantrel_window 0.5)
  if [ -n "$win" ]; then
    xdotool windowfocus --sync "$win" 2>/dev/null
    xdotool key --clearmodifiers Return
  fi
  sleep 0.5
done
if kill -0 "$pid" 2>/dev/null; then
  echo "Hullconvert did not end after converting"
  kill -9 "$pid"
  exit 1
fi
wait "$pid"
status=$?
echo "convert: exit status $status"
[ "$status" -eq 0 ] || { cat Error.out; exit 1; }
size=$(stat -c %s "$work/old plane.acf")
first=$(head -c 1 "$work/old plane.acf")
[ "$size" -eq 189553 ] && [ "$first" = i ] || { echo "the file was not converted (size $size)"; exit 1; }
ls "$work" | grep -q "converting\|\.tmp$" && { echo "a temporary file was left"; exit 1; }
grep -q "end simulation" Error.out || { echo "Error.out was not closed"; exit 1; }

# A file already converted is refused with its alert, answered by Return; the program then ends
# with a failure status and the file is as it was.
cp "$work/old plane.acf" "$work/converted copy"
rm -f Error.out
KV_CONFIG_DIR=$cfg "$exe" "$work/old plane.acf" &
pid=$!
for _ in $(seq 1 60); do
  kill -0 "$pid" 2>/dev/null || break
  win=$(vantrel_window 0.5)
  if [ -n "$win" ]; then
    xdotool windowfocus --sync "$win" 2>/dev/null
    xdotool key --clearmodifiers Return
  fi
  sleep 0.5
done
if kill -0 "$pid" 2>/dev/null; then
  echo "Hullconvert did not end after refusing the file"
  kill -9 "$pid"
  exit 1
fi
wait "$pid"
status=$?
echo "refuse: exit status $status"
[ "$status" -ne 0 ] || { echo "the refusal ended with status 0"; exit 1; }
grep -q "alert 2004: File-opening failed!" Error.out || { echo "no File-opening alert"; cat Error.out; exit 1; }
cmp -s "$work/old plane.acf" "$work/converted copy" || { echo "the refused file changed"; exit 1; }

# Without a file: the open dialog, then the window closed.
rm -f Error.out
KV_CONFIG_DIR=$cfg "$exe" &
pid=$!
find_window "$pid" 30
xdotool windowfocus --sync "$win" 2>/dev/null
xdotool key --clearmodifiers Return
sleep 1
kill -0 "$pid" 2>/dev/null || { echo "Hullconvert ended before its dialog was closed"; cat Error.out; exit 1; }
close_window "$win" "$pid"
echo "dialog: exit status $status"
[ "$status" -eq 0 ] || exit 1
grep -q "end simulation" Error.out || { echo "Error.out was not closed"; exit 1; }
exit 0
