#!/usr/bin/env bash
# Runs a suite whose windows need a display under Wine: on the caller's X
# server and Wine prefix when set, else on an X server and a prefix of its own.
# Usage: wine-suite.sh suite.exe [arguments]
set -euo pipefail
. "$(dirname "$0")/wine-session.sh"
trap end_wine_session EXIT
trap 'exit 1' INT TERM
wine_session 1280x800
# A Wine server already running keeps the display its desktop started with (or
# none): on an X server of its own the suite starts a Wine server of its own,
# and lets it end before the X server goes. ctest runs it alone (RUN_SERIAL).
[ -z "$xvfb" ] || /usr/lib/wine/wineserver -w
status=0
/usr/lib/wine/wine64 "$@" || status=$?
[ -z "$xvfb" ] || /usr/lib/wine/wineserver -w
exit $status
