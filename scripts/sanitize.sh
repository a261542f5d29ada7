#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-asan (or $KORVANE_BUILD_DIR) and runs it. Any memory error or undefined behaviour
# ends the test that met it, so the suite fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KORVANE_BUILD_DIR:-build-asan}
scripts/install-deps.sh
KORVANE_BUILD_DIR=$build_dir scripts/build.sh -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORVANE_SANITIZE=ON -DKORVANE_WERROR=ON -DKORVANE_BUILD_BENCH=OFF
# The undefined-behaviour checks are built not to recover (-fno-sanitize-recover); these
# options add the stack of each report. Leaks are looked for too. strict_string_checks stays
# off: libxkbcommon-x11 (under the program on X) hands strndup a buffer without a NUL.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_stack_use_after_return=1:check_initialization_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
