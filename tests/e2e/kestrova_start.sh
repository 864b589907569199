#!/usr/bin/env bash
# kestrova_start.sh -- the real Kestrova from the program folder on the X server in DISPLAY, with a
# fresh preferences folder: it reads its databases, answers its start-up notices (no accelerator,
# no joystick), reaches its frame loop and ends with status 0 -- the first start when Quit is chosen
# from its File menu by two mouse clicks, the second when its window is closed; the preferences the
# first writes (165 lines, version 51) are read back by the second without complaint.
set -u
. "$(dirname "$0")/kestrova_lib.sh"
exe=$1
cfg=$(mktemp -d)
trap 'rm -rf "$cfg" "$work1" "$work2"' EXIT
work1=$(mktemp -d)
work2=$(mktemp -d)

# File's items are 109 units wide from x 50; Quit, the sixth, spans y 531..543 below two
# separators.
KV_QUIT_X=104
KV_QUIT_Y=537

# Runs one start in folder $1, ending it by the menu ($2 = menu) or by closing its window; leaves
# the exit status in $status.
run_once() {
  local work=$1 how=$2
  cd "$work" || exit 1
  KV_CONFIG_DIR=$cfg "$exe" &
  local pid=$!
  local win
  find_window "$pid" 30
  # Answer notices until start-up has passed the joystick (its notice, or none, is the last one),
  # then give the frame loop a moment.
  for _ in $(seq 1 60); do
    kill -0 "$pid" 2>/dev/null || { echo "Kestrova ended during start-up"; cat "$work/Error.out"; exit 1; }
    xdotool windowfocus --sync "$win" 2>/dev/null
    xdotool key --clearmodifiers Return
    sleep 0.5
    grep -q "joystick\|Joystick\|joysticks" "$work/Error.out" 2>/dev/null && break
  done
  xdotool key --clearmodifiers Return
  sleep 2
  kill -0 "$pid" 2>/dev/null || { echo "Kestrova ended before it was closed"; exit 1; }
  if [ "$how" = menu ]; then
    quit_by_menu "$win" "$pid" Kestrova "$KV_QUIT_X" "$KV_QUIT_Y"
    return
  fi
  close_window "$win" "$pid"
}

# Only the notices of a machine without accelerator or joystick, and log lines (code 0).
check_alerts() {
  local work=$1
  grep -q "end simulation" "$work/Error.out" || { echo "Error.out was not closed"; exit 1; }
  local bad
  bad=$(grep "^alert " "$work/Error.out" | grep -v "^alert 0:" |
        grep -v "I can not find a 3-D accelerator card" | grep -v "My system-checking indicates")
  if [ -n "$bad" ]; then
    echo "unexpected alerts:"
    echo "$bad"
    exit 1
  fi
}

run_once "$work1" menu
echo "first start: exit status $status"
[ "$status" -eq 0 ] || exit 1
check_alerts "$work1"
prf="$cfg/Kestrova 4.prf"
[ -f "$prf" ] || { echo "no preferences file written"; exit 1; }
[ "$(head -n 2 "$prf" | tr '\n' '|')" = "I|51 version|" ] || { echo "preferences header wrong"; exit 1; }
[ "$(wc -l < "$prf")" -eq 165 ] || { echo "preferences file is not 165 lines"; exit 1; }
first_aircraft=$(sed -n 3p "$prf")

# Lines counted from the end of the file: the frame period is the 11th, the texture resolution the 7th.
line_from_end() { tail -n "$2" "$1" | head -n 1; }
set_line_from_end() {
  local n total
  total=$(wc -l < "$1")
  n=$((total - $2 + 1))
  sed -i "${n}s/.*/$3/" "$1"
}
set_line_from_end "$prf" 11 0
set_line_from_end "$prf" 7 3

run_once "$work2" close
echo "second start: exit status $status"
[ "$status" -eq 0 ] || exit 1
# A preferences file it could not read would have given a notice (check_alerts).
check_alerts "$work2"
[ "$(sed -n 3p "$prf")" = "$first_aircraft" ] || { echo "the second start flew another aircraft"; exit 1; }
[ "$(line_from_end "$prf" 7)" = "3" ] || { echo "the texture resolution was not read back"; exit 1; }
prd=$(line_from_end "$prf" 11)
awk -v p="$prd" 'BEGIN { exit !(p > 0 && p <= 0.11) }' || { echo "frame period $prd written back"; exit 1; }
echo "read back: resolution $(line_from_end "$prf" 7), frame period $prd"
exit 0
