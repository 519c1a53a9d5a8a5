#!/bin/sh
# The program started without a reachable display: one line, non-zero exit.
program="$1"
status=0
for display in "" ":97"; do
    if [ -n "$display" ]; then
        out="$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program" 2>&1)"
    else
        out="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1)"
    fi
    code=$?
    lines="$(printf '%s\n' "$out" | wc -l)"
    echo "DISPLAY='$display': exit $code, $lines line(s): $out"
    if [ "$code" -eq 0 ] || [ "$lines" -ne 1 ]; then
        status=1
    fi
    case "$out" in
        *"Keine grafische Anzeige"*) ;;
        *) status=1 ;;
    esac
done
exit $status
