#!/usr/bin/env bash
# Checks the naming rule of .clang-tidy (see CONTRIBUTING in the README) on our code outside
# game/, whose Dutch names keep their own style. Reads the compile commands of a configured
# build (the dev build unless one is named): only the sources that build compiles are checked,
# with the headers of ours they include.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
mapfile -t sources < <(git ls-files -- '*.cpp' ':!game/' | sed "s|^|$PWD/|; s|[.]|[.]|g; s|\$|\$|")
run-clang-tidy -quiet -j "$(nproc)" -p "$build" -extra-arg=-Wno-unknown-warning-option \
  -header-filter="^$PWD/(bench|music|settings|standardmenu|support|tests|tools|wimdows)/" \
  "${sources[@]}" >"$build/naming-check.log" 2>&1 ||
  { grep -v '^clang-tidy-\|warnings\? generated\|^Suppressed\|^Use -header' "$build/naming-check.log"; exit 1; }
echo "naming: $(grep -c '^clang-tidy-' "$build/naming-check.log") files checked, no finding"
