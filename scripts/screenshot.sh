#!/usr/bin/env bash
# Takes the README's pictures of the main window: builds the program, starts
# it on a private Xvfb screen with a sample game folder in its path field, and
# saves the window on each tab page as docs/main-window-page1.png and
# docs/main-window-page2.png. Usage: bash scripts/screenshot.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/setup.sh
build=$root/build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build" --target skin_pack_tool screenshot_helper

export WINEPREFIX=$build/wineprefix
. scripts/wine-env.sh

# Always a screen of our own, so the picture never shows the user's desktop.
exec 8>"$build/screenshot-xvfb.display"
Xvfb -displayfd 8 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$build/screenshot-xvfb.display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$build/screenshot-xvfb.display")
exec 8>&-
cleanup() { wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
wine_prefix_ready

mkdir -p docs
# The helper prints "page N GEOMETRY" for each page and waits for a line
# before it turns to the next one.
coproc helper { wine "$build/app/screenshot_helper.exe" 2>/dev/null; }
helper_pid=$helper_PID
while IFS= read -r line <&"${helper[0]}"; do
    line=${line%$'\r'}
    case $line in
        "page "*)
            read -r _ page geometry <<<"$line"
            import -window root -crop "$geometry" +repage "docs/main-window-page$page.png"
            echo "saved docs/main-window-page$page.png ($geometry)"
            echo >&"${helper[1]}"
            ;;
    esac
done
wait "$helper_pid"
