#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${VELKORA_FUZZ_SECONDS:-30}
cmake -S tests/fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/fuzz -j "$(nproc)"
for target in build/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  echo "-- $(basename "$target") for ${seconds}s"
  "$target" -max_total_time="$seconds" -max_len=512 -print_final_stats=0 >"$target.log" 2>&1 || { tail -40 "$target.log"; exit 1; }
done
echo "fuzz: every target ran ${seconds}s without a crash or sanitizer report"
