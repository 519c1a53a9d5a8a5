#!/bin/bash
# Tries the program on the desktops people use and prints one line a check:
# openbox, fluxbox and a bare X server (no window manager), weston (native
# Wayland, inside Xvfb), a screen reader's view through AT-SPI, and pictures at
# scale factors 1.5 and 2. Exits non-zero if any check failed.
#
#   scripts/desktop-check.sh [program]   default: builds build-desktop-check/monte-carlo
#
# Installs what is missing (xvfb, openbox, fluxbox, xdotool, weston, at-spi2-core,
# python3-pyatspi ...) through scripts/install-deps.sh --desktop. MC_DESKTOP_SHOTS
# names the folder for the pictures (default: a new temporary folder, printed at the end).
set -u

cd "$(dirname "$0")/.." || exit 1
repo=$PWD

if [ "${1:-}" = --atspi-inner ]; then
    mode=atspi-inner
    shift
else
    mode=main
fi

program=${1:-}
[ "$mode" = main ] && { ./scripts/install-deps.sh --desktop || exit 1; }
if [ -z "$program" ]; then
    program=$repo/build-desktop-check/monte-carlo
    if [ ! -x "$program" ]; then
        echo "Baue das Programm in build-desktop-check ..."
        cmake -S "$repo" -B "$repo/build-desktop-check" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DMC_BUILD_TESTS=OFF -DMC_BUILD_BENCHMARKS=OFF >/dev/null \
            && cmake --build "$repo/build-desktop-check" -j2 --target monte-carlo >/dev/null \
            || { echo "FEHLER: Bau fehlgeschlagen"; exit 1; }
    fi
fi
case "$program" in /*) ;; *) program=$PWD/$program ;; esac
[ -x "$program" ] || { echo "FEHLER: kein ausführbares Programm: $program"; exit 1; }

failures=0
code=""
ok() { echo "ok: $*"; }
fail() { echo "FEHLER: $*"; failures=$((failures + 1)); }
note() { echo "hinweis: $*"; }
check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then ok "$what"; else fail "$what"; fi
}

work=$(mktemp -d)
pids=()
# Ends every process the current setup started, the X server last.
end_setup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; wait "${pids[i]}" 2>/dev/null; done
    pids=()
}
cleanup() {
    end_setup
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Polls a command every 0.1 s, at most TRIES times.
wait_for() {
    local tries=$1
    shift
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -le 0 ] && return 1
        sleep 0.1
    done
}

# The first display from :50 to :59 that nobody holds.
free_display() {
    local n
    for n in 50 51 52 53 54 55 56 57 58 59; do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            echo "$n"
            return 0
        fi
    done
    return 1
}

# start_x WIDTHxHEIGHT: a fresh Xvfb; sets DISPLAY and xvfb_pid.
start_x() {
    local n
    n=$(free_display) || { fail "kein freies Display zwischen :50 und :59"; return 1; }
    # -noreset: the server must not restart when the probe below disconnects.
    Xvfb ":$n" -screen 0 "${1}x24" -nolisten tcp -noreset >"$run/xvfb.log" 2>&1 &
    xvfb_pid=$!
    pids+=("$xvfb_pid")
    export DISPLAY=":$n"
    wait_for 100 xdpyinfo >/dev/null 2>&1 || { fail "Xvfb :$n startete nicht"; return 1; }
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# start_wm openbox|fluxbox|bare
start_wm() {
    case $1 in
        openbox) openbox >"$run/wm.log" 2>&1 & ;;
        fluxbox) HOME=$run fluxbox >"$run/wm.log" 2>&1 & ;;
        bare) return 0 ;;
    esac
    pids+=($!)
    wait_for 100 wm_running || { fail "$1 startete nicht: $(head -c 300 "$run/wm.log")"; return 1; }
}

# start_program [VAR=value ...]: the program in the run's folder; sets app_pid.
start_program() {
    (cd "$run" && exec env "$@" "$program") >"$run/program.log" 2>&1 &
    app_pid=$!
    pids+=("$app_pid")
}

x_window() {
    local id
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [ -n "$id" ] && echo "$id"
}
program_ended() { ! kill -0 "$app_pid" 2>/dev/null; }
key() { xdotool key --clearmodifiers "$@"; }

# Sets code to the program's exit code once it has ended (within 5 s), or to "läuft".
collect_exit() {
    if wait_for 50 program_ended; then
        wait "$app_pid"
        code=$?
    else
        code=läuft
    fi
}

report_has() { grep -q "$1" "$run/mc_result.txt" 2>/dev/null; }
report_written() { [ -s "$run/mc_result.txt" ]; }

# The window offers no minimise or maximise: Motif hints limit its functions
# (and decorations) and, under fluxbox, the window manager's allowed actions.
no_min_max() {
    local id=$1 wm=$2 hints functions decorations flags
    hints=$(xprop -id "$id" _MOTIF_WM_HINTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
    [ -n "$hints" ] || return 1
    IFS=, read -r flags functions decorations _ <<<"$hints"
    # Functions must be listed (bit 0) and must not be "all" (bit 0 of functions).
    (( (flags & 1) && !(functions & 1) && !(functions & 0x18) )) || return 1
    (( !(flags & 2) || !(decorations & 0x61) )) || return 1
    if [ "$wm" = fluxbox ]; then
        ! xprop -id "$id" _NET_WM_ALLOWED_ACTIONS | grep -q 'MINIMIZE\|MAXIMIZE' || return 1
    fi
}

# Close box offered (Motif function "close") or not.
has_close() { local f; f=$(xprop -id "$1" _MOTIF_WM_HINTS | sed -n 's/.*= //p' | cut -d, -f2); (( f & 0x20 )); }

# Viewable windows of the program and a picture that is not all black.
screen_not_blank() {
    local mean
    import -window root "$run/screen.png" 2>/dev/null || return 1
    mean=$(convert "$run/screen.png" -format '%[fx:mean]' info:)
    awk -v m="$mean" 'BEGIN { exit !(m > 0.2) }'
}
# No menu item lit: the menu bar is grey, a highlighted item is coloured.
menu_calm() {
    local saturation
    import -window root "$run/menu.png" 2>/dev/null || return 1
    saturation=$(convert "$run/menu.png" -crop 520x18+0+0 +repage -colorspace HSL -channel G -separate \
        +channel -format '%[fx:maxima]' info:)
    awk -v s="$saturation" 'BEGIN { exit !(s < 0.3) }'
}
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }

# One X setup: dialogs, boxes, keys 100 ms after each closes, iconify, Alt+B.
x_setup() {
    local wm=$1 main settings box about
    run=$work/$wm
    mkdir -p "$run"
    echo "== $wm"
    start_x 1280x800 || return
    start_wm "$wm" || return
    start_program
    if ! wait_for 150 x_window '^Monte Carlo$' >/dev/null; then
        fail "$wm: Hauptfenster erschien nicht"
        return
    fi
    main=$(x_window '^Monte Carlo$')
    sleep 0.5

    # A refused radius: the warning's box, then Escape 0.1 s after it closes
    # must reach the settings again.
    key alt+e
    wait_for 50 x_window '^Einstellungen$' >/dev/null
    sleep 0.3
    key Tab Tab Tab ctrl+a 0 Return
    if wait_for 50 x_window '^Fehler: Radius$' >/dev/null; then
        [ "$wm" != bare ] && check "$wm: Warnung ohne Minimieren/Maximieren" \
            no_min_max "$(x_window '^Fehler: Radius$')" "$wm"
    else
        fail "$wm: Radius 0 brachte keine Warnung"
    fi
    key Return
    sleep 0.1
    key Escape
    check "$wm: Escape 0,1 s nach der Warnung schloss die Einstellungen" \
        wait_for 30 eval '! x_window "^Einstellungen$" >/dev/null'
    sleep 0.1

    key alt+e
    if wait_for 50 x_window '^Einstellungen$' >/dev/null; then
        settings=$(x_window '^Einstellungen$')
        [ "$wm" != bare ] && check "$wm: Einstellungen ohne Minimieren/Maximieren" no_min_max "$settings" "$wm"
        check "$wm: Einstellungen mit Schließen" has_close "$settings"
        sleep 0.3
        check "$wm: kein Menüeintrag hervorgehoben, solange die Einstellungen offen sind" menu_calm
        if [ "$wm" = openbox ] && xprop -id "$settings" _NET_WM_ALLOWED_ACTIONS | grep -q MINIMIZE; then
            note "openbox bietet Minimieren trotz der Motif-Hinweise an (es wertet sie dafür nicht aus)"
        fi
    else
        fail "$wm: Alt+E öffnete die Einstellungen nicht"
    fi
    key Return
    sleep 0.1
    key alt+s
    sleep 2
    key alt+g
    check "$wm: Alt+S 0,1 s nach OK der Einstellungen startete einen Lauf (33649 im Bericht)" \
        wait_for 50 report_has 33649
    if wait_for 50 x_window '^Ergebnis gespeichert.$' >/dev/null; then
        box=$(x_window '^Ergebnis gespeichert.$')
        [ "$wm" != bare ] && check "$wm: Meldung ohne Minimieren/Maximieren" no_min_max "$box" "$wm"
    else
        fail "$wm: Alt+G zeigte keine Meldung"
    fi
    key Return
    sleep 0.1
    key alt+question
    if wait_for 50 x_window '^about Monte-Carlo$' >/dev/null; then
        about=$(x_window '^about Monte-Carlo$')
        if [ "$wm" != bare ]; then
            check "$wm: Info-Dialog ohne Minimieren/Maximieren" no_min_max "$about" "$wm"
            check "$wm: Info-Dialog ohne Schließen" eval '! has_close '"$about"
        fi
        ok "$wm: Alt+? 0,1 s nach der Meldung öffnete den Info-Dialog"
        sleep 0.3
        check "$wm: kein Menüeintrag hervorgehoben, solange der Info-Dialog offen ist" menu_calm
        xdotool windowminimize "$about" 2>/dev/null
        sleep 1.5
        check "$wm: Info-Dialog nach Minimieren wieder sichtbar" viewable "$about"
        check "$wm: Hauptfenster nach Minimieren des Info-Dialogs sichtbar" viewable "$main"
        check "$wm: Bildschirm nach Minimieren nicht schwarz" screen_not_blank
    else
        fail "$wm: Alt+? 0,1 s nach der Meldung öffnete den Info-Dialog nicht"
    fi
    rm -f "$run/mc_result.txt"
    key Return
    sleep 0.1
    key alt+g
    check "$wm: Alt+G 0,1 s nach dem Info-Dialog speicherte" wait_for 30 report_written
    wait_for 30 x_window '^Ergebnis gespeichert.$' >/dev/null
    key Return
    sleep 0.1
    key alt+b
    collect_exit
    check "$wm: Alt+B 0,1 s nach der Meldung beendet mit 0 (war: $code)" test "$code" = 0
}

# Mean brightness of the top strip under weston: the light menu bar, not the
# dark panel.
menu_on_top() {
    local mean
    import -window root "$run/$1.png" 2>/dev/null || return 1
    mean=$(convert "$run/$1.png" -crop 400x12+0+3 -format '%[fx:mean]' info:)
    awk -v m="$mean" 'BEGIN { exit !(m > 0.7) }'
}

weston_setup() {
    run=$work/weston
    mkdir -p "$run/xdg"
    chmod 700 "$run/xdg"
    echo "== weston"
    start_x 1280x800 || return
    XDG_RUNTIME_DIR=$run/xdg weston --backend=x11-backend.so --use-pixman --width=1280 --height=800 \
        --socket=mc-wayland >"$run/weston.log" 2>&1 &
    pids+=($!)
    if ! wait_for 100 test -S "$run/xdg/mc-wayland"; then
        fail "weston startete nicht"
        return
    fi
    sleep 1
    xdotool mousemove 640 400
    start_program XDG_RUNTIME_DIR="$run/xdg" WAYLAND_DISPLAY=mc-wayland QT_QPA_PLATFORM=wayland
    sleep 3
    if grep -qi 'xcb\|could not' "$run/program.log"; then
        fail "weston: Programm lief nicht nativ unter Wayland: $(head -c 200 "$run/program.log")"
    fi
    check "weston: Menü sichtbar oben am Bildschirm" menu_on_top start
    # A refused radius, its warning, and Escape 0.1 s after it for the settings.
    key alt+e
    sleep 1
    key Tab Tab Tab ctrl+a 0 Return
    sleep 1
    key Return
    sleep 0.1
    key Escape
    sleep 0.5
    key alt+e
    sleep 1
    if ! menu_on_top during-settings; then
        note "weston legt seine Leiste über das Menü, solange ein Dialog offen ist" \
            "(es senkt ein Vollbildfenster ohne Tastaturfokus unter die Leiste)"
    fi
    key Return
    sleep 0.1
    key alt+s
    sleep 2
    check "weston: Menü sichtbar nach den Einstellungen" menu_on_top after-settings
    key alt+g
    check "weston: Alt+S 0,1 s nach OK der Einstellungen startete einen Lauf (33649 im Bericht)" \
        wait_for 50 report_has 33649
    sleep 1
    key Return
    sleep 0.1
    key alt+question
    sleep 1
    rm -f "$run/mc_result.txt"
    key Return
    sleep 0.1
    key alt+g
    check "weston: Alt+G 0,1 s nach dem Info-Dialog speicherte" wait_for 30 report_written
    sleep 1
    key Return
    sleep 0.1
    key alt+b
    collect_exit
    check "weston: Alt+B 0,1 s nach der Meldung beendet mit 0 (war: $code)" test "$code" = 0
}

# Runs inside dbus-run-session: the program under openbox with the
# accessibility bridge on, a run, then the screen reader's view of it.
atspi_inner() {
    run=$work/atspi
    mkdir -p "$run"
    start_x 1280x800 || exit 1
    start_wm openbox || exit 1
    start_program QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    wait_for 150 x_window '^Monte Carlo$' >/dev/null || { fail "atspi: Hauptfenster erschien nicht"; exit 1; }
    sleep 1
    key alt+s
    sleep 3
    /usr/bin/python3 "$repo/scripts/atspi-dump.py" >"$run/tree.txt" 2>"$run/tree.log"
    check "atspi: Baum nennt 33649" grep -q 33649 "$run/tree.txt"
    check "atspi: Baum nennt 3.143748699812773" grep -q 3.143748699812773 "$run/tree.txt"
    key alt+b
    collect_exit
    check "atspi: Alt+B beendet mit 0 (war: $code)" test "$code" = 0
    exit $((failures > 0))
}

atspi_setup() {
    echo "== AT-SPI"
    if [ ! -f "$repo/scripts/atspi-dump.py" ]; then
        note "AT-SPI übersprungen: scripts/atspi-dump.py fehlt noch"
        return
    fi
    # The accessibility registry greets on standard output; only the checks' lines pass.
    dbus-run-session -- "$repo/scripts/desktop-check.sh" --atspi-inner "$program" 2>"$work/atspi.log" \
        | grep -v '^SpiRegistry'
    [ "${PIPESTATUS[0]}" -eq 0 ] || failures=$((failures + 1))
}

# Pictures at fractional and whole scale factors, on a screen of 1280x800
# logical pixels, after an automatic run.
scale_setup() {
    local factor=$1 size=$2 name
    run=$work/scale-$factor
    mkdir -p "$run"
    echo "== Skalierung $factor"
    start_x "$size" || return
    start_wm openbox || return
    start_program QT_SCALE_FACTOR="$factor"
    wait_for 150 x_window '^Monte Carlo$' >/dev/null || { fail "Skalierung $factor: Hauptfenster erschien nicht"; return; }
    sleep 1
    key alt+s
    sleep 2
    name=$shots/scale-$factor.png
    check "Skalierung $factor: Bild $name" import -window root "$name"
    key alt+b
    collect_exit
    check "Skalierung $factor: Alt+B beendet mit 0 (war: $code)" test "$code" = 0
}

unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR

if [ "$mode" = atspi-inner ]; then
    atspi_inner
fi

shots=${MC_DESKTOP_SHOTS:-$(mktemp -d /tmp/mc-desktop-shots.XXXXXX)}
mkdir -p "$shots"

# Each setup ends with everything it started, also when it gave up early.
for setup in "x_setup openbox" "x_setup fluxbox" "x_setup bare" weston_setup atspi_setup \
    "scale_setup 1.5 1920x1200" "scale_setup 2 2560x1600"; do
    $setup
    end_setup
done

echo "Bilder: $shots"
if [ "$failures" -gt 0 ]; then
    echo "$failures Prüfung(en) fehlgeschlagen."
    exit 1
fi
echo "Alle Prüfungen bestanden."
