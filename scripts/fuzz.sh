#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer harnesses with clang (ASan + UBSan) and runs each for a while.
# Usage: scripts/fuzz.sh [seconds per harness, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
status=0
for harness in build-fuzz/tests/fuzz/fuzz_*; do
    [ -x "$harness" ] || continue
    name=$(basename "$harness")
    corpus="build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    seeds="tests/fuzz/seeds/${name#fuzz_}"
    [ -d "$seeds" ] || seeds=""
    echo "== $name: ${seconds}s"
    if ! ASAN_OPTIONS=detect_leaks=1 "$harness" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=512 \
        -print_final_stats=1 "$corpus" $seeds >"build-fuzz/$name.log" 2>&1; then
        echo "!! $name found a fault:"
        tail -n 60 "build-fuzz/$name.log"
        status=1
    else
        grep -E '^(stat::number_of_executed_units|Done)' "build-fuzz/$name.log" || tail -n 3 "build-fuzz/$name.log"
    fi
done
exit $status
