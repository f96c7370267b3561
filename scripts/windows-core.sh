#!/usr/bin/env bash
# Cross-builds the Qt-free core and its tests for 64-bit Windows with MinGW-w64
# and runs the tests under Wine, so the core's file handling (UTF-8 paths opened
# as wide paths, names matched ignoring case) is tried on Windows itself.
# GoogleTest is cross-built from Debian's sources (package googletest) once
# into the build folder. Needs the packages of scripts/install-deps.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=${JOBS:-2}
BUILD_DIR=${WIN_BUILD_DIR:-build-win}
WINE=${WINE:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
GTEST_SOURCE=${GTEST_SOURCE:-/usr/src/googletest}
TOOLCHAIN=$PWD/cmake/mingw-w64-x86_64.cmake
start=$SECONDS

LAUNCHER=()
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

mkdir -p "$BUILD_DIR"
BUILD=$(cd "$BUILD_DIR" && pwd)
GTEST_PREFIX=$BUILD/googletest/install

if [ ! -f "$GTEST_PREFIX/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "-- GoogleTest for Windows from $GTEST_SOURCE"
  cmake -S "$GTEST_SOURCE" -B "$BUILD/googletest/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$GTEST_PREFIX" "${LAUNCHER[@]}" >/dev/null
  cmake --build "$BUILD/googletest/build" -j "$JOBS" >/dev/null
  cmake --install "$BUILD/googletest/build" >/dev/null
fi

# A private Wine prefix inside the build folder, without debug output; the
# .NET and HTML engines are never needed and never offered for download.
export WINEPREFIX=$BUILD/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# One server of the private prefix for the whole run instead of one per test
# process (a server timing out while the next test connects fails that test);
# it is ended when the script ends.
[ -f "$WINEPREFIX/system.reg" ] || echo "-- Wine prefix $WINEPREFIX"
mkdir -p "$WINEPREFIX"
"$WINESERVER" -p || [ $? -eq 2 ]
trap '"$WINESERVER" -k 2>/dev/null || true' EXIT
# Starts (or creates) the prefix's session now, so that its background
# processes do not hold on to the output of the first test program.
"$WINE" wineboot </dev/null >/dev/null 2>&1 || true

echo "-- kurvex_core and its tests for Windows"
cmake -S . -B "$BUILD/core" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_FIND_ROOT_PATH="$GTEST_PREFIX" -DGTest_DIR="$GTEST_PREFIX/lib/cmake/GTest" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$WINE" \
  -DKURVEX_CORE_ONLY=ON -DKURVEX_TESTS=ON -DKURVEX_BENCH=OFF "${LAUNCHER[@]}" >/dev/null
cmake --build "$BUILD/core" -j "$JOBS"

echo "-- Core tests under Wine"
status=0
# Now and then (about once in 2,000 test processes here, on a loaded machine)
# a Wine process ends at its start without any output; such a test runs once
# more. A test that fails twice fails.
ctest --test-dir "$BUILD/core" -j "$JOBS" --output-on-failure --repeat until-pass:2 >"$BUILD/ctest.log" 2>&1 ||
  status=$?
summary=$(grep -E "tests failed out of [0-9]+" "$BUILD/ctest.log" || echo "0 tests failed out of 0")
failed=$(sed -E 's/.* ([0-9]+) tests failed out of.*/\1/' <<<"$summary")
total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$summary")
skipped=$(grep -c "(Skipped)$" "$BUILD/ctest.log" || true)
again=$(awk '/ Test +#[0-9]+: /{if ($0 ~ /\*\*\*(Failed|Exception|Timeout)/) bad[$4]=1; else if ($0 ~ / Passed /) good[$4]=1}
             END{n=0; for (t in bad) if (t in good) n++; print n}' "$BUILD/ctest.log")
echo "Under Wine: $((total - skipped - failed)) of $total tests passed, $skipped skipped, $failed failed" \
  "($again passed when run again)"
# What was skipped, with the reason each test gives.
log=$BUILD/core/Testing/Temporary/LastTest.log
if grep -q "(Skipped)" "$BUILD/ctest.log"; then
  echo "Skipped on Windows:"
  awk '/^[0-9]+\/[0-9]+ Test: /{name=$3} /: Skipped$/{getline reason; print "  " name ": " reason}' "$log"
fi
if [ "$status" -ne 0 ]; then
  cat "$BUILD/ctest.log"
fi
echo "-- Windows step: $(( (SECONDS - start) / 60 )) min $(( (SECONDS - start) % 60 )) s"
exit "$status"
