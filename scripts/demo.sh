#!/usr/bin/env bash
# From a fresh clone: installs what is missing, builds, lays out ./demo as a ready program
# directory and starts Korvane there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DCMAKE_BUILD_TYPE=Release
scripts/make-demo.sh build demo
exec demo/korvane
