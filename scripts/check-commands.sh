#!/usr/bin/env bash
# Runs the commands the README documents, each in its smallest form and with no
# display (as CI has it: each brings its own Xvfb), and checks what each of them
# promises. scripts/test.sh runs it after the suites; engine-fuzz.sh is run by
# CTest (engine_fuzz), and check-reproducible.sh, two clean builds, by neither.
# Prints a line per check and "commands: N passed, M failed"; fails if one does.
# Usage: bash scripts/check-commands.sh
set -uo pipefail
. "$(dirname "$0")/common.sh"
cd "$root"
setup_once
arch=$(runnable_arch)
build=$(build_dir "$arch")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0

# check NAME TEST COMMAND...: runs the command (its output in $log), then TEST,
# which prints what is wrong and fails.
check() {
    local name=$1 test=$2 start=$SECONDS why code=0
    shift 2
    log=$scratch/$name.log
    env -u DISPLAY "$@" >"$log" 2>&1 || code=$?
    if [ "$code" -ne 0 ]; then
        why="exit code $code; its last lines: $(tail -n 5 "$log" | paste -sd '|' -)"
    else
        why=$($test 2>&1) || why=${why:-failed}
    fi
    if [ -z "$why" ]; then
        passed=$((passed + 1)); echo "commands: passed $name, in $((SECONDS - start)) s"
    else
        failed=$((failed + 1)); echo "commands: FAILED $name: $why"
    fi
}

not_one_colour() { [ "$(identify -format %k "$1")" -gt 1 ] || echo "$1 is of one colour"; }

# The three screenshots of the screen, and the first row's pack in the demo
# game: named in its list, of the catalogue's size.
run_result() {
    local shots=("$root"/build/run-shots/*.png) shot
    [ ${#shots[@]} -eq 3 ] || echo "${#shots[@]} screenshots in build/run-shots, not 3"
    for shot in "${shots[@]}"; do
        [ "$(identify -format %wx%h "$shot")" = "$private_screen_size" ] || echo "$shot is not $private_screen_size"
        not_one_colour "$shot"
    done
    python3 - "$build/run-prefix/drive_c/英雄联盟/Game" <<'PY'
import pathlib, sys
sys.path.insert(0, "packs/tools")
import pack_catalogue
entry = pack_catalogue.read_catalogue(pathlib.Path("packs"))[0]
game = pathlib.Path(sys.argv[1])
if entry.pack_file_name not in (game / "ClientZips.txt").read_bytes().decode("gbk").split("\r\n"):
    print(f"the demo game's list does not name {entry.pack_file_name}")
elif (game / entry.pack_file_name).stat().st_size != entry.layout.size:
    print(f"{entry.pack_file_name} is not {entry.layout.size} bytes")
PY
}
# Again, in the prefix and demo game of the first run.
rerun_result() {
    [ "$(stat -c %Y "$build/run-prefix/.project-ready")" = "$prefix_made" ] || echo "the prefix was made again"
    run_result
}

# lines LINE...: each is the start of a line of the output, after its tag.
lines() {
    local line
    for line; do grep -qF -- "$line" "$log" || echo "no line '$line'"; done
}
startup_lines() { lines "[$arch] startup_bench:" "[$arch] to folder dialog" "[$arch] to main window" \
                        "[$arch] peak working set" "[$arch] to main window at 144 DPI"; }
packs_lines() { lines "[$arch] embed step, making" "[$arch] embed step, assembling" "[$arch] embed step, linking" \
                      "[$arch] first install: apply entry" "[$arch] over the same pack: ratio apply" \
                      "[$arch] archive step only:" "[i686] program:" "[i686] engine:"; }
engine_lines() { lines "[$arch] attach theme 5 (" "[$arch] window server round trip" \
                       "[$arch] repaint main window (" "[$arch] repaint main window themed at 144 DPI"; }

# Both picture scripts together redraw every picture of docs/, at its size,
# into the scratch folder, and leave docs/ as it was.
pictures() {
    local picture
    [ "$(cd docs && ls ./*.png)" = "$(cd "$scratch/pictures" && ls ./*.png)" ] ||
        echo "not the pictures of docs/: $(ls "$scratch/pictures" | paste -sd ' ' -)"
    for picture in "$scratch"/pictures/*.png; do
        [ "$(identify -format %wx%h "$picture")" = "$(identify -format %wx%h "docs/${picture##*/}")" ] ||
            echo "${picture##*/} is not of the size of docs/${picture##*/}"
        not_one_colour "$picture"
    done
    [ "$(sha256sum docs/*)" = "$docs_before" ] || echo "docs/ changed"
}

start=$SECONDS
echo "commands: the README's commands, for $arch"
rm -rf "$build/run-prefix" "$root/build/run-shots"
check run.sh run_result bash scripts/run.sh
prefix_made=$(stat -c %Y "$build/run-prefix/.project-ready" 2>/dev/null)
rm -rf "$root/build/run-shots"
check "run.sh, again" rerun_result bash scripts/run.sh
check bench-startup.sh startup_lines bash scripts/bench-startup.sh 1 144
check bench-packs.sh packs_lines bash scripts/bench-packs.sh
check bench-engine.sh engine_lines bash scripts/bench-engine.sh 1
docs_before=$(sha256sum docs/*)
check "screenshot.sh and engine-contact-sheet.sh" pictures \
    bash -c 'bash scripts/screenshot.sh "$0" && bash scripts/engine-contact-sheet.sh "$0"' "$scratch/pictures"
echo "commands: $passed passed, $failed failed, in $((SECONDS - start)) s"
[ "$failed" -eq 0 ]
