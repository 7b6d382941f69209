#!/usr/bin/env bash
# The include check passes on the tree, and fails on a copy with each kind of breach planted.
set -euo pipefail
root=$1
graph="$root/scripts/include-graph"
"$graph" --check >/dev/null || { "$graph" --check; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
plant() { # NAME COMMAND: copy src, run COMMAND in the copy, expect the check to fail
  rm -rf "$work/src" && cp -r "$root/src" "$work/src"
  (cd "$work/src" && eval "$2")
  if "$graph" --check --src "$work/src" >/dev/null 2>&1; then
    echo "FAIL: the check missed $1" >&2
    exit 1
  fi
}
plant "midi including settings" "echo '#include \"settings/cInifile.h\"' >>midi/tMidiEvt.cpp"
plant "score including playback" "echo '#include \"playback/ShortMsg.h\"' >>score/cNotePAO.cpp"
plant "a cycle in controls" "echo '#include \"controls/ButtonColors.h\"' >>controls/ColorMath.h
  echo '#include \"controls/ColorMath.h\"' >>controls/ButtonColors.h"
plant "a base helper outside base" "cp base/NumberText.h score/NumberText.h
  echo '#include \"score/NumberText.h\"' >>score/cNotePAO.cpp"
echo "ok: the include check holds and catches each planted breach"
