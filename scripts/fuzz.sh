#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang's libFuzzer (under
# AddressSanitizer and UndefinedBehaviorSanitizer) in their own build tree and
# runs each for a few seconds, starting from its committed corpus.
#
#   bash scripts/fuzz.sh                 # every target, FUZZ_SECONDS (5) each
#   FUZZ_SECONDS=300 bash scripts/fuzz.sh music_mml
#
# New inputs found on the way stay in the build tree; a crash, a timeout or
# running out of memory leaves its input in $FUZZ_BUILD/fuzz-crashes/ and
# fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
FUZZ_BUILD=${FUZZ_BUILD:-build-fuzz}
FUZZ_SECONDS=${FUZZ_SECONDS:-5}
JOBS=${JOBS:-$(nproc)}

CC=clang CXX=clang++ cmake -S . -B "$FUZZ_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENIT_FUZZ=ON >/dev/null
cmake --build "$FUZZ_BUILD" -j "$JOBS" --target zenit_fuzz_targets

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for d in tests/fuzz/corpus/*/; do targets+=("$(basename "$d")"); done
fi
mkdir -p "$FUZZ_BUILD/fuzz-crashes"
for t in "${targets[@]}"; do
  work="$FUZZ_BUILD/fuzz-corpus/$t"
  log="$FUZZ_BUILD/fuzz-$t.log"
  mkdir -p "$work"
  echo "== fuzz $t (${FUZZ_SECONDS} s)"
  # Findings go to the work folder; the committed corpus is only read.
  status=0
  "$FUZZ_BUILD/tests/fuzz/zenit_fuzz_$t" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$FUZZ_BUILD/fuzz-crashes/$t-" "$work" "tests/fuzz/corpus/$t" \
    >"$log" 2>&1 || status=$?
  grep -E "^(stat::number_of_executed_units|==[0-9]+==|SUMMARY|.*Test unit written)" "$log" || true
  if [ "$status" -ne 0 ]; then
    echo "fuzz $t failed (exit $status): see $log; its input is kept in $FUZZ_BUILD/fuzz-crashes/" >&2
    exit 1
  fi
done
