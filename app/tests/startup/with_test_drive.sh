#!/usr/bin/env bash
# Runs a test program under Wine with drive T: of the prefix mapped to a fresh
# folder, for tests that need a drive root of their own. Wine reads the
# prefix's dosdevices links on every lookup, so the drive exists at once.
# With --tmpfs SIZE the folder is a tmpfs of that size, for tests of a full
# disk; where mounting is not allowed the program is told through
# STARTUP_SMALL_DRIVE_UNAVAILABLE and skips, saying why.
#   with_test_drive.sh ARCH PREFIX FOLDER [--tmpfs SIZE] PROGRAM ARGS...
set -eu
arch=$1 prefix=$2 folder=$3
shift 3
size=
if [ "${1:-}" = --tmpfs ]; then
    size=$2
    shift 2
fi
here=$(cd "$(dirname "$0")" && pwd)
export WINE_ARCH=$arch WINEPREFIX=$prefix
. "$here/../../../scripts/wine-env.sh"
wine_prefix_ready

link=$prefix/dosdevices/t:
mounted=
cleanup() {
    rm -f "$link"
    [ -z "$mounted" ] || umount "$folder" 2>/dev/null || true
    rm -rf "$folder"
}
trap cleanup EXIT
rm -rf "$folder"
mkdir -p "$folder"
if [ -n "$size" ]; then
    if mount -t tmpfs -o "size=$size" tmpfs "$folder" 2>/dev/null; then
        mounted=1
    else
        export STARTUP_SMALL_DRIVE_UNAVAILABLE="cannot mount a $size tmpfs here (needs root and mount rights)"
    fi
fi
ln -sfn "$folder" "$link"
wine "$@"
