#!/usr/bin/env bash
# Installs what building and testing need on Debian (as root). Quick and
# silent when everything is already there.
set -euo pipefail
. "$(dirname "$0")/common.sh"

packages=(
    cmake ninja-build python3 unzip
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64
    xvfb xauth imagemagick locales fonts-wqy-microhei fonts-wine
    googletest lzma-dev
    clang-14 libclang-rt-14-dev
)

# The 32-bit Wine is wanted, not needed, and only where 32-bit code runs,
# natively or through QEMU (setup-qemu.sh, where the kernel runs none):
# elsewhere nothing could use it. While a mirror syncs its i386 lists it may
# not install; the test command then runs the 64-bit suite and says why.
wine32=wine32:i386

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
want_wine32() { ! installed "$wine32" && kernel_runs_32bit; }
want_wine32 && want_wine32=1 || want_wine32=

# update_lists: apt-get update; what it could not download stays in
# failed_lists. A list that fails (a mirror in mid-sync) is no reason to stop:
# apt keeps the lists it has, and the installs below say if they fall short.
failed_lists=
update_lists() {
    local output
    output=$(apt-get update -qq 2>&1) && failed_lists= && return
    failed_lists=$(sed -n 's/^[EW]: Failed to fetch \([^ ]*\) *\(.*\)/\1: \2/p' <<<"$output" | paste -sd ';' -)
    failed_lists=${failed_lists:-$(grep -m 1 '^[EW]: ' <<<"$output" || echo "apt-get update failed")}
    echo "setup: some package lists could not be updated ($failed_lists); going on with the ones there are"
}

if [ ${#missing[@]} -gt 0 ] || [ -n "$want_wine32" ]; then
    [ -z "$want_wine32" ] || dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    update_lists
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Where the kernel runs no 32-bit code, QEMU is registered first; then
# wine32:i386 installs as on any host.
if ! kernel_runs_32bit_natively && bash "$root/scripts/setup-qemu.sh" && [ -z "$want_wine32" ] && want_wine32; then
    want_wine32=1
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    update_lists
fi

# install_wine32: true when it is installed; otherwise apt's own words are in
# install_said.
install_wine32() {
    install_said=$(DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$wine32" 2>&1) &&
        return
    install_said=$(grep -E '^E: |^ [^ ]+ : [A-Za-z-]+: ' <<<"$install_said" | head -n 3 | sed 's/^ *//' | paste -sd ';' -)
    return 1
}

if [ -n "$want_wine32" ]; then
    echo "setup: installing $wine32"
    # One more update before giving up: a mirror's i386 lists may just have
    # been in mid-sync.
    if install_wine32 || { sleep 5; update_lists; install_wine32; }; then
        rm -f "$wine32_failure_file"
    else
        reason="$wine32 could not be installed"
        [ -z "$failed_lists" ] || reason="$reason, since these package lists could not be downloaded: $failed_lists"
        reason="$reason (apt-get: ${install_said:-no reason given})"
        mkdir -p "$(dirname "$wine32_failure_file")"
        echo "$reason" >"$wine32_failure_file"
        echo "setup: $reason; the 32-bit suite will be skipped for that reason"
    fi
else
    rm -f "$wine32_failure_file"
fi

# Wine's ANSI code page follows the locale; without a generated zh_CN locale it
# silently stays 1252 and GBK file names come out wrong.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
    sed -i 's/^# *zh_CN.UTF-8/zh_CN.UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi

case $(how_32bit_runs) in
    native) echo "setup: the 32-bit suite will run natively" ;;
    emulated) echo "setup: the 32-bit suite will run emulated (QEMU $(qemu_version))" ;;
    *) echo "setup: the 32-bit suite will not run: $(why_no_32bit)" ;;
esac
