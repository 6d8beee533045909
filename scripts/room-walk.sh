#!/usr/bin/env bash
# A whole session run from the room window alone, on a virtual X display, as an
# experimenter runs one: three workstations, each a data folder with the sample payoff
# file and an okto.go that last week's session left at 99; the room window opened on the
# room; Prepare, then Release, each answered in its box; the subjects play (each
# workstation's experiment window in a process of its own, played from a script by
# reliability-player); one subject caught in the middle of an attempt, her tree live;
# Verify all, Pay with a seed, Export into a folder; then one workstation selected, a new
# log appearing at another (its program restarted) and Quit reaching the one selected
# alone; and Quit for all. Only keys and clicks reach
# the room window. Each step leaves a screenshot to look at, and the files each step
# writes are checked.
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
for k in 1 2 3; do
  mkdir -p "$room/ws$k/data"
  cp "$here/../data/btinp.01" "$room/ws$k/data/"
  printf ' 99 \r\n' > "$room/ws$k/data/okto.go" # last week's quit
  touch -d '7 days ago' "$room/ws$k/data/okto.go"
done

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
# Each okto.go as the action left it, ws1 to ws3: expect_each "99 1 1" after.
expect_each() {
  local k want
  for _ in $(seq 1 40); do
    [ "$(okto 1 2>/dev/null) $(okto 2 2>/dev/null) $(okto 3 2>/dev/null)" = "$1" ] && return 0
    sleep 0.25
  done
  k=0
  for want in $1; do
    k=$((k + 1))
    [ "$(okto $k)" = "$want" ] || fail "ws$k's okto.go holds $(okto $k), not $want, after $2"
  done
}
# Each okto.go as the action left it; under Wine its writes take a moment longer.
expect_okto() {
  local k held
  for _ in $(seq 1 40); do
    held="$(okto 1 2>/dev/null)$(okto 2 2>/dev/null)$(okto 3 2>/dev/null)"
    [ "$held" = "$1$1$1" ] && return 0
    sleep 0.25
  done
  for k in 1 2 3; do
    [ "$(okto $k)" = "$1" ] || fail "ws$k's okto.go holds $(okto $k), not $1, after $2"
  done
}
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

source "$here/player-steps.sh"

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
for k in 2 3; do
  mapfile -t steps < <(play "10$k" LRLRLR RRLLRR LLLLLL RLRLRL)
  QT_QPA_PLATFORM=offscreen $run "$player" "$room/ws$k/data" "${steps[@]}" > "$out/ws$k-player.txt" 2>&1 \
    || fail "the subject at ws$k could not play: $(tail -3 "$out/ws$k-player.txt")"
done
for _ in $(seq 1 60); do
  grep -q '^stopping' "$out/ws1-player.txt" 2>/dev/null && break
  sleep 0.5
done
grep -q '^stopping' "$out/ws1-player.txt" || fail "subject 101 did not stop in her second attempt"
shot 06-two-over-one-in-play 2.5

# Her row, then her tree live: the first row of the table, under its heading.
xdotool mousemove --window "$main" 120 42 click 1
shot 07-live-tree 2

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
shot 08-all-over 2.5

room_keys ctrl+shift+v
shot 09-verify-all 2
box_keys "^Verify all$" Escape

room_keys ctrl+shift+y
pay="$(window_named '^Pay$')"
xdotool type --delay 50 "20261209"
keys Return
shot 10-pay-drawn 2
[ ! -e "$out/work/payments.csv" ] || fail "Pay wrote before it was asked to"
box_keys '^Pay$' alt+w
shot 11-pay-written
[ -s "$out/work/payments.csv" ] && [ -s "$out/work/payments.xlsx" ] || fail "Pay wrote no payments.csv and payments.xlsx"
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
shot 12-export-folder
# Qt's own folder dialog goes into a folder typed, and takes it at the second Enter;
# Windows' takes it at the first.
[ -n "$exe" ] || [ -s "$out/tables/events.csv" ] || keys Return
window_named '^Export$' >/dev/null # the box that says what was written
shot 13-exported
for table in events.csv attempts.csv inspections.csv decisions.csv tables.xlsx codebook.md; do
  [ -s "$out/tables/$table" ] || fail "Export wrote no $table"
done
box_keys '^Export$' Return

# ws2 alone selected; then ws3's program is restarted with another subject number and
# writes a second log: the selection stays on ws2, and Quit writes 99 there alone.
xdotool mousemove --window "$main" 60 71 click 1
sleep 0.5
printf '203  1  %s  600.0\r\n' "$(date +%-m/%-d/%y)" > "$room/ws3/data/o1203btinp.01"
shot 14-ws2-selected-a-log-came 2.5
room_keys ctrl+shift+q
shot 15-quit-ws2-asks
box_keys '^Quit$' Tab Return
expect_each "2 99 2" "Quit for ws2 alone" # 2: each program wrote it after its first attempt
shot 16-quit-ws2
box_keys '^Quit$' Return

# The whole room.
go_ahead ctrl+shift+q Quit 99 17-quit-asks 18-quit

echo "room-log.txt:"
cat "$out/work/room-log.txt"
for action in prepare release verify pay export quit; do
  grep -q "  $action  " "$out/work/room-log.txt" || fail "room-log.txt has no $action line"
done
echo "The whole session ran from the room window; screenshots in $out."
