#!/usr/bin/env bash
# Lays out a ready program directory: the korvane binary, KvCfg with the sample game list,
# hack list and user guide, INP, and the stand-in emulator as MAME.
# Usage: make-demo.sh BUILD_DIR DEMO_DIR
# An existing demo directory keeps its recordings and per-game settings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${1:-$root/build-release}" && pwd)
demo_dir=${2:-$root/demo}

mkdir -p "$demo_dir/KvCfg" "$demo_dir/INP" "$demo_dir/roms"
install -m 755 "$build_dir/korvane" "$demo_dir/korvane"
# The stand-in answers play, record, playback, -listinfo and -verifyroms as MAME would;
# it never emulates anything.
install -m 755 "$build_dir/korvane-standin-mame" "$demo_dir/MAME"
cp "$root/sample/KvCfg/Korvane.gam" "$root/sample/KvCfg/Korvane.hck" "$demo_dir/KvCfg/"
# The page that the About dialog's "Read documentation" opens.
cp "$root/docs/Korvane.htm" "$demo_dir/KvCfg/"
cp "$root/sample/KvCfg/Korvane.gam" "$demo_dir/standin-listinfo.txt"
# A few ROM sets for the verification commands: two good, one with missing ROMs.
mkdir -p "$demo_dir/roms/astrohex"
touch "$demo_dir/roms/galvanic.zip"
printf 'galv.3c\ngalv.4d\n' > "$demo_dir/roms/canyonbl.bad"
echo "Demo program directory ready: $demo_dir"
