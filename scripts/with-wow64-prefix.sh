#!/usr/bin/env bash
# Runs a 32-bit test program in a 64-bit prefix, as the 32-bit program runs on
# 64-bit Windows: its registry redirected to the 32-bit view, the 64-bit view
# reachable with KEY_WOW64_64KEY.
#   with-wow64-prefix.sh ARCH PREFIX PROGRAM ARGS...
# The prefix is PREFIX-wow64, made by the 64-bit Wine like the x86_64 build's.
# Where the 32-bit suite cannot run, or there is no 64-bit Wine to make the
# prefix with, it says why and exits 77, which CTest counts as skipped.
set -eu
prefix=$2-wow64
shift 2
. "$(dirname "$0")/common.sh"

skip() {
    echo "skipped: $*"
    exit 77
}
host_runs_32bit || skip "$(why_no_32bit)"
[ -x /usr/lib/wine/wine64 ] || skip "no 64-bit Wine (/usr/lib/wine/wine64) to make a 64-bit prefix with"

export WINE_ARCH=x86_64 WINEPREFIX=$prefix
. "$root/scripts/wine-env.sh"
wine_prefix_ready || skip "the 64-bit prefix $WINEPREFIX could not be made"
[ -d "$WINEPREFIX/drive_c/windows/syswow64" ] || skip "the 64-bit prefix has no 32-bit part (syswow64)"
keep_wineserver_up
trap 'wineserver -k 2>/dev/null || true' EXIT

# The 32-bit loader runs 32-bit programs in the 64-bit prefix (WoW64). The
# prefix exists, so WINEARCH, which only decides how a prefix is made, goes.
unset WINEARCH
export WINELOADER=/usr/lib/wine/wine PROJECT_WINE_LOADER=/usr/lib/wine/wine
"$WINELOADER" "$@"
