#!/usr/bin/env bash
# Draws the sample window under each of the 33 themes and saves
#   docs/engine-themes.png        all 33 (contact sheet)
#   docs/engine-themes-150.png    all 33 on a screen of 150 % (144 DPI)
#   docs/engine-theme5.png        theme 5, the default look, as it shows on screen
# Uses the 32-bit build where the host runs 32-bit code natively, the 64-bit one
# otherwise (the engine draws the same either way).
# Usage: bash scripts/engine-contact-sheet.sh [FOLDER]   (FOLDER instead of docs/,
#   for a trial; builds what it needs first)
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"
build_runnable engine_contact_sheet skinh_el
out=${1:-docs}

work=$(mktemp -d)
start_wine_session "$arch"
# The tests share the prefix: it goes back to 100 % whatever happens.
trap 'set_screen_dpi 96; stop_wine_session; rm -rf "$work"' EXIT
set_screen_dpi 96

# The exe keeps the theme 5 window up for 6 s; the screenshot is taken meanwhile.
wine "$built_contact_sheet" "Z:$work/sheet.bmp" "Z:$work/theme5.bmp" 6 &
runner=$!
for _ in $(seq 200); do [ -s "$work/theme5.bmp" ] && break; sleep 0.1; done
sleep 1
mkdir -p "$out"
import -window root -crop 422x322+0+0 +repage "$out/engine-theme5.png"
wait "$runner"
convert "$work/sheet.bmp" -resize 50% "$out/engine-themes.png"

set_screen_dpi 144
wine "$built_contact_sheet" "Z:$work/sheet-150.bmp"
convert "$work/sheet-150.bmp" -resize 50% "$out/engine-themes-150.png"
echo "saved $out/engine-themes.png, $out/engine-themes-150.png and $out/engine-theme5.png ($arch build)"
