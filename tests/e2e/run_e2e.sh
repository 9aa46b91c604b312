#!/usr/bin/env bash
# run_e2e.sh <work folder> <product directory> <browser.exe> <driver.exe> [driver args]
# run_e2e.sh <work folder> <product directory> <browser.exe> --interactive
# Makes a fresh Wine prefix in <work folder>, lays out an Internet Explorer
# folder whose iexplore.exe is our host, copies the product directory into
# C:\Downloads\Zorbit and runs the driver there. Screenshots the driver
# takes land in <work folder>/shots as PNG. With --interactive it starts
# install.exe on the current display for a person to click through.
# The build tree's wine-bin must be first on PATH (ctest puts it there), so
# that the prefix is of the tree's kind, 32- or 64-bit.
set -euo pipefail
work=$1; product=$2; browser=$3; driver=$4; shift 4

rm -rf "$work"
mkdir -p "$work/shots"
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The prefix's Desktop and Documents are links to HOME: keep them in the work folder.
export HOME="$work/home"
mkdir -p "$HOME"
wineboot --init >/dev/null 2>"$work/wineboot.log" </dev/null
grep '^wineboot: ' "$work/wineboot.log" >&2 || true
# A Wine desktop of its own draws title bars and frames, as the user sees
# them, with no window manager on the X server. It takes effect when Wine
# starts afresh.
if [ "$driver" != --interactive ]; then
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 </dev/null
fi
wineserver -k >/dev/null 2>&1 || true
wineserver -w
wineserver -p >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

c="$WINEPREFIX/drive_c"
iedir="$c/Program Files/Internet Explorer"
mkdir -p "$iedir/Plugins" "$c/Downloads" "$c/e2e"
cp "$browser" "$iedir/iexplore.exe"
cp -r "$product" "$c/Downloads/Zorbit"
# A second copy that the prefix sees as the root of drive R:.
cp -r "$product" "$c/Root"
ln -sfn ../drive_c/Root "$WINEPREFIX/dosdevices/r:"
[ "$driver" = --interactive ] || cp "$driver" "$c/e2e/driver.exe"

wine reg add 'HKLM\Software\Microsoft\IE Setup\SETUP' /v Path /d 'C:\Program Files\Internet Explorer' /f >/dev/null 2>&1 </dev/null

export ZORBIT_E2E_PRODUCT='C:\Downloads\Zorbit'
export ZORBIT_E2E_ROOT_PRODUCT='R:\'
export ZORBIT_E2E_BROWSER_DIR='C:\Program Files\Internet Explorer'
export ZORBIT_E2E_SHOTS='C:\e2e\shots'
export ZORBIT_BROWSER_LOG='C:\e2e\browser.log'
mkdir -p "$c/e2e/shots"

if [ "$driver" = --interactive ]; then
  echo "install.exe runs on $DISPLAY; the browser it starts at Finish logs to $work/browser.log"
  (cd "$c/Downloads/Zorbit" && wine install.exe </dev/null) || true
  # The browser the installer started stays until it is closed.
  sleep 2
  while pgrep -f 'iexplore.exe' >/dev/null; do sleep 1; done
  cp "$c/e2e/browser.log" "$work/browser.log" 2>/dev/null || true
  exit 0
fi

status=0
(cd "$c/e2e" && wine driver.exe --gtest_color=no "$@" </dev/null) || status=$?

for bmp in "$c/e2e/shots"/*.bmp; do
  [ -f "$bmp" ] || continue
  name=$(basename "$bmp" .bmp)
  convert "$bmp" "$work/shots/$name.png" 2>/dev/null || cp "$bmp" "$work/shots/"
done
if [ -f "$c/e2e/browser.log" ]; then
  cp "$c/e2e/browser.log" "$work/browser.log"
fi
exit $status
