#!/usr/bin/env bash
# Builds the Debian package build-package/korvane_<version>_amd64.deb: Release, without the
# tests and the benchmark, so the package holds only the program, its desktop entry, its icon,
# the user guide, the manual page, the copyright and the changelog. Extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build-package
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DKORVANE_BUILD_TESTS=OFF \
    -DKORVANE_BUILD_BENCH=OFF -DKORVANE_BUILD_FUZZERS=OFF -DKORVANE_SANITIZE=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr "$@"
cmake --build "$build_dir" -j"$(nproc)"
rm -f "$build_dir"/korvane_*.deb
(cd "$build_dir" && cpack -G DEB)
ls "$build_dir"/korvane_*.deb
