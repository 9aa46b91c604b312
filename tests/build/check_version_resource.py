#!/usr/bin/env python3
"""check_version_resource.py <npzrbit.dll> <version>

Reads the plug-in's version resource straight from the file, without running
anything: the fixed part names a DLL of <version>, and the string table a
browser reads to find the plug-in (040904e4) gives the MIME type, the file
extension, the open name and the version."""
import struct
import sys

dll, version = sys.argv[1], sys.argv[2]
data = open(dll, "rb").read()


def rsrc_version_block():
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0", "not a PE file"
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = optional + optional_size
    spans = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def offset(rva):
        for _, address, raw_size, raw in spans:
            if address <= rva < address + raw_size:
                return rva - address + raw
        raise ValueError("address %#x in no section" % rva)

    base = offset(rsrc_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<12xHH", data, base + directory)
        for i in range(named + numbered):
            yield struct.unpack_from("<II", data, base + directory + 16 + 8 * i)

    def first_child(directory, wanted=None):
        for ident, target in entries(directory):
            if wanted is None or ident == wanted:
                return target & 0x7FFFFFFF
        raise ValueError("no version resource")

    leaf = first_child(first_child(first_child(0, 16)))  # RT_VERSION, name, language
    rva, size = struct.unpack_from("<II", data, base + leaf)
    return data[offset(rva):offset(rva) + size]


def parse(block, at=0):
    """One node of the version tree: (key, value bytes, children)."""
    length, value_length, kind = struct.unpack_from("<HHH", block, at)
    end = at + length
    key_end = at + 6
    while block[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = block[at + 6:key_end].decode("utf-16-le")
    pos = (key_end + 2 + 3) & ~3
    size = value_length * 2 if kind == 1 else value_length
    value = block[pos:pos + size]
    pos = (pos + size + 3) & ~3
    children = []
    while pos < end:
        child = parse(block, pos)
        children.append(child[:3])
        pos = (pos + child[3] + 3) & ~3
    return key, value, children, length


faults = []
root_key, fixed, children, _ = parse(rsrc_version_block())
signature, _, ms, ls, _, _, _, _, os_kind, file_type = struct.unpack_from("<10I", fixed)
wanted = [int(part) for part in (version + ".0.0.0").split(".")[:4]]
if root_key != "VS_VERSION_INFO" or signature != 0xFEEF04BD:
    faults.append("no VS_VERSION_INFO with the fixed-part signature")
if [ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF] != wanted:
    faults.append("file version %d.%d.%d.%d, expected %s" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF, version))
if file_type != 2:  # VFT_DLL
    faults.append("file type %d, expected a DLL" % file_type)

strings = {}
for key, _, tables in children:
    if key == "StringFileInfo":
        for table, _, values in tables:
            for name, text, _ in values:
                strings[(table, name)] = text.decode("utf-16-le").rstrip("\0")
expected = {
    "MIMEType": "application/vnd.vantrel-zorbit",
    "FileExtents": "zbx",
    "FileOpenName": "Zorbit Plugin (*.zbx)",
    "FileVersion": ", ".join(str(part) for part in wanted),
}
for name, text in expected.items():
    found = strings.get(("040904e4", name))
    if found != text:
        faults.append("040904e4\\%s is %r, expected %r" % (name, found, text))

for fault in faults:
    print(fault)
print("version resource of %s: %d faults" % (dll, len(faults)))
sys.exit(1 if faults else 0)
