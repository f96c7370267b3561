#!/usr/bin/env bash
# Builds Kurvex (program, CLI, tests, benchmarks) into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
JOBS=${JOBS:-2}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@"
cmake --build "$BUILD_DIR" -j "$JOBS"
