#!/bin/bash
# Builds the Debian package the way Debian does (dpkg-buildpackage on a copy of the tracked tree in a
# scratch folder) and proves it without installing anything into this machine: its version and date, the
# desktop entry and AppStream metadata, its files and dependencies, a start from the unpacked package,
# apt's resolution (simulated) and lintian.
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

echo "== desktop-file-validate, appstreamcli validate --pedantic"
entry=root/usr/share/applications/$app_id.desktop
out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] || fail "Desktop-Eintrag: $out"
grep -qx Exec=monte-carlo "$entry" && grep -qx "Icon=$app_id" "$entry" || fail "Exec/Icon passen nicht zum Paket"
appstreamcli validate --pedantic --no-net "root/usr/share/metainfo/$app_id.metainfo.xml" >appstream 2>&1 \
    || fail "AppStream-Metadaten ungültig"
only appstream ': cid-contains-uppercase-letter '

echo "== Dateien"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort >files
printf '%s\n' usr/bin/monte-carlo usr/share/{applications/$app_id.desktop,metainfo/$app_id.metainfo.xml} \
    usr/share/doc/monte-carlo/{README.md.gz,changelog.gz,copyright} usr/share/man/man1/monte-carlo.1.gz \
    usr/share/icons/hicolor/{{16x16,32x32,48x48,64x64,96x96}/apps/$app_id.png,scalable/apps/$app_id.svg} \
    | sort | diff -u - files || fail "Dateiliste weicht ab"
# Version, release and folder reach the texts made from them.
while read -r file text; do
    zcat -f "root/$file" | grep -qaF -- "$text" || fail "/$file enthält nicht: $text"
done <<EOF
usr/bin/monte-carlo Version $version
usr/bin/monte-carlo /usr/share/doc/monte-carlo
usr/share/man/man1/monte-carlo.1.gz "monte\-carlo $version"
usr/share/metainfo/$app_id.metainfo.xml <release version="$version" date="$release"/>
EOF

echo "== Abhängigkeiten"
# Each by name, or name and version: the Qt release it was built against as the installed libqt6core6 provides it.
abi=$(dpkg-query -W -f='${Provides}' libqt6core6 | tr ',' '\n' | sed -n 's/^ *\(qt6-base-abi .*\)/\1/p')
for want in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 qt6-qpa-plugins fontconfig fonts-dejavu-core "$abi"; do
    dpkg-deb -f "$deb" Depends | tr ',' '\n' | awk -v w="$want" '{ sub(/^ */, "") } $0 == w || $1 == w { f = 1 } END { exit !f }' \
        || fail "Depends ohne $want"
done

# Alive after two seconds means it came up; SIGTERM then ends it cleanly, with 0.
echo "== usr/bin/monte-carlo aus dem entpackten Paket (offscreen, 2 s)"
(cd work && QT_QPA_PLATFORM=offscreen exec "$scratch/root/usr/bin/monte-carlo") &
pid=$!
sleep 2
{ kill "$pid" 2>/dev/null && wait "$pid"; } || fail "monte-carlo lief keine zwei Sekunden oder endete auf SIGTERM nicht mit 0"

echo "== apt-get install --simulate"
apt-get install --simulate -q "$deb" >apt 2>&1 && grep '^Inst monte-carlo ' apt \
    || { cat apt; fail "apt-get löst die Abhängigkeiten nicht auf"; }

# The maintainer address is invented, and German words read as English typos.
echo "== lintian --display-info"
lintian --display-info --fail-on none "$scratch"/*.changes >lintian || fail "lintian lief nicht durch"
only lintian ': (bogus-mail-host(-in-debian-changelog)?|spelling-error-in-[a-z-]+|typo-in-manual-page) '

[ "$failures" -eq 0 ] || { echo "$failures Prüfung(en) fehlgeschlagen" >&2; exit 1; }
echo "Paket in Ordnung: monte-carlo_${version}"
