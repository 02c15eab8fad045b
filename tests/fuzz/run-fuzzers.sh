#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan, UBSan) and runs every fuzz target for a
# bounded time on its committed seeds, the inputs of past faults and, when they are there,
# the public corpora. Fails, showing the report, when a target finds a crash, a hang, a leak,
# a sanitizer report or an allocation beyond the limit. A committed input that fails is an old
# fault back, and is named; a new fault's input is kept in build/fuzz/runs and printed, as the
# build folder of a CI run is not kept.
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

# report TARGET REGRESSIONS INPUT_DIR...: the end of the report, and the input that failed.
report() {
  local target=$1 regressions=$2 input committed
  shift 2
  grep -v '^"' "$runs/$target.log" | tail -n 60
  for input in "$runs/$target"-*; do
    [[ -f $input ]] || continue
    # libFuzzer names the input by its SHA-1.
    committed=$(find "$@" -type f -exec sha1sum {} + |
      awk -v sha="${input##*-}" '$1 == sha { print $2 }')
    if [[ -n $committed ]]; then
      echo "fuzz: $target fails on a committed input, an old fault back: $committed" >&2
    else
      echo "fuzz: $target found a new fault with $input; once it is fixed, keep it in" \
        "$regressions/, named for what it does, with what it must give in RegressionTest.cpp:" >&2
      echo "base64 -d <<'EOF' | gunzip > $regressions/NAME" >&2
      gzip -9c "$input" | base64 -w 100 >&2
      echo "EOF" >&2
    fi
    return
  done
  echo "fuzz: $target found a fault and kept no input" >&2
}

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
    report "$target" "$2" "${dirs[@]}"
    return 1
  fi
  grep -E '^Done [0-9]+ runs' "$runs/$target.log"
}

fuzz fuzz_doolhof tests/fuzz/seeds/doolhof tests/fuzz/regressions/doolhof
fuzz fuzz_loadbitmap tests/fuzz/seeds/bitmap tests/fuzz/regressions/bitmap \
  "$corpora/bmpsuite/g" "$corpora/bmpsuite/q" "$corpora/bmpsuite/b"
fuzz fuzz_loadsound tests/fuzz/seeds/sound tests/fuzz/regressions/sound \
  "$corpora/wavefile/valid" "$corpora/wavefile/invalid" "$corpora/wavefile/unsupported"
