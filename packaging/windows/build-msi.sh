#!/bin/sh
# Builds the installer with wixl and writes into its tables what wixl cannot:
# the exe's file version, an upgrade range that takes in a rebuild of the same
# version, the German summary and code page. Signs it when a certificate is given.
# Usage: build-msi.sh out.msi version monte-carlo.exe documents-folder monte-carlo.wxs [certificate.p12]
# Runs in the folder the names are relative to (wixl finds files only so).
set -eu
out="$1" version="$2" exe="$3" documents="$4" source="$5" certificate="${6:-}"
upgrade_code="$(sed -n 's/.*UpgradeCode="\([0-9A-F-]*\)".*/\1/p' "$source")"

wixl --arch x64 -D Version="$version" -D Exe="$exe" -D Help="$documents/Hilfe.html" \
    -D Readme="$documents/README.md" -D Licence="$documents/LICENSE" -o "$out" "$source"

# VS_FIXEDFILEINFO: its signature, then dwFileVersionMS and LS.
file_version="$(python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.index(struct.pack("<I", 0xFEEF04BD))
ms, ls = struct.unpack_from("<II", data, at + 8)
print(f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}")' "$exe")"
# Add or Remove Programs' size, in KiB, where Windows Installer does not cost it itself.
size="$(du -kc "$exe" "$documents/Hilfe.html" "$documents/README.md" "$documents/LICENSE" | tail -1 | cut -f1)"
# Attributes are a key column: the row is replaced. 513 = migrate features, maximum included.
msibuild "$out" \
    -q "UPDATE \`File\` SET \`Version\`='$file_version', \`Language\`='1031' WHERE \`File\`='MonteCarloExe'" \
    -q "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\`='WIX_UPGRADE_DETECTED'" \
    -q "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`)
        VALUES ('{$upgrade_code}', '$version', 513, 'WIX_UPGRADE_DETECTED')" \
    -q "INSERT INTO \`Property\` (\`Property\`, \`Value\`) VALUES ('ARPSIZE', '$size')" \
    -q "UPDATE \`InstallExecuteSequence\` SET \`Sequence\`=1001 WHERE \`Action\`='SetInstallLocation'" \
    -s "Monte-Carlo-Simulation" "Monte-Carlo-Projekt" "x64;1031"
codepage="$(mktemp -d)"
printf '\r\n\r\n1252\t_ForceCodepage\r\n' >"$codepage/_ForceCodepage.idt"
msibuild "$out" -i "$codepage/_ForceCodepage.idt"
rm -r "$codepage"

if [ -n "$certificate" ]; then
    "$(dirname "$0")/sign.sh" "$certificate" "$out"
fi
