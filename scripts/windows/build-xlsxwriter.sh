#!/usr/bin/env bash
# Builds a static libxlsxwriter for 64-bit Windows from Debian's libxlsxwriter source
# package, once per machine, so that treelab.exe writes --xlsx workbooks as on Linux. It
# links Debian's MinGW zlib (libz-mingw-w64-dev). Cached outside the build tree
# (XLSX_WIN_PREFIX, default /var/cache/decisiontree/xlsxwriter-win64); a second call finds
# it and returns at once.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
prefix="${XLSX_WIN_PREFIX:-/var/cache/decisiontree/xlsxwriter-win64}"
work="${XLSX_WIN_WORK:-/var/cache/decisiontree/xlsxwriter-win64-work}"

if [ -f "$prefix/.complete" ]; then
  echo "Static libxlsxwriter for Windows: $prefix"
  exit 0
fi

mkdir -p "$work"
# The source, through a deb-src list given to these apt calls only.
"$here/fetch-source.sh" "$work" libxlsxwriter

cmake -S "$work/src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/mingw-toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
  -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
cmake --build "$work/build"
cmake --install "$work/build" >/dev/null
touch "$prefix/.complete"
echo "Static libxlsxwriter for Windows: $prefix"
