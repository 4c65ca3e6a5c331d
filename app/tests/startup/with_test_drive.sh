#!/usr/bin/env bash
# Runs a test program under Wine with drive T: of the prefix mapped to a fresh
# folder, for tests that need a drive root of their own. Wine reads the
# prefix's dosdevices links on every lookup, so the drive exists at once.
#   with_test_drive.sh PREFIX FOLDER PROGRAM ARGS...
set -eu
prefix=$1 folder=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$prefix
. "$here/../../../scripts/wine-env.sh"
wine_prefix_ready

link=$prefix/dosdevices/t:
rm -rf "$folder"
mkdir -p "$folder"
ln -sfn "$folder" "$link"
trap 'rm -f "$link"; rm -rf "$folder"' EXIT
wine "$@"
