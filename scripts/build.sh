#!/usr/bin/env bash
# Configures and builds into ./build (or $KORVANE_BUILD_DIR). Extra arguments go to CMake.
# $KORVANE_BUILD_TARGETS, when set, names the targets to build (separated by spaces) instead
# of all of them.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KORVANE_BUILD_DIR:-build}
read -r -a targets <<<"${KORVANE_BUILD_TARGETS:-}"
cmake -S . -B "$build_dir" "$@"
cmake --build "$build_dir" -j"$(nproc)" ${targets[@]+--target "${targets[@]}"}
