#!/bin/sh
# zbcheck_cli_test.sh <zbcheck> <source tree>
# The checker's command line: output form, --menus, and exit status 0/1/2.
zbcheck=$1
product=$2/product
scratch=$(mktemp -d) || exit 1
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out=$("$zbcheck" "$product/BatchBM.htm" "$product/TempBM.htm" "$product/Template.htm" "$product/Sample.htm"); status=$?
[ $status -eq 0 ] || fail "product pages: exit $status"
[ -z "$out" ] || fail "product pages: output $out"

printf '<embed>\r\nTITLE "A"\r\nMENUITEM "Nothing here"\r\n' >"$scratch/bad.htm"
out=$("$zbcheck" "$scratch/bad.htm" "$product/TempBM.htm"); status=$?
[ $status -eq 1 ] || fail "one problem: exit $status"
case "$out" in "$scratch/bad.htm:3: warning: "*) ;; *) fail "one problem: output $out" ;; esac
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || fail "one problem: more than one line: $out"

out=$("$zbcheck" "$scratch/missing.htm" "$scratch/bad.htm" 2>"$scratch/err"); status=$?
[ $status -eq 2 ] || fail "missing file: exit $status"
grep -q "missing.htm" "$scratch/err" || fail "missing file: nothing on standard error"
case "$out" in *"bad.htm:3: warning: "*) ;; *) fail "missing file: the other file was not checked: $out" ;; esac

out=$("$zbcheck" --menus "$product/TempBM.htm"); status=$?
[ $status -eq 0 ] || fail "--menus: exit $status"
printf '%s\n' "$out" | grep -q '^  \[3001\] Zorbit start page  BatchBM.htm$' || fail "--menus: no item 3001: $out"

printf '<embed>\nMENUITEM "Early;e.htm"\nTITLE "A"\n' >"$scratch/early.htm"
out=$("$zbcheck" --menus "$scratch/early.htm")
printf '%s\n' "$out" | grep -q 'Early.*never shown' || fail "--menus: hidden entry not marked: $out"

[ $failures -eq 0 ] && echo "zbcheck command line: all checks passed"
exit $failures
