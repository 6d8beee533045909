#!/usr/bin/env bash
# Every record on the disk within milliseconds, boxes included: plays a whole experiment
# (four attempts) in reliability-player under strace, with every message box held open
# for a second and no event loop turning meanwhile (a tenth of a second between two
# clicks, with the events running, as a subject's), and measures for each write to the
# event log and to its record for analysis the time until that file's next fdatasync.
# Fails when one takes longer than the limit (50 ms by default).
#
#   scripts/box-syncs.sh [LIMIT-MS]        output in build/default/box-syncs/
set -euo pipefail
cd "$(dirname "$0")/.."
limit=${1:-50}
command -v strace >/dev/null || { echo "strace is missing: apt-get install strace" >&2; exit 1; }
build=build/default
cmake --build --preset default --target reliability-player >/dev/null
out=$build/box-syncs
rm -rf "$out"
mkdir -p "$out/data"
cp data/btinp.01 "$out/data/"
printf ' 1 \r\n' > "$out/data/okto.go" # released before the program starts

source scripts/player-steps.sh
mapfile -t steps < <(play 99 RLLRRL LLRRLR RRRLLL LRLRLR)

QT_QPA_PLATFORM=offscreen strace --seccomp-bpf -f -tt -e trace=openat,write,fdatasync,fsync,close -o "$out/trace.txt" \
  "$build/tests/reliability/reliability-player" "$out/data" --hold-boxes=1000 --think=100 "${steps[@]}" > "$out/player.txt"
grep -q '^done' "$out/player.txt" || { echo "the player did not finish: $(tail -3 "$out/player.txt")" >&2; exit 1; }

python3 - "$out/trace.txt" "$limit" <<'PY'
import re, sys
from datetime import datetime
trace, limit = sys.argv[1], float(sys.argv[2])
def ms(stamp):
    t = datetime.strptime(stamp, "%H:%M:%S.%f")
    return (t.hour * 3600 + t.minute * 60 + t.second) * 1000 + t.microsecond / 1000
# strace -f splits a call that another thread interrupts into "call(args <unfinished ...>"
# and "<... call resumed>rest) = result": the two halves are joined by thread.
whole_re = re.compile(r'^(\d+)\s+(\S+)\s+(\w+)\((.*)\)\s+=\s+(-?\d+)')
begun_re = re.compile(r'^(\d+)\s+(\S+)\s+(\w+)\((.*) <unfinished \.\.\.>$')
resumed_re = re.compile(r'^(\d+)\s+(\S+)\s+<\.\.\. (\w+) resumed>(.*)\)\s+=\s+(-?\d+)')
def calls():
    begun = {}
    for line in open(trace):
        line = line.rstrip("\n")
        m = whole_re.match(line)
        if m:
            yield ms(m.group(2)), m.group(3), m.group(4), int(m.group(5))
            continue
        m = begun_re.match(line)
        if m:
            begun[m.group(1)] = m.group(4)
            continue
        m = resumed_re.match(line)
        if m:
            # the call's own time is when it returned: a sync has then reached the disk
            yield ms(m.group(2)), m.group(3), begun.pop(m.group(1), "") + m.group(4), int(m.group(5))
files = {}      # fd -> the record file open on it
waiting = {}    # fd -> times of the writes not yet synced
delays = {"log": [], "companion": []}
for now, call, args, result in calls():
    if call == "openat":
        if result < 0:
            continue
        name = re.search(r'"([^"]*)"', args).group(1).rsplit("/", 1)[-1]
        if name == "o199btinp.01":
            files[result] = "log"
        elif name == "o199btinp.01.jsonl":
            files[result] = "companion"
        else:
            files.pop(result, None)
        continue
    try:
        fd = int(args.split(",")[0])
    except ValueError:
        continue
    if fd not in files:
        continue
    if call == "write" and result > 0:
        waiting.setdefault(fd, []).append(now)
    elif call in ("fdatasync", "fsync"):
        for written in waiting.pop(fd, []):
            delays[files[fd]].append(now - written)
    elif call == "close":
        left = waiting.pop(fd, [])
        if left:
            print(f"{len(left)} writes to the {files[fd]} closed without a sync")
            delays[files[fd]].extend([float("inf")] * len(left))
        files.pop(fd, None)
worst = 0.0
for kind, values in delays.items():
    if not values:
        print(f"no writes to the {kind} were seen"); sys.exit(1)
    values.sort()
    print(f"{kind}: {len(values)} writes, write to the end of its fdatasync median {values[len(values)//2]:.1f} ms, "
          f"p99 {values[int(len(values)*0.99)]:.1f} ms, max {values[-1]:.1f} ms")
    worst = max(worst, values[-1])
if worst > limit:
    print(f"a write waited {worst:.1f} ms for its sync, over {limit:.0f} ms"); sys.exit(1)
print(f"every write synced within {limit:.0f} ms")
PY
