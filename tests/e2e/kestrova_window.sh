#!/usr/bin/env bash
# kestrova_window.sh -- starts the real Kestrova on the X server in DISPLAY, checks that its window
# shows, closes it the way a user does (the window manager's close key) and expects exit status 0.
set -u
. "$(dirname "$0")/kestrova_lib.sh"
exe=$1
cfg=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$cfg" "$work"' EXIT
cd "$work"
KV_CONFIG_DIR=$cfg "$exe" &
pid=$!

find_window "$pid" 20
if ! kill -0 "$pid" 2>/dev/null; then
  echo "Kestrova ended before it was closed"
  exit 1
fi
geom=$(xdo_retry 5 getwindowgeometry "$win")
echo "$geom"

# Let a few frames run, then close it as a user would.
sleep 1
close_window "$win" "$pid"
echo "exit status $status"
[ "$status" -eq 0 ] || exit 1
grep -q "end simulation" "$work/Error.out" || { echo "Error.out was not closed"; exit 1; }
exit 0
