#!/usr/bin/env bash
# The installer as a school's administrator deploys it, under Wine: its tables
# against the ICE rules and inventory (check-tables.py); the exe and the MSI
# signed with a throw-away certificate; silently an older version installed,
# this one over it, a rebuild of this version over that, the older refused,
# each with the exit code deployment tools read; a start from the Start menu
# entry as another user would make it, saving into that user's Documents; the
# removal leaving nothing.
# Usage: packaging/windows/check-msi.sh build-win, in a throwaway WINEPREFIX
# (scripts/windows-tests.sh makes one); starts an X server of its own.
set -euo pipefail
build="$1"
: "${WINEPREFIX:?a throwaway Wine prefix}"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/../../win32/tests/wine-session.sh"
pid=
cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    end_wine_session
}
trap cleanup EXIT
# Before any Wine call: Wine's desktop process gets the display of the first program.
wine_session 1024x768
wine=/usr/lib/wine/wine64
version="$(sed -n 's/^project(monte-carlo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
cmake --build "$build" --target msi
msi="monte-carlo-$version.msi"
# The same package a version lower, as an earlier release would be, and this version built again
# (a new product code, as every build has).
(cd "$build" && "$here/build-msi.sh" monte-carlo-0.1.msi 0.1 monte-carlo.exe packaging/windows/documents \
    "$here/monte-carlo.wxs" &&
    "$here/build-msi.sh" rebuilt.msi "$version" monte-carlo.exe packaging/windows/documents "$here/monte-carlo.wxs")

failed=0
expect() {
    if [ "$2" != "$3" ]; then
        printf 'check-msi: %s\n  expected: %s\n  found:    %s\n' "$1" "$3" "$2" >&2
        failed=1
    fi
}

python3 "$here/check-tables.py" "$build/$msi" "$build/monte-carlo.exe" || failed=1

# Signed as MC_SIGN_CERT would sign them, with a certificate that exists only here.
openssl req -x509 -newkey rsa:2048 -nodes -subj "/CN=Monte-Carlo-Projekt Test" -days 1 \
    -keyout "$scratch/key.pem" -out "$scratch/cert.pem" 2>/dev/null
openssl pkcs12 -export -passout pass: -in "$scratch/cert.pem" -inkey "$scratch/key.pem" -out "$scratch/test.p12"
cp "$build/monte-carlo.exe" "$build/$msi" "$scratch/"
"$here/sign.sh" "$scratch/test.p12" "$scratch/monte-carlo.exe" "$scratch/$msi"
for signed in monte-carlo.exe "$msi"; do
    expect "$signed signed" "$(osslsigncode verify -CAfile "$scratch/cert.pem" -in "$scratch/$signed" | tail -1)" \
        Succeeded
done

folder="$WINEPREFIX/drive_c/Program Files/Monte Carlo"
# What Add or Remove Programs lists of the program, one entry a line.
listed() {
    $wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
        awk '/^HKEY/ { key = $0 } $1 == "DisplayName" && $3 == "Monte" { mine[key] = 1 } { lines[key] = lines[key] $0 "\n" }
             END { for (k in mine) printf "%s", lines[k] "\n" }' |
        sed -n 's/^ *\(DisplayVersion\|Publisher\|InstallLocation\|NoModify\|NoRepair\) *REG_[A-Z]* *\(.*\)$/\1=\2/p
                s/^ *Size *REG_SZ *[1-9][0-9]*$/Size/p; /^$/p' | tr '\n' ' ' | sed 's/  */ /g; s/ *$//'
}
entry() {
    echo "DisplayVersion=$1 InstallLocation=C:\\Program Files\\Monte Carlo\\ NoModify=0x1 NoRepair=0x1" \
        "Publisher=Monte-Carlo-Projekt Size"
}
# The Start menu entry, common or (as Wine puts it) the user's.
shortcut() {
    find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Monte Carlo.lnk'
}
install() {
    local status=0
    (cd "$build" && $wine msiexec "$@" /qn /l*v "$scratch/log") || status=$?
    echo "$status"
}

expect "older version installed" "$(install /i monte-carlo-0.1.msi) $(listed)" "0 $(entry 0.1)"
expect "newer version replaces the older" "$(install /i "$msi") $(listed)" "0 $(entry "$version")"
expect "a rebuild of the same version replaces it" "$(install /i rebuilt.msi) $(listed)" "0 $(entry "$version")"
# 1603, of which a Linux exit status keeps the low byte, 67. Wine's log has no launch condition's text:
# that the refusal carries its message check-tables.py reads from the tables.
expect "the older version refused over the newer" "$(install /i monte-carlo-0.1.msi) $(listed)" \
    "67 $(entry "$version")"
expect "for the newer one found" "$(grep -c '^Property(S): WIX_DOWNGRADE_DETECTED = {' "$scratch/log")" 1
expect "program installed" "$(cmp "$folder/monte-carlo.exe" "$build/monte-carlo.exe" && echo same)" same
expect "the help the about dialog names beside it" "$(cmp "$folder/Hilfe.html" "$here/Hilfe.html" && echo same)" same
expect "one Start menu shortcut" "$(shortcut | wc -l)" 1

# The shortcut's working folder and arguments, as the shell starts the program with them.
expect "the shortcut's working folder and arguments" \
    "$(msiinfo export "$build/$msi" Shortcut | awk -F '\t' 'NR > 3 { print $12, $6 }')" "INSTALLDIR /Dokumente"

# Another student: a profile and a Documents folder (redirected, not yet there) that are not the installer's.
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer'
$wine reg add "$shell_folders\\User Shell Folders" /v Personal /t REG_EXPAND_SZ /d 'C:\users\schueler\Eigene Dateien' /f >/dev/null
$wine reg add "$shell_folders\\Shell Folders" /v Personal /d 'C:\users\schueler\Eigene Dateien' /f >/dev/null
documents="$WINEPREFIX/drive_c/users/schueler/Eigene Dateien"
(cd "$folder" && USERPROFILE='C:\users\schueler' exec $wine "$folder/monte-carlo.exe" /Dokumente) & pid=$!
timeout 30 xdotool search --sync --onlyvisible --pid $pid --name '^Monte Carlo$' >/dev/null
xdotool key --clearmodifiers alt+g
timeout 10 xdotool search --sync --onlyvisible --name '^Ergebnis gespeichert.$' >/dev/null
xdotool key --clearmodifiers Return
xdotool key --clearmodifiers alt+b
timeout 10 tail --pid=$pid -f /dev/null
pid=
expect "saved in the starting user's Documents" "$(cd "$documents" && ls -A)" mc_result.txt
expect "nothing in the program's folder" "$(ls "$folder" | grep -c mc_result || true)" 0

expect "removed silently" "$(install /x "$msi") $(listed)" "0 "
expect "program folder gone" "$(test -e "$folder" || echo gone)" gone
expect "shortcut gone" "$(shortcut | wc -l)" 0
exit "$failed"
