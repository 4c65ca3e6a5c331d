# Sourced by the commands in scripts/: where the builds live, how they are
# made, which of them this host can run, and a private X screen for anything
# that opens a window.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Two builds of the same sources, each in a folder of its own: i686, the
# program as it ships (build/), and x86_64 (build/x86_64/), for hosts that run
# no 32-bit code.
build_dir() {
    case $1 in
        i686) echo "$root/build" ;;
        x86_64) echo "$root/build/x86_64" ;;
    esac
}

# Whether 32-bit x86 programs run here: some kernels have IA-32 emulation off,
# and then nothing 32-bit runs, the 32-bit Wine loader included, unless QEMU
# runs it (below). Asked of the smallest such program (91 bytes: an ELF header, one segment, and exit(0)
# through int 0x80), written into the build folder, where programs may run.
kernel_runs_32bit() {
    local probe status=0
    mkdir -p "$root/build"
    probe=$(mktemp "$root/build/.runs-32bit.XXXXXX") || return 1
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$probe"
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$probe"
    printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' >>"$probe"
    printf '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' >>"$probe"
    printf '\x00\x80\x04\x08\x5b\x00\x00\x00\x5b\x00\x00\x00\x05\x00\x00\x00' >>"$probe"
    printf '\x00\x10\x00\x00\x31\xdb\x31\xc0\x40\xcd\x80' >>"$probe"
    chmod +x "$probe"
    ("$probe") 2>/dev/null || status=$?
    rm -f "$probe"
    return "$status"
}

# Where QEMU's user-mode emulation is registered for 32-bit x86 programs
# (scripts/setup-qemu.sh). While it is, every 32-bit program runs emulated,
# even where the kernel could run it: binfmt_misc comes before its own ELF
# loader. "echo -1 >" the entry undoes the registration.
i386_emulation_entry=/proc/sys/fs/binfmt_misc/qemu-i386
emulation_registered() { [ "$(head -n 1 "$i386_emulation_entry" 2>/dev/null)" = enabled ]; }
qemu_version() { qemu-i386 --version 2>/dev/null | sed -n '1s/.*version \([^ ]*\).*/\1/p'; }

# Whether the kernel itself runs 32-bit programs. PROJECT_KERNEL_NO_32BIT=1
# makes set-up take this for no, so that the emulated path can be tried on a
# host that has no need of it.
kernel_runs_32bit_natively() {
    [ "${PROJECT_KERNEL_NO_32BIT:-0}" != 1 ] && ! emulation_registered && kernel_runs_32bit
}

# Where set-up leaves why it could not install Wine's 32-bit part, or set up
# QEMU where the kernel runs no 32-bit code.
wine32_failure_file="$root/build/wine32-not-installed.txt"
qemu_failure_file="$root/build/qemu-not-set-up.txt"

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# Whether the 32-bit suite runs here: the kernel runs 32-bit code and the
# 32-bit Wine loader starts. PROJECT_NO_32BIT=1 makes a host that can behave
# as one that cannot.
host_runs_32bit() {
    [ "${PROJECT_NO_32BIT:-0}" != 1 ] && kernel_runs_32bit && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Why the 32-bit suite does not run here, in words for the user.
why_no_32bit() {
    if [ "${PROJECT_NO_32BIT:-0}" = 1 ]; then
        echo "PROJECT_NO_32BIT=1 treats this host as one that runs no 32-bit code"
    elif ! kernel_runs_32bit; then
        echo "this host runs no 32-bit code (its kernel does not start a 32-bit program)$(
            [ ! -s "$qemu_failure_file" ] || echo ", and QEMU's emulation is not set up: $(cat "$qemu_failure_file")")"
    elif [ -s "$wine32_failure_file" ]; then
        echo "this host runs 32-bit code, but Wine's 32-bit part is missing: $(cat "$wine32_failure_file")"
    elif [ ! -e /usr/lib/wine/wine ]; then
        echo "this host runs 32-bit code, but Wine's 32-bit part (wine32:i386) is not installed"
    else
        echo "this host runs 32-bit code, but the 32-bit Wine loader does not start:" \
             "$(/usr/lib/wine/wine --version 2>&1 | head -n 1)"
    fi
}

# How the 32-bit suite runs here: native, emulated (QEMU) or none.
how_32bit_runs() {
    if ! host_runs_32bit; then echo none
    elif emulation_registered; then echo emulated
    else echo native; fi
}

# The architecture whose programs the run command, the benchmarks and the
# picture scripts use: the shipped 32-bit one where the host runs it natively,
# the 64-bit build otherwise; nothing is measured or shown through emulation.
runnable_arch() {
    if [ "$(how_32bit_runs)" = native ]; then echo i686; else echo x86_64; fi
}

# build_runnable [TARGET...]: the build runnable_arch names (sets arch and
# build), with the given targets built in it; says why when it is the 64-bit
# one.
build_runnable() {
    arch=$(runnable_arch)
    build=$(build_dir "$arch")
    if [ "$arch" = x86_64 ]; then
        if [ "$(how_32bit_runs)" = emulated ]; then
            echo "${0##*/}: 32-bit code runs here only emulated (QEMU): the 64-bit build" >&2
        else
            echo "${0##*/}: $(why_no_32bit): the 64-bit build" >&2
        fi
    fi
    build_project_for "$arch" "$@"
}

# setup_once: installs what is missing, once for the script and every script
# it starts.
setup_once() {
    [ -n "${PROJECT_SETUP_DONE:-}" ] && return
    bash "$root/scripts/setup.sh"
    export PROJECT_SETUP_DONE=1
}

# build_project_for ARCH [TARGET...]: installs what is missing, configures the
# architecture's build folder and builds the given targets (everything when
# none is given); test_time_scale multiplies the tests' time limits (test.sh
# raises it for a suite that runs emulated). Sets the build's file locations (built_program,
# built_stock_list, ...: see build_paths.sh in the build folder), which the
# scripts take from there and nowhere else.
build_project_for() {
    local arch=$1 dir
    shift
    dir=$(build_dir "$arch")
    setup_once
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
          -DPROJECT_TEST_TIME_SCALE="${test_time_scale:-1}" >/dev/null
    . "$dir/build_paths.sh"
    cmake --build "$dir" ${1:+--target "$@"}
}

# The private screen's size: large enough for the main window at 200 %
# (1622 x 944).
private_screen_size=2048x1536

# start_private_display: an Xvfb screen of our own, whether or not the user
# has a display; exports DISPLAY and leaves the server's pid in xvfb_pid.
# Xvfb picks a free display number and writes it to the descriptor we give it.
start_private_display() {
    local number_file
    number_file=$(mktemp)
    exec 8>"$number_file"
    Xvfb -displayfd 8 -screen 0 "${private_screen_size}x24" -nolisten tcp >/dev/null 2>&1 &
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

# Whether DISPLAY names a screen we can use.
has_display() {
    case ${DISPLAY:-} in
        "") return 1 ;;
        :*) local number=${DISPLAY#:}; [ -S "/tmp/.X11-unix/X${number%%.*}" ] ;;
        *) return 0 ;;  # a forwarded or remote display: trust it
    esac
}

# start_wine_session [ARCH [PREFIX [--user-display]]]: every script that runs
# Windows programs starts here. The prefix (the architecture's test prefix by
# default; 32-bit unless ARCH says otherwise) is made ready, on a screen of
# our own (or the user's, with --user-display, when there is one), with one
# wineserver for everything that follows; all of it is stopped when the
# calling script exits. xvfb_pid is empty when the user's screen is used.
start_wine_session() {
    export WINE_ARCH=${1:-i686}
    export WINEPREFIX=${2:-$(. "$(build_dir "$WINE_ARCH")/build_paths.sh" && echo "$built_test_prefix")}
    . "$root/scripts/wine-env.sh"
    if [ "${3:-}" != --user-display ] || ! has_display; then
        [ -n "${xvfb_pid:-}" ] || start_private_display
    fi
    wine_prefix_ready
    keep_wineserver_up
    trap 'stop_wine_session' EXIT
}

# set_screen_dpi DPI: the DPI Wine reports for the screen (96 is 100 %, 144
# is 150 %), to every program started after it, as Windows does after a
# change of the display scale.
set_screen_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

stop_wine_session() {
    wineserver -k 2>/dev/null || true
    [ -z "${xvfb_pid:-}" ] || kill "$xvfb_pid" 2>/dev/null || true
}

# figures ARCH: prefixes every line it passes with the architecture, so a
# benchmark's figures always say which build they come from.
figures() {
    sed -u "s/^/[$1] /"
}
