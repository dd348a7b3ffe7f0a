#!/usr/bin/env python3
"""Checks the download package made from a dist folder.

    check_package.py DIST MAKE_PACKAGE

Packs DIST twice: both zips have the same bytes, hold exactly Brontal32.exe at
the top and the three read-me documents in ReadMe/ (what the Help window opens
beside the program), with the files' own contents, the fixed date and no Unix
owner or mode. A dist folder that lacks a document gives no zip at all.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

EXPECTED = [
    "Brontal32.exe",
    "ReadMe/",
    "ReadMe/ReadMe_Informacoes-e-consideracoes.pdf",
    "ReadMe/ReadMe_Licenca-de-utilizacao.pdf",
    "ReadMe/ReadMe_Caracteristicas-da-versao.pdf",
]


def main(argv):
    dist, packer = argv[1], argv[2]
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        zips = []
        for i in range(2):
            out = os.path.join(tmp, f"p{i}.zip")
            subprocess.run([sys.executable, packer, dist, out], check=True, stdout=subprocess.DEVNULL)
            zips.append(out)
        first, second = (open(z, "rb").read() for z in zips)
        if first != second:
            failures.append("two packs of the same files differ")
        with zipfile.ZipFile(zips[0]) as z:
            names = z.namelist()
            if names != EXPECTED:
                failures.append(f"entries {names}")
            for info in z.infolist():
                if info.date_time != (2024, 8, 1, 0, 0, 0):
                    failures.append(f"{info.filename}: date {info.date_time}")
                if info.create_system != 0 or info.external_attr >> 16:
                    failures.append(f"{info.filename}: carries a Unix owner or mode")
                if not info.is_dir():
                    with open(os.path.join(dist, info.filename), "rb") as f:
                        if z.read(info) != f.read():
                            failures.append(f"{info.filename}: contents differ from dist")
            if z.testzip() is not None:
                failures.append("a member fails its CRC")

        # Without one document there is nothing to ship.
        partial = os.path.join(tmp, "partial")
        shutil.copytree(dist, partial, ignore=shutil.ignore_patterns("*.zip"))
        os.remove(os.path.join(partial, "ReadMe", "ReadMe_Licenca-de-utilizacao.pdf"))
        out = os.path.join(tmp, "partial.zip")
        run = subprocess.run([sys.executable, packer, partial, out], capture_output=True, text=True)
        if run.returncode == 0 or os.path.exists(out) or os.path.exists(out + ".part"):
            failures.append("a dist without a document still gave a zip")
        elif "ReadMe_Licenca-de-utilizacao.pdf" not in run.stderr:
            failures.append(f"the refusal does not name the missing document: {run.stderr.strip()}")

    for f in failures:
        print("FAIL", f)
    print(f"package checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
