#!/usr/bin/env bash
# A whole session run from the room window alone, on a virtual X display, as an
# experimenter runs one, mistakes included: six workstations, each a data folder with the
# sample payoff file and an okto.go that last week's session left at 99, and in ws6 last
# week's log of subject 8; the room window opened on the room; Prepare, then Release, each
# answered in its box; the subjects play (each workstation's experiment window in a
# process of its own, played from a script by reliability-player): ws3 on payoff set 2,
# ws5 first started with ws4's subject number and its program closed and started again
# with the right one, ws1 caught in the middle of her second attempt, her tree live; the
# abandoned log set aside with its reason; Verify all, Pay with a seed (last week's log
# named and left out), Export into a folder; then one workstation selected, a new log
# appearing at another (its program restarted) and Quit reaching the one selected alone;
# and Quit for all. Only keys and clicks reach the room window. Each step leaves a
# screenshot to look at, and the files each step writes are checked.
#
#   scripts/room-walk.sh [BUILD]       BUILD: build/default unless given
#   ROOM_WALK_RUN=prefix               runs the programs through prefix (Wine: wine-run.sh)
#   ROOM_WALK_EXE=.exe                 the programs' file ending
#
# Screenshots and the room: BUILD/room-walk/ (NN-step.png, room/, work/).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../build/default}" && pwd)"
exe="${ROOM_WALK_EXE:-}"
run="${ROOM_WALK_RUN:-}"
room_program="$build/bin/decisiontree-room$exe"
player="$build/tests/reliability/reliability-player$exe"
for program in "$room_program" "$player"; do
  [ -x "$program" ] || { echo "room-walk: $program is not built (make test builds it)" >&2; exit 1; }
done
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "room-walk: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done

out="$build/room-walk"
rm -rf "$out" && mkdir -p "$out/room" "$out/work" "$out/tables"
room="$out/room"
stations="1 2 3 4 5 6"
for k in $stations; do
  mkdir -p "$room/ws$k/data"
  cp "$here/../data/btinp.01" "$room/ws$k/data/"
done

source "$here/player-steps.sh"
# A subject's run in its workstation's folder, offscreen, in the foreground.
play_at() { # workstation, the player's steps...
  local k=$1
  shift
  QT_QPA_PLATFORM=offscreen $run "$player" "$room/ws$k/data" "$@" > "$out/ws$k-player.txt" 2>&1 \
    || fail "the subject at ws$k could not play: $(tail -3 "$out/ws$k-player.txt")"
}

display=":${ROOM_WALK_DISPLAY:-98}"
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY="$display"
unset QT_QPA_PLATFORM
sleep 1

fail() {
  import -display "$display" -window root "$out/failed.png" 2>/dev/null || true
  echo "room-walk: $* (the screen: $out/failed.png; its windows:" \
    "$(for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do printf '"%s" ' "$(xdotool getwindowname "$w")"; done))" >&2
  exit 1
}
shot() { sleep "${2:-1}"; import -display "$display" -window root "$out/$1.png"; echo "  $out/$1.png"; }
okto() { tr -d ' \r\n' < "$room/ws$1/data/okto.go"; }
every_okto() { for k in $stations; do printf '%s ' "$(okto $k 2>/dev/null)"; done; }
# Each okto.go as the action left it, ws1 to ws6: expect_each "2 99 2 2 2 2" after. Under
# Wine its writes take a moment longer.
expect_each() {
  local k want
  for _ in $(seq 1 40); do
    [ "$(every_okto)" = "$1 " ] && return 0
    sleep 0.25
  done
  k=0
  for want in $1; do
    k=$((k + 1))
    [ "$(okto $k)" = "$want" ] || fail "ws$k's okto.go holds $(okto $k), not $want, after $2"
  done
}
# The same value in every okto.go.
expect_okto() { expect_each "$(for _ in $stations; do printf '%s ' "$1"; done | sed 's/ $//')" "$2"; }
window_named() {
  local found=""
  for _ in $(seq 1 120); do
    found="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)"
    [ -n "$found" ] && break
    sleep 0.5
  done
  [ -n "$found" ] || fail "no window \"$1\" appeared"
  echo "$found"
}
# One key at a time: a chord sent right after another (Ctrl+A, then Ctrl+Shift+P) can arrive
# before the window has acted on the first.
keys() {
  local key
  for key in "$@"; do xdotool key --clearmodifiers "$key"; sleep 0.4; done
  sleep 0.3
}
# With no window manager on the display, focus goes back to the room window by hand.
# (A click on the marks panel first: Wine takes keys only into the window it activated.)
room_keys() {
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  xdotool mousemove --window "$main" 300 640 click 1
  keys "$@"
}
# Keys for the window titled so (a box of the room's): focused first, as a click would.
box_keys() {
  local box
  box="$(window_named "$1")"
  shift
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  [ $# -eq 0 ] || keys "$@"
}

echo "Last week's session: subject 8 at ws6, and every okto.go left at 99:"
printf ' 1 \r\n' > "$room/ws6/data/okto.go"
mapfile -t steps < <(play 8 LLLLLL RRRRRR LRLRLR RLRLRL)
play_at 6 "${steps[@]}"
for k in $stations; do
  printf ' 99 \r\n' > "$room/ws$k/data/okto.go" # last week's quit
done
touch -d '7 days ago' "$room"/ws*/data/okto.go "$room"/ws6/data/o1*
mv "$out/ws6-player.txt" "$out/ws6-last-week.txt"

echo "The room window on $room:"
(cd "$out/work" && exec $run "$room_program" "$room") &
pids+=($!)
main="$(window_named '^Decision Tree Room$')"
xdotool windowmove "$main" 10 10
xdotool windowfocus --sync "$main" 2>/dev/null || true
shot 01-opened-leftover-99 2

# Prepare, Release or Quit by its keys: its question answered OK (Cancel is the default, so
# Enter alone changes nothing), every okto.go checked, the box that reports it closed; a
# screenshot of the question and one of the report.
go_ahead() { # keys, title, value, screenshot of the question, of the report
  room_keys ctrl+a "$1" # every row selected: with none, the action has no target
  shot "$4"
  box_keys "^$2\$" Tab Return
  expect_okto "$3" "$2"
  shot "$5"
  box_keys "^$2\$" Return
}

go_ahead ctrl+shift+p Prepare 0 02-prepare-asks 03-prepared
go_ahead ctrl+shift+r Release 1 04-release-asks 05-released


echo "The subjects play:"
mapfile -t first < <(play 101 RLLRRL LLRRLR RRRLLL LRLRLR)
# She stops after the d2 decision of her second attempt (step 5 + 15 + 6 of the script).
stop=$((5 + 15 + 6))
# On Windows the player waits for a line on its input where it stops, on Linux it stops
# itself (SIGSTOP) until SIGCONT.
mkfifo "$out/ws1-resume"
exec 3<>"$out/ws1-resume"
(QT_QPA_PLATFORM=offscreen exec $run "$player" "$room/ws1/data" --stop-after-step=$stop "${first[@]}" \
  <&3 > "$out/ws1-player.txt" 2>&1) &
pids+=($!)
mapfile -t steps < <(play 102 LRLRLR RRLLRR LLLLLL RLRLRL)
play_at 2 "${steps[@]}"
# ws3 plays payoff set 2: the set typed after the subject number.
mapfile -t steps < <(play 103 RRLLRR LRLRLR RLRLRL LLLLLL)
play_at 3 "${steps[0]}" set=2 "${steps[@]:1}"
mapfile -t steps < <(play 104 LLRRLL RLRLRL LRLRLR RRRRRR)
play_at 4 "${steps[@]}"
# At ws5 the subject types ws4's number, confirms, and the program is closed at once.
play_at 5 subject=104 attempts=4 confirm
shot 06-ws5-typed-104 2.5
mv "$out/ws5-player.txt" "$out/ws5-mistaken.txt"
mapfile -t steps < <(play 105 RLRLRL LLRRLL RRLLRR LRLRLR)
play_at 5 "${steps[@]}"
mapfile -t steps < <(play 106 LLLRRR RRRLLL LRRLLR RLLRRL)
play_at 6 "${steps[@]}"
for _ in $(seq 1 60); do
  grep -q '^stopping' "$out/ws1-player.txt" 2>/dev/null && break
  sleep 0.5
done
grep -q '^stopping' "$out/ws1-player.txt" || fail "subject 101 did not stop in her second attempt"
shot 07-five-over-one-in-play 2.5

# Her row, then her tree live: the first row of the table, under its heading.
xdotool mousemove --window "$main" 120 42 click 1
shot 08-live-tree 2

if [ -n "$exe" ]; then
  echo >&3
else
  player_pid="$(pgrep -f "reliability-player.* $room/ws1/data" | head -1 || true)"
  [ -n "$player_pid" ] && kill -CONT "$player_pid"
fi
for _ in $(seq 1 60); do
  grep -q '^done' "$out/ws1-player.txt" 2>/dev/null && break
  sleep 0.5
done
grep -q '^done' "$out/ws1-player.txt" || fail "subject 101 did not finish: $(tail -3 "$out/ws1-player.txt")"
shot 09-all-over 2.5

# The abandoned log set aside: ws5's second row (the rows go by workstation, the newest
# log of each first), reached from the first row by the arrow keys.
xdotool mousemove --window "$main" 120 42 click 1
keys Down Down Down Down Down
shot 10-ws5-abandoned-selected
keys ctrl+shift+a
box_keys '^Set aside$'
xdotool type --delay 30 "typed ws4's subject number; started again as 105"
shot 11-set-aside-asks
keys Return
aside="$room/ws5/data/o1104btinp.01.aside"
for _ in $(seq 1 20); do [ -s "$aside" ] && break; sleep 0.25; done
[ -s "$aside" ] || fail "the abandoned log at ws5 was not set aside ($aside)"
shot 12-set-aside 2
box_keys '^Set aside$' Return # the box that says it was done

room_keys ctrl+shift+v
shot 13-verify-all 2
box_keys "^Verify all$" Escape

room_keys ctrl+shift+y
pay="$(window_named '^Pay$')"
shot 14-pay-names-last-week 2
xdotool type --delay 50 "20261209"
keys Return
shot 15-pay-drawn 2
[ ! -e "$out/work/payments.csv" ] || fail "Pay wrote before it was asked to"
box_keys '^Pay$' alt+w
shot 16-pay-written
[ -s "$out/work/payments.csv" ] && [ -s "$out/work/payments.xlsx" ] || fail "Pay wrote no payments.csv and payments.xlsx"
# Today's six subjects, each once; not last week's subject 8, not the log set aside.
paid="$(cut -d, -f3 "$out/work/payments.csv" | tail -n +2 | sort | tr '\n' ' ')"
[ "$paid" = "101 102 103 104 105 106 " ] || fail "Pay paid the subjects $paid, not 101 to 106 once each"
grep -q 'o1104btinp.01' <(grep ',104,' "$out/work/payments.csv" | grep ws4) || fail "subject 104 was not paid from ws4's log"
box_keys '^Pay$' Return # the box that says where: the newest window of that title
box_keys '^Pay$' Escape # the Pay dialog
sleep 2

room_keys ctrl+shift+e
# Qt's own folder dialog, or Windows' ("Select Folder" under Wine), which takes a Windows path.
box_keys '^(Export into|Select Folder)$'
tables="$out/tables"
[ -n "$exe" ] && tables="Z:${tables//\//\\}"
xdotool type --delay 20 "$tables"
keys Return
shot 17-export-folder
# The folder typed is taken at Enter; should the dialog have gone into it instead (Qt's
# own does so with a folder it is not in yet), a second Enter takes it.
for _ in $(seq 1 10); do
  [ -z "$(xdotool search --onlyvisible --name '^(Export into|Select Folder)$' 2>/dev/null)" ] && break
  sleep 0.5
done
[ -z "$(xdotool search --onlyvisible --name '^(Export into|Select Folder)$' 2>/dev/null)" ] || keys Return
# Last week's log at ws6 is named, with its day; Enter is Cancel, which leaves it out.
window_named '^Export$' >/dev/null
shot 17b-export-names-last-week 1.5
box_keys '^Export$' Return
for _ in $(seq 1 40); do [ -s "$out/tables/codebook.md" ] && break; sleep 0.5; done
window_named '^Export$' >/dev/null # the box that says what was written
shot 18-exported
for table in events.csv attempts.csv inspections.csv decisions.csv measures.csv payoffs.csv tables.xlsx codebook.md; do
  [ -s "$out/tables/$table" ] || fail "Export wrote no $table"
done
! grep -q 'o18btinp.01' "$out/tables/attempts.csv" || fail "Export wrote last week's log of subject 8"
box_keys '^Export$' Return

# ws2 alone selected; then ws3's program is restarted with another subject number and
# writes a second log: the selection stays on ws2, and Quit writes 99 there alone.
xdotool mousemove --window "$main" 60 71 click 1
sleep 0.5
printf '203  1  %s  600.0\r\n' "$(date +%-m/%-d/%y)" > "$room/ws3/data/o1203btinp.01"
shot 19-ws2-selected-a-log-came 2.5
room_keys ctrl+shift+q
shot 20-quit-ws2-asks
box_keys '^Quit$' Tab Return
expect_each "2 99 2 2 2 2" "Quit for ws2 alone" # 2: each program wrote it after its first attempt
shot 21-quit-ws2
box_keys '^Quit$' Return

# The whole room.
go_ahead ctrl+shift+q Quit 99 22-quit-asks 23-quit

echo "room-log.txt:"
cat "$out/work/room-log.txt"
for action in prepare release verify pay export quit; do
  grep -q "  $action  " "$out/work/room-log.txt" || fail "room-log.txt has no $action line"
done
echo "The whole session ran from the room window; screenshots in $out."
