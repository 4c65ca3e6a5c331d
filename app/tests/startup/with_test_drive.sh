#!/usr/bin/env bash
# Runs a test program under Wine with drive T: of the prefix mapped to a fresh
# folder, for tests that need a drive root of their own. Wine reads the
# prefix's dosdevices links on every lookup, so the drive exists at once.
# With --tmpfs SIZE the folder is a tmpfs of that size, for tests of a full
# disk; with --read-only FILE it is a read-only tmpfs that holds a copy of
# FILE, for tests of a folder nothing can be written to. Where mounting is not
# allowed the program is told through STARTUP_TEST_DRIVE_UNAVAILABLE and
# skips, saying why.
#   with_test_drive.sh ARCH PREFIX FOLDER [--tmpfs SIZE | --read-only FILE] PROGRAM ARGS...
set -eu
arch=$1 prefix=$2 folder=$3
shift 3
size= read_only_file=
case ${1:-} in
    --tmpfs) size=$2; shift 2 ;;
    --read-only) read_only_file=$2 size=$(( $(stat -c %s "$2") + (1 << 20) )); shift 2 ;;
esac
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
        if [ -n "$read_only_file" ]; then
            cp "$read_only_file" "$folder/"
            mount -o remount,ro "$folder" 2>/dev/null ||
                export STARTUP_TEST_DRIVE_UNAVAILABLE="cannot make the tmpfs read-only here"
        fi
    else
        export STARTUP_TEST_DRIVE_UNAVAILABLE="cannot mount a $size tmpfs here (needs root and mount rights)"
    fi
fi
ln -sfn "$folder" "$link"
wine "$@"
