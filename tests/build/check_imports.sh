#!/bin/sh
# check_imports.sh <objdump> <build tree>
# Fails when a .exe or .dll of the build tree imports a DLL that is not part
# of Windows itself (a mingw runtime, libstdc++ or winpthread DLL, say).
objdump=$1
tree=$2
allowed='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|version|msvcrt|shlwapi|uuid|ws2_32|winmm|ntdll|imm32|rpcrt4|ctl3d32)\.dll$'
status=0
count=0
for f in $(find "$tree" -path "$tree/wineprefix" -prune -o -path "$tree/CMakeFiles" -prune -o -path '*prefix*' -prune -o \( -name '*.exe' -o -name '*.dll' \) -type f -print); do
  count=$((count + 1))
  for dll in $($objdump -p "$f" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    lower=$(printf '%s' "$dll" | tr 'A-Z' 'a-z')
    if ! printf '%s\n' "$lower" | grep -Eq "$allowed"; then
      echo "$f imports $dll"
      status=1
    fi
  done
done
if [ "$count" -eq 0 ]; then
  echo "no Windows binaries found under $tree"
  exit 1
fi
echo "$count binaries checked"
exit $status
