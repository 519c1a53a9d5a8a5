#!/usr/bin/env bash
# The first automatic run with the default settings, driven through the menu
# under Wine (Alt+S, Alt+G, Enter on the box, Alt+B), must save exactly the
# report below, leave nothing else in its folder, end with exit code 0, and
# not use the CPU while it waits for the user.
# Usage: first-run-check.sh path/to/monte-carlo.exe
# Runs on the caller's DISPLAY and WINEPREFIX when they are set, else on its own.
set -euo pipefail
exe=$(realpath "$1")
. "$(dirname "$0")/wine-session.sh"
pid=
cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    end_wine_session
}
trap cleanup EXIT
trap 'exit 1' INT TERM
wine_session 1280x800

# CPU seconds the process has used, from /proc (utime + stime in clock ticks).
cpu() { awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15) / hz }' "/proc/$1/stat"; }

mkdir "$scratch/run" && cd "$scratch/run"
/usr/lib/wine/wine64 "$exe" & pid=$!
timeout 30 xdotool search --sync --onlyvisible --pid $pid --name '^Monte Carlo$' >/dev/null
sleep 2
before=$(cpu $pid); sleep 2; after=$(cpu $pid)
awk -v a="$before" -v b="$after" 'BEGIN { exit !(b - a < 0.2) }' \
    || { echo "FAIL: $(awk -v a="$before" -v b="$after" 'BEGIN { print b - a }') s of CPU in 2 s while idle"; exit 1; }

shots() { tr -d '\r' <mc_result.txt | sed -n 's/^  geschossen (n): *//p'; }
xdotool key --clearmodifiers alt+s
# Saved again each second until the run has stopped by itself (slower on a busy machine).
box='^Ergebnis gespeichert.$'
for _ in $(seq 120); do
    sleep 1
    xdotool key --clearmodifiers alt+g
    timeout 10 xdotool search --sync --onlyvisible --name "$box" >/dev/null
    xdotool key --clearmodifiers Return
    while xdotool search --onlyvisible --name "$box" >/dev/null; do sleep 0.1; done
    case $(shots) in
    0 | '') echo "FAIL: after Alt+S the report shows no run"; exit 1 ;;
    33649) break ;;
    esac
done
xdotool key --clearmodifiers alt+b
status=0
timeout 10 tail --pid=$pid -f /dev/null || { echo "FAIL: still running after Alt+B"; kill $pid; exit 1; }
wait $pid || status=$?
pid=
[ $status -eq 0 ] || { echo "FAIL: exit code $status"; exit 1; }
[ "$(ls -A)" = mc_result.txt ] || { echo "FAIL: the folder holds $(ls -A | tr '\n' ' ')"; exit 1; }

# Windows-1252, CR LF, no line end after the last line.
sed 's/$/\r/' <<'END' | iconv -f UTF-8 -t WINDOWS-1252 | head -c -2 >"$scratch/expected"
Monte Carlo Simulation: Auswertung
--------------------------------------

> Körper:

  Radius:      200
  Dimensionen: 2
  Kreisfläche: 125749.94799

> Simulation:

  geschossen (n):                33649
  getroffen  (m):                26446
  Trefferwahrscheinlichkeit (p): 78.5937174953 %
  Varianz:                       0.0000050000

  PI:  3.143748699812773
END
cmp "$scratch/expected" mc_result.txt
echo "first automatic run under Wine: report as expected, exit code 0, idle without CPU"
