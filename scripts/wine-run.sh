#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private 32-bit prefix.
# CMake uses it as the emulator for every test: wine-run.sh PREFIX PROGRAM ARGS...
set -eu
export WINEPREFIX=$1; shift
. "$(dirname "$0")/wine-env.sh"
wine_prefix_ready
exec wine "$@"
