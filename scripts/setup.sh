#!/usr/bin/env bash
# Installs what building and testing need on Debian (as root). Quick and
# silent when everything is already there.
set -euo pipefail

packages=(
    cmake ninja-build python3 unzip
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64
    xvfb xauth imagemagick locales fonts-wqy-microhei fonts-wine
    googletest lzma-dev
    clang-14 libclang-rt-14-dev
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    missing=("${packages[@]}")
else
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine's ANSI code page follows the locale; without a generated zh_CN locale it
# silently stays 1252 and GBK file names come out wrong.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
    sed -i 's/^# *zh_CN.UTF-8/zh_CN.UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
fi
