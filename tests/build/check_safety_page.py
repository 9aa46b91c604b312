#!/usr/bin/env python3
"""Every test the safety page names as `Suite.Name` exists in tests/."""
import pathlib
import re
import sys

top = pathlib.Path(sys.argv[1])
page = (top / "docs" / "safety.md").read_text()
named = set(re.findall(r"`([A-Z]\w*)\.([A-Z]\w*)`", page))
defined = set()
for source in (top / "tests").rglob("*.cpp"):
    for suite, name in re.findall(r"\bTEST(?:_F|_P)?\(\s*(\w+)\s*,\s*(\w+)\s*\)", source.read_text(errors="replace")):
        defined.add((suite, name))
missing = sorted(f"{s}.{n}" for s, n in named - defined)
for m in missing:
    print(f"docs/safety.md names {m}, which no test defines")
if not named:
    print("docs/safety.md names no test")
print(f"{len(named)} named, {len(missing)} missing")
sys.exit(1 if missing or not named else 0)
