# Sourced by the scripts: the settings every Wine run of this project uses.
# WINEPREFIX must be set by the caller; WINE_ARCH names the programs' kind:
# i686 (the default, the shipped 32-bit program, in a 32-bit prefix) or x86_64
# (the 64-bit build, in a 64-bit prefix). A prefix holds one kind only.
export WINE_ARCH=${WINE_ARCH:-i686}
case $WINE_ARCH in
    i686) export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine ;;
    # Called by its path: /usr/bin/wine tries the 32-bit loader first, which
    # fails on a host that runs no 32-bit code.
    x86_64) export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 ;;
    *) echo "wine-env.sh: unknown WINE_ARCH '$WINE_ARCH' (i686 or x86_64)" >&2; return 1 ;;
esac
wine() { "$WINELOADER" "$@"; }
# Wine keeps WINELOADER from the Windows programs; a test that starts the
# program under another locale runs it through the same loader.
export PROJECT_WINE_LOADER=$WINELOADER
export WINEDEBUG=${WINEDEBUG:--all}
# The ANSI code page follows the locale: zh_CN gives code page 936 (GBK).
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# Keep Wine from trying to install Mono/Gecko into a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Creates the prefix once (about 15 s) under a lock, so parallel test runs
# don't race on it.
wine_prefix_ready() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.project-ready" ]; then
            rm -rf "$WINEPREFIX"
            wine wineboot -i >/dev/null 2>&1
            # Without a window manager every hidden or destroyed window costs a
            # 2 s wait unless Wine manages no windows.
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
            wineserver -w
            touch "$WINEPREFIX/.project-ready"
        fi
        # This Wine does not look in fonts-wine's folder: without Marlett in
        # the prefix the title-bar buttons draw as "0 1 r".
        fonts=$WINEPREFIX/drive_c/windows/Fonts
        if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ -d "$fonts" ] && [ ! -e "$fonts/marlett.ttf" ]; then
            cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
        fi
    ) 9>"$WINEPREFIX.lock"
}

# One wineserver for a whole run of programs. Wine's service processes start
# with the first program and outlive it: started here, they don't hold the
# output pipes of whatever runs next (CTest waits on those). -p fails when a
# server already runs for the prefix; that one serves as well.
keep_wineserver_up() {
    wineserver -p </dev/null >/dev/null 2>&1 || true
    wine cmd /c exit </dev/null >/dev/null 2>&1
}
