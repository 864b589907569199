#!/usr/bin/env bash
# test.sh -- sets up, builds and runs every test: the logic and offscreen rendering tests in
# parallel, the end-to-end tests under one shared Xvfb, then the fuzz targets for a bounded run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
./scripts/setup.sh
build=${KV_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"
jobs=$(nproc)
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
(cd "$build" && ctest -j"$jobs" --output-on-failure -LE e2e)
# End-to-end tests need a real X server with a window manager: one Xvfb for all of them.
./scripts/e2e.sh "$build"
if [ -x scripts/fuzz.sh ]; then
  ./scripts/fuzz.sh
fi
echo "test.sh: all tests passed"
