#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the dev build's
# suite and the same suite under the address/UB and thread sanitizers; then
# builds the Debian package from the release build and checks it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh test
jobs=$(nproc)

for preset in dev asan tsan; do
  echo "=== $preset ==="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

echo "=== bench (build only) ==="
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$jobs"

echo "=== Debian package ==="
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"
rm -f build/release/meandor_*.deb
(cd build/release && cpack -G DEB >/dev/null)
tests/install/check-deb.sh build/release

echo "=== fuzz (each target for a minute) ==="
tests/fuzz/run-fuzzers.sh
