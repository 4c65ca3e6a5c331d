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
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh
build=$root/build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build"

export WINEPREFIX=$build/run-prefix
. scripts/wine-env.sh

# Without a usable display, one of our own; remembered for the prefix set-up
# (wineboot wants a display too) and the screenshots.
has_display() {
    case ${DISPLAY:-} in
        "") return 1 ;;
        :*) local number=${DISPLAY#:}; [ -S "/tmp/.X11-unix/X${number%%.*}" ] ;;
        *) return 0 ;;  # a forwarded or remote display: trust it
    esac
}
xvfb_pid=
if ! has_display; then
    exec 8>"$build/run-xvfb.display"
    Xvfb -displayfd 8 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$build/run-xvfb.display" ] && break; sleep 0.1; done
    export DISPLAY=:$(cat "$build/run-xvfb.display")
    exec 8>&-
fi
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
wine_prefix_ready

game=$WINEPREFIX/drive_c/英雄联盟
mkdir -p "$game/TCLS" "$game/Game"
[ -e "$game/TCLS/Client.exe" ] || printf 'MZ' >"$game/TCLS/Client.exe"
[ -e "$game/Game/ClientZips.txt" ] || cp "$build/packs/generated/stock_manifest.txt" "$game/Game/ClientZips.txt"
wine reg add 'HKLM\Software\Tencent\LOL' /v InstallPath /t REG_SZ /d 'C:\英雄联盟' /f >/dev/null 2>&1

# The program runs from the prefix, so the engine file it writes beside itself
# stays out of the build tree; dropping the old one brings the current engine.
app=$WINEPREFIX/drive_c/skin_pack_tool
mkdir -p "$app"
rm -f "$app/SkinH_EL.dll"
ln -f "$build/app/skin_pack_tool.exe" "$app/" 2>/dev/null || cp "$build/app/skin_pack_tool.exe" "$app/"
program='C:\skin_pack_tool\skin_pack_tool.exe'

if [ -z "$xvfb_pid" ]; then
    echo "In the folder dialog choose C:\\英雄联盟 (我的电脑 > C:), then press 修改 on any row."
    wine "$program" || true
    echo "The demo game is $game"
    exit 0
fi

shots=$build/run-shots
mkdir -p "$shots"
wine "$build/app/tests/startup/startup_demo_driver.exe" "$program" 'C:\英雄联盟' 2>/dev/null |
    while IFS= read -r line; do
        line=${line%$'\r'}
        case $line in
            "shot "*) import -window root "$shots/${line#shot }.png" && echo "screenshot: $shots/${line#shot }.png" ;;
            *) echo "$line" ;;
        esac
    done
echo "Game folder now:"
ls -l "$game/Game"
