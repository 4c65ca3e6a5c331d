#!/usr/bin/env bash
# Builds everything and runs every test this host can run.
# Usage: bash scripts/test.sh [i686|x86_64]
#
# With no argument the 32-bit program, the one that ships, is always built and
# checked by the tests that need no Wine (label "native": its PE headers, the
# engine's export, the embedded data); the whole suite then runs under Wine
# for every architecture the host can execute: i686 where the 32-bit loader
# runs (under QEMU where set-up registered it: "i686 (emulated)" in the
# summary), x86_64 always, and then the README's other commands
# (scripts/check-commands.sh). With an architecture, only that one is built
# and run (for quick work). PROJECT_NO_32BIT=1 treats the host as one that
# runs no 32-bit code.
set -euo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"

case ${1:-all} in
    all) archs=(i686 x86_64) ;;
    i686 | x86_64) archs=("$1") ;;
    *) echo "usage: bash scripts/test.sh [i686|x86_64]" >&2; exit 2 ;;
esac

setup_once
i686_runs=1
case $(how_32bit_runs) in
    native) echo "test: this host runs 32-bit code: the whole suite runs for ${archs[*]}" ;;
    emulated)
        echo "test: this host runs 32-bit code only emulated (QEMU $(qemu_version)): the whole suite runs for ${archs[*]/i686/i686 (emulated)}"
        i686_runs=emulated ;;
    *)
        why=$(why_no_32bit)
        echo "test: $why: the 32-bit program is built and checked, not run; the whole suite runs for x86_64 under the 64-bit Wine"
        i686_runs= ;;
esac

seconds_since() { echo $(( $(date +%s) - $1 )); }
summary=()
passed=0 failed=0 status=0

# run_suite ARCH LABEL-ARGS...: CTest over the architecture's build; adds its
# counts, read from CTest's JUnit report, to the totals and a line to the
# summary. CTest's exit status decides whether the suite passed.
run_suite() {
    local arch=$1 dir report start code=0 counts total bad
    shift
    dir=$(build_dir "$arch")
    report=$(mktemp)
    start=$(date +%s)
    ctest --test-dir "$dir" --output-on-failure --output-junit "$report" "$@" || code=$?
    counts=$(python3 - "$report" 2>/dev/null <<'PY'
import sys, xml.etree.ElementTree as tree
suite = tree.parse(sys.argv[1]).getroot()
total = int(suite.get("tests", 0))
bad = int(suite.get("failures", 0)) + int(suite.get("errors", 0))
print(total, bad)
PY
) || counts=""
    rm -f "$report"
    read -r total bad <<<"${counts:-0 0}"
    if [ "$code" -ne 0 ] || [ -z "$counts" ] || [ "$total" -eq 0 ]; then
        status=1
        [ "$bad" -gt 0 ] || bad=1
    fi
    passed=$((passed + total - bad)) failed=$((failed + bad))
    if [ -z "$counts" ]; then
        suite_line="CTest gave no report (exit code $code)"
    else
        # CTest's own words: a rounded share, never 100% while one fails.
        local share=$(( total > 0 ? ((total - bad) * 200 + total) / (2 * total) : 0 ))
        [ "$bad" -eq 0 ] || [ "$share" -lt 100 ] || share=99
        suite_line="$share% tests passed, $bad tests failed out of $total"
    fi
    suite_line="$suite_line, in $(seconds_since "$start") s"
}

for arch in "${archs[@]}"; do
    start=$(date +%s)
    echo "test: building $arch"
    # Emulated, the suite takes about three times as long as natively.
    test_time_scale=1 name=$arch
    if [ "$arch" = i686 ] && [ "$i686_runs" = emulated ]; then test_time_scale=5 name="i686 (emulated)"; fi
    build_project_for "$arch"
    built="built in $(seconds_since "$start") s"
    if [ "$arch" = i686 ] && [ -z "$i686_runs" ]; then
        echo "test: $arch: the checks that need no Wine"
        run_suite "$arch" -L native
        summary+=("$arch: $built; checked without running it ($suite_line); the 32-bit suite was skipped: $why")
    else
        # The tests that open windows get a screen of their own, whether or
        # not the user has one.
        start_wine_session "$arch"
        echo "test: $name: the whole suite under Wine ($WINELOADER)"
        run_suite "$arch"
        wineserver -k 2>/dev/null || true
        summary+=("$name: $built; $suite_line")
    fi
done

# The README's other commands, each in its smallest form: with the whole run
# only, since they build and run what they need themselves.
if [ -z "${1:-}" ]; then
    commands=$(mktemp)
    bash scripts/check-commands.sh | tee "$commands" || status=1
    # Its last line: "commands: N passed, M failed, in S s".
    read -r _ ran _ bad _ _ took _ <<<"$(tail -n 1 "$commands")"
    rm -f "$commands"
    [[ $ran =~ ^[0-9]+$ && $bad =~ ^[0-9]+$ ]] || { ran=0 bad=1 status=1 took=?; }
    passed=$((passed + ran)) failed=$((failed + bad))
    summary+=("the README's commands ($(runnable_arch)): $ran passed, $bad failed, in $took s")
fi

echo
echo "test: summary"
printf '  %s\n' "${summary[@]}"
[ -n "$i686_runs" ] || [ "${archs[*]}" = x86_64 ] ||
    echo "  The 32-bit program was built and checked but not run: $why."
echo "test: $passed passed, $failed failed"
exit $status
