#!/usr/bin/env python3
"""check_release_archive.py <archive> <product directory> [<symbols archive>]

The release archive unpacks to one folder "Zorbit" that holds exactly the
product directory's files, byte for byte, and nothing else. Its programs
carry no debug information: that is in the symbols archive beside it, one
NAME.debug for each program."""
import os
import sys
import zipfile

archive, product = sys.argv[1], sys.argv[2]
faults = []

expected = {}
for folder, _, names in os.walk(product):
    for name in names:
        path = os.path.join(folder, name)
        expected["Zorbit/" + os.path.relpath(path, product).replace(os.sep, "/")] = path

with zipfile.ZipFile(archive) as packed:
    found = {}
    for entry in packed.infolist():
        if not entry.filename.startswith("Zorbit/"):
            faults.append("outside the folder Zorbit: " + entry.filename)
        if not entry.is_dir():
            found[entry.filename] = entry
    for name in sorted(set(expected) - set(found)):
        faults.append("missing from the archive: " + name)
    for name in sorted(set(found) - set(expected)):
        faults.append("not in the product directory: " + name)
    for name in sorted(set(found) & set(expected)):
        with open(expected[name], "rb") as original:
            if packed.read(name) != original.read():
                faults.append("differs from the product directory: " + name)

programs = [name for name in expected if name.lower().endswith((".exe", ".dll"))]
for name in programs:
    with open(expected[name], "rb") as program:
        if b".debug_info" in program.read():
            faults.append("carries debug information: " + name)
if len(sys.argv) > 3:
    with zipfile.ZipFile(sys.argv[3]) as symbols:
        held = {os.path.basename(entry.filename): entry.filename for entry in symbols.infolist()}
        for name in programs:
            debug = os.path.basename(name) + ".debug"
            if debug not in held:
                faults.append("no symbols for " + name)
            elif b".debug_info" not in symbols.read(held[debug]):
                faults.append("symbols without debug information: " + debug)

if not expected:
    faults.append("the product directory is empty: " + product)
for fault in faults:
    print(fault)
print("%d files checked, %d faults" % (len(expected), len(faults)))
sys.exit(1 if faults else 0)
