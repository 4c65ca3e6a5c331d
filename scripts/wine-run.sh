#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix of the build, of the
# build's architecture. CMake uses it as the emulator for every test:
#   wine-run.sh ARCH PREFIX PROGRAM ARGS...
set -eu
export WINE_ARCH=$1 WINEPREFIX=$2
shift 2
. "$(dirname "$0")/wine-env.sh"
wine_prefix_ready
exec "$WINELOADER" "$@"
