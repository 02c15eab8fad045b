#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh play
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
if [[ ! -x build/release/meandor ]]; then
  echo "Built the libraries and the runtime tree; the game program itself is not there yet."
  exit 0
fi
cd build/release/assets
exec ../meandor "$@"
