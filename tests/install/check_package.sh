#!/usr/bin/env bash
# usage: check_package.sh CPACK BUILD_DIR SOURCE_DIR VERSION
# Builds the Debian package of BUILD_DIR into a temporary folder and checks its name, control
# fields, file list and dependencies, and that the packaged program finds the packaged Glimmer.
set -euo pipefail
cpack=$1 build=$2 source=$3 version=$4
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && "$cpack" -G DEB -B "$out" --config "$build/CPackConfig.cmake") >"$out/log" 2>&1 ||
  { cat "$out/log" >&2; fail "cpack -G DEB"; }
deb=$out/notaro_${version}_$(dpkg --print-architecture).deb
[ -s "$deb" ] || fail "no $(basename "$deb"); made: $(ls "$out")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)/$(field Version)/$(field Section)" = "notaro/$version/sound" ] ||
  fail "control fields: $(field Package)/$(field Version)/$(field Section)"

# Every file lies under /usr; the programs, Glimmer and the data are all there.
files=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./||')
outside=$(grep -v '^usr/' <<<"$files" || true)
[ -z "$outside" ] || fail "files outside /usr: $(head -3 <<<"$outside" | tr "\n" " ")"
expected="usr/bin/notaro usr/bin/notaro-cli usr/bin/notaro-cli-audio usr/lib/libglimmer.so.1
  usr/share/applications/notaro.desktop usr/share/icons/hicolor/scalable/apps/notaro.svg
  usr/share/mime/packages/notaro.xml usr/share/notaro/help/eOview.htm"
for s in "$source"/data/samples/*.NTR; do expected+=" usr/share/notaro/samples/${s##*/}"; done
for f in $expected; do grep -qx "$f" <<<"$files" || fail "$f is not in the package"; done

# Dependencies: the libraries found by dpkg-shlibdeps and what the program loads at run time.
depends=$(field Depends | sed 's/, */\n/g')
for d in 'libqt6widgets6 \(>= [0-9.]+\)' 'libfluidsynth3 \(>= [0-9.]+\)' \
         'fluid-soundfont-gm \| timgm6mb-soundfont' 'fonts-liberation2'; do
  grep -qxE -- "$d" <<<"$depends" || fail "Depends lacks '$d': $(field Depends)"
done

# Unpacked anywhere, the program takes Glimmer from the package's own lib folder.
dpkg-deb -x "$deb" "$out/root"
line=$(ldd "$out/root/usr/bin/notaro" | grep libglimmer) || fail "usr/bin/notaro does not link libglimmer"
[ "$(realpath "$(awk '{ print $3 }' <<<"$line")")" = "$(realpath "$out/root/usr/lib/libglimmer.so.1")" ] ||
  fail "usr/bin/notaro loads libglimmer from elsewhere: $line"
echo "package OK: $(basename "$deb"), $(wc -l <<<"$files") entries"
