#!/usr/bin/env bash
# Builds the Debian package build-package/korvane_<version>_amd64.deb: Release, without the
# tests and the benchmark, so the package holds only the program, its desktop entry, its icon,
# the user guide, the manual page, the copyright and the changelog. Extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build-package
# A game's program goes to /usr/games, where Debian puts MAME too; the user guide is found from
# there as ../share/doc/korvane. Debian's hardening (fortified functions, immediate binding, a
# protected stack) as dpkg-buildpackage would give it; the flags are read when the build is
# first made.
if command -v dpkg-buildflags > /dev/null; then
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
    LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
    export CXXFLAGS LDFLAGS
fi
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DKORVANE_BUILD_TESTS=OFF \
    -DKORVANE_BUILD_BENCH=OFF -DKORVANE_BUILD_FUZZERS=OFF -DKORVANE_SANITIZE=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games "$@"
cmake --build "$build_dir" -j"$(nproc)"
rm -f "$build_dir"/korvane_*.deb
(cd "$build_dir" && cpack -G DEB)
ls "$build_dir"/korvane_*.deb
