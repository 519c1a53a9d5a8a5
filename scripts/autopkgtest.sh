#!/bin/sh
# Builds the Debian package in a throw-away Debian 12 chroot that holds only build-essential and the
# Build-Depends (so a missing one fails the build, and the tests run at build time without anything
# else of this machine), then runs its autopkgtests on that package in a second, minimal chroot. Needs
# root, a Debian mirror and several minutes; not part of the test command. Everything lives in a
# temporary folder that is removed at the end.
#
#   sudo scripts/autopkgtest.sh
set -eu
cd "$(dirname "$0")/.."
[ $# -eq 0 ] || { echo "usage: $0" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "$0: needs root (mmdebstrap's chroots)" >&2; exit 2; }
./scripts/install-deps.sh --package
for tool in mmdebstrap autopkgtest; do
    command -v $tool >/dev/null || { echo "$0: needs $tool (apt-get install $tool)" >&2; exit 2; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/src" "$scratch/out"
git ls-files -z | tar --null -T - -cf - | tar -xf - -C "$scratch/src"
tar -cf "$scratch/src.tar" -C "$scratch/src" .

echo "== dpkg-buildpackage in a chroot with only the Build-Depends"
mmdebstrap --variant=buildd bookworm /dev/null --customize-hook='mkdir -p "$1/build/src"' \
    --customize-hook='tar-in '"$scratch/src.tar"' /build/src' \
    --customize-hook='chroot "$1" sh -ec "cd /build/src; apt-get build-dep -y -q ./; mkdir /out
        DEB_BUILD_OPTIONS=parallel=$(nproc) dpkg-buildpackage -us -uc -b >/out/build.log 2>&1 || { tail -n 60 /out/build.log; exit 1; }
        mv ../*.deb /out"' \
    --customize-hook='sync-out /out '"$scratch/out"
grep -E '^(100% tests passed|[0-9]+% tests passed, [0-9]+ tests failed)' "$scratch/out/build.log"

# autopkgtest's chroot runner, /proc mounted in a mount namespace of its own so that it goes with it
# (the unshare runner would want root's subordinate IDs in /etc/subuid).
echo "== autopkgtest in a minimal chroot"
mmdebstrap --variant=apt bookworm "$scratch/testbed"
unshare --mount --propagation private sh -ec 'mount -t proc proc "$1/testbed/proc"
    autopkgtest -U "$1"/out/monte-carlo_*.deb "$1/src/" -- chroot "$1/testbed"' sh "$scratch"
