#!/usr/bin/env bash
# Builds the program and every test with AddressSanitizer and UndefinedBehaviorSanitizer
# (CMake preset "asan": gcc, Debug, build/asan) and runs the whole suite once. Any report
# fails its test: the test preset sets halt_on_error and abort_on_error for ASan and
# UBSan, UBSan is built without recovery, and LeakSanitizer is on. Leaks inside Qt's own
# libraries and fontconfig that the program cannot free are listed, with the reason for
# each, in scripts/lsan-qt.supp; nothing of the program's is suppressed.
set -euo pipefail
cd "$(dirname "$0")/.."

[ -f build/asan/build.ninja ] || cmake --preset asan
cmake --build --preset asan
ctest --preset asan "$@"
