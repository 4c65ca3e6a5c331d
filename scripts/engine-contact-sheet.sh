#!/usr/bin/env bash
# Draws the sample window under each of the 33 themes and saves
#   docs/engine-themes.png        all 33 (contact sheet)
#   docs/engine-theme5.png        theme 5, the default look, as it shows on screen
# Usage: bash scripts/engine-contact-sheet.sh   (builds what it needs first)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build" --target engine_contact_sheet skinh_el

export WINEPREFIX=$build/wineprefix
. scripts/wine-env.sh
wine_prefix_ready

work=$(mktemp -d)
exec 8>"$work/display"
Xvfb -displayfd 8 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
exec 8>&-
cleanup() { kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

# The exe keeps the theme 5 window up for 6 s; the screenshot is taken meanwhile.
wine "$build/engine/engine_contact_sheet.exe" "Z:$work/sheet.bmp" "Z:$work/theme5.bmp" 6 &
runner=$!
for _ in $(seq 200); do [ -s "$work/theme5.bmp" ] && break; sleep 0.1; done
sleep 1
mkdir -p docs
import -window root -crop 422x322+0+0 +repage docs/engine-theme5.png
wait "$runner"
convert "$work/sheet.bmp" -resize 50% docs/engine-themes.png
echo "saved docs/engine-themes.png and docs/engine-theme5.png"
