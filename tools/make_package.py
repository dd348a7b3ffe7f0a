#!/usr/bin/env python3
"""Packs the product for download.

    make_package.py DIST OUTPUT.zip

DIST holds Brontal32.exe and ReadMe/ with the three read-me documents; the zip
gets exactly those files, the program at the top and the documents in ReadMe\\,
as the Help window expects to find them beside the program. Entries carry a
fixed date, fixed permissions and a fixed order, so the same files always give
the same zip.
"""
import os
import sys
import zipfile

FILES = [
    "Brontal32.exe",
    "ReadMe/ReadMe_Informacoes-e-consideracoes.pdf",
    "ReadMe/ReadMe_Licenca-de-utilizacao.pdf",
    "ReadMe/ReadMe_Caracteristicas-da-versao.pdf",
]
# The release date of version 1.0; zip dates have no time zone.
STAMP = (2024, 8, 1, 0, 0, 0)


def entry(name, is_dir=False):
    info = zipfile.ZipInfo(name, date_time=STAMP)
    info.create_system = 0                    # MS-DOS: no owner, no Unix mode
    info.external_attr = 0x10 if is_dir else 0x20   # directory / archive attribute
    info.compress_type = zipfile.ZIP_STORED if is_dir else zipfile.ZIP_DEFLATED
    return info


def main(argv):
    if len(argv) != 3:
        raise SystemExit("usage: make_package.py DIST OUTPUT.zip")
    dist, output = argv[1], argv[2]
    missing = [f for f in FILES if not os.path.isfile(os.path.join(dist, f))]
    if missing:
        raise SystemExit("make_package: missing in %s: %s" % (dist, ", ".join(missing)))
    tmp = output + ".part"
    with zipfile.ZipFile(tmp, "w") as z:
        z.writestr(entry(FILES[0]), open(os.path.join(dist, FILES[0]), "rb").read(), compresslevel=9)
        z.writestr(entry("ReadMe/", is_dir=True), b"")
        for name in FILES[1:]:
            with open(os.path.join(dist, name), "rb") as f:
                z.writestr(entry(name), f.read(), compresslevel=9)
    # A zip is there whole or not at all.
    os.replace(tmp, output)
    print("package: %s" % output)


if __name__ == "__main__":
    main(sys.argv)
