#!/usr/bin/env bash
# pictures.sh -- makes the README's pictures again: builds the picture programs and runs each
# program of the suite as it is, drawing offscreen, into docs/pictures/<program>.png. One command,
# so the pictures follow the programs.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=${KV_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target pictures
build=$(cd "$build" && pwd)
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy KV_PROGRAM_DIR="$build/tests/program"
out="$top/docs/pictures"
mkdir -p "$out"
for program in kestrova hullwright foilwright landwright skycaster hullconvert; do
  # Each in a fresh working folder with no preference files: the programs as they start.
  work=$(mktemp -d)
  cfg=$(mktemp -d)
  (cd "$work" && KV_CONFIG_DIR="$cfg" "$build/pictures_bin/picture_$program" "$out/$program.png")
  rm -rf "$work" "$cfg"
  echo "pictures: $out/$program.png"
done
