#!/usr/bin/env bash
# usage: check_exports.sh LIBRARY INCLUDE_DIR
# Every symbol of namespace glimmer the shared library exports must be something its public
# headers offer outside a private section (or the Qt meta-object code of such a class): a
# private helper in the dynamic symbol table is an interface programs could come to rely on.
set -euo pipefail
lib=$1 include=$2

# "Scope::name" for each function a header declares in a public, protected, signal or slot
# section of an exported class, or in a namespace other than glimmer itself; "Scope" for each
# exported class or namespace.
offered=$(awk '
  /^(class|struct) GLIMMER_EXPORT [A-Za-z0-9_]+/ {
    scope = $3; open = ($1 == "struct"); print scope; next }
  /^namespace [A-Za-z0-9_]+ \{/ && $2 != "glimmer" { scope = $2; open = 1; print scope; next }
  /^(};|} \/\/ namespace)/ { scope = ""; next }
  /^ *(public|protected)( Q_SLOTS)?:|^ *Q_SIGNALS:/ { open = 1; next }
  /^ *private( Q_SLOTS)?:/ { open = 0; next }
  scope != "" && open {
    line = $0
    while (match(line, /~?[A-Za-z_][A-Za-z0-9_]*\(/)) {
      print scope "::" substr(line, RSTART, RLENGTH - 1)
      line = substr(line, RSTART + RLENGTH)
    }
  }' "$include"/*.h | sort -u)

# The exported symbols of glimmer, demangled, without vtable or typeinfo prefixes.
symbols=$(nm -C -D --defined-only "$lib") || { echo "FAIL: nm $lib" >&2; exit 1; }
names=$(sed -E 's/^[0-9a-f]* *[A-Za-z] //; s/^(vtable for |typeinfo( name)? for |non-virtual thunk to )//' \
  <<<"$symbols" | grep '^glimmer::' || true)
[ -n "$names" ] || { echo "FAIL: $lib exports nothing of glimmer" >&2; exit 1; }

machinery=' metaObject qt_metacall qt_metacast qt_static_metacall staticMetaObject '
bad=0
# A template of another library made for a control's private data names it in its arguments.
while IFS= read -r name; do
  echo "names private data: $name"
  bad=1
done < <(sed -E 's/^[0-9a-f]* *[A-Za-z] //' <<<"$symbols" | grep -E 'glimmer::[A-Za-z0-9_]+::Private\b' || true)
while IFS= read -r name; do
  path=${name%%(*}            # the qualified name before any argument list
  path=${path#glimmer::}
  scope=${path%%::*}
  member=${path#"$scope"}
  member=${member#::}
  member=${member%%::*}
  if [ -z "$member" ]; then
    grep -qxF "$scope" <<<"$offered" && continue # the vtable or typeinfo of a public class
  elif [ "$member" = "$scope" ] || [ "$member" = "~$scope" ] ||
    [[ $machinery == *" $member "* ]] || grep -qxF "$scope::$member" <<<"$offered"; then
    continue
  fi
  echo "not public: $name"
  bad=1
done <<<"$names"
[ "$bad" = 0 ] || { echo "FAIL: $lib exports what its headers keep private" >&2; exit 1; }
echo "ok: $(wc -l <<<"$names") glimmer symbols, each public"
