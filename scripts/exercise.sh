#!/usr/bin/env bash
# Builds the viewer with AddressSanitizer and UndefinedBehaviorSanitizer and
# drives its real main window (offscreen) with the seeded exerciser: random user
# actions on good and broken files, several seeds. A sanitizer report, a crash,
# a hang, a changed input folder or a file written without being asked for fails
# the run, with the seed and the command that replays it.
#
#   bash scripts/exercise.sh                              # the CI run
#   EXERCISE_SEEDS="7 8" EXERCISE_ACTIONS=2000 bash scripts/exercise.sh
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=${JOBS:-2}
SEEDS=${EXERCISE_SEEDS:-"1 2 3 4 5 6 7 8"}
ACTIONS=${EXERCISE_ACTIONS:-800}
BUILD_DIR=build-asan-ui

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
echo "== Viewer under AddressSanitizer and UndefinedBehaviorSanitizer ($BUILD_DIR)"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
  -DKURVEX_SANITIZE=ON -DKURVEX_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$BUILD_DIR" -j "$JOBS" --target kurvex_exerciser kurvex_exerciser_regressions >"$BUILD_DIR/build.log" 2>&1 \
  || { tail -n 60 "$BUILD_DIR/build.log"; exit 1; }
exerciser="$BUILD_DIR/tests/exerciser/kurvex_exerciser"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
# The program's single-instance lock and socket and every temporary file stay in here.
export TMPDIR="$work" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:handle_abort=1:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS="suppressions=$PWD/tests/exerciser/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
reports='runtime error|ERROR: AddressSanitizer|ERROR: LeakSanitizer'

echo "== Cases of what the exerciser found"
if ! "$BUILD_DIR/tests/exerciser/kurvex_exerciser_regressions" >"$work/regressions.log" 2>&1 \
   || grep -qE "$reports" "$work/regressions.log"; then
  tail -n 80 "$work/regressions.log"
  exit 1
fi
tail -n 1 "$work/regressions.log"

# One seed; its output stays in the work folder.
run_seed() {
  local seed=$1 start=$SECONDS
  if "$exerciser" --seed "$seed" --actions "$ACTIONS" --watchdog 120 --trace \
       >"$work/seed-$seed.out" 2>"$work/seed-$seed.log" \
     && ! grep -qE "$reports" "$work/seed-$seed.log"; then
    echo "seed $seed: $ACTIONS actions in $((SECONDS - start)) s" >"$work/seed-$seed.result"
  else
    {
      echo "seed $seed FAILED; the end of its trace and report:"
      tail -n 100 "$work/seed-$seed.log"
      echo "replay: ASAN_OPTIONS=$ASAN_OPTIONS LSAN_OPTIONS=$LSAN_OPTIONS $exerciser --seed $seed --actions $ACTIONS --trace"
    } >"$work/seed-$seed.result"
    return 1
  fi
}

echo "== Exerciser: seeds $SEEDS, $ACTIONS actions each, $JOBS at a time"
status=0
running=0
for seed in $SEEDS; do
  run_seed "$seed" &
  running=$((running + 1))
  if [ "$running" -ge "$JOBS" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
done
while [ "$running" -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done
for seed in $SEEDS; do
  cat "$work/seed-$seed.result"
done
exit $status
