#!/bin/sh
# Takes docs/screenshot.png: the program on a virtual 1280x800 screen with a
# window manager, early in a manual run of a million points on a circle of
# radius 370, the largest that fits the shot pane at that screen size.
#
#   scripts/screenshot.sh [program]     default: build/monte-carlo
#
# MC_SHOT_DELAY (seconds, default 0.12) is the time between "Start" and the
# picture: about 100,000 points on a 2-core machine, enough to fill the
# square visibly and few enough to leave the circle's outline in view.
set -eu

program=${1:-build/monte-carlo}
case "$program" in
    /*) ;;
    *) program="$PWD/$program" ;;
esac
cd "$(dirname "$0")/.."
out="$PWD/docs/screenshot.png"
delay=${MC_SHOT_DELAY:-0.12}
target_shots=1000000
radius=370

if [ ! -x "$program" ]; then
    echo "Kein ausführbares Programm: $program (erst bauen, z. B. mit scripts/run.sh)" >&2
    exit 1
fi

missing=""
for p in xvfb openbox xdotool x11-utils imagemagick; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    echo "Installing:$missing"
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
    # shellcheck disable=SC2086
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi

work=$(mktemp -d)
xvfb_pid=""
wm_pid=""
app_pid=""
stopped=false
cleanup() {
    if $stopped; then
        kill -CONT "$app_pid" 2>/dev/null || true
    fi
    for pid in $app_pid $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $app_pid $wm_pid $xvfb_pid; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Polls a command every 0.1 s until it succeeds: false after TRIES polls, or as
# soon as the process PID (0 for none) has ended.
wait_for() {
    tries=$1
    pid=$2
    shift 2
    until "$@"; do
        tries=$((tries - 1))
        if [ "$tries" -le 0 ] || { [ "$pid" -ne 0 ] && ! kill -0 "$pid" 2>/dev/null; }; then
            return 1
        fi
        sleep 0.1
    done
}
display_known() { [ -s "$work/display" ]; }
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
settings_closed() { ! xdotool search --onlyvisible --name '^Einstellungen$' >/dev/null 2>&1; }
program_ended() { ! kill -0 "$app_pid" 2>/dev/null; }

# Xvfb picks a free display itself and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
if ! wait_for 100 "$xvfb_pid" display_known; then
    echo "Xvfb startete nicht:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
DISPLAY=":$(cat "$work/display")"
export DISPLAY
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
# A window mapped while the window manager is still starting may stay
# unmanaged and invisible: wait until openbox announces itself on the root.
if ! wait_for 100 "$wm_pid" wm_running; then
    echo "openbox startete nicht:" >&2
    cat "$work/openbox.log" >&2
    exit 1
fi

# Run in the scratch directory, so that nothing the program writes lands in
# the source tree.
(cd "$work" && exec "$program") >"$work/program.log" 2>&1 &
app_pid=$!

if ! window=$(timeout 15 xdotool search --sync --onlyvisible --name '^Monte Carlo$' | head -n 1) \
    || [ -z "$window" ]; then
    echo "Das Fenster \"Monte Carlo\" erschien nicht." >&2
    cat "$work/program.log" >&2
    exit 1
fi
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
# Let the first frame reach the screen before the dialog opens.
sleep 0.5

# Settings: the dialog opens with the focus on "automatisch festlegen"; Space
# clears it (manual mode), Shift+Tab goes back to the number of points, which
# is now enabled, and Return presses the default button OK.
xdotool key --clearmodifiers alt+e
if ! timeout 10 xdotool search --sync --onlyvisible --name '^Einstellungen$' >/dev/null; then
    echo "Der Dialog \"Einstellungen\" erschien nicht." >&2
    exit 1
fi
sleep 0.3
xdotool key --clearmodifiers space shift+Tab ctrl+a
xdotool type --delay 20 "$target_shots"
# Tab, Tab: past the check box and the two disabled automatic-mode fields to
# the radius.
xdotool key --clearmodifiers Tab Tab ctrl+a
xdotool type --delay 20 "$radius"
xdotool key --clearmodifiers Return
if ! wait_for 50 0 settings_closed; then
    echo "Der Dialog \"Einstellungen\" schloss nicht (Eingabe abgelehnt?)." >&2
    exit 1
fi
xdotool windowactivate --sync "$window" 2>/dev/null || true
sleep 0.3

# The program shoots several hundred thousand points a second: a picture
# taken by a slowly starting grabber would show a square drowned in points.
# So the program is halted right after the start, the picture is taken from
# what it last presented, and then it goes on.
xdotool key --clearmodifiers alt+s
sleep "$delay"
kill -STOP "$app_pid"
stopped=true
sleep 0.3
mkdir -p docs
import -window root "$out"
kill -CONT "$app_pid"
stopped=false

xdotool key --clearmodifiers alt+b
if ! wait_for 50 0 program_ended; then
    echo "Das Programm endete nicht auf \"Beenden\" (Alt+B)." >&2
    exit 1
fi
wait "$app_pid" && status=0 || status=$?
app_pid=""
if [ "$status" -ne 0 ]; then
    echo "Das Programm endete mit Status $status." >&2
    exit 1
fi
echo "$out"
