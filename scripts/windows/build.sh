#!/usr/bin/env bash
# Cross-compiles decisiontree.exe, treelab.exe and decisiontree-room.exe for 64-bit Windows
# against the static Qt that build-qt.sh made, and packs
# build/windows/DecisionTree-<version>-win64.zip and the installer
# DecisionTree-<version>-win64.exe.
# With --tests it builds the whole test suite as well (make windows-test).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source_dir="$(cd "$here/../.." && pwd)"
build="$source_dir/build/windows"
qt="${QT_WIN_PREFIX:-/var/cache/decisiontree/qt6-win64}"
xlsx="${XLSX_WIN_PREFIX:-/var/cache/decisiontree/xlsxwriter-win64}"

if [ ! -f "$qt/.complete" ]; then
  echo "The static Qt for Windows is not complete in $qt: run scripts/windows/build-qt.sh" >&2
  exit 1
fi
if [ ! -f "$build/build.ninja" ]; then
  # The Qt install names the toolchain file it was built with; this checkout's copy is
  # the one to use, wherever that was.
  "$qt/bin/qt-cmake" -S "$source_dir" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/mingw-toolchain.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$here/wine-run.sh" \
    -DXLSXWRITER_INCLUDE_DIR="$xlsx/include" -DXLSXWRITER_LIBRARY="$xlsx/lib/libxlsxwriter.a" \
    -DXLSXWRITER_ZLIB=/usr/x86_64-w64-mingw32/lib/libz.a
fi
if [ "${1:-}" = "--tests" ]; then
  cmake --build "$build"
else
  cmake --build "$build" --target decisiontree treelab decisiontree-room translations_lrelease
fi
(cd "$build" && cpack -G ZIP -C Release >/dev/null && cpack -G NSIS -C Release >/dev/null)
for package in "$build"/DecisionTree-*-win64.{zip,exe}; do
  echo "Windows package: $package ($(du -h "$package" | cut -f1))"
done
