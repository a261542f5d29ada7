#!/usr/bin/env bash
# Starts Korvane in a demo directory under Xvfb and saves a picture of its window.
# Usage: screenshot.sh DEMO_DIR OUTPUT.png
set -euo pipefail
demo_dir=$(cd "$1" && pwd)
output=$2
display=:${KORVANE_SCREENSHOT_DISPLAY:-93}
config=$(mktemp -d)
# A settings file that has seen this version, so no first-start dialog covers the window.
mkdir -p "$config/Korvane"
printf '[Options]\nKvVersion=%s\n' "$(sed -n 's/^project(Korvane VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")" \
    > "$config/Korvane/Korvane.ini"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$config"' EXIT
sleep 1
(cd "$demo_dir" && DISPLAY=$display XDG_CONFIG_HOME=$config ./korvane) &
app=$!
for _ in $(seq 1 50); do
    if DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -q "games available"; then break; fi
    sleep 0.2
done
sleep 1
id=$(DISPLAY=$display xwininfo -root -tree | grep "games available" | head -1 | awk '{print $1}')
DISPLAY=$display import -window "$id" "$output"
echo "saved $output"
