#!/bin/sh
# Installs the Debian 12 packages the build, the program and the tests need.
# Idempotent: does nothing (and needs no network) when everything is there.
set -eu

packages="cmake g++ make pkgconf qt6-base-dev qt6-base-private-dev libwayland-dev libgl-dev fontconfig fonts-dejavu-core
libgtest-dev libgmock-dev googletest libbenchmark-dev locales clang libclang-rt-14-dev
desktop-file-utils appstream dpkg-dev file"

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
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    if ! grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    fi
    $SUDO locale-gen
fi
