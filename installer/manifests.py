#!/usr/bin/env python3
"""Write the package managers' manifests for the download just built.

Usage: manifests.py VERSION SETUP_EXE PORTABLE_EXE DIST_DIR

winget gets a manifest set for the installer (DIST_DIR/winget), Scoop one for
the portable exe (DIST_DIR/scoop); each names the very file built by its hash.
"""

import hashlib
import json
import os
import sys

PACKAGE = 'Veilpix.Veilpix'
NAME = 'Veilpix'  # also the installer's key in Windows' list of installed programs
PUBLISHER = 'Veilpix developers'
HOMEPAGE = 'https://github.com/veilpix/veilpix'
DESCRIPTION = "Switches Internet Explorer's pictures on and off from the tray."
MANIFEST_VERSION = '1.12.0'


def sha256(path):
    with open(path, 'rb') as f:
        return hashlib.sha256(f.read()).hexdigest()


def yaml(kind, version, body):
    schema = 'https://aka.ms/winget-manifest.%s.%s.schema.json' % (
        kind, MANIFEST_VERSION)
    return ('# yaml-language-server: $schema=%s\n'
            'PackageIdentifier: %s\nPackageVersion: %s\n%s'
            'ManifestType: %s\nManifestVersion: %s\n') % (
                schema, PACKAGE, version, body, kind, MANIFEST_VERSION)


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__.strip().splitlines()[2])
    version, setup, exe, dist = sys.argv[1:]
    url = '%s/releases/download/v%s/' % (HOMEPAGE, version)
    # The installer's own switches: /S silent, /D= the folder (last, unquoted).
    installer = (
        'InstallerType: nullsoft\nScope: user\n'
        'InstallModes:\n- interactive\n- silent\n- silentWithProgress\n'
        'InstallerSwitches:\n  Silent: /S\n  SilentWithProgress: /S\n'
        '  InstallLocation: /D=<INSTALLPATH>\n'
        'UpgradeBehavior: install\n'
        'ProductCode: %s\n'
        'AppsAndFeaturesEntries:\n- DisplayName: %s\n  Publisher: %s\n'
        '  DisplayVersion: "%s"\n'
        'Installers:\n- Architecture: x86\n  InstallerUrl: %s%s\n'
        '  InstallerSha256: %s\n') % (
            NAME, NAME, PUBLISHER, version, url,
            os.path.basename(setup), sha256(setup).upper())
    locale = (
        'PackageLocale: en-US\nPublisher: %s\nPackageName: %s\n'
        'PackageUrl: %s\nLicense: MIT\nLicenseUrl: %s/blob/main/LICENSE\n'
        'ShortDescription: %s\n') % (
            PUBLISHER, NAME, HOMEPAGE, HOMEPAGE, json.dumps(DESCRIPTION))
    files = {
        'winget/%s.yaml' % PACKAGE: yaml(
            'version', version, 'DefaultLocale: en-US\n'),
        'winget/%s.installer.yaml' % PACKAGE: yaml(
            'installer', version, installer),
        'winget/%s.locale.en-US.yaml' % PACKAGE: yaml(
            'defaultLocale', version, locale),
        'scoop/veilpix.json': json.dumps({
            'version': version,
            'description': DESCRIPTION,
            'homepage': HOMEPAGE,
            'license': 'MIT',
            'url': url + os.path.basename(exe),
            'hash': sha256(exe),
            'bin': os.path.basename(exe),
            'shortcuts': [[os.path.basename(exe), NAME]],
        }, indent=4) + '\n',
    }
    for name, text in files.items():
        path = os.path.join(dist, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'w', newline='\n') as f:
            f.write(text)


if __name__ == '__main__':
    main()
