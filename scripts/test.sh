#!/usr/bin/env bash
# Installs what is needed, builds and runs every test: the sanitizer build of the
# core tests, the core tests cross-built for Windows under Wine, each fuzz target for a
# bounded time, and last the whole ctest suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
JOBS=${JOBS:-2}

echo "== Build"
bash scripts/build.sh -DKURVEX_TESTS=ON

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKURVEX_SANITIZE=ON -DKURVEX_CORE_ONLY=ON \
  -DKURVEX_BENCH=OFF >/dev/null
cmake --build build-asan -j "$JOBS"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$JOBS" >build-asan/ctest.log 2>&1 \
  || { cat build-asan/ctest.log; exit 1; }
tail -n 3 build-asan/ctest.log

echo "== Core tests on Windows (MinGW-w64 cross build under Wine)"
bash scripts/windows-core.sh

echo "== Fuzzing"
bash scripts/fuzz.sh

echo "== The viewer under the exerciser (ASan/UBSan)"
bash scripts/exercise.sh

echo "== All tests"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} ctest --test-dir build --output-on-failure -j "$JOBS"

echo "== Debian package"
bash scripts/package.sh
