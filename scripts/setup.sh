#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and only those
# that are missing, so a second run costs a dpkg query and nothing more.
set -euo pipefail

packages=(
  cmake ninja-build g++ make
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libxlsxwriter-dev pkg-config unzip
  fonts-liberation
  poppler-utils
  xvfb xauth
  # lupdate and lrelease, and their CMake functions, for the subjects' texts; the fonts
  # of the Chinese translation.
  qt6-l10n-tools qt6-tools-dev fonts-noto-cjk
)
if [ "${1:-}" = "--bench" ]; then
  packages+=(libbenchmark-dev valgrind)
fi
if [ "${1:-}" = "--snippets" ]; then
  # R and pandas, to run docs/analysis.md's snippets on exported tables (TestAnalysisSnippets).
  packages+=(r-base-core python3-pandas python3-matplotlib)
fi
if [ "${1:-}" = "--walk" ]; then
  # The X tools that press the room window's keys and grab the screen (make room-walk).
  packages+=(xdotool imagemagick)
fi
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang-14 libclang-rt-14-dev)
fi
if [ "${1:-}" = "--windows" ]; then
  # The cross-compiler, what fetches and unpacks Debian's qt6-base source, Wine to run the
  # tests, Wine's own fonts (its MS Sans Serif among them, as a Windows PC has one), and
  # the X tools that look at the real window under Wine, and NSIS for the installer.
  packages+=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev debian-archive-keyring
             wine wine64 fonts-wine xdotool imagemagick nsis)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
