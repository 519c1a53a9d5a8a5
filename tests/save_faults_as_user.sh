#!/bin/sh
# Runs one save-fault case as an unprivileged user, because folder permissions do
# not stop root. Usage: save_faults_as_user.sh TEST_BINARY GTEST_FILTER
# Exit code 77 (skipped) when no unprivileged user can be had.
binary=$1
filter=$2
if [ "$(id -u)" != 0 ]; then
    exec "$binary" --gtest_filter="$filter"
fi
nobody="setpriv --reuid=65534 --regid=65534 --clear-groups"
if ! command -v setpriv >/dev/null 2>&1; then
    echo "SKIPPED: running as root and setpriv is missing, so no unprivileged user to test with"
    exit 77
fi
if ! $nobody test -x "$binary"; then
    echo "SKIPPED: user nobody (65534) cannot run $binary"
    exit 77
fi
# nobody has no home; Qt and fontconfig want somewhere to write.
exec $nobody env HOME=/tmp XDG_RUNTIME_DIR= "$binary" --gtest_filter="$filter"
