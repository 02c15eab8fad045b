#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the naming check and the dev
# build's suite, and its unit and replay tests under the address/UB and thread sanitizers; then
# builds the release build with the benchmarks beside it, makes the Debian package from it
# and checks it; then cross-builds for Windows and tests that under Wine; last, fuzzes.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh test
jobs=$(nproc)
# Whole-program runs (the real program under X, installs, whole games, each file left out,
# the generator's determinism) take most of the time and find nothing more under a sanitizer
# than the unit tests find there: they run in the dev build only.
whole_program='^(e2e|Install|replay\.Missing|Generator)\.|ScriptedPlayer\.'

for preset in dev asan tsan; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  if [[ $preset == dev ]]; then
    tools/naming-check.sh "build/$preset"
    ctest --preset "$preset" -j "$jobs"
  else
    ctest --preset "$preset" -j "$jobs" -E "$whole_program"
  fi
done

echo "=== release, benchmarks built beside it, Debian package ==="
# The benchmarks are not installed, so the package is the same with them built.
cmake --preset release -DMEANDOR_BENCH=ON >/dev/null
cmake --build --preset release -j "$jobs"
rm -f build/release/meandor_*.deb
(cd build/release && cpack -G DEB >/dev/null)
tests/install/check-deb.sh build/release

echo "=== windows: cross-built, its tests under Wine, packaged, installed and played ==="
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
ctest --preset windows -j "$jobs"
# The Windows build brings the Linux build's own pictures, sounds and mazes.
for item in afbeeldingen menu muziek doolhof{1..5}.txt; do
  diff -r "build/release/assets/$item" "build/windows/assets/$item"
done

echo "=== fuzz ==="
tests/fuzz/run-fuzzers.sh
