#!/usr/bin/env bash
# From a fresh clone: installs what is missing, builds with warnings as errors and runs the
# whole test suite. Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
KORVANE_BUILD_DIR=${KORVANE_BUILD_DIR:-build} scripts/build.sh -DKORVANE_WERROR=ON
ctest --test-dir "${KORVANE_BUILD_DIR:-build}" --output-on-failure -j"$(nproc)"
