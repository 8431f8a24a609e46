#!/usr/bin/env bash
# Builds and runs every test:
#  1. the engine-level tests (core, graphics, platform) under AddressSanitizer
#     and UndefinedBehaviorSanitizer, in their own build tree;
#  2. the whole suite in the normal build, under Xvfb so that the window tests
#     get a real X display (-noreset: the server outlives its last client, as
#     a desktop does);
#  3. every fuzz target of tests/fuzz for a few seconds under clang's
#     libFuzzer (scripts/fuzz.sh; FUZZ_SECONDS=0 skips it).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
SAN_BUILD=${SAN_BUILD:-build-sanitize}
JOBS=${JOBS:-$(nproc)}

cmake -S . -B "$SAN_BUILD" -DCMAKE_BUILD_TYPE=Debug -DZENIT_SANITIZE=ON >/dev/null
san_targets=()
for f in core gfx platform; do
  if compgen -G "tests/$f/*.cpp" >/dev/null; then san_targets+=("zenit_${f}_tests"); fi
done
if [ ${#san_targets[@]} -gt 0 ]; then
  cmake --build "$SAN_BUILD" -j "$JOBS" --target "${san_targets[@]}"
  for t in "${san_targets[@]}"; do
    echo "== $t (sanitizers)"
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$SAN_BUILD/tests/$t" --gtest_brief=1
  done
fi

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j "$JOBS"
(cd "$BUILD" && xvfb-run -a -s "-screen 0 640x480x24 -noreset" ctest --output-on-failure -j "$JOBS")

FUZZ_SECONDS=${FUZZ_SECONDS:-5}
if [ "$FUZZ_SECONDS" != 0 ]; then FUZZ_SECONDS=$FUZZ_SECONDS JOBS=$JOBS bash scripts/fuzz.sh; fi
