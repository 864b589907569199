#!/usr/bin/env bash
# skycaster_start.sh -- the real Skycaster on the X server in DISPLAY, briefing from the reports in
# its program folder with no preference file: its window shows, it answers its start-up notice and
# ends with status 0, once when Quit is chosen from its File menu by two mouse clicks and once when
# its window is closed; each time its error file is closed.
set -u
. "$(dirname "$0")/kestrova_lib.sh"
exe=$1
cfg=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$cfg" "$work"' EXIT

# A click at the logical point ($2, $3) of the 800 by 600 screen (y up) in window $1.
click_logical() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --window "$1" "$(awk -v x="$2" -v w="$WIDTH" 'BEGIN { printf "%d", x * w / 800 }')" \
    "$(awk -v y="$3" -v h="$HEIGHT" 'BEGIN { printf "%d", (600 - y) * h / 600 }')"
  sleep 0.3
  xdotool click 1
}

run_once() {
  local how=$1
  cd "$work" || exit 1
  rm -f Error.out
  KV_CONFIG_DIR=$cfg "$exe" &
  local pid=$!
  find_window "$pid" 30
  # The notice of a machine drawing OpenGL in software, if any, is answered by Return.
  for _ in 1 2 3; do
    xdotool windowfocus --sync "$win" 2>/dev/null
    xdotool key --clearmodifiers Return
    sleep 0.5
  done
  kill -0 "$pid" 2>/dev/null || { echo "Skycaster ended before it was closed"; cat Error.out; exit 1; }
  if [ "$how" = menu ]; then
    # File's title spans x 50..74 on the bar; Quit, its only item, spans y 571..583 below it.
    click_logical "$win" 62 591
    sleep 0.7
    click_logical "$win" 62 577
    for _ in $(seq 1 100); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
      echo "choosing Quit from the File menu did not end Skycaster"
      kill -9 "$pid"
      exit 1
    fi
    wait "$pid"
    status=$?
  else
    close_window "$win" "$pid"
  fi
  echo "$how: exit status $status"
  [ "$status" -eq 0 ] || exit 1
  grep -q "end simulation" "$work/Error.out" || { echo "Error.out was not closed"; exit 1; }
}

run_once menu
run_once close
exit 0
