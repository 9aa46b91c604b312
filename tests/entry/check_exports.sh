#!/bin/sh
# check_exports.sh <objdump> <dll>
# Fails unless the DLL's export table holds exactly NP_GetEntryPoints,
# NP_Initialize and NP_Shutdown, by name, with ordinals 1, 2 and 3.
objdump=$1
dll=$2
dump=$($objdump -p "$dll") || { echo "cannot read $dll"; exit 1; }
base=$(printf '%s\n' "$dump" | sed -n 's/^Export Address Table -- Ordinal Base \([0-9]*\).*/\1/p')
if [ -z "$base" ]; then
  echo "$dll has no export table"
  exit 1
fi
addresses=$(printf '%s\n' "$dump" | sed -n '/^Export Address Table -- Ordinal Base/,/^$/p' | grep -c 'Export RVA')
# Lines of the name table read "[ <ordinal - base> ] <name>".
names=$(printf '%s\n' "$dump" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' \
  | sed -n 's/^[[:space:]]*\[[[:space:]]*\([0-9]*\)\][[:space:]]*\(.*\)$/\1 \2/p' \
  | while read -r index name; do echo "$((index + base)) $name"; done)
expected='1 NP_GetEntryPoints
2 NP_Initialize
3 NP_Shutdown'
status=0
if [ "$names" != "$expected" ]; then
  echo "exports of $dll:"
  printf '%s\n' "$names"
  echo "expected:"
  printf '%s\n' "$expected"
  status=1
fi
if [ "$addresses" -ne 3 ]; then
  echo "$dll has $addresses exported addresses, expected 3"
  status=1
fi
[ $status -eq 0 ] && echo "exports of $dll: $(printf '%s' "$names" | tr '\n' ',')"
exit $status
