#!/usr/bin/env bash
# sanitize.sh -- builds the programs, the data and every test with the address and undefined-
# behaviour sanitizers (clang, in a build folder of its own), then runs the checks of the tree and
# of the data build, each test binary whole with its tests in a shuffled order (shuffled.sh: one
# sanitized process per binary instead of one per test), and the end-to-end tests of the sanitized
# programs. The first report of either sanitizer ends its process with a failure.
#   KV_SANITIZE_BUILD  build folder (default build-sanitize)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
./scripts/setup.sh
build=${KV_SANITIZE_BUILD:-build-sanitize}
jobs=$(nproc)
# The generators that write the data run sanitized during the build too.
# Leaks are not looked for: the software OpenGL driver and SDL keep what they allocate until exit.
export ASAN_OPTIONS=detect_leaks=0:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Each part's time and processor time, for CI's log.
part() {
  local TIMEFORMAT="sanitize.sh: $1 took %0R s (processor: %0U s user, %0S s system)"
  shift
  time "$@"
}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_SANITIZE=ON >/dev/null
part "the build" cmake --build "$build"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
# The checks of the tree and the data build; the gtests run in the whole-binary runs below.
part "the checks" bash -c 'cd "$1" && ctest -j"$2" --output-on-failure -LE "e2e|gtest"' _ "$build" "$jobs"
part "the whole-binary shuffled runs" \
  env KV_BUILD_DIR="$build" KV_SHUFFLE_SECONDS="${KV_SHUFFLE_SECONDS:-3600}" ./scripts/shuffled.sh
part "the end-to-end tests" ./scripts/e2e.sh "$build"
echo "sanitize.sh: all tests passed under the address and undefined-behaviour sanitizers"
