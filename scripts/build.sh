#!/usr/bin/env bash
# Configures and builds into ./build (or $KORVANE_BUILD_DIR). Extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KORVANE_BUILD_DIR:-build}
cmake -S . -B "$build_dir" "$@"
cmake --build "$build_dir" -j"$(nproc)"
