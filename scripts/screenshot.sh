#!/bin/bash
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
program=$(realpath -m "${1:-build/monte-carlo}")
cd "$(dirname "$0")/.."
[ -x "$program" ] || { echo "Kein ausführbares Programm: $program (erst bauen, z. B. mit scripts/run.sh)" >&2; exit 1; }
./scripts/install-deps.sh --desktop
. scripts/desktop-session.sh

run=$(mktemp -d)
trap 'end_session; rm -rf "$run"' EXIT
trap 'exit 1' INT TERM
fail() { echo "$1" >&2; cat "$run"/*.log >&2; exit 1; }
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR
start_x 1280x800 || fail "Xvfb startete nicht."
start_wm openbox || fail "openbox startete nicht."
start_program "$program"
wait_for 150 x_window '^Monte Carlo$' >/dev/null || fail "Das Fenster \"Monte Carlo\" erschien nicht."
sleep 0.5 # the first frame on the screen before the dialog opens
manual_run 1000000 370 || fail "Die Einstellungen nahmen den Lauf nicht an."
sleep 0.3

# The program shoots several hundred thousand points a second: a picture
# taken by a slowly starting grabber would show a square drowned in points.
# So the program is halted right after the start, the picture is taken from
# what it last presented, and then it goes on.
key alt+s
sleep "${MC_SHOT_DELAY:-0.12}"
kill -STOP "$app"
sleep 0.3
mkdir -p docs
shot docs/screenshot.png
kill -CONT "$app"
quit
[ "$code" = 0 ] || fail "Das Programm endete auf Alt+B nicht mit 0 (war: $code)."
echo "$PWD/docs/screenshot.png"
