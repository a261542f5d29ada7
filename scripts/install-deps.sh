#!/usr/bin/env bash
# Installs what building, running and testing Korvane need on Debian 12, through apt-get,
# as root or through sudo. Packages already present are left alone.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    googletest libgtest-dev libbenchmark-dev
    xvfb xauth x11-utils imagemagick xdotool
    fonts-wine fonts-dejavu-core
    clang libclang-rt-14-dev # the fuzzers: clang with libFuzzer and its sanitizer runtimes
    desktop-file-utils groff-base dpkg-dev file # the Debian package: its desktop entry, its
                                                # manual page, dpkg-shlibdeps
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "install-deps: these packages are missing and neither root nor sudo is available:" >&2
    echo "  ${missing[*]}" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq </dev/null
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
