#!/usr/bin/env bash
# Builds the static 64-bit Windows (mingw-w64) SDL2, SDL2_mixer, SDL2_ttf and
# FreeType that the Windows cross-build links against, from Debian's own
# source packages, once into a cache outside the clone. Prints the install
# prefix, and nothing else, on stdout; progress goes to stderr.
set -euo pipefail

sdl_version=2.26.5
mixer_version=2.6.2
ttf_version=2.20.1
freetype_version=2.12.1
# Bump the key whenever the recipe below changes what gets built.
key=windows-x64-sdl2-$sdl_version-mixer-$mixer_version-ttf-$ttf_version-freetype-$freetype_version
host=x86_64-w64-mingw32

cache_root=${MEANDOR_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/meandor}
mkdir -p "$cache_root"
cache_root=$(cd "$cache_root" && pwd -P)
prefix=$cache_root/$key
stamp=$prefix/.complete

if [[ -f $stamp ]]; then
  printf '%s\n' "$prefix"
  exit 0
fi

say() { printf 'windows-deps: %s\n' "$*" >&2; }
die() { say "error: $*"; exit 1; }

# Tools are checked, not installed: tools/install-deps.sh owns the machine.
missing=()
need() { command -v "$1" >/dev/null 2>&1 || missing+=("$1 (Debian package $2)"); }
need $host-gcc-posix gcc-mingw-w64-x86-64-posix
need $host-g++-posix g++-mingw-w64-x86-64-posix
for tool in ar ranlib windres objdump nm; do need $host-$tool binutils-mingw-w64-x86-64; done
need cmake cmake
need make make
need pkg-config pkg-config
need dpkg-source dpkg-dev
need apt-get apt
need flock util-linux
need patch patch
[[ -f /usr/$host/lib/libwinpthread.a ]] || missing+=("/usr/$host/lib/libwinpthread.a (Debian package mingw-w64-x86-64-dev)")
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
[[ -f $keyring ]] || missing+=("$keyring (Debian package debian-archive-keyring)")
if ((${#missing[@]})); then
  say "missing:"
  printf '  %s\n' "${missing[@]}" >&2
  die "install them (tools/install-deps.sh test) and run again"
fi

exec 9>"$cache_root/$key.lock"
if ! flock -n 9; then
  say "another build of $key is running; waiting for it"
  flock 9
fi
if [[ -f $stamp ]]; then
  printf '%s\n' "$prefix"
  exit 0
fi

work=$cache_root/$key.work
stage=$prefix.tmp
rm -rf "$work" "$stage" "$prefix"
mkdir -p "$work/apt/sources.list.d" "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/src"
log=$work/build.log
: >"$log"
jobs=$(nproc)
started=$SECONDS

run() {
  printf '+ %s\n' "$*" >>"$log"
  if ! "$@" >>"$log" 2>&1; then
    say "failed: $*"
    say "last lines of $log:"
    tail -n 40 "$log" >&2
    exit 1
  fi
}

# A private deb-src list keeps the machine's apt setup untouched.
cat >"$work/apt/sources.list.d/debian-src.sources" <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: $keyring

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: $keyring
EOF
apt_options=(
  -o Dir::Etc::SourceList=/dev/null
  -o Dir::Etc::SourceParts="$work/apt/sources.list.d"
  -o Dir::State::Lists="$work/apt/lists"
  -o Dir::Cache="$work/apt/cache"
)
# The _apt user cannot reach a cache under root's home; apt would fall back anyway.
((EUID == 0)) && apt_options+=(-o APT::Sandbox::User=root)

say "fetching Debian sources (log: $log)"
run apt-get "${apt_options[@]}" -q update
declare -A source_dir
declare -A debian_version
fetch() {
  local package=$1 upstream=$2 dsc version
  (cd "$work/src" && run apt-get "${apt_options[@]}" -q source "$package")
  dsc=$(find "$work/src" -maxdepth 1 -name "${package}_*.dsc" -print -quit)
  [[ -n $dsc ]] || die "apt-get source $package left no .dsc"
  version=$(sed -n 's/^Version: //p' "$dsc")
  version=${version#*:}
  local found=${version%-*}
  found=${found%%+*}
  [[ $found == "$upstream" ]] || die "Debian's $package is upstream $found ($version), expected $upstream"
  source_dir[$package]=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name "$package-$upstream*" -print -quit)
  [[ -d ${source_dir[$package]} ]] || die "no unpacked source for $package"
  debian_version[$package]=$version
  say "  $package $version"
}
fetch libsdl2 $sdl_version
fetch libsdl2-mixer $mixer_version
fetch libsdl2-ttf $ttf_version
fetch freetype $freetype_version

cat >"$work/toolchain.cmake" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $host-gcc-posix)
set(CMAKE_CXX_COMPILER $host-g++-posix)
set(CMAKE_RC_COMPILER $host-windres)
set(CMAKE_AR $(command -v $host-ar) CACHE FILEPATH "")
set(CMAKE_RANLIB $(command -v $host-ranlib) CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH "$stage" /usr/$host)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
# Only our own .pc files may answer, never the build machine's.
export PKG_CONFIG_LIBDIR=$stage/lib/pkgconfig PKG_CONFIG_PATH=

build() {
  local name=$1 src=$2
  shift 2
  local t0=$SECONDS
  say "building $name"
  run cmake -S "$src" -B "$work/build/$name" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$stage" \
    -DCMAKE_PREFIX_PATH="$stage" \
    -DCMAKE_INSTALL_LIBDIR=lib \
    -DBUILD_SHARED_LIBS=OFF \
    "$@"
  run cmake --build "$work/build/$name" -j "$jobs"
  run cmake --install "$work/build/$name"
  say "  $name took $((SECONDS - t0)) s"
}

# Debian's multiarch patch makes sdl2-config --static-libs look in /usr/lib.
run patch -R -p1 -d "${source_dir[libsdl2]}" -i debian/patches/no-libdir.patch
build SDL2 "${source_dir[libsdl2]}" \
  -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_STATIC_PIC=OFF \
  -DSDL_TEST=OFF -DSDL_TESTS=OFF -DSDL_INSTALL_TESTS=OFF

build freetype "${source_dir[freetype]}" \
  -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON

# WAV and MP3 only, both decoded by code inside SDL2_mixer.
build SDL2_mixer "${source_dir[libsdl2-mixer]}" \
  -DCMAKE_POSITION_INDEPENDENT_CODE=OFF \
  -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_DEPS_SHARED=OFF \
  -DSDL2MIXER_CMD=OFF -DSDL2MIXER_WAVE=ON \
  -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_DRMP3=ON -DSDL2MIXER_MP3_MPG123=OFF \
  -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF \
  -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=

build SDL2_ttf "${source_dir[libsdl2-ttf]}" \
  -DCMAKE_POSITION_INDEPENDENT_CODE=OFF \
  -DSDL2TTF_VENDORED=OFF -DSDL2TTF_SAMPLES=OFF -DSDL2TTF_HARFBUZZ=OFF

# Upstream CMake writes SDL2_mixer.pc and SDL2_ttf.pc for shared builds only,
# so fill in their own templates for the static ones.
write_pc() {
  local template=$1 out=$2 version=$3 sdl_required=$4 requires=$5
  sed -e "s|@prefix@|$stage|" -e 's|@exec_prefix@|${prefix}|' \
    -e 's|@libdir@|${exec_prefix}/lib|' -e 's|@includedir@|${prefix}/include|' \
    -e "s|@VERSION@|$version|" -e "s|@SDL_VERSION@|$sdl_required|" \
    -e "s|@PC_REQUIRES@|$requires|" -e 's|@PC_LIBS@||' "$template" >"$out"
  ! grep -n '@[A-Za-z_]*@' "$out" >&2 || die "unfilled template field in $out"
}
sdl_required() { sed -n 's/^set(SDL_REQUIRED_VERSION \([0-9.]*\))$/\1/p' "$1/CMakeLists.txt"; }
write_pc "${source_dir[libsdl2-mixer]}/SDL2_mixer.pc.in" "$stage/lib/pkgconfig/SDL2_mixer.pc" \
  $mixer_version "$(sdl_required "${source_dir[libsdl2-mixer]}")" ""
write_pc "${source_dir[libsdl2-ttf]}/SDL2_ttf.pc.in" "$stage/lib/pkgconfig/SDL2_ttf.pc" \
  $ttf_version "$(sdl_required "${source_dir[libsdl2-ttf]}")" freetype2

say "checking what was built"
config=$stage/include/SDL2/SDL_config.h
for feature in SDL_AUDIO_DRIVER_WASAPI SDL_AUDIO_DRIVER_DSOUND SDL_AUDIO_DRIVER_WINMM \
  SDL_AUDIO_DRIVER_DUMMY SDL_VIDEO_DRIVER_WINDOWS SDL_VIDEO_DRIVER_DUMMY \
  SDL_JOYSTICK_XINPUT SDL_JOYSTICK_DINPUT SDL_HAPTIC_XINPUT SDL_JOYSTICK_HIDAPI; do
  grep -Eq "^#define $feature 1" "$config" || die "SDL2 was configured without $feature"
done
mixer_symbols=$($host-nm -g "$stage/lib/libSDL2_mixer.a" 2>/dev/null)
for codec in WAV DRMP3; do
  grep -q " D Mix_MusicInterface_$codec\$" <<<"$mixer_symbols" || die "SDL2_mixer lacks its $codec decoder"
done
extra=$(grep -o ' D Mix_MusicInterface_[A-Z0-9]*' <<<"$mixer_symbols" | grep -Ev '_(WAV|DRMP3)$' || true)
[[ -z $extra ]] || die "SDL2_mixer has decoders it should not:$(tr '\n' ' ' <<<"$extra")"
for lib in libSDL2.a libSDL2main.a libSDL2_mixer.a libSDL2_ttf.a libfreetype.a; do
  [[ -f $stage/lib/$lib ]] || die "$lib was not installed"
done
dlls=$(find "$stage" -iname '*.dll' -o -iname '*.dll.a')
[[ -z $dlls ]] || die "import libraries or DLLs were installed: $dlls"

say "copying licences"
licences=$stage/share/licenses
copy_licence() {
  local name=$1
  shift
  mkdir -p "$licences/$name"
  local file
  for file; do
    [[ -f $file ]] || die "licence file $file is missing"
    cp "$file" "$licences/$name/"
  done
}
copy_licence SDL2 "${source_dir[libsdl2]}/LICENSE.txt"
cp "${source_dir[libsdl2]}/debian/copyright" "$licences/SDL2/debian-copyright"
copy_licence SDL2_mixer "${source_dir[libsdl2-mixer]}/LICENSE.txt"
cp "${source_dir[libsdl2-mixer]}/src/codecs/dr_libs/LICENSE" "$licences/SDL2_mixer/dr_libs-LICENSE"
cp "${source_dir[libsdl2-mixer]}/debian/copyright" "$licences/SDL2_mixer/debian-copyright"
copy_licence SDL2_ttf "${source_dir[libsdl2-ttf]}/LICENSE.txt"
cp "${source_dir[libsdl2-ttf]}/debian/copyright" "$licences/SDL2_ttf/debian-copyright"
copy_licence freetype "${source_dir[freetype]}/LICENSE.TXT" "${source_dir[freetype]}/docs/FTL.TXT"
cp "${source_dir[freetype]}/debian/copyright" "$licences/freetype/debian-copyright"
# FreeType's gzip support compiles its own copy of zlib, whose terms head zlib.h.
sed -n '1,/\*\//p' "${source_dir[freetype]}/src/gzip/zlib.h" >"$licences/freetype/zlib-LICENSE"
copy_licence gcc-runtime /usr/share/common-licenses/GPL-3
cp /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright "$licences/gcc-runtime/copyright" 2>/dev/null ||
  cp /usr/share/doc/gcc-mingw-w64-base/copyright "$licences/gcc-runtime/copyright"
copy_licence mingw-w64 /usr/share/doc/mingw-w64-x86-64-dev/copyright
grep -q 'GCC RUNTIME LIBRARY EXCEPTION' "$licences/gcc-runtime/copyright" ||
  die "the GCC Runtime Library Exception is not in $licences/gcc-runtime/copyright"

# Installed text files name the staging folder; point them at the final one.
stage_pattern=$(printf '%s' "$stage" | sed 's/[][\.*^$|/]/\\&/g')
prefix_replacement=$(printf '%s' "$prefix" | sed 's/[\&|]/\\&/g')
mapfile -t staged_files < <(grep -rlIF -- "$stage" "$stage" || true)
((${#staged_files[@]})) || die "no installed file names $stage; the .pc files should"
sed -i "s|$stage_pattern|$prefix_replacement|g" "${staged_files[@]}"
! grep -rlIF -- "$stage" "$stage" >&2 || die "files above still name $stage"
mv -T "$stage" "$prefix"

say "linking a test program against $prefix"
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig
cat >"$work/check.cpp" <<'EOF'
#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <string>
#include <thread>

int main(int argc, char** argv) {
    // A thread and a std::string pull in winpthreads and libstdc++.
    std::string name = argc > 0 ? argv[0] : "";
    std::thread worker([&name] { name += "!"; });
    worker.join();
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) return 1;
    FT_Done_FreeType(library);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_GAMECONTROLLER) != 0) return 2;
    if (TTF_Init() != 0 || Mix_Init(MIX_INIT_MP3) != MIX_INIT_MP3) return 3;
    TTF_Quit();
    Mix_Quit();
    SDL_Quit();
    return name.empty() ? 4 : 0;
}
EOF
modules=(SDL2_ttf SDL2_mixer sdl2 freetype2)
pc_cflags=$(pkg-config --static --cflags "${modules[@]}") || die "pkg-config cannot resolve ${modules[*]}"
pc_libs=$(pkg-config --static --libs "${modules[@]}") || die "pkg-config cannot resolve ${modules[*]}"
read -ra cflags <<<"$pc_cflags"
read -ra libs <<<"$pc_libs"
run $host-g++-posix -std=c++20 -O2 "${cflags[@]}" "$work/check.cpp" -o "$work/check.exe" \
  -static "${libs[@]}"
imports=$($host-objdump -p "$work/check.exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
[[ -n $imports ]] || die "no imports found in the test program"
# Windows' own DLLs; anything else would have to be shipped beside the .exe.
system_dlls='^(kernel32|user32|gdi32|winmm|imm32|ole32|oleaut32|version|setupapi|shell32|advapi32|msvcrt|cfgmgr32|hid|dinput8|dxgi|d3d9|d3d11|ws2_32|comdlg32|uuid|rpcrt4|api-ms-win-[a-z0-9-]+)\.dll$'
strays=$(tr 'A-Z' 'a-z' <<<"$imports" | grep -Ev "$system_dlls" || true)
if [[ -n $strays ]]; then
  mv -T "$prefix" "$work/rejected-prefix"
  die "the test program needs non-system DLLs: $(tr '\n' ' ' <<<"$strays")"
fi

{
  printf 'key=%s\n' "$key"
  for package in libsdl2 libsdl2-mixer libsdl2-ttf freetype; do
    printf '%s=%s\n' "$package" "${debian_version[$package]}"
  done
  printf 'imports=%s\n' "$(tr '\n' ' ' <<<"$imports")"
} >"$prefix/.stamp.new"
mv "$prefix/.stamp.new" "$stamp"
rm -rf "$work"
say "done in $((SECONDS - started)) s"
printf '%s\n' "$prefix"
