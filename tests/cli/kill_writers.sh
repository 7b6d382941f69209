#!/bin/bash
# Writers killed at random moments: the target is always the old or the new complete file,
# and nothing else is left in its folder, neither by the kills nor after the next write.
# Usage: kill_writers.sh NOTARO-CLI [KILLS]
set -eu
cli=$1
kills=${2:-40}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A score big enough for the write to take some milliseconds.
{
    printf '**n[a-b-c]\r\n'
    for _ in $(seq 2000); do printf '8c 8d 8e 8f 8g 8a 8b 8c2 8d2 8e2 8f2 8g2 8a2 8b2 8c3 8d3 16e 16f 16g 16a\r\n'; done
} >"$work/big.NTR"
mkdir "$work/out"
"$cli" midi -o "$work/new.mid" "$work/big.NTR"
printf 'old' >"$work/out/T.mid"
for i in $(seq "$kills"); do
    "$cli" midi -o "$work/out/T.mid" "$work/big.NTR" &
    pid=$!
    sleep "0.0$((RANDOM % 40))"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if ! cmp -s "$work/out/T.mid" "$work/new.mid" && [ "$(cat "$work/out/T.mid")" != old ]; then
        echo "kill $i: the target is neither the old nor the new file" >&2
        exit 1
    fi
done
left=$(ls -A "$work/out")
"$cli" midi -o "$work/out/T.mid" "$work/big.NTR"
after=$(ls -A "$work/out")
if [ "$left" != T.mid ] || [ "$after" != T.mid ]; then
    echo "left after the kills: $left; after the next write: $after" >&2
    exit 1
fi
cmp "$work/out/T.mid" "$work/new.mid"
echo "$kills kills: nothing left behind"
