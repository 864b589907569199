#!/usr/bin/env bash
# fuzz.sh -- builds the libFuzzer targets in their own clang build (KV_FUZZ=ON) and runs each for a
# bounded time over its committed seed corpus. Fails when any target finds a crash, a hang, a leak
# or undefined behaviour; prints how many runs each made without a finding.
#   KV_FUZZ_SECONDS  seconds per target (default 5)
#   KV_FUZZ_BUILD    build folder (default build-fuzz)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=${KV_FUZZ_BUILD:-build-fuzz}
seconds=${KV_FUZZ_SECONDS:-5}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKV_FUZZ=ON -DKV_TESTS=OFF >/dev/null
cmake --build "$build" --target kv_fuzz

work="$build/fuzz-work"
rm -rf "$work"
mkdir -p "$work/artifacts"
# The targets hand their inputs to the readers as files: keep those in memory where possible.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
summary=""
for exe in "$build"/fuzz/fuzz_*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  seeds="tests/fuzz/corpus/$name"
  corpus="$work/$name"
  mkdir -p "$corpus"
  opts=()
  if [ -f "tests/fuzz/$name.options" ]; then
    read -r -a opts < "tests/fuzz/$name.options"
  fi
  log="$work/$name.log"
  if "$exe" "${opts[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$work/artifacts/$name-" \
       "$corpus" "$seeds" >"$log" 2>&1; then
    runs=$(grep -o 'Done [0-9]* runs' "$log" | tail -1 | grep -o '[0-9]*' || true)
    summary+=$(printf '%-14s %10s runs in %ss, no finding' "$name" "${runs:-?}" "$seconds")$'\n'
  else
    status=1
    summary+=$(printf '%-14s FINDING, see %s and %s' "$name" "$log" "$work/artifacts")$'\n'
    tail -40 "$log" >&2
  fi
done
printf '%s' "$summary"
if [ "$status" -ne 0 ]; then
  echo "fuzz.sh: a fuzz target found a problem" >&2
  exit 1
fi
echo "fuzz.sh: no findings"
