#!/usr/bin/env bash
# Builds a static Qt 6.4.2 for 64-bit Windows from Debian's qt6-base source package, once per
# machine. The result is cached outside the build tree (QT_WIN_PREFIX, default
# /var/cache/decisiontree/qt6-win64); a second call finds it and returns at once. An
# interrupted build resumes where it stopped: the source and the build folder are kept in
# QT_WIN_WORK until the install is complete.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
prefix="${QT_WIN_PREFIX:-/var/cache/decisiontree/qt6-win64}"
work="${QT_WIN_WORK:-/var/cache/decisiontree/qt6-win64-work}"

# Print Support came in later (the payment schedule and receipts print): a Qt built
# without it is built again.
if [ -f "$prefix/.complete" ] && [ -f "$prefix/lib/libQt6PrintSupport.a" ]; then
  echo "Static Qt for Windows: $prefix"
  exit 0
fi

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
mkdir -p "$work"
cd "$work"

# The source, through a deb-src list given to these apt calls only.
"$here/fetch-source.sh" "$work" qt6-base 6.4.2+dfsg-10

# Qt 6.4.2's Windows platform plugin calls the dynamic OpenGL loader whenever dynamicgl is
# on, even with OpenGL off; this build has neither. The guard is added to the source (once).
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
  "$work/src/src/plugins/platforms/windows/qwindowswindow.cpp"

mkdir -p "$work/build"
if [ ! -f "$work/build/build.ninja" ]; then
  echo "Configuring static Qt for Windows ..."
  # The build and the installed Qt name their toolchain file: a copy in the work folder
  # stays where they look, whatever becomes of this checkout.
  cp "$here/mingw-toolchain.cmake" "$work/mingw-toolchain.cmake"
  cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$work/mingw-toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
    -DFEATURE_printsupport=ON -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF \
    -DINPUT_openssl=no -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_libb64=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_icu=OFF
fi

# A build configured from a checkout that has gone since names a toolchain file that is no
# longer there, and ninja's check of its own configuration would stop on it: the build is
# pointed at the copy in the work folder instead.
toolchain="$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:FILEPATH=//p' "$work/build/CMakeCache.txt")"
if [ -n "$toolchain" ] && [ ! -f "$toolchain" ]; then
  cp "$here/mingw-toolchain.cmake" "$work/mingw-toolchain.cmake"
  grep -rlF --include='*.cmake' --include='*.ninja' --include=CMakeCache.txt "$toolchain" "$work/build" \
    | xargs -r sed -i "s|$toolchain|$work/mingw-toolchain.cmake|g"
  # Nothing in the configuration changed: the build files stay newer than their inputs.
  touch "$work/mingw-toolchain.cmake" "$work/build/build.ninja"
fi

echo "Building static Qt for Windows (45-55 minutes on 2 cores; rerun to resume) ..."
cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build"
touch "$prefix/.complete"
echo "Static Qt for Windows: $prefix"
