#!/usr/bin/env bash
# Checks a built Debian package: its control fields, its dependencies (exactly
# the packages of the libraries the program links, plus the fonts and libdecor
# with its plugin for Wayland title bars, all of them installable here), its
# files and their owners and modes, its changelog, lintian; then unpacks it and
# starts the game from the package's menu entry.
#   check-deb.sh BUILD_DIR    (after `cpack -G DEB` there)
set -euo pipefail
build=$(readlink -f "$1")
runtime=$build/assets
shopt -s nullglob
debs=("$build"/meandor_*.deb)
entries=()
for entry in "$build"/packaging/*.desktop; do
  [[ $entry == *.Editor.desktop ]] || entries+=("$entry")
done
shopt -u nullglob
[[ ${#debs[@]} -eq 1 ]] || { echo "FAIL: expected one package in $build, found ${#debs[@]}" >&2; exit 1; }
[[ ${#entries[@]} -eq 1 ]] || { echo "FAIL: no game desktop entry staged in $build" >&2; exit 1; }
deb=${debs[0]}
app=$(basename "${entries[0]}" .desktop)
version=$("$build/meandor" --version | cut -d' ' -f2)
here=$(dirname "$(readlink -f "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

field() { dpkg-deb --field "$deb" "$1"; }

[[ $(field Package) == meandor ]] || fail "Package is $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version is $(field Version), expected $version"
[[ $(field Architecture) == $(dpkg --print-architecture) ]] || fail "Architecture is $(field Architecture)"
[[ $(field Section) == games ]] || fail "Section is $(field Section)"

# Depends, reduced to package names.
depends=$(field Depends | tr ',' '\n' | sed 's/(.*)//; s/ //g' | grep -v '^$' | sort -u)

dpkg-deb -x "$deb" "$work/root"
program=$work/root/usr/libexec/meandor/meandor
[[ -x $program ]] || fail "no program at usr/libexec/meandor/meandor"

# The package that holds a library, by the path the loader finds it at; with
# merged /usr, dpkg may know it under the other of /lib and /usr/lib.
owner() {
  local path=$1
  dpkg -S "$path" 2>/dev/null || dpkg -S "$(readlink -f "$path")" 2>/dev/null ||
    dpkg -S "*/$(basename "$path")" 2>/dev/null | grep -v -- '-dev:'
}
linked=$(
  readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | while read -r soname; do
    path=$(ldd "$program" | awk -v so="$soname" '$1 == so { print $3 }')
    owner "$path" || echo "nobody-holds-$soname"
  done | cut -d: -f1 | sort -u
)
wanted=$(printf '%s\nfonts-dejavu-core\nlibdecor-0-0\nlibdecor-0-plugin-1-cairo\n' "$linked" | sort -u)
diff <(echo "$wanted") <(echo "$depends") ||
  fail "Depends is not the linked libraries' packages plus the fonts and the title bars"

# Every dependency is met by what is installed here, versions included.
field Depends | tr ',' '\n' | while read -r dependency; do
  name=${dependency%% *}
  installed=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null) || fail "$name is not installed"
  if [[ $dependency =~ \((.*)\ (.*)\) ]]; then
    dpkg --compare-versions "$installed" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}" ||
      fail "$name $installed does not meet $dependency"
  fi
done

# The files outside the runtime tree, exactly; the runtime tree as built.
dpkg-deb --contents "$deb" >"$work/contents"
expected=$(sort <<EOF2
usr/games/meandor
usr/games/meandor-edit
usr/libexec/meandor/meandor
usr/libexec/meandor/meandor-edit
usr/share/applications/$app.desktop
usr/share/applications/$app.Editor.desktop
usr/share/doc/meandor/changelog.gz
usr/share/doc/meandor/copyright
usr/share/icons/hicolor/128x128/apps/$app.png
usr/share/icons/hicolor/256x256/apps/$app.png
usr/share/icons/hicolor/48x48/apps/$app.png
usr/share/man/man6/meandor-edit.6.gz
usr/share/man/man6/meandor.6.gz
usr/share/metainfo/$app.metainfo.xml
EOF2
)
actual=$(awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' "$work/contents" |
  grep -v '^usr/share/meandor/' | sort)
diff <(echo "$expected") <(echo "$actual") || fail "the package's files differ from the layout"
(cd "$runtime" && find doolhof?.txt afbeeldingen menu muziek bewerker -type f | sort) >"$work/built"
(cd "$work/root/usr/share/meandor" && find . -type f | sed 's|^\./||' | sort) >"$work/packed"
diff "$work/built" "$work/packed" >/dev/null || fail "the packed runtime tree differs from the built one"
awk '$2 != "root/root" { print "not owned by root: " $6; bad = 1 } END { exit bad }' "$work/contents" ||
  fail "files not owned by root"
awk '($1 ~ /^d/ && $1 != "drwxr-xr-x") || ($1 ~ /^-/ && $1 != "-rw-r--r--" && $1 != "-rwxr-xr-x") {
       print $1 " " $6; bad = 1 } END { exit bad }' "$work/contents" || fail "unusual modes"

top=$(zcat "$work/root/usr/share/doc/meandor/changelog.gz" | head -n1)
[[ $top == "meandor ($version) "* ]] || fail "the changelog's newest entry is '$top'"

# lintian may warn; an error fails.
status=0
lintian --fail-on error "$deb" >"$work/lintian" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian" || true
((status == 0)) || fail "lintian reports errors"

"$here/start-from-menu-entry.sh" "$work/root/usr" "$app"
echo "package $deb: fields, dependencies, files and lintian as expected"
