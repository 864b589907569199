#!/usr/bin/env bash
# run.sh -- sets up, builds and starts the simulator on the bundled data.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
./scripts/setup.sh
build=${KV_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"
exec "$build/suite/Kestrova" "$@"
