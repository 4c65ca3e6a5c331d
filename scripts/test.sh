#!/usr/bin/env bash
# Builds everything and runs every test. Usage: bash scripts/test.sh
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"
build_project

export WINEPREFIX=$build/wineprefix
. scripts/wine-env.sh
wine_prefix_ready

# The tests that open windows get a screen of their own, whether or not the
# user has one.
start_private_display
keep_wineserver_up
cleanup() { wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT

status=0
ctest --test-dir "$build" --output-on-failure || status=$?
exit $status
