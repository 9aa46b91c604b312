#!/usr/bin/env python3
"""check_release_archive.py <archive> <product directory>

The release archive unpacks to one folder "Zorbit" that holds exactly the
product directory's files, byte for byte, and nothing else."""
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

if not expected:
    faults.append("the product directory is empty: " + product)
for fault in faults:
    print(fault)
print("%d files checked, %d faults" % (len(expected), len(faults)))
sys.exit(1 if faults else 0)
