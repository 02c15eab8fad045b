#!/usr/bin/env bash
# Installs the Debian packages that are missing for one purpose: "play"
# (build and run the game) or "test" (also every test and benchmark).
set -euo pipefail

play_packages=(
  cmake g++ make pkg-config
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libfontconfig-dev libx11-dev fonts-dejavu-core
  libcairo2-dev libsndfile1-dev libwayland-dev libdecor-0-0 libdecor-0-plugin-1-cairo
)
test_packages=(
  "${play_packages[@]}"
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-tidy
  dpkg-dev lintian desktop-file-utils appstream
  xvfb xauth xdotool imagemagick x11-utils openbox libxtst-dev
  sway grim wtype jq
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev wine wine64 nsis zip x11-xserver-utils
)

case "${1:-}" in
  play) wanted=("${play_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  *) echo "usage: $0 play|test" >&2; exit 2 ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
