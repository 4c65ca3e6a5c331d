#!/usr/bin/env bash
# Draws the sample window under each of the 33 themes and saves
#   docs/engine-themes.png        all 33 (contact sheet)
#   docs/engine-theme5.png        theme 5, the default look, as it shows on screen
# Usage: bash scripts/engine-contact-sheet.sh   (builds what it needs first)
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"
build_project engine_contact_sheet skinh_el

export WINEPREFIX=$build/wineprefix
. scripts/wine-env.sh
wine_prefix_ready

work=$(mktemp -d)
start_private_display
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
