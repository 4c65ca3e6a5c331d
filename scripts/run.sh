#!/usr/bin/env bash
# Builds everything and starts the program under Wine against a demo game.
# Usage: bash scripts/run.sh
#
# The run has a Wine prefix of its own (build/run-prefix) holding the demo game
# at C:\英雄联盟: the registry's InstallPath, TCLS\Client.exe and a Game folder
# with the game's stock ClientZips.txt. With a display the program opens on it:
# choose C:\英雄联盟 in the folder dialog, then press a "修改" button and watch
# the pack land in C:\英雄联盟\Game. Without one it runs on Xvfb, a driver makes
# the same choices, and screenshots go to build/run-shots/.
#
# It starts the 32-bit program, the one that ships, where this host runs 32-bit
# code natively, and otherwise (emulated, or not at all) the 64-bit build of it
# (build/x86_64/), saying which.
# PROJECT_NO_32BIT=1 makes it choose as such a host would.
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"
build_runnable skin_pack_tool startup_demo_driver
# build_runnable has said why, where it is the 64-bit build.
echo "run: the $arch program (${built_program#"$root/"})"

# The user's screen when there is one, else one of our own for the driver and
# the screenshots.
xvfb_pid=
start_wine_session "$arch" "$build/run-prefix" --user-display

game=$WINEPREFIX/drive_c/英雄联盟
mkdir -p "$game/TCLS" "$game/Game"
[ -e "$game/TCLS/Client.exe" ] || printf 'MZ' >"$game/TCLS/Client.exe"
[ -e "$game/Game/ClientZips.txt" ] || cp "$built_stock_list" "$game/Game/ClientZips.txt"
# Each architecture's prefix is of its own kind, so the program reads this key
# directly (no WOW6432Node in a 32-bit prefix).
wine reg add 'HKLM\Software\Tencent\LOL' /v InstallPath /t REG_SZ /d 'C:\英雄联盟' /f >/dev/null 2>&1

# The program runs from the prefix, so the engine file it writes beside itself
# stays out of the build tree; dropping the old one brings the current engine.
app=$WINEPREFIX/drive_c/skin_pack_tool
mkdir -p "$app"
rm -f "$app/${built_engine##*/}"
ln -f "$built_program" "$app/" 2>/dev/null || cp "$built_program" "$app/"
program="C:\\skin_pack_tool\\${built_program##*/}"

if [ -z "$xvfb_pid" ]; then
    echo "In the folder dialog choose C:\\英雄联盟 (我的电脑 > C:), then press 修改 on any row."
    wine "$program" || true
    echo "The demo game is $game"
    exit 0
fi

shots=$root/build/run-shots
mkdir -p "$shots"
wine "$built_demo_driver" "$program" 'C:\英雄联盟' 2>/dev/null |
    while IFS= read -r line; do
        line=${line%$'\r'}
        case $line in
            "shot "*) import -window root "$shots/${line#shot }.png" && echo "screenshot: $shots/${line#shot }.png" ;;
            *) echo "$line" ;;
        esac
    done
echo "Game folder now:"
ls -l "$game/Game"
