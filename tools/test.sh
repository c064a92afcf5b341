#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs all tests
# on Qt's offscreen platform (no display needed); fuzzes the names-file decoding for a
# minute; then runs all tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install_dependencies.sh
cmake --preset dev
cmake --build --preset dev
QT_QPA_PLATFORM=offscreen ctest --preset dev

# libFuzzer adds what it finds to its corpus folder: it works on a copy, so the committed
# seeds never change. Its progress goes to a log, shown only when it finds something; the
# input that failed is kept in build/fuzz/findings/.
cmake --preset fuzz
cmake --build --preset fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
cp tests/fuzz/corpus/* "$work/corpus/"
mkdir -p build/fuzz/findings
echo "Fuzzing the names-file decoding for 60 seconds"
if ! build/fuzz/tests/fuzz/fuzz_names_text -max_total_time=60 -timeout=10 -rss_limit_mb=2048 \
    -dict=tests/fuzz/names_text.dict -artifact_prefix=build/fuzz/findings/ \
    -print_final_stats=1 "$work/corpus" >"$work/fuzz.log" 2>&1; then
    tail -n 80 "$work/fuzz.log"
    echo "fuzz_names_text found a fault; the input is in build/fuzz/findings/" >&2
    exit 1
fi
grep -E '^(Done|stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb))' \
    "$work/fuzz.log"

# Leaks are checked too; the test preset sets ASAN_OPTIONS and UBSAN_OPTIONS.
cmake --preset asan
cmake --build --preset asan
QT_QPA_PLATFORM=offscreen ctest --preset asan
