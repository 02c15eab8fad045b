#!/usr/bin/env bash
# Prints the lines of C++ under tests/ beside those in the rest of the repository, counting
# lines that are neither blank nor comments, and the share of the one in the other; then the
# lines of the shell test scripts.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
  git ls-files -z -- '*.cpp' '*.hpp' | grep -z "$@" '^tests/' | xargs -0 cat |
    grep -c -v -E '^\s*($|//)'
}
tests=$(count -e)
rest=$(count -v)
echo "tests: $tests lines, rest: $rest lines, share: $(awk -v t="$tests" -v r="$rest" 'BEGIN { printf "%.2f", t / r }')"
shell=$(git ls-files -z -- 'tests/*.sh' | xargs -0 cat | grep -c -v -E '^\s*($|#)')
echo "shell test scripts: $shell lines"
