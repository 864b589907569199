#!/usr/bin/env bash
# foilwright_start.sh -- the real Foilwright on the X server in DISPLAY: its window shows, it answers
# its start-up notice and ends with status 0, once when Quit is chosen from its File menu by two
# mouse clicks and once when its window is closed; each time its error file is closed.
set -u
. "$(dirname "$0")/kestrova_lib.sh"
exe=$1
cfg=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$cfg" "$work"' EXIT

# File's items are 67 units wide from x 50 and Quit, below four items and a separator, spans
# y 521..533.
companion_run_once "$exe" Foilwright "$work" "$cfg" menu 83 527
companion_run_once "$exe" Foilwright "$work" "$cfg" close
exit 0
