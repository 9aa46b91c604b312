#!/bin/sh
# take_screenshots.sh <wine-run> <install.exe> <sheet_driver.exe> <share.dat> <out dir>
# Starts the installer on the X display, goes through the five pages
# with Next and saves each as out/page1.png .. page5.png, cut to the wizard
# window with its title bar.
set -eu
wine_run=$1 installer=$2 driver=$3 licence=$4 out=$5
: "${DISPLAY:?needs an X display (run through scripts/wine-ctest)}"
mkdir -p "$out"
rm -f "$out"/page*.png
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$licence" "$work/share.dat"
cp "$installer" "$work/install.exe"
cd "$work"
# Without a window manager Wine draws the title bar itself only when told
# to; the setting lives in this tree's own prefix and goes again at the end.
x11_key='HKCU\Software\Wine\X11 Driver'
"$wine_run" reg add "$x11_key" /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
trap '"$wine_run" reg delete "$x11_key" /v Decorated /f >/dev/null 2>&1 </dev/null; rm -rf "$work"' EXIT
"$wine_run" install.exe >/dev/null 2>&1 </dev/null &
app=$!
"$wine_run" "$driver" wait
sleep 2
for page in 1 2 3 4 5; do
  set -- $("$wine_run" "$driver" rect | tr -d '\r')
  import -window root -crop "${3}x${4}+${1}+${2}" +repage "$out/page$page.png"
  [ $page -lt 5 ] && { "$wine_run" "$driver" next; sleep 2; }
done
"$wine_run" "$driver" cancel
wait $app
for page in 1 2 3 4 5; do
  test -s "$out/page$page.png"
done
echo "screenshots in $out"
