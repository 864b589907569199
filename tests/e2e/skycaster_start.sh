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

# Quit, File's only item, spans y 571..583.
companion_run_once "$exe" Skycaster "$work" "$cfg" menu 62 577
companion_run_once "$exe" Skycaster "$work" "$cfg" close
exit 0
