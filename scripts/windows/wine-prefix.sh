#!/usr/bin/env bash
# Makes the Wine prefix of the Windows build's tests (build/windows/wineprefix) once, with
# the fonts a Windows workstation has:
# - Wine's own fonts (Debian's fonts-wine) in C:\windows\Fonts. Debian's Wine does not find
#   them where the package puts them; without them MS Sans Serif, Tahoma and the rest are
#   missing and Windows programs fall back to the first family on the list, a serif one.
#   With them MS Sans Serif is the raster font of a few sizes without bold, as on Windows.
# - "Microsoft Sans Serif", the TrueType sans serif the window asks for on Windows, and
#   "Arial", which the schedule and the receipts ask for, both lacking in Wine: Liberation
#   Sans stands in for them under those names (Wine font replacements), as it does on Linux.
# - Font smoothing on (ClearType), as Windows has it out of the box. Wine's default,
#   smoothing off, drops whole glyphs of Liberation Sans at 8.25 pt ("I" and "!").
# - The Chinese fonts of a Windows workstation, "Microsoft YaHei" (sans serif) and
#   "SimSun" (serif), where Qt looks for the characters its family lacks: Noto Sans and
#   Noto Serif CJK SC (Debian's fonts-noto-cjk) stand in for them under those names.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$(cd "$here/../.." && pwd)/build/windows/wineprefix}"
export WINEDEBUG=-all
stamp="$WINEPREFIX/.decisiontree-fonts-3"
[ -f "$stamp" ] && exit 0

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX ..."
  "$here/wine-run.sh" wineboot --init
fi
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts/"
cp /usr/share/fonts/opentype/noto/NotoSansCJK-*.ttc /usr/share/fonts/opentype/noto/NotoSerifCJK-*.ttc "$fonts/"
"$here/wine-run.sh" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
  /v 'Microsoft Sans Serif' /t REG_SZ /d 'Liberation Sans' /f >/dev/null
"$here/wine-run.sh" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
  /v 'Arial' /t REG_SZ /d 'Liberation Sans' /f >/dev/null
"$here/wine-run.sh" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
  /v 'Microsoft YaHei' /t REG_SZ /d 'Noto Sans CJK SC' /f >/dev/null
"$here/wine-run.sh" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
  /v 'SimSun' /t REG_SZ /d 'Noto Serif CJK SC' /f >/dev/null
desktop='HKCU\Control Panel\Desktop'
"$here/wine-run.sh" reg add "$desktop" /v FontSmoothing /t REG_SZ /d 2 /f >/dev/null
"$here/wine-run.sh" reg add "$desktop" /v FontSmoothingType /t REG_DWORD /d 2 /f >/dev/null
wineserver -w # the registry is on disk when the server has gone
touch "$stamp"
