#!/usr/bin/env bash
# The real window of decisiontree.exe under Wine, with Windows' own platform plugin, on a
# virtual X display: start-up, Enter confirms the parameters shown over okto.go holding 0,
# then 1 written into it, as the experimenter releases the room, lets Start appear, a click
# on Start and on the first decision node; the event log must hold the Start and d1 records.
# Leaves a screenshot of each of those screens to look at, in each of the window's fonts:
# build/windows/window-under-wine-parameters.png (the parameters), -start.png (Start and
# the greeting) and window-under-wine.png (the first decision node: the message line, the
# notepad and the decision frame).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source_dir="$(cd "$here/../.." && pwd)"
build="$source_dir/build/windows"
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}" WINEDEBUG=-all
unset QT_QPA_PLATFORM
"$here/wine-prefix.sh"

run="$build/window-run"
rm -rf "$run" && mkdir -p "$run/data"
cp "$build/bin/decisiontree.exe" "$run/"
cp "$source_dir/data/btinp.01" "$run/data/"
printf '0\r\n' > "$run/data/okto.go"

# Wine's desktop belongs to its server: one started without this display (by the headless
# tests) would give the window a desktop of Wine's default size, and the window would
# shrink its layout to fit that. So the server is started again with each display.
display=":${DT_XVFB_DISPLAY:-99}"
xvfb=""
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  return 0
}
trap cleanup EXIT
export DISPLAY="$display"
screen() { # WIDTHxHEIGHT: a virtual display of that size, and a Wine server on it
  wineserver -k 2>/dev/null && wineserver -w 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
  Xvfb "$display" -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
}

# The window's fonts as Windows' own font list resolves them, which the offscreen platform
# of the headless tests does not read, and every text of every phase inside its control in
# those fonts, in English and in each translation, on each of the small screens a lab
# may have (built by make windows-test only). DT_PHASE_SCREENSHOTS=FOLDER keeps each
# phase's picture (FOLDER/WIDTHxHEIGHT/).
fonts_test="$build/tests/window/TestScreens.exe"
if [ -f "$fonts_test" ]; then
  for size in 800x600 1024x600 1280x720 1366x768; do
    screen "$size"
    report="$build/window-fonts-$size.txt"
    [ -z "${DT_PHASE_SCREENSHOTS:-}" ] || mkdir -p "$DT_PHASE_SCREENSHOTS/$size"
    if ! (cd "$build" && DT_PHASE_SCREENSHOTS="${DT_PHASE_SCREENSHOTS:+$DT_PHASE_SCREENSHOTS/$size}" \
        "$here/wine-run.sh" "$fonts_test" controlsShowTheFontTheyAskFor everyTextFitsItsControl \
        -o "window-fonts-$size.txt,txt"); then
      grep -v '^QCRITICAL' "$report" >&2
      exit 1
    fi
    echo "The window's fonts resolve, and every text fits, on the windows platform under Wine at $size ($report)."
  done
else
  echo "Not checking the window's fonts: $fonts_test is built by make windows-test."
fi

screen 1280x1024
(cd "$run" && exec "$here/wine-run.sh" decisiontree.exe) &
program=$!
window=""
for _ in $(seq 1 120); do
  window="$(xdotool search --name '^Decision Tree$' 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  sleep 0.5
done
[ -n "$window" ] || { echo "The window did not appear under Wine" >&2; exit 1; }
sleep 2
# The clicks below hit the layout at its natural size: 774 x 534 pt at 96 DPI.
size="$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')"
[ "$size" = 1032x712 ] || { echo "The window under Wine is $size, not 1032x712" >&2; exit 1; }

# Points to pixels at Wine's 96 DPI: 4/3. Start's centre (389.6, 265.1) pt, d1's
# centre (385.9, 414.9) pt, both from the window's client area.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 1; }
shot() { import -display "$display" -window root "$build/window-under-wine$1.png"; }
xdotool windowfocus --sync "$window" 2>/dev/null || true
shot -parameters
xdotool key --window "$window" Return
sleep 1
printf ' 1 \r\n' > "$run/data/okto.go"
sleep 2.5 # the go-ahead poll reads okto.go once a second
shot -start
click 520 354
click 515 553
sleep 1
shot ""

log="$run/data/o199btinp.01"
if ! grep -q ' Start' "$log" 2>/dev/null || ! grep -q ' d1                  0' "$log"; then
  echo "The event log under Wine lacks the Start or the d1 record:" >&2
  cat "$log" >&2 2>/dev/null || echo "(no log $log)" >&2
  exit 1
fi
echo "The real window ran under Wine; its log:"
cat "$log"
echo "Screenshots: $build/window-under-wine{-parameters,-start,}.png"
