#!/usr/bin/env bash
# Bounded libFuzzer run over the preferences reader (clang build in build/fuzz).
# A crash, a failed check or a build failure fails the test run.
#   VELMORA_FUZZ_SECONDS  length of the run (default 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/fuzz"
seconds=${VELMORA_FUZZ_SECONDS:-60}
mkdir -p "$build/artifacts"

if ! { cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
         -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
         -DVELMORA_FUZZ=ON -DVELMORA_BENCH=OFF &&
       cmake --build "$build" --target preferences_fuzzer -j 2; } >"$build/build.log" 2>&1; then
  tail -30 "$build/build.log"
  echo "fuzz: build failed"
  exit 1
fi

# New inputs go to a scratch folder, so the committed seeds stay as they are.
work=$(mktemp -d /tmp/velmora-fuzz.XXXXXX)
trap 'rm -rf "$work"' EXIT
if ! "$build/tests/fuzz/preferences_fuzzer" -max_total_time="$seconds" -max_len=65536 \
       -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$build/artifacts/" \
       "$work" "$root/tests/fuzz/corpus/preferences" >"$build/fuzz.log" 2>&1; then
  tail -60 "$build/fuzz.log"
  echo "fuzz: the preferences reader failed; reproducer in $build/artifacts/"
  exit 1
fi
grep -E '^stat::number_of_executed_units|^Done' "$build/fuzz.log" || true
echo "fuzz: preferences reader ran ${seconds}s without a failure"
