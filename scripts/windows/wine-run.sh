#!/usr/bin/env bash
# Runs a program of the Windows build under Wine, with a Wine prefix of its own inside
# build/windows and Wine's own messages off: ctest's emulator, and make windows-test's.
here="$(cd "$(dirname "$0")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/../../build/windows/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# Wine keeps the Unix QT_* variables from Windows programs (they are meant for Qt on
# Linux) and hands WINEQT_* on as QT_* instead: ctest's QT_QPA_PLATFORM=offscreen and
# the font folder reach the programs that way.
for name in $(compgen -e); do
  case "$name" in QT_*) export "WINE$name=${!name}" ;; esac
done
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine="$(command -v wine64 || command -v wine)"
exec "$wine" "$@"
