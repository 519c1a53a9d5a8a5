#!/bin/bash
# Builds the Debian package the way Debian does (dpkg-buildpackage on a copy of the tracked tree in a
# scratch folder) and proves it without installing anything into this machine: its version and date, the
# tests it ran while building (and none with nocheck), the desktop entry and AppStream metadata in English
# with German translations, its files and exact dependencies, a start from the unpacked package, apt's
# resolution (simulated) and lintian.
#
#   scripts/check-package.sh
set -eu
cd "$(dirname "$0")/.."
[ $# -eq 0 ] || { echo "usage: $0" >&2; exit 2; }
./scripts/install-deps.sh --test

failures=0
fail() { echo "FEHLER: $*" >&2; failures=$((failures + 1)); }
# only REPORT ALLOWED: every tag line ("X: ...") of a tool's report is allowed.
only() { cat "$1"; ! grep -E '^[A-Z]: ' "$1" | grep -vE "$2" >&2 || fail "$1: mehr als erlaubt"; }

app_id=de.montecarlo.MonteCarlo
version=$(sed -n 's/^project(monte-carlo VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
release=$(sed -n 's/^set(MC_RELEASE_DATE \([0-9-]*\))$/\1/p' CMakeLists.txt)
[ "$(dpkg-parsechangelog -S Version)" = "$version" ] || fail "debian/changelog nennt nicht Version $version"
[ "$(date -u -d "$(dpkg-parsechangelog -S Date)" +%F)" = "$release" ] || fail "debian/changelog ist nicht vom $release"
# The save needs O_TMPFILE and /proc.
grep -qx 'Architecture: linux-any' debian/control || fail "debian/control nennt nicht Architecture: linux-any"
abi=$(debian/qt-abi)

tree=$PWD
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
mkdir src root work
(cd "$tree" && git ls-files -z | tar --null -T - -cf -) | tar -xf - -C src
echo "== dpkg-buildpackage -us -uc -b"
(cd src && dpkg-buildpackage -us -uc -b -j"$(nproc)") >build.log 2>&1 || { tail -n 40 build.log; exit 1; }
deb=$(ls "$scratch"/monte-carlo_*.deb)
dpkg-deb -I "$deb"
dpkg-deb -x "$deb" root

# The suites ran while building, but not the one under strace; the same tree built again with nocheck
# is configured without tests and runs none.
echo "== Tests beim Bauen, keine mit DEB_BUILD_OPTIONS=nocheck"
grep -E '^100% tests passed, 0 tests failed out of [0-9]+$' build.log || fail "dh_auto_test ließ keine Tests laufen"
for suite in core_tests presentation_tests program_tests accessibility_tests screen_tests save_tests desktop_tests; do
    grep -q "/$suite \"--gtest_filter=" build.log || fail "$suite lief beim Bauen nicht"
done
! grep -q 'save\.QuitSignals' build.log || fail "save.QuitSignals lief beim Bauen"
rm src/debian/debhelper-build-stamp
(cd src && DEB_BUILD_OPTIONS=nocheck debian/rules build) >nocheck.log 2>&1 || { tail -n 40 nocheck.log; exit 1; }
grep -qx 'MC_BUILD_TESTS:BOOL=OFF' src/obj-*/CMakeCache.txt && ! grep -qE 'ctest|Test project' nocheck.log \
    || fail "DEB_BUILD_OPTIONS=nocheck baute oder lief Tests"

echo "== desktop-file-validate, appstreamcli validate --pedantic"
entry=root/usr/share/applications/$app_id.desktop
metainfo=root/usr/share/metainfo/$app_id.metainfo.xml
out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] || fail "Desktop-Eintrag: $out"
appstreamcli validate --pedantic --no-net "$metainfo" >appstream 2>&1 || fail "AppStream-Metadaten ungültig"
only appstream ': cid-contains-uppercase-letter '
# English for every desktop, German for a German one: each text of the entry and each paragraph and
# keyword of the AppStream file in German too.
for key in Name GenericName Comment Keywords; do
    grep -q "^$key\[de\]=" "$entry" || fail "Desktop-Eintrag: $key ohne [de]"
done
for tag in p keyword; do
    [ "$(grep -c "<$tag>" "$metainfo")" = "$(grep -c "<$tag xml:lang=\"de\">" "$metainfo")" ] \
        || fail "AppStream: nicht jedes <$tag> auch auf Deutsch"
done

echo "== Dateien"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort >files
printf '%s\n' usr/bin/monte-carlo usr/share/{applications/$app_id.desktop,metainfo/$app_id.metainfo.xml} \
    usr/share/doc/monte-carlo/{README.md.gz,changelog.gz,copyright} usr/share/man/{,de/}man1/monte-carlo.1.gz \
    usr/share/icons/hicolor/{{16x16,32x32,48x48,64x64,96x96}/apps/$app_id.png,scalable/apps/$app_id.svg} \
    | sort | diff -u - files || fail "Dateiliste weicht ab"
# Version, release and folder reach the texts made from them; the English texts and their German ones.
while read -r file text; do
    zcat -f "root/$file" | grep -qaF -- "$text" || fail "/$file enthält nicht: $text"
done <<EOF
usr/bin/monte-carlo Version $version
usr/bin/monte-carlo /usr/share/doc/monte-carlo
usr/share/man/man1/monte-carlo.1.gz .TH MONTE\-CARLO 1 "$release" "monte\-carlo $version" "User Commands"
usr/share/man/de/man1/monte-carlo.1.gz "monte\-carlo $version" "Benutzerbefehle"
usr/share/metainfo/$app_id.metainfo.xml <release version="$version" date="$release"/>
usr/share/metainfo/$app_id.metainfo.xml <summary>Estimate the area of a circle and pi from random points</summary>
usr/share/metainfo/$app_id.metainfo.xml <summary xml:lang="de">Kreisfläche und Pi durch Zufallspunkte schätzen</summary>
usr/share/applications/$app_id.desktop Exec=monte-carlo
usr/share/applications/$app_id.desktop Icon=$app_id
usr/share/applications/$app_id.desktop Comment=Estimate the area of a circle and pi from random points
usr/share/applications/$app_id.desktop Comment[de]=Kreisfläche und Pi durch Zufallspunkte schätzen
EOF

echo "== Abhängigkeiten"
# Exactly these: the libraries by name (their versions are dpkg-shlibdeps' business) and the Qt release.
dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//; s/ (>= .*)$//' | sort >depends
printf '%s\n' libc6 libgcc-s1 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libwayland-client0 \
    "qt6-base-abi (= $abi)" qt6-qpa-plugins fonts-dejavu-core | sort | diff -u - depends || fail "Depends weichen ab"

# Alive after two seconds means it came up; SIGTERM then ends it cleanly, with 0.
echo "== usr/bin/monte-carlo aus dem entpackten Paket (offscreen, 2 s)"
(cd work && QT_QPA_PLATFORM=offscreen exec "$scratch/root/usr/bin/monte-carlo") &
pid=$!
sleep 2
{ kill "$pid" 2>/dev/null && wait "$pid"; } || fail "monte-carlo lief keine zwei Sekunden oder endete auf SIGTERM nicht mit 0"

echo "== apt-get install --simulate"
apt-get install --simulate -q "$deb" >apt 2>&1 && grep '^Inst monte-carlo ' apt \
    || { cat apt; fail "apt-get löst die Abhängigkeiten nicht auf"; }

# The maintainer address is invented, and the program's German texts read as English typos.
echo "== lintian --display-info"
lintian --display-info --fail-on none "$scratch"/*.changes >lintian || fail "lintian lief nicht durch"
only lintian ': (bogus-mail-host(-in-debian-changelog)?|spelling-error-in-binary) '

[ "$failures" -eq 0 ] || { echo "$failures Prüfung(en) fehlgeschlagen" >&2; exit 1; }
echo "Paket in Ordnung: monte-carlo_${version}"
