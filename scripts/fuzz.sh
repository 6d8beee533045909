#!/usr/bin/env bash
# Builds the parsers' libFuzzer targets (CMake preset "fuzz": clang, AddressSanitizer,
# UBSan, in build/fuzz) and runs each for a bounded time on its seed corpus of real
# files in fuzz/corpus/<name>/.
#
#   FUZZ_SECONDS=60   seconds per fuzzer (default 60)
#   FUZZERS="payoff_file goahead_file"   run only these (default: every one built)
#
# Inputs the fuzzer finds worth keeping go to build/fuzz/corpus/<name>/ (the seed corpus
# in the source tree is never written). An input that crashes, hangs or trips a
# sanitizer or a check is left in build/fuzz/findings/<name>/ and the run fails; put it
# into tests/reliability/findings/<name>/ once the fault is fixed, so `make test` keeps
# trying it.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-60}
scripts/setup.sh --fuzz
[ -f build/fuzz/build.ninja ] || cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

out=build/fuzz
names=()
if [ -n "${FUZZERS:-}" ]; then
  read -r -a names <<<"$FUZZERS"
else
  for exe in "$out"/fuzz/fuzz_*; do
    [ -f "$exe" ] && [ -x "$exe" ] && names+=("$(basename "$exe" | sed 's/^fuzz_//')")
  done
fi
if [ ! -e src/record/LogReader.h ]; then
  echo "note: src/record/LogReader.h is not there yet, so the event log's reader is not fuzzed."
elif [ ! -x "$out/fuzz/fuzz_log_reader" ]; then
  echo "note: src/record/LogReader.h exists but fuzz_log_reader was not built; the log reader is not fuzzed."
fi

failed=()
for name in "${names[@]}"; do
  exe="$out/fuzz/fuzz_$name"
  [ -x "$exe" ] || { echo "no fuzzer $exe" >&2; failed+=("$name"); continue; }
  mkdir -p "$out/corpus/$name" "$out/findings/$name" "$out/logs"
  echo "== fuzz_$name for ${seconds}s"
  scratch="$out/scratch/$name"
  if DT_FUZZ_SCRATCH="$scratch" "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$out/findings/$name/" \
       "$out/corpus/$name" "fuzz/corpus/$name" >"$out/logs/$name.log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^stat::new_units_added' "$out/logs/$name.log" | tr '\n' ' '
    echo
  else
    echo "fuzz_$name FAILED; see $out/logs/$name.log and $out/findings/$name/:"
    grep -E 'ERROR|runtime error|: [A-Za-z]+: |SUMMARY' "$out/logs/$name.log" | head -5
    failed+=("$name")
  fi
  rm -rf "$scratch"
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "Fuzzers with findings: ${failed[*]}" >&2
  exit 1
fi
echo "All ${#names[@]} fuzzers ran ${seconds}s each without a finding."
