#!/usr/bin/env bash
# usage: check_install.sh CMAKE BUILD_DIR SOURCE_DIR
# Installs BUILD_DIR into a temporary prefix and checks the installed files, that the program
# loads Glimmer from the prefix, and that the installed command-line tool works there.
set -euo pipefail
cmake=$1 build=$2 source=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"

for f in bin/notaro bin/notaro-cli bin/notaro-cli-audio; do
  [ -x "$prefix/$f" ] || fail "$f is missing or not executable"
done
for f in share/notaro/help/eOview.htm share/applications/notaro.desktop \
         share/mime/packages/notaro.xml share/icons/hicolor/scalable/apps/notaro.svg; do
  [ -s "$prefix/$f" ] || fail "$f is missing or empty"
done
for s in "$source"/data/samples/*.NTR; do
  cmp -s "$s" "$prefix/share/notaro/samples/${s##*/}" || fail "sample ${s##*/} not installed"
done

# The program must take Glimmer from the prefix, not from the build tree or the system.
line=$(ldd "$prefix/bin/notaro" | grep libglimmer) || fail "bin/notaro does not link libglimmer"
glimmer=$(awk '{ print $3 }' <<<"$line")
[ -e "$glimmer" ] || fail "bin/notaro cannot find libglimmer: $line"
[ "$(dirname "$(realpath "$glimmer")")" = "$(realpath "$prefix/lib")" ] ||
  fail "bin/notaro loads libglimmer from '$glimmer', not from $prefix/lib"
deps=$(ldd "$prefix/bin/notaro") || fail "ldd bin/notaro"
if grep -q 'not found' <<<"$deps"; then fail "bin/notaro has unresolved libraries"; fi

cd "$prefix"
export XDG_CONFIG_HOME="$prefix/config" # the user's para.ini must not choose the output
out=$("$prefix/bin/notaro-cli" check "$prefix/share/notaro/samples/OdeToJoy.NTR") ||
  fail "notaro-cli check exited non-zero: $out"
[ "$out" = "The syntax is correct" ] || fail "notaro-cli check printed: $out"
# The commands that sound are run from notaro-cli-audio beside notaro-cli.
out=$("$prefix/bin/notaro-cli" devices 2>&1) || fail "notaro-cli devices: $out"
grep -q '(default)' <<<"$out" || fail "notaro-cli devices printed: $out"

# Desktop integration: a valid entry naming the installed program and icon, a MIME type
# that the shared MIME database accepts.
desktop-file-validate "$prefix/share/applications/notaro.desktop" || fail "desktop entry invalid"
grep -qx 'Exec=notaro %f' "$prefix/share/applications/notaro.desktop" || fail "desktop Exec"
grep -qx 'Icon=notaro' "$prefix/share/applications/notaro.desktop" || fail "desktop Icon"
update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database"
# The database keeps a glob without case as "*.ntr"; it then matches *.NTR as well.
grep -qF 'text/x-notaro-score:*.ntr' "$prefix/share/mime/globs2" || fail "MIME glob"
grep -qx 'text/x-notaro-score text/plain' "$prefix/share/mime/subclasses" || fail "MIME parent"
echo "install layout OK in $prefix"
