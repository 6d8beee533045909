#!/usr/bin/env bash
# Runs a program of the Windows build under Wine, with a Wine prefix of its own inside
# build/windows and Wine's own messages off: ctest's emulator, and make windows-test's.
here="$(cd "$(dirname "$0")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/../../build/windows/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine="$(command -v wine64 || command -v wine)"
exec "$wine" "$@"
