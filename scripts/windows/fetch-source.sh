#!/usr/bin/env bash
# fetch-source.sh WORK PACKAGE [VERSION]: unpacks Debian's source package PACKAGE (at
# VERSION when that is still served, else the current one) into WORK/src, through a
# deb-src list given to these apt calls only; the machine's own apt lists are untouched.
# Does nothing when WORK/src is there already.
set -euo pipefail
work="$1" package="$2" version="${3:-}"
[ -d "$work/src" ] && exit 0
lists="$work/apt-lists"
mkdir -p "$lists/partial"
cat > "$work/deb-src.sources" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
aptopts=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts=/dev/null
         -o Dir::Etc::sourcelist="$work/deb-src.sources" -o Dir::State::Lists="$lists")
echo "Fetching Debian's $package source ..."
apt-get "${aptopts[@]}" update -qq
rm -rf "$work/fetch" && mkdir -p "$work/fetch"
cd "$work/fetch"
if [ -z "$version" ] || ! apt-get "${aptopts[@]}" source --download-only "$package=$version"; then
  apt-get "${aptopts[@]}" source --download-only "$package"
fi
dpkg-source --no-check -x ./*.dsc unpacked >/dev/null
mv "$work/fetch/unpacked" "$work/src"
rm -rf "$work/fetch"
