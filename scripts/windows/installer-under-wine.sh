#!/usr/bin/env bash
# The installer under Wine, silent: into a folder of the lab's choosing, then again over a
# payoff file and okto.go the lab has changed, which it keeps while it replaces the
# programs; the uninstaller leaves the event logs.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$here/../.." && pwd)/build/windows"
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}" WINEDEBUG=-all
installer="$(ls "$build"/DecisionTree-*-win64.exe)"
folder="$WINEPREFIX/drive_c/LabInstall"
fail() { echo "Installer under Wine: $*" >&2; exit 1; }
rm -rf "$folder"

"$here/wine-run.sh" "$installer" /S '/D=C:\LabInstall' </dev/null
[ -f "$folder/decisiontree.exe" ] && [ -f "$folder/treelab.exe" ] || fail "no programs in $folder"
cmp -s "$folder/data/btinp.01" "$here/../../data/btinp.01" || fail "no sample payoff file"

printf 'the lab'"'"'s own\r\n' > "$folder/data/btinp.01"
printf '99\r\n' > "$folder/data/okto.go"
printf 'a log\r\n' > "$folder/data/o199btinp.01"
: > "$folder/decisiontree.exe"
"$here/wine-run.sh" "$installer" /S '/D=C:\LabInstall' </dev/null
[ -s "$folder/decisiontree.exe" ] || fail "installed again, it did not replace decisiontree.exe"
grep -q "lab's own" "$folder/data/btinp.01" && grep -q 99 "$folder/data/okto.go" ||
  fail "installed again, it did not keep the lab's btinp.01 and okto.go"
[ -z "$(ls "$folder/data" | grep kept || true)" ] || fail "files left aside in $folder/data"

"$here/wine-run.sh" 'C:\LabInstall\Uninstall.exe' /S </dev/null
for _ in $(seq 1 20); do [ -f "$folder/decisiontree.exe" ] || break; sleep 0.5; done
[ ! -f "$folder/decisiontree.exe" ] || fail "the uninstaller left decisiontree.exe"
[ -f "$folder/data/o199btinp.01" ] || fail "the uninstaller removed an event log"
rm -rf "$folder"
echo "The installer ran under Wine: installed, installed again over the lab's files, uninstalled."
