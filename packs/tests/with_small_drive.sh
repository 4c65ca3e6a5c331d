#!/usr/bin/env bash
# Runs a test program under Wine with a small drive S: (an 8 MB tmpfs) when
# this machine allows mounting one, and tells the program through
# PACKS_SMALL_DRIVE; otherwise the program skips that case, saying why.
# Usage: with_small_drive.sh ARCH WINEPREFIX PROGRAM [ARGS...]
set -u
arch=$1 prefix=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
run=$here/../../scripts/wine-run.sh

mount_point=$(mktemp -d /tmp/packs-small-drive.XXXXXX)
letter=s:
link=$prefix/dosdevices/$letter
mounted=
cleanup() {
    [ -L "$link" ] && [ "$(readlink "$link")" = "$mount_point" ] && rm -f "$link"
    [ -n "$mounted" ] && umount "$mount_point" 2>/dev/null
    rmdir "$mount_point" 2>/dev/null
}
trap cleanup EXIT

# The prefix exists before the first test runs (test.sh makes it); a link of
# another run, or a drive the user set up, is left alone.
if [ -d "$prefix/dosdevices" ] && [ ! -e "$link" ] && [ ! -L "$link" ] &&
   mount -t tmpfs -o size=8m tmpfs "$mount_point" 2>/dev/null; then
    mounted=1
    ln -s "$mount_point" "$link" && export PACKS_SMALL_DRIVE=S:
else
    export PACKS_SMALL_DRIVE_UNAVAILABLE="cannot mount a small tmpfs drive here (needs root and mount rights)"
fi
"$run" "$arch" "$prefix" "$@"
status=$?
exit $status
