#!/usr/bin/env bash
# make windows-test: the whole test suite's Windows build under Wine, headless (offscreen
# platform), then the real window once under Wine on a virtual X display: start-up, the
# parameters confirmed, the go-ahead, Start and a click on the first decision node, read
# back from the event log, and a screenshot to look at; then a whole session run from the
# room window under Wine (scripts/room-walk.sh), a screenshot of each step, and its
# payment day (payment-under-wine.sh).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$here/../.." && pwd)/build/windows"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all

# The prefix is made once, with a Windows workstation's fonts; a wineserver that stays up
# spares every test its start.
"$here/wine-prefix.sh"
wineserver -p 30 2>/dev/null || true # one may be running already
trap 'wineserver -k 2>/dev/null || true' EXIT
# Wine's own services start with the first program and live on: started here, they do not
# hold ctest's output pipes open (ctest would wait for them forever).
"$here/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1

# decisiontree.exe is a windowed program (no console beside the experiment), treelab.exe
# a console one.
subsystem() { x86_64-w64-mingw32-objdump -p "$build/bin/$1" | awk '/^Subsystem/ {print $2}'; }
[ "$(subsystem decisiontree.exe)" = 00000002 ] || { echo "decisiontree.exe is not a windowed program" >&2; exit 1; }
[ "$(subsystem treelab.exe)" = 00000003 ] || { echo "treelab.exe is not a console program" >&2; exit 1; }
[ "$(subsystem decisiontree-room.exe)" = 00000002 ] || { echo "decisiontree-room.exe is not a windowed program" >&2; exit 1; }

# Liberation Sans for the offscreen platform, whose font list on Windows comes from a folder.
export QT_QPA_FONTDIR=/usr/share/fonts/truetype/liberation
ctest --test-dir "$build" --output-on-failure --timeout 180

"$here/installer-under-wine.sh"
"$here/window-under-wine.sh"
# The whole session from the room window, decisiontree-room.exe, under Wine.
ROOM_WALK_RUN="$here/wine-run.sh" ROOM_WALK_EXE=.exe "$here/../room-walk.sh" "$build"
# Payment day on that room: the schedule and the receipts written under Wine, read back.
"$here/payment-under-wine.sh"
