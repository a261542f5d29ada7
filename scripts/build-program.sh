#!/usr/bin/env bash
# Builds the program and the stand-in emulator alone, Release, into ./build-release (or
# $KORVANE_BUILD_DIR): no tests and no benchmark, so neither GoogleTest nor Google Benchmark
# is needed, and the test build in ./build is left as it is. Extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
KORVANE_BUILD_DIR=${KORVANE_BUILD_DIR:-build-release} \
KORVANE_BUILD_TARGETS="korvane korvane-standin-mame" \
    scripts/build.sh -DCMAKE_BUILD_TYPE=Release -DKORVANE_BUILD_TESTS=OFF \
    -DKORVANE_BUILD_BENCH=OFF "$@"
