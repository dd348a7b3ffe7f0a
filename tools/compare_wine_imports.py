#!/usr/bin/env python3
"""Reads the import table of every PE module Debian's Wine packages install
with the program's reader (through pe_imports_dump, built with the host
sanitizers) and sets the libraries it finds against objdump's for each.

    compare_wine_imports.py PE_IMPORTS_DUMP [FOLDER...]

The folders default to Wine's *-windows folders under /usr/lib. Fails (exit 1)
when the reader faults, a module is not read whole, or a list differs from
objdump's; prints how many modules were read and compared. Exit 77 (a skip
for CTest) when there is no Wine to compare with.
"""
import glob
import os
import subprocess
import sys

OBJDUMP = {"i386": "i686-w64-mingw32-objdump", "x86_64": "x86_64-w64-mingw32-objdump"}


def objdump_libraries(objdump, path):
    """The "DLL Name:" lines of objdump's import tables, in order."""
    out = subprocess.run([objdump, "-p", path], capture_output=True, text=True, errors="replace").stdout
    names, inside = [], False
    for line in out.splitlines():
        if line.startswith("The Import Tables"):
            inside = True
        elif inside and line.startswith("There is"):
            break
        elif inside and line.strip().startswith("DLL Name:"):
            names.append(line.split("DLL Name:", 1)[1].strip())
    return names


def main():
    dump = sys.argv[1]
    folders = sys.argv[2:] or sorted(glob.glob("/usr/lib/*/wine/*-windows") + glob.glob("/usr/lib/wine/*-windows"))
    modules = [os.path.join(f, n) for f in folders for n in sorted(os.listdir(f))
               if os.path.isfile(os.path.join(f, n))]
    if not modules:
        print("no Wine modules to read")
        return 77
    problems, read, compared, libraries = [], 0, 0, 0
    for start in range(0, len(modules), 200):
        batch = modules[start:start + 200]
        run = subprocess.run([dump] + batch, capture_output=True, text=True, errors="replace")
        if run.returncode != 0:
            problems.append(f"the reader failed on {batch[0]}...: exit {run.returncode}\n{run.stderr[-2000:]}")
            continue
        for line in run.stdout.splitlines():
            path, status, names = line.split("\t")
            if status != "read":
                problems.append(f"{path}: {status}")
                continue
            read += 1
            width = "x86_64" if "/x86_64-windows/" in path else "i386"
            expected = objdump_libraries(OBJDUMP[width], path)
            mine = names.split(",") if names else []
            compared += 1
            libraries += len(mine)
            if mine != expected:
                problems.append(f"{path}: read {mine}, objdump {expected}")
    for p in problems[:20]:
        print(p)
    print(f"{len(modules)} modules, {read} import tables read, {compared} compared with objdump "
          f"({libraries} library names), {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
