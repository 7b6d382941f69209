#!/usr/bin/env bash
# usage: check_glimmer_package.sh CMAKE BUILD_DIR [SANITIZE_FLAGS]
# Installs the build into a temporary prefix, then builds a small outside program against the
# installed Glimmer with find_package and pkg-config, runs it offscreen and checks that it made
# a button.
set -euo pipefail
cmake=$1 build=$2 sanitize=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"

mkdir -p "$work/app"
cat >"$work/app/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(uses_glimmer LANGUAGES CXX)
set(CMAKE_CXX_STANDARD 17)
find_package(Glimmer 1.0 REQUIRED)
add_executable(uses_glimmer main.cpp)
target_link_libraries(uses_glimmer PRIVATE Glimmer::glimmer)
CMAKE
cat >"$work/app/main.cpp" <<'CPP'
#include <glimmer/chBut.h>
#include <QApplication>
#include <cstdio>
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    glimmer::chBut button;
    button.setCaption(QStringLiteral("Made"));
    std::printf("%s %s\n", button.metaObject()->className(), qPrintable(button.Caption()));
}
CPP
# A sanitizer build's library needs the outside program built with the same runtime.
"$cmake" -S "$work/app" -B "$work/app/build" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log"; fail "find_package(Glimmer 1.0)"; }
"$cmake" --build "$work/app/build" >"$work/build.log" 2>&1 || { cat "$work/build.log"; fail "build"; }
out=$(LD_LIBRARY_PATH="$prefix/lib" QT_QPA_PLATFORM=offscreen "$work/app/build/uses_glimmer") ||
  fail "the program failed: $out"
[ "$out" = "glimmer::chBut Made" ] || fail "the program printed: $out"

# A version the package does not promise is refused.
sed -i 's/Glimmer 1.0 REQUIRED/Glimmer 2.0 REQUIRED/' "$work/app/CMakeLists.txt"
if "$cmake" -S "$work/app" -B "$work/app/build2" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null 2>&1; then
  fail "find_package(Glimmer 2.0) was accepted"
fi

# pkg-config finds the same library from the installed .pc file, wherever the prefix is.
pc=$(find "$prefix" -name glimmer.pc) || true
[ -n "$pc" ] || fail "glimmer.pc is not installed"
flags=$(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --cflags --libs glimmer) || fail "pkg-config glimmer"
# The first -I flag; read whole so that no stage of a pipe is cut off early (pipefail).
inc=$(grep -o -- '-I[^ ]*' <<<"$flags" | sed -n '1s/^-I//p')
[ -f "$inc/glimmer/chBut.h" ] || fail "pkg-config gave: $flags"
plugin=$(find "$prefix" -path '*/plugins/designer/libglimmer_designer.so') ||
  true
[ -n "$plugin" ] || fail "the Designer plugin is not installed under the prefix"
# ldd's whole output is taken first: piped into a grep that stops at its first match, ldd
# could die of SIGPIPE, and under pipefail that fails the check.
deps=$(ldd "$plugin") || fail "ldd $plugin"
grep -qF "libglimmer.so.1 => $prefix" <<<"$deps" || fail "the plugin does not find libglimmer in $prefix"
echo "ok: find_package, pkg-config and the Designer plugin work from $prefix"
