#!/usr/bin/env bash
# Runs a test program under Wine with a drive of the prefix mapped to a fresh
# folder, for tests that need a drive of their own (a drive root, a full
# disk, a folder nothing can be written to). Wine reads the prefix's
# dosdevices links on every lookup, so the drive exists at once.
#   with-test-drive.sh ARCH PREFIX LETTER FOLDER [--tmpfs SIZE | --read-only FILE] PROGRAM ARGS...
# With --tmpfs SIZE the folder is a tmpfs of that size; with --read-only FILE
# it is a read-only tmpfs holding a copy of FILE. The program finds the drive
# in TEST_DRIVE ("S:"); where mounting is not allowed it is told why in
# TEST_DRIVE_UNAVAILABLE and skips those cases, saying so.
set -eu
arch=$1 prefix=$2 letter=$3 folder=$4
shift 4
size= read_only_file=
case ${1:-} in
    --tmpfs) size=$2; shift 2 ;;
    --read-only) read_only_file=$2 size=$(( $(stat -c %s "$2") + (1 << 20) )); shift 2 ;;
esac
export WINE_ARCH=$arch WINEPREFIX=$prefix
. "$(dirname "$0")/wine-env.sh"
wine_prefix_ready

link=$prefix/dosdevices/${letter,,}:
mounted=
cleanup() {
    rm -f "$link"
    # Lazily where a process of the run still holds a file on it: a mount left
    # behind would fail the next run.
    [ -z "$mounted" ] || umount "$folder" 2>/dev/null || umount -l "$folder" 2>/dev/null || true
    rm -rf "$folder"
}
trap cleanup EXIT
! mountpoint -q "$folder" || umount -l "$folder"
rm -rf "$folder"
mkdir -p "$folder"
if [ -n "$size" ]; then
    if mount -t tmpfs -o "size=$size" tmpfs "$folder" 2>/dev/null; then
        mounted=1
        if [ -n "$read_only_file" ]; then
            cp "$read_only_file" "$folder/"
            mount -o remount,ro "$folder" 2>/dev/null ||
                export TEST_DRIVE_UNAVAILABLE="cannot make the tmpfs read-only here"
        fi
    else
        export TEST_DRIVE_UNAVAILABLE="cannot mount a $size tmpfs here (needs root and mount rights)"
    fi
fi
ln -sfn "$folder" "$link"
export TEST_DRIVE=${letter^^}:
wine "$@"
