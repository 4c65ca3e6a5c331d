#!/usr/bin/env bash
# Takes the README's pictures of the main window: builds the program, starts
# it on a private Xvfb screen with a sample game folder in its path field, and
# saves the window on each tab page as docs/main-window-page1.png and
# docs/main-window-page2.png; then the same on a screen of 150 % (144 DPI) as
# docs/main-window-150-page1.png, ...-page2.png, with the group notice's box
# as docs/message-box-150.png. Uses the 32-bit build where the host runs
# 32-bit code natively, the 64-bit one otherwise.
# Usage: bash scripts/screenshot.sh [FOLDER]   (FOLDER instead of docs/, for a trial)
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"
build_runnable skin_pack_tool screenshot_helper
out=${1:-docs}

# Always a screen of our own, so the picture never shows the user's desktop.
start_wine_session "$arch"
# The tests share the prefix: it goes back to 100 % whatever happens.
trap 'set_screen_dpi 96; stop_wine_session' EXIT

# shoot DPI SUFFIX: the helper prints "page N GEOMETRY" for each page, then
# "box GEOMETRY", and waits for a line before it goes on.
shoot() {
    local dpi=$1 suffix=$2 line name geometry file
    set_screen_dpi "$dpi"
    coproc helper { wine "$built_screenshot_helper" 2>/dev/null; }
    local helper_pid=$helper_PID
    while IFS= read -r line <&"${helper[0]}"; do
        line=${line%$'\r'}
        read -r name geometry <<<"$line" || true
        case $name in
            page) read -r _ page geometry <<<"$line"; file="$out/main-window$suffix-page$page.png" ;;
            box) file=; [ -z "$suffix" ] || file="$out/message-box$suffix.png" ;;
            *) continue ;;
        esac
        if [ -n "$file" ]; then
            import -window root -crop "$geometry" +repage "$file"
            echo "saved $file ($geometry, $dpi DPI, $arch build)"
        fi
        echo >&"${helper[1]}"
    done
    wait "$helper_pid"
}

mkdir -p "$out"
shoot 96 ""
shoot 144 -150
