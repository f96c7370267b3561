#!/usr/bin/env bash
# Builds Kurvex (program, CLI, tests, benchmarks) into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
JOBS=${JOBS:-2}
LAUNCHER=()
# Rebuilds of an unchanged tree come from the compiler cache when there is one.
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "${LAUNCHER[@]}" "$@"
cmake --build "$BUILD_DIR" -j "$JOBS"
