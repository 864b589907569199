#!/usr/bin/env bash
# shuffled.sh -- runs each test binary whole, all its tests in one process and in a shuffled order,
# so that a test leaning on what another left behind fails (CTest's process per test hides that).
# The binaries run side by side; the seed is printed, and KV_SHUFFLE_SEED=<seed> repeats its orders.
#   KV_BUILD_DIR         the build folder, already built (default build, as scripts/test.sh leaves it)
#   KV_SHUFFLE_SECONDS   the longest a binary may take (default 1800)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=${KV_BUILD_DIR:-build}
list="$build/kv_test_binaries.txt"
if [ ! -s "$list" ]; then
  echo "shuffled.sh: $list is missing: build first (scripts/test.sh)" >&2
  exit 2
fi
seed=${KV_SHUFFLE_SEED:-$(( (RANDOM * 32768 + RANDOM) % 99999 + 1 ))}
limit=${KV_SHUFFLE_SECONDS:-1800}
echo "shuffled.sh: seed $seed (KV_SHUFFLE_SEED=$seed repeats these orders)"
logs="$build/shuffled"
rm -rf "$logs"
mkdir -p "$logs"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy

# One binary: its log and its exit status beside it.
run_one() {
  local exe=$1 name
  name=$(basename "$exe")
  local t0=$SECONDS rc=0
  timeout -k 10 "$limit" "$exe" --gtest_shuffle --gtest_random_seed="$seed" >"$logs/$name.log" 2>&1 || rc=$?
  echo "$rc $((SECONDS - t0))" >"$logs/$name.rc"
}
export -f run_one
export logs seed limit
xargs -a "$list" -P "$(nproc)" -I{} bash -c 'run_one "$1"' _ {}

passed=0
failed=0
status=0
while read -r exe; do
  name=$(basename "$exe")
  read -r rc secs <"$logs/$name.rc"
  ok=$(grep -o '^\[  PASSED  \] [0-9]* test' "$logs/$name.log" | grep -o '[0-9]*' || true)
  names=$(grep -o '^\[  FAILED  \] [A-Za-z_][A-Za-z_0-9/.]*' "$logs/$name.log" | sort -u || true)
  bad=$(printf '%s' "$names" | grep -c . || true)
  passed=$((passed + ${ok:-0}))
  failed=$((failed + bad))
  if [ "$rc" -eq 0 ]; then
    printf '%-20s %5s tests passed in %ss\n' "$name" "${ok:-0}" "$secs"
  else
    status=1
    [ "$bad" -gt 0 ] || failed=$((failed + 1))   # ended before gtest's summary: count the binary
    printf '%-20s FAILED (exit %s after %ss), see %s\n' "$name" "$rc" "$secs" "$logs/$name.log"
    if [ -n "$names" ]; then printf '%s\n' "$names" >&2; else tail -30 "$logs/$name.log" >&2; fi
  fi
done <"$list"
if [ "$status" -ne 0 ]; then
  echo "shuffled.sh: a whole-binary run failed with seed $seed (KV_SHUFFLE_SEED=$seed to repeat)" >&2
fi
echo "shuffled: $passed passed, $failed failed"
exit "$status"
