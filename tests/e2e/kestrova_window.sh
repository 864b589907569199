#!/usr/bin/env bash
# kestrova_window.sh -- starts the real Kestrova on the X server in DISPLAY, checks that its window
# shows, closes it the way a user does (the window manager's close key) and expects exit status 0.
set -u
exe=$1
cfg=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$cfg" "$work"' EXIT
cd "$work"
KV_CONFIG_DIR=$cfg "$exe" &
pid=$!

win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vantrel$' | head -n 1)
if [ -z "$win" ]; then
  echo "no window named Vantrel appeared"
  kill "$pid" 2>/dev/null
  exit 1
fi
if ! kill -0 "$pid" 2>/dev/null; then
  echo "Kestrova ended before it was closed"
  exit 1
fi
geom=$(xdotool getwindowgeometry "$win")
echo "$geom"

# Let a few frames run, then close it as a user would.
sleep 1
for _ in 1 2 3 4 5; do
  xdotool windowfocus --sync "$win" 2>/dev/null
  xdotool key --clearmodifiers alt+F4
  for _ in $(seq 1 20); do
    kill -0 "$pid" 2>/dev/null || break 2
    sleep 0.1
  done
done
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "Kestrova still runs after its window was closed"
  kill -9 "$pid"
  exit 1
fi
wait "$pid"
status=$?
echo "exit status $status"
[ "$status" -eq 0 ] || exit 1
grep -q "end simulation" "$work/Error.out" || { echo "Error.out was not closed"; exit 1; }
exit 0
