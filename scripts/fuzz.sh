#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a
# bounded time, seeded with the test fixtures and samples of every format and
# with the target's own seeds in fuzz/seeds/<target> when it has any.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_PER_TARGET=${FUZZ_SECONDS:-30}
BUILD_DIR=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKURVEX_FUZZ=ON -DKURVEX_CORE_ONLY=ON -DKURVEX_TESTS=OFF -DKURVEX_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" -j "${JOBS:-2}"

seeds=()
for folder in tests/*/fixtures samples; do
  [ -d "$folder" ] && seeds+=("$folder")
done

status=0
for target in "$BUILD_DIR"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$BUILD_DIR/corpus/$name"
  mkdir -p "$corpus"
  own_seeds=()
  [ -d "fuzz/seeds/$name" ] && own_seeds+=("fuzz/seeds/$name")
  echo "== $name: ${SECONDS_PER_TARGET}s"
  if ! "$target" -max_total_time="$SECONDS_PER_TARGET" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$BUILD_DIR/" "$corpus" "${seeds[@]}" "${own_seeds[@]}" \
       2>"$BUILD_DIR/$name.log"; then
    echo "$name found a fault:" >&2
    tail -n 60 "$BUILD_DIR/$name.log" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units|^Done' "$BUILD_DIR/$name.log" || true
  fi
done
exit $status
