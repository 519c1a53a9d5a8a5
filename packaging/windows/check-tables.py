#!/usr/bin/env python3
"""The installer's tables, read back with msitools, against Windows Installer's
validation rules (ICEs) that apply to a per-machine package with an advertised
shortcut and an uninstall entry, and against what inventory tools read.
Usage: check-tables.py monte-carlo.msi monte-carlo.exe
Prints one line per rule; exits 1 if any fails.

Not checked here: the rules that read the _Validation table, which wixl does
not write (ICE01, ICE03, ICE06, ICE32), and those about features absent from
the package (registry, services, fonts, merge modules, dialogs)."""
import re
import struct
import subprocess
import sys

msi, exe = sys.argv[1], sys.argv[2]


def msiinfo(command, *rest):
    return subprocess.run(['msiinfo', command, msi, *rest], capture_output=True, text=True, check=True).stdout


def table(name):
    """A table's rows as dictionaries; empty if the package has no such table."""
    if name not in msiinfo('tables').split():
        return []
    text = msiinfo('export', name)
    lines = text.split('\r\n') if '\r\n' in text else text.split('\n')
    columns = lines[0].split('\t')
    return [dict(zip(columns, line.split('\t'))) for line in lines[3:] if line]


def exe_version():
    data = open(exe, 'rb').read()
    at = data.index(struct.pack('<I', 0xFEEF04BD))
    ms, ls = struct.unpack_from('<II', data, at + 8)
    return f'{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}'


properties = {row['Property']: row['Value'] for row in table('Property')}
components = {row['Component']: row for row in table('Component')}
files = {row['File']: row for row in table('File')}
directories = {row['Directory']: row for row in table('Directory')}
features = {row['Feature'] for row in table('Feature')}
feature_components = {(row['Feature_'], row['Component_']) for row in table('FeatureComponents')}
shortcuts = table('Shortcut')
upgrades = table('Upgrade')
sequence = {row['Action']: int(row['Sequence']) for row in table('InstallExecuteSequence')}
info = dict(line.split(': ', 1) for line in msiinfo('suminfo').splitlines() if ': ' in line)
guid = re.compile(r'^\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\}$')
# The folders Windows resolves per user: what is installed there needs HKCU key paths and removal entries.
per_user = {'AppDataFolder', 'LocalAppDataFolder', 'PersonalFolder', 'DesktopFolder', 'FavoritesFolder',
            'MyPicturesFolder', 'NetHoodFolder', 'PrintHoodFolder', 'RecentFolder', 'SendToFolder', 'TemplateFolder'}
# Properties that a package must leave to the command line or to Windows Installer (ICE87, ICE40).
reserved = {'ACTION', 'ADDLOCAL', 'ADDSOURCE', 'ADDDEFAULT', 'ADVERTISE', 'COMPADDLOCAL', 'COMPADDSOURCE',
            'FILEADDLOCAL', 'FILEADDSOURCE', 'FILEADDDEFAULT', 'REINSTALL', 'REMOVE', 'REINSTALLMODE'}


def ancestors(directory):
    while directory:
        yield directory
        directory = directories.get(directory, {}).get('Directory_Parent')


def ice():
    """Each rule's violations, by the rule's name."""
    yield 'ICE02 a component\'s key file is its own', [
        c for c, row in components.items() if row['KeyPath'] in files and files[row['KeyPath']]['Component_'] != c]
    ids = [row['ComponentId'] for row in components.values()]
    yield 'ICE08 component GUIDs unique and well-formed', [i for i in ids if ids.count(i) > 1 or not guid.match(i)]
    yield 'ICE09 nothing in SystemFolder unless permanent', [
        c for c, row in components.items()
        if 'SystemFolder' in ancestors(row['Directory_']) and not int(row['Attributes']) & 16]
    yield 'ICE19 advertised shortcuts target a feature and a file key path', [
        s['Shortcut'] for s in shortcuts if s['Target'] in features
        and components[s['Component_']]['KeyPath'] not in files]
    yield 'ICE21 every component in a feature', [
        c for c in components if not any(pair[1] == c for pair in feature_components)]
    version = properties.get('ProductVersion', '')
    parts = version.split('.')
    yield 'ICE24 product code, version and language valid', [
        name for name, ok in [
            ('ProductCode', guid.match(properties.get('ProductCode', ''))),
            ('ProductVersion', 2 <= len(parts) <= 4 and all(p.isdigit() for p in parts)
             and int(parts[0]) <= 255 and int(parts[1]) <= 255 and (len(parts) < 3 or int(parts[2]) <= 65535)),
            ('ProductLanguage', properties.get('ProductLanguage', '').isdigit())] if not ok]
    placed = [(files[f]['Component_'] and components[files[f]['Component_']]['Directory_'],
               files[f]['FileName'].split('|')[-1].lower()) for f in files]
    yield 'ICE30 no file installed twice into one folder', [p for p in placed if placed.count(p) > 1]
    yield 'ICE38 no component in a user\'s profile', [
        c for c, row in components.items() if per_user & set(ancestors(row['Directory_']))]
    yield 'ICE45 no reserved component attribute bits', [
        c for c, row in components.items() if int(row['Attributes']) & ~0x1FFF]
    yield 'ICE50 an advertised shortcut\'s icon named like its key file', [
        s['Shortcut'] for s in shortcuts if s['Target'] in features and s['Icon_']
        and s['Icon_'].rsplit('.', 1)[-1].lower()
        != files[components[s['Component_']]['KeyPath']]['FileName'].split('|')[-1].rsplit('.', 1)[-1].lower()]
    yield 'ICE59 an advertised shortcut\'s feature holds its component', [
        s['Shortcut'] for s in shortcuts if s['Target'] in features
        and (s['Target'], s['Component_']) not in feature_components]
    secure = properties.get('SecureCustomProperties', '').split(';')
    yield 'ICE61 upgrade properties public, secure and upgrade codes well-formed', [
        u['ActionProperty'] for u in upgrades if u['ActionProperty'] not in secure
        or u['ActionProperty'] != u['ActionProperty'].upper() or not guid.match(u['UpgradeCode'])]
    yield 'ICE64 no folder in a user\'s profile', [d for d in directories if per_user & set(ancestors(d)) - {d}]
    yield 'ICE71 one medium that holds every file', [
        m['DiskId'] for m in table('Media')
        if m['DiskId'] == '1' and int(m['LastSequence']) < max(int(f['Sequence']) for f in files.values())] + (
        [] if any(m['DiskId'] == '1' for m in table('Media')) else ['no DiskId 1'])
    x64 = info.get('Template', '').startswith('x64')
    yield 'ICE80 64-bit components in 64-bit folders, and only they', [
        c for c, row in components.items()
        if bool(int(row['Attributes']) & 256) != (x64 and 'ProgramFiles64Folder' in ancestors(row['Directory_']))]
    numbers = list(sequence.values())
    yield 'ICE82 no two actions at one place of the sequence', [
        a for a, n in sequence.items() if numbers.count(n) > 1]
    yield 'ICE87 no property authored that belongs to the command line', [p for p in properties if p in reserved]
    order = ['FindRelatedProducts', 'LaunchConditions', 'CostInitialize', 'FileCost', 'CostFinalize',
             'SetInstallLocation', 'InstallValidate', 'RemoveExistingProducts', 'InstallInitialize',
             'ProcessComponents', 'RemoveShortcuts', 'RemoveFiles', 'InstallFiles', 'CreateShortcuts',
             'RegisterProduct', 'PublishFeatures', 'PublishProduct', 'InstallFinalize']
    at = [sequence[a] for a in order if a in sequence]
    yield 'ICE27 the execute sequence in its order', [a for a, b in zip(at, at[1:]) if b <= a]


def inventory():
    """What inventory and deployment tools read, by what they read."""
    exe_row = next((f for f in files.values() if f['FileName'].split('|')[-1] == 'monte-carlo.exe'), {})
    yield 'the exe\'s file version in the File table', [
        exe_row.get('Version')] if exe_row.get('Version') != exe_version() else []
    yield 'summary for x64 in German', [] if info.get('Template') == 'x64;1031' else [info.get('Template')]
    yield 'product language German', [] if properties.get('ProductLanguage') == '1031' else ['ProductLanguage']
    codepage = msiinfo('export', '_ForceCodepage').split()
    yield 'database code page 1252', [] if codepage[:1] == ['1252'] else codepage[:1]
    yield 'an older version refused with its message', [] if {
        'Condition': 'NOT WIX_DOWNGRADE_DETECTED',
        'Description': 'Eine neuere Version von Monte Carlo ist bereits installiert.'} in table('LaunchCondition') else [
        'no such launch condition']


failed = False
for group in (ice(), inventory()):
    for name, violations in group:
        print(('ok      ' if not violations else 'FAILED  ') + name + ('' if not violations else f': {violations}'))
        failed = failed or bool(violations)
sys.exit(1 if failed else 0)
