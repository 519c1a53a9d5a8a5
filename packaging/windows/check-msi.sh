#!/bin/sh
# The installer under Wine: an older version installed, then this one over it,
# the older refused over it, then removed.
# Usage: packaging/windows/check-msi.sh build-win, in a throwaway WINEPREFIX
# (scripts/windows-tests.sh makes one).
set -eu
build="$1"
: "${WINEPREFIX:?a throwaway Wine prefix}"
wine=/usr/lib/wine/wine64
version="$(sed -n 's/^project(monte-carlo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
cmake --build "$build" --target msi
# The same package a version lower, as an earlier release would be.
root="$PWD"
(cd "$build" && wixl --arch x64 -D Version=0.1 -D Exe=monte-carlo.exe -D Icon=win32/generated/monte-carlo.ico \
    -D Readme=packaging/windows/documents/README.md -D Licence=packaging/windows/documents/LICENSE \
    -o monte-carlo-0.1.msi "$root/packaging/windows/monte-carlo.wxs")

folder="$WINEPREFIX/drive_c/Program Files/Monte Carlo"
failed=0
expect() {
    if [ "$2" != "$3" ]; then
        printf 'check-msi: %s\n  expected: %s\n  found:    %s\n' "$1" "$3" "$2" >&2
        failed=1
    fi
}
# What Add or Remove Programs lists of the program, one line per value.
listed() {
    $wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
        awk '/^HKEY/ { key = $0 } $1 == "DisplayName" && $3 == "Monte" { mine[key] = 1 } { lines[key] = lines[key] $0 "\n" }
             END { for (k in mine) printf "%s", lines[k] }' |
        sed -n 's/^ *\(DisplayName\|DisplayVersion\|Publisher\) *REG_SZ *\(.*\)$/\1=\2/p' | tr '\n' ' '
}
# The Start menu entry, common or (as Wine puts it) the user's.
shortcut() {
    find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Monte Carlo.lnk' | wc -l
}

(cd "$build" && $wine msiexec /i monte-carlo-0.1.msi /qn)
expect "older version listed" "$(listed)" "DisplayName=Monte Carlo DisplayVersion=0.1 Publisher=Monte-Carlo-Projekt "

(cd "$build" && $wine msiexec /i "monte-carlo-$version.msi" /qn)
expect "newer version replaces the older" "$(listed)" \
    "DisplayName=Monte Carlo DisplayVersion=$version Publisher=Monte-Carlo-Projekt "
refused=yes
(cd "$build" && $wine msiexec /i monte-carlo-0.1.msi /qn) && refused=no
expect "older version refused over the newer" "$refused $(listed)" \
    "yes DisplayName=Monte Carlo DisplayVersion=$version Publisher=Monte-Carlo-Projekt "
expect "program installed" "$(cmp "$folder/monte-carlo.exe" "$build/monte-carlo.exe" && echo same)" same
expect "the README the about dialog names beside it" "$(cmp "$folder/README.md" README.md && echo same)" same
expect "one Start menu shortcut" "$(shortcut)" 1

(cd "$build" && $wine msiexec /x "monte-carlo-$version.msi" /qn)
expect "nothing listed after removal" "$(listed)" ""
expect "program folder gone" "$(test -e "$folder" || echo gone)" gone
expect "shortcut gone" "$(shortcut)" 0
exit "$failed"
