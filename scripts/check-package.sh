#!/bin/sh
# Builds the Debian package and proves it without installing anything into
# this machine: the desktop entry and the AppStream metadata validate, the .deb
# holds the program, its desktop integration, manual page, copyright and
# changelog, the program starts from the unpacked package in a scratch folder,
# apt-get finds every dependency (simulated), and lintian reports nothing but
# the invented maintainer address.
#
#   scripts/check-package.sh
set -eu
cd "$(dirname "$0")/.."

case "${1:-}" in
    "") ;;
    --install)
        echo "$0: --install gibt es nicht mehr; die Prüfung installiert nichts mehr," \
            "sie startet das Programm aus dem entpackten Paket." >&2
        exit 2 ;;
    *) echo "usage: $0" >&2; exit 2 ;;
esac

./scripts/install-deps.sh --test

app_id=de.montecarlo.MonteCarlo

# MC_PACKAGE_BUILD names a build directory that is already built (the test
# command's); without it the package gets a build of its own.
build="${MC_PACKAGE_BUILD:-build-package}"
if [ -z "${MC_PACKAGE_BUILD:-}" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
        -DMC_BUILD_TESTS=OFF -DMC_BUILD_BENCHMARKS=OFF
    cmake --build "$build" --parallel "$(nproc)"
fi
rm -f "$build"/monte-carlo_*.deb
(cd "$build" && cpack -G DEB)

deb=$(ls "$build"/monte-carlo_*.deb)
echo "== $deb"

failures=0
fail() {
    echo "FEHLER: $*" >&2
    failures=$((failures + 1))
}

echo "== desktop-file-validate"
desktop-file-validate "packaging/$app_id.desktop" || fail "Desktop-Eintrag ungültig"
echo "== appstreamcli validate"
appstreamcli validate --no-net "packaging/$app_id.metainfo.xml" || fail "AppStream-Metadaten ungültig"

echo "== dpkg-deb -I"
dpkg-deb -I "$deb"
echo "== dpkg-deb -c"
contents=$(dpkg-deb -c "$deb")
echo "$contents"

# Paths as dpkg-deb lists them: "./usr/...", symlinks as "name -> target".
paths=$(echo "$contents" | awk '{ print $6 }')
expect_file() {
    echo "$paths" | grep -qx "\./$1" || fail "fehlt im Paket: /$1"
}
expect_file usr/bin/monte-carlo
expect_file "usr/share/applications/$app_id.desktop"
expect_file "usr/share/metainfo/$app_id.metainfo.xml"
for size in 16 32 48 64 96; do
    expect_file "usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
done
if [ -f resources/icons/monte-carlo.svg ]; then
    expect_file "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
fi
if [ -f README.md ]; then
    expect_file usr/share/doc/monte-carlo/README.md
fi
expect_file usr/share/doc/monte-carlo/copyright
expect_file usr/share/doc/monte-carlo/changelog.gz
expect_file usr/share/man/man1/monte-carlo.1.gz
echo "$contents" | awk '$6 == "./usr/bin/monte-carlo" { print $1 }' | grep -q '^-rwxr-xr-x$' \
    || fail "/usr/bin/monte-carlo ist nicht ausführbar (0755)"

# What the package installs must fit together: the entry names a program and
# an icon the package brings along.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
unpacked="$scratch/root"
dpkg-deb -x "$deb" "$unpacked"
entry="$unpacked/usr/share/applications/$app_id.desktop"
if [ -f "$entry" ]; then
    desktop-file-validate "$entry" || fail "installierter Desktop-Eintrag ungültig"
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    icon_name=$(sed -n 's/^Icon=//p' "$entry")
    [ -x "$unpacked/usr/bin/$exec_name" ] || fail "Exec=$exec_name liegt nicht in /usr/bin"
    [ -f "$unpacked/usr/share/icons/hicolor/48x48/apps/$icon_name.png" ] \
        || fail "Icon=$icon_name hat kein Bild in hicolor/48x48"
fi
file "$unpacked/usr/bin/monte-carlo" | grep -q 'ELF 64-bit.*, stripped' \
    || fail "/usr/bin/monte-carlo ist kein gestripptes ELF-Programm"

# Linked libraries come from dpkg-shlibdeps; the platform plugins and the
# fonts are needed at run time without being linked.
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 qt6-qpa-plugins fonts-dejavu-core fontconfig; do
    echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -qx "$dep" \
        || fail "Depends nennt $dep nicht"
done
[ "$(dpkg-deb -f "$deb" Section)" = science ] || fail "Section ist nicht science"

[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "Recommends nennt qt6-wayland nicht"
# A native package's changelog names the package's own version first.
version=$(dpkg-deb -f "$deb" Version)
zcat "$unpacked/usr/share/doc/monte-carlo/changelog.gz" | head -n 1 | grep -q "^monte-carlo ($version) " \
    || fail "changelog.gz beginnt nicht mit Version $version"

# The program runs until it is told to quit: still alive after two seconds
# means it came up; then it must end on SIGTERM. It runs in a scratch working
# folder, so nothing it might write lands in the source tree.
echo "== usr/bin/monte-carlo aus dem entpackten Paket (offscreen, 2 s)"
mkdir "$scratch/work"
(cd "$scratch/work" && exec env QT_QPA_PLATFORM=offscreen "$unpacked/usr/bin/monte-carlo") &
pid=$!
sleep 2
if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    wait "$pid" && status=0 || status=$?
    # 143: ended by SIGTERM, as a program without its own handler should.
    [ "$status" -eq 0 ] || [ "$status" -eq 143 ] \
        || fail "monte-carlo endete auf SIGTERM mit Status $status"
else
    wait "$pid" && status=0 || status=$?
    fail "monte-carlo endete nach dem Start mit Status $status"
fi

# apt resolves the dependencies as for a real installation, but only prints
# what it would do.
echo "== apt-get install --simulate"
deb_path=$(realpath "$deb")
if apt_out=$(apt-get install --simulate -q "$deb_path" 2>&1); then
    echo "$apt_out" | grep '^Inst ' || true
    echo "$apt_out" | grep -q '^Inst monte-carlo ' || fail "apt-get würde monte-carlo nicht installieren"
else
    echo "$apt_out" >&2
    fail "apt-get kann die Abhängigkeiten nicht auflösen"
fi

# The maintainer address is invented on purpose and stays; any other tag fails.
echo "== lintian"
if lint_out=$(lintian --fail-on none "$deb" 2>&1); then
    echo "$lint_out"
    other=$(echo "$lint_out" | grep '^[A-Z]: ' | grep -v ': bogus-mail-host\(-in-debian-changelog\)\? ' || true)
    [ -z "$other" ] || fail "lintian meldet mehr als die Maintainer-Adresse"
else
    echo "$lint_out" >&2
    fail "lintian lief nicht durch"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures Prüfung(en) fehlgeschlagen" >&2
    exit 1
fi
echo "Paket in Ordnung: $deb"
