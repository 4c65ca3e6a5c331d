# Sourced by the commands in scripts/: where the build lives, how it is made,
# and a private X screen for anything that opens a window.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build

# build_project [TARGET...]: installs what is missing, configures build/ and
# builds the given targets (everything when none is given).
build_project() {
    bash "$root/scripts/setup.sh"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
    cmake --build "$build" ${1:+--target "$@"}
}

# start_private_display: an Xvfb screen of our own, whether or not the user
# has a display; exports DISPLAY and leaves the server's pid in xvfb_pid.
# Xvfb picks a free display number and writes it to the descriptor we give it.
start_private_display() {
    local number_file
    number_file=$(mktemp)
    exec 8>"$number_file"
    Xvfb -displayfd 8 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.1; done
    exec 8>&-
    if [ ! -s "$number_file" ]; then
        rm -f "$number_file"
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=:$(tr -d '\n' <"$number_file")
    rm -f "$number_file"
}

# start_wine_session: the build's test prefix on a screen of our own, with one
# wineserver for everything that follows; both are stopped when the calling
# script exits.
start_wine_session() {
    export WINEPREFIX=$build/wineprefix
    . "$root/scripts/wine-env.sh"
    wine_prefix_ready
    start_private_display
    keep_wineserver_up
    trap 'wineserver -k 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true' EXIT
}
