#!/usr/bin/env bash
# Installs what building and testing need on Debian (as root). Quick and
# silent when everything is already there.
set -euo pipefail

packages=(
    cmake ninja-build python3 unzip
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64
    xvfb xauth imagemagick locales fonts-wqy-microhei fonts-wine
    googletest lzma-dev
    clang-14 libclang-rt-14-dev
)

# The 32-bit Wine is wanted, not needed: a host whose kernel runs no 32-bit code
# cannot use it, and while a mirror syncs its i386 lists it may not install.
# The test command then runs the 64-bit suite and says why.
optional=(wine32:i386)

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
missing_optional=()
for p in "${optional[@]}"; do installed "$p" || missing_optional+=("$p"); done

if [ ${#missing[@]} -gt 0 ] || [ ${#missing_optional[@]} -gt 0 ]; then
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    # A list that fails to download (a mirror in mid-sync) is no reason to stop:
    # apt keeps the lists it has, and the install below says if they fall short.
    apt-get update -qq 2>/dev/null || echo "setup: some package lists could not be updated; going on with the ones there are"
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if [ ${#missing_optional[@]} -gt 0 ]; then
    echo "setup: installing ${missing_optional[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing_optional[@]}" >/dev/null 2>&1 ||
        echo "setup: ${missing_optional[*]} could not be installed; the 32-bit program is built and checked but not run here"
fi

# Wine's ANSI code page follows the locale; without a generated zh_CN locale it
# silently stays 1252 and GBK file names come out wrong.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
    sed -i 's/^# *zh_CN.UTF-8/zh_CN.UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
