#!/bin/sh
# Installs the Debian 12 packages that are missing (through sudo when not root).
# Idempotent: does nothing (and needs no network) when everything is there.
#
#   scripts/install-deps.sh            what building and running the program needs
#   scripts/install-deps.sh --package  that, and what dpkg-buildpackage needs
#   scripts/install-deps.sh --test     everything: also the tests, the
#                                      fuzz targets, the package checks, the
#                                      Windows program and the web page
#   scripts/install-deps.sh --windows  what cross-building the Windows program,
#                                      its MSI and running both under Wine need
#   scripts/install-deps.sh --web      what building the web page needs
#   scripts/install-deps.sh --web-test that, and what testing it under node
#                                      and in browsers needs
#   scripts/install-deps.sh --desktop  the program and the desktops that
#                                      tests/desktop/desktop-check.sh tries it on
set -eu

# Build tools, Qt, its X11 and Wayland platform plugins, its own texts in German
# and a font to draw with;
# Qt's platform interface and the Wayland client library, to hand the keyboard
# back at once when a dialog closes under Wayland.
program="cmake g++ make pkgconf qt6-base-dev qt6-base-private-dev libwayland-dev
qt6-qpa-plugins qt6-wayland fonts-dejavu-core qt6-translations-l10n"
# dpkg-buildpackage and debhelper; dpkg-checkbuilddeps also wants build-essential.
package="build-essential debhelper dpkg-dev file"
# strace holds a save's fsync, so that a test can signal the program mid-save.
checks="libgtest-dev libgmock-dev googletest locales clang libclang-rt-14-dev strace
desktop-file-utils appstream lintian"

# X and Wayland servers, window managers, input and screenshots, the screen reader bus;
# a nested X server whose screen changes size (xrandr), GNOME's compositor.
# The screen reader Orca, speaking through speech-dispatcher with eSpeak NG; Firefox ESR for it to read the page in.
desktop="xvfb openbox fluxbox xdotool x11-utils imagemagick weston at-spi2-core
python3-pyatspi dbus xserver-xephyr x11-xserver-utils mutter
orca speech-dispatcher speech-dispatcher-espeak-ng firefox-esr"

# The mingw-w64 cross compiler, Wine to run the exe and msiexec, wixl for the
# MSI and msitools to read its tables back, osslsigncode and openssl to sign
# both, GoogleTest's source for the cross-built suites, Python to pack the icon;
# an X server, a window manager, input and screenshots for the program under Wine.
windows="g++-mingw-w64-x86-64-posix wine64 wine wixl msitools osslsigncode openssl
googletest xvfb xauth xdotool imagemagick openbox python3"

# Debian's Emscripten (with the acorn its JS optimiser needs) and node for the
# web page, fonttools and brotli to cut its font.
web="cmake make emscripten node-acorn nodejs fonttools python3-brotli fonts-dejavu-core"
# Its tests: GoogleTest's source for the suites under node, a native compiler
# for the number texts they are compared with; Chromium with its WebDriver and
# Firefox ESR with the websocket client Selenium brings, to drive the page.
webtests="googletest g++ chromium chromium-driver python3-selenium firefox-esr"

case "${1:-}" in
    "") packages="$program" ;;
    --package) packages="$program $package" ;;
    --test) packages="$program $package $checks $windows $web $webtests" ;;
    --desktop) packages="$program $desktop" ;;
    --windows) packages="cmake make g++ $windows" ;;
    --web) packages="$web" ;;
    --web-test) packages="$web $webtests" ;;
    *) echo "usage: $0 [--package | --test | --desktop | --windows | --web | --web-test]" >&2; exit 2 ;;
esac

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q
    # shellcheck disable=SC2086
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi

# The locale tests run the program's number formatting under a German desktop locale.
if [ "${1:-}" = --test ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    if ! grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    fi
    $SUDO locale-gen
fi
