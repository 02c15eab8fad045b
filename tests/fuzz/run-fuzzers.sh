#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan, UBSan) and runs every fuzz target for a
# bounded time on its committed seeds, the inputs of past faults and, when they are there,
# the public corpora. Fails, showing the report, when a target finds a crash, a hang, a leak,
# a sanitizer report or an allocation beyond the limit; the input is kept in build/fuzz/runs.
# MEANDOR_FUZZ_SECONDS (default 30) is the time per target, MEANDOR_FUZZ_BUILD the build folder.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${MEANDOR_FUZZ_SECONDS:-30}
build=${MEANDOR_FUZZ_BUILD:-build/fuzz}
runs=$build/runs
corpora=../shared/corpora
targets=(fuzz_doolhof fuzz_loadbitmap fuzz_loadsound)

cmake --preset fuzz -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
rm -rf "$runs"
mkdir -p "$runs"

# fuzz TARGET INPUT_DIR...: the first directory given to libFuzzer is where it keeps the new
# inputs it finds, so it is a fresh one under build/, never a committed seed directory.
fuzz() {
  local target=$1
  shift
  local dirs=()
  for dir in "$@"; do
    [[ -d $dir ]] && dirs+=("$dir")
  done
  mkdir -p "$runs/$target"
  echo "--- $target, ${seconds} s"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
      -artifact_prefix="$runs/$target-" "$runs/$target" "${dirs[@]}" >"$runs/$target.log" 2>&1; then
    grep -v '^"' "$runs/$target.log" | tail -n 60
    echo "fuzz: $target found a fault; its input is in $runs/" >&2
    return 1
  fi
  grep -E '^Done [0-9]+ runs' "$runs/$target.log"
}

fuzz fuzz_doolhof tests/fuzz/seeds/doolhof tests/fuzz/regressions/doolhof
fuzz fuzz_loadbitmap tests/fuzz/seeds/bitmap tests/fuzz/regressions/bitmap \
  "$corpora/bmpsuite/g" "$corpora/bmpsuite/q" "$corpora/bmpsuite/b"
fuzz fuzz_loadsound tests/fuzz/seeds/sound tests/fuzz/regressions/sound \
  "$corpora/wavefile/valid" "$corpora/wavefile/invalid" "$corpora/wavefile/unsupported"
