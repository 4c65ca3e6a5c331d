#!/usr/bin/env bash
# Takes the README's pictures of the main window: builds the program, starts
# it on a private Xvfb screen with a sample game folder in its path field, and
# saves the window on each tab page as docs/main-window-page1.png and
# docs/main-window-page2.png. Uses the 32-bit build where the host runs 32-bit
# code, the 64-bit one otherwise. Usage: bash scripts/screenshot.sh
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"
build_runnable skin_pack_tool screenshot_helper

# Always a screen of our own, so the picture never shows the user's desktop.
start_wine_session "$arch"

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
            echo "saved docs/main-window-page$page.png ($geometry, $arch build)"
            echo >&"${helper[1]}"
            ;;
    esac
done
wait "$helper_pid"
