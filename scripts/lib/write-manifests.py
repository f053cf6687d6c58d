"""Writes the package managers' manifests for the zips in a dist folder:

    python3 scripts/lib/write-manifests.py DIST VERSION DOWNLOAD_URL

  DIST/winget/  the Windows Package Manager's version, installer and
                default-locale manifests (schema 1.6.0): a zip holding a
                portable Sarvell.exe, for x64 and x86, with its SHA-256
  DIST/scoop/sarvell.json  the same for Scoop

The download addresses are DOWNLOAD_URL followed by the zip's name. The
output depends only on the arguments and the zips, so a rebuild writes the
same bytes.
"""
import hashlib
import json
import os
import sys

IDENTIFIER = "Dunmere.Sarvell"
MANIFEST_VERSION = "1.6.0"
DESCRIPTION = "Control what are valid and invalid for Outlook"
LONG_DESCRIPTION = ("Shows which e-mail attachment types classic Microsoft Outlook blocks, and lets you mark "
                    "a blocked type safe, block it again, or block a type of your own.")
HOMEPAGE = "https://www.example.com"
LICENSE = "Freeware"
ARCHITECTURES = (("x64", "64bit", "win64"), ("x86", "32bit", "win32"))


def sha256(path):
    return hashlib.sha256(open(path, "rb").read()).hexdigest()


def main(dist, version, url):
    url = url.rstrip("/")
    zips = {arch: "Sarvell-%s-%s.zip" % (version, suffix) for arch, _, suffix in ARCHITECTURES}
    sums = {arch: sha256(os.path.join(dist, name)) for arch, name in zips.items()}
    head = "PackageIdentifier: %s\nPackageVersion: %s\n" % (IDENTIFIER, version)
    tail = "ManifestVersion: %s\n" % MANIFEST_VERSION
    schema = "# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.%s.schema.json\n"
    installers = "".join("- Architecture: %s\n  InstallerUrl: %s/%s\n  InstallerSha256: %s\n"
                         % (arch, url, zips[arch], sums[arch].upper()) for arch, _, _ in ARCHITECTURES)
    files = {
        IDENTIFIER + ".yaml": schema % ("version", MANIFEST_VERSION) + head +
        "DefaultLocale: en-US\nManifestType: version\n" + tail,
        IDENTIFIER + ".installer.yaml": schema % ("installer", MANIFEST_VERSION) + head +
        "InstallerType: zip\nNestedInstallerType: portable\nNestedInstallerFiles:\n"
        "- RelativeFilePath: Sarvell.exe\n  PortableCommandAlias: sarvell\nInstallers:\n" + installers +
        "ManifestType: installer\n" + tail,
        IDENTIFIER + ".locale.en-US.yaml": schema % ("defaultLocale", MANIFEST_VERSION) + head +
        "PackageLocale: en-US\nPublisher: Dunmere\nPackageName: Sarvell\nPackageUrl: %s\nLicense: %s\n"
        "ShortDescription: %s\nDescription: %s\nManifestType: defaultLocale\n"
        % (HOMEPAGE, LICENSE, DESCRIPTION, LONG_DESCRIPTION) + tail,
    }
    os.makedirs(os.path.join(dist, "winget"), exist_ok=True)
    for name, text in files.items():
        open(os.path.join(dist, "winget", name), "w", encoding="utf-8", newline="\n").write(text)
    scoop = {
        "version": version,
        "description": DESCRIPTION,
        "homepage": HOMEPAGE,
        "license": LICENSE,
        "architecture": {key: {"url": "%s/%s" % (url, zips[arch]), "hash": sums[arch]} for arch, key, _ in ARCHITECTURES},
        "bin": "Sarvell.exe",
        "shortcuts": [["Sarvell.exe", "Sarvell"]],
    }
    os.makedirs(os.path.join(dist, "scoop"), exist_ok=True)
    with open(os.path.join(dist, "scoop", "sarvell.json"), "w", encoding="utf-8", newline="\n") as out:
        json.dump(scoop, out, indent=4)
        out.write("\n")


if __name__ == "__main__":
    main(*sys.argv[1:4])
