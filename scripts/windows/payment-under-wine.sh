#!/usr/bin/env bash
# Payment day under Wine: treelab.exe pays a room's workstations (by default the room
# walk's, run just before) with a show-up fee, writing the schedule and the receipts with
# the fonts a Windows workstation has. No pdftotext runs under Wine, so the PDFs are read
# back here with Linux's: every subject paid is on the schedule and on a receipt of their
# own, the schedule's total is the sum of the table's amounts, and its pages are counted
# "page k of n". Each page is also made a PNG to look at (BUILD/payment-under-wine/).
#
#   scripts/windows/payment-under-wine.sh [ROOM]   ROOM: the folder of the ws*/ folders
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$here/../.." && pwd)/build/windows"
room="$(cd "${1:-$build/room-walk/room}" && pwd)"
out="$build/payment-under-wine"
fail() { echo "Payment under Wine: $*" >&2; exit 1; }
for tool in pdftotext pdftoppm pdffonts; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs poppler-utils)"
done
rm -rf "$out" && mkdir -p "$out"
# treelab.exe as a lab runs it: Windows' own platform, drawing with the system's fonts.
unset QT_QPA_PLATFORM

folders=("$room"/ws*/data)
# Wine takes a Unix path from a program that runs in a folder on its Z: drive.
(cd "$out" && "$here/wine-run.sh" "$build/bin/treelab.exe" pay "${folders[@]}" --seed 4711 --show-up-fee 5 \
  --out payments.csv --schedule schedule.pdf --receipts receipts.pdf --cash </dev/null >pay.txt 2>&1) ||
  fail "treelab.exe pay failed: $(tail -5 "$out/pay.txt")"

subjects="$(tail -n +2 "$out/payments.csv" | cut -d, -f3)"
paid="$(echo "$subjects" | wc -l)"
[ "$paid" -ge 1 ] || fail "nobody was paid"
# The total of the amounts (the 13th column), in pence, as the schedule ends with it.
pence="$(tail -n +2 "$out/payments.csv" | cut -d, -f13 | awk '{ s += int($1 * 100 + 0.5) } END { print s }')"
total="$(printf '£%d.%02d' $((pence / 100)) $((pence % 100)))"

# Every text drawn in a font the PDF carries (without one the texts come out as black bars).
for pdf in schedule receipts; do
  [ "$(pdffonts "$out/$pdf.pdf" | tail -n +3 | wc -l)" -ge 1 ] || fail "$pdf.pdf carries no font"
done
pdftotext -layout "$out/schedule.pdf" "$out/schedule.txt"
pdftotext -layout "$out/receipts.pdf" "$out/receipts.txt"
pages="$(tr -cd '\f' <"$out/schedule.txt" | wc -c)"
for k in $(seq 1 "$pages"); do
  grep -q "page $k of $pages" "$out/schedule.txt" || fail "the schedule's page $k does not say \"page $k of $pages\""
done
grep -q "$total" "$out/schedule.txt" || fail "the schedule does not end with the total $total"
for subject in $subjects; do
  grep -qw "$subject" "$out/schedule.txt" || fail "subject $subject is not on the schedule"
done
receipts="$(tr -cd '\f' <"$out/receipts.txt" | wc -c)"
[ "$receipts" -eq "$paid" ] || fail "$receipts receipts for $paid subjects paid"
# Each receipt names its own subject: the k-th page the k-th subject of the schedule's order.
for subject in $subjects; do
  awk -v RS='\f' -v s="$subject" '$0 ~ ("(^|[^0-9])" s "([^0-9]|$)") { found = 1 } END { exit !found }' \
    "$out/receipts.txt" || fail "no receipt names subject $subject"
done

pdftoppm -r 60 -png "$out/schedule.pdf" "$out/schedule"
pdftoppm -r 60 -png "$out/receipts.pdf" "$out/receipt"
echo "Paid under Wine: $paid subjects, $total in all, a schedule of $pages page(s) and $receipts receipts;" \
  "pictures in $out."
