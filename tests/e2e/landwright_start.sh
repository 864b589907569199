#!/usr/bin/env bash
# landwright_start.sh -- the real Landwright on the X server in DISPLAY, reading the program folder's
# databases and square: its window shows, it answers its start-up notice and ends with status 0,
# once when Quit is chosen from its File menu by two mouse clicks and once when its window is
# closed; each time it writes its preference file and closes its error file.
set -u
. "$(dirname "$0")/kestrova_lib.sh"
exe=$1
cfg=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$cfg" "$work"' EXIT

run_once() {
  rm -f "$cfg/Landwright.prf"
  # Quit, below three items and a separator, spans x 50..231 and y 533..545.
  companion_run_once "$exe" Landwright "$work" "$cfg" "$1" 100 539
  head -n 2 "$cfg/Landwright.prf" | tr '\n' ' ' | grep -q "^I 51 version " ||
    { echo "no preference file was written"; exit 1; }
}

run_once menu
run_once close
exit 0
