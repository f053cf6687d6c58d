"""Checks the manifests scripts/release wrote into a dist folder: each
parses, carries the fields its format requires, and names each zip of the
folder with its SHA-256.

    python3 scripts/lib/check-manifests.py DIST
"""
import hashlib
import json
import os
import sys

import yaml


def fail(why):
    sys.exit("check-manifests: " + why)


def main(dist):
    sums = {name: hashlib.sha256(open(os.path.join(dist, name), "rb").read()).hexdigest()
            for name in os.listdir(dist) if name.endswith(".zip")}
    if len(sums) != 2:
        fail("expected two zips in %s, found %d" % (dist, len(sums)))
    winget = {}
    for name in os.listdir(os.path.join(dist, "winget")):
        winget[name] = yaml.safe_load(open(os.path.join(dist, "winget", name), encoding="utf-8"))
    by_type = {doc.get("ManifestType"): doc for doc in winget.values()}
    required = {
        "version": ("PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestVersion"),
        "installer": ("PackageIdentifier", "PackageVersion", "InstallerType", "NestedInstallerType",
                      "NestedInstallerFiles", "Installers", "ManifestVersion"),
        "defaultLocale": ("PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
                          "License", "ShortDescription", "ManifestVersion"),
    }
    for kind, fields in required.items():
        doc = by_type.get(kind) or fail("no winget %s manifest" % kind)
        missing = [f for f in fields if not doc.get(f)]
        if missing:
            fail("the winget %s manifest lacks %s" % (kind, ", ".join(missing)))
    if len({(d["PackageIdentifier"], str(d["PackageVersion"])) for d in by_type.values()}) != 1:
        fail("the winget manifests name different packages or versions")
    installer = by_type["installer"]
    if (installer["InstallerType"], installer["NestedInstallerType"]) != ("zip", "portable") or \
            installer["NestedInstallerFiles"][0]["RelativeFilePath"] != "Sarvell.exe":
        fail("the winget installer is not a zip holding a portable Sarvell.exe")
    named = {i["Architecture"]: (os.path.basename(i["InstallerUrl"]), i["InstallerSha256"].lower())
             for i in installer["Installers"]}
    scoop = json.load(open(os.path.join(dist, "scoop", "sarvell.json"), encoding="utf-8"))
    for field in ("version", "homepage", "license", "architecture", "bin"):
        scoop.get(field) or fail("the scoop manifest lacks %s" % field)
    arch = scoop["architecture"]
    named_scoop = {"x64": arch["64bit"], "x86": arch["32bit"]}
    for name, digest in sums.items():
        wanted = "x64" if name.endswith("-win64.zip") else "x86"
        if named.get(wanted) != (name, digest):
            fail("the winget installer names %s for %s, not %s with its SHA-256" % (named.get(wanted), wanted, name))
        entry = named_scoop[wanted]
        if (os.path.basename(entry["url"]), entry["hash"]) != (name, digest):
            fail("the scoop manifest names %s for %s, not %s with its SHA-256" % (entry, wanted, name))
    print("check-manifests: winget and scoop manifests name both zips with their SHA-256")


if __name__ == "__main__":
    main(sys.argv[1])
