#!/usr/bin/env bash
# Builds everything and runs every test. Usage: bash scripts/test.sh
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"
build_project

# The tests that open windows get a screen of their own, whether or not the
# user has one.
start_wine_session

status=0
ctest --test-dir "$build" --output-on-failure || status=$?
exit $status
