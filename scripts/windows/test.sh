#!/usr/bin/env bash
# make windows-test: the whole test suite's Windows build under Wine, headless (offscreen
# platform), then the real window once under Wine on a virtual X display: start-up, the
# parameters confirmed, the go-ahead, Start and a click on the first decision node, read
# back from the event log, and a screenshot to look at.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$here/../.." && pwd)/build/windows"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all

# The prefix is made once; a wineserver that stays up spares every test its start.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX ..."
  "$here/wine-run.sh" wineboot --init
fi
wineserver -p 30
trap 'wineserver -k 2>/dev/null || true' EXIT

ctest --test-dir "$build" --output-on-failure --timeout 180

"$here/window-under-wine.sh"
