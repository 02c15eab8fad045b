#!/usr/bin/env bash
# Installs a build into a throw-away prefix and checks the result as a user
# would meet it: the files in their GNU and freedesktop places, the runtime tree
# complete, the launcher working from anywhere (also through a symlink and after
# the prefix has moved, and with a maze pack of the caller's), the game starting
# from its menu entry; then uninstalls and checks that nothing is left.
#   install-prefix.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1
app=$2
here=$(dirname "$(readlink -f "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

expected=$(sort <<EOF2
bin/meandor
bin/meandor-edit
libexec/meandor/meandor
libexec/meandor/meandor-edit
share/applications/$app.desktop
share/applications/$app.Editor.desktop
share/doc/meandor/changelog.gz
share/doc/meandor/copyright
share/icons/hicolor/128x128/apps/$app.png
share/icons/hicolor/256x256/apps/$app.png
share/icons/hicolor/48x48/apps/$app.png
share/man/man6/meandor-edit.6.gz
share/man/man6/meandor.6.gz
share/metainfo/$app.metainfo.xml
EOF2
)
actual=$(cd "$prefix" && find . -type f -not -path './share/meandor/*' | sed 's|^\./||' | sort)
diff <(echo "$expected") <(echo "$actual") || fail "the installed files differ from the layout"
for program in bin/meandor bin/meandor-edit libexec/meandor/meandor libexec/meandor/meandor-edit; do
  [[ -x $prefix/$program ]] || fail "$program is not executable"
done

# The runtime tree is the build's, without the build system's own files.
runtime=$build/assets
for level in 1 2 3 4 5; do
  cmp -s "$runtime/doolhof$level.txt" "$prefix/share/meandor/doolhof$level.txt" ||
    fail "doolhof$level.txt is missing or differs"
done
for folder in afbeeldingen menu muziek bewerker; do
  diff -r "$runtime/$folder" "$prefix/share/meandor/$folder" >/dev/null || fail "$folder/ differs"
done
for item in "$prefix"/share/meandor/*; do
  [[ $(basename "$item") =~ ^(doolhof[1-5]\.txt|afbeeldingen|menu|muziek|bewerker)$ ]] ||
    fail "the runtime tree holds more: $item"
done

# Every size of icon is a PNG of that size.
for size in 48 128 256; do
  geometry=$(identify -format '%m %wx%h' "$prefix/share/icons/hicolor/${size}x$size/apps/$app.png")
  [[ $geometry == "PNG ${size}x$size" ]] || fail "the ${size}px icon is $geometry"
done

# Desktop entry and metainfo, checked together with the icon they name.
for entry in "$app" "$app.Editor"; do
  desktop-file-validate "$prefix/share/applications/$entry.desktop" ||
    fail "desktop-file-validate $entry"
done
grep -qx "Icon=$app" "$prefix/share/applications/$app.desktop" || fail "the entry names another icon"
appstreamcli validate-tree --no-net "$prefix" >"$work/appstream" 2>&1 ||
  { cat "$work/appstream" >&2; fail "appstreamcli validate-tree"; }

version=$(cd / && "$prefix/bin/meandor" --version) || fail "--version from / failed"
[[ $version =~ ^meandor\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed '$version'"
ln -s "$prefix/bin/meandor" "$work/linked"
[[ $(cd / && "$work/linked" --version) == "$version" ]] || fail "the launcher fails through a symlink"
mv "$prefix" "$work/moved"
[[ $(cd / && "$work/moved/bin/meandor" --version) == "$version" ]] ||
  fail "the launcher fails once the prefix has moved"
mv "$work/moved" "$prefix"

# A maze pack by a relative path is the caller's, though the launcher enters the runtime tree.
mkdir "$work/pack"
status=0
message=$(cd "$work" && "$prefix/bin/meandor" --mazes ./pack 2>&1) || status=$?
[[ $status -eq 2 && $message == *"$work/./pack/doolhof1.txt: no such file"* ]] ||
  fail "the launcher lost the caller's pack folder (status $status): $message"

[[ $(cd / && "$prefix/bin/meandor-edit" --version) == "meandor-edit ${version#meandor }" ]] ||
  fail "meandor-edit --version from / failed"
touch "$work/not-a-folder"
status=0
message=$(cd "$work" && "$prefix/bin/meandor-edit" ./not-a-folder 2>&1) || status=$?
[[ $status -eq 2 && $message == *"$work/./not-a-folder is not a folder"* ]] ||
  fail "the editor's launcher lost the caller's folder (status $status): $message"

# A launcher whose runtime tree has gone says so instead of starting a black game.
mv "$prefix/share/meandor" "$work/away"
status=0
message=$("$prefix/bin/meandor" 2>&1) || status=$?
[[ $status -eq 1 && $message == *"runtime tree"*"is missing"* ]] ||
  fail "without its runtime tree the launcher gave status $status: $message"
mv "$work/away" "$prefix/share/meandor"

"$here/start-from-menu-entry.sh" "$prefix" "$app"

cmake --build "$build" --target uninstall >/dev/null
left=$(cd "$prefix" && find . -mindepth 1)
[[ -z $left ]] || fail "the uninstall left: $left"
echo "install, start from elsewhere and uninstall: all as expected"
