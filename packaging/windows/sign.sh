#!/bin/sh
# Signs a Windows exe or MSI in place with osslsigncode (SHA-256).
# Usage: sign.sh certificate.p12 file...
# The PKCS#12 file's password, if it has one, comes from $MC_SIGN_PASSWORD_FILE;
# a time stamp from $MC_SIGN_TIMESTAMP (an RFC 3161 server's URL), if set.
set -eu
certificate="$1"
shift
for file in "$@"; do
    osslsigncode sign -pkcs12 "$certificate" ${MC_SIGN_PASSWORD_FILE:+-readpass "$MC_SIGN_PASSWORD_FILE"} \
        -h sha256 -n "Monte Carlo" ${MC_SIGN_TIMESTAMP:+-ts "$MC_SIGN_TIMESTAMP"} \
        -in "$file" -out "$file.signed" >/dev/null
    mv "$file.signed" "$file"
done
