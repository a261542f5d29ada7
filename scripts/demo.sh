#!/usr/bin/env bash
# From a fresh clone: installs what is missing, builds the program and the stand-in emulator
# (Release, in ./build-release, apart from the test build in ./build), lays out ./demo as a
# ready program directory and starts Korvane there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build-program.sh
scripts/make-demo.sh build-release demo
exec demo/korvane
