# Sourced by the Windows program's checks and benchmark (bash): an X server on a
# free display and a Wine prefix in the scratch folder, where the caller gives
# neither DISPLAY nor WINEPREFIX; end_wine_session ends what was started here.
scratch=$(mktemp -d)
xvfb=

# wine_session WxH: the screen's size, if an X server is started.
wine_session() {
    export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$scratch/prefix}
    if [ -z "${DISPLAY:-}" ]; then
        Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$scratch/display" 2>/dev/null &
        xvfb=$!
        until [ -s "$scratch/display" ]; do sleep 0.1; done
        export DISPLAY=:$(cat "$scratch/display")
    fi
    if [ ! -e "$WINEPREFIX/system.reg" ]; then
        /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
        /usr/lib/wine/wineserver -w
    fi
}

end_wine_session() {
    [ "$WINEPREFIX" != "$scratch/prefix" ] || /usr/lib/wine/wineserver -k 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
