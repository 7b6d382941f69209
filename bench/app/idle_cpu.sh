#!/bin/bash
# Processor use of the idle window, measured from /proc: the real program on an X server
# (xvfb-run) with a private PulseAudio server and a null sink, a score open, nobody touching it.
# Prints the share of one core the whole process (every thread) used from the first second after
# the window appeared, over SECONDS (default 60).
# Usage: xvfb-run -a bench/app/idle_cpu.sh build/bin/notaro [SECONDS]
set -eu
notaro=$1
seconds=${2:-60}
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/run XDG_STATE_HOME=$work/state XDG_CONFIG_HOME=$work/config
mkdir -m 700 "$XDG_RUNTIME_DIR"
pulseaudio -D -n --exit-idle-time=-1 --load="module-null-sink sink_name=nul" \
    --load=module-native-protocol-unix 2>/dev/null
cleanup() {
    kill -9 "${pid:-0}" 2>/dev/null || true
    pulseaudio --kill 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
printf '**n[a-b-c]\r\n*t[120]\r\n4c 4d 4e 4f 4g\r\n' >"$work/tune.NTR"
QT_QPA_PLATFORM=xcb "$notaro" "$work/tune.NTR" &
pid=$!
for _ in $(seq 200); do
    xdotool search --all --onlyvisible --pid "$pid" --name "Notaro" >/dev/null 2>&1 && break
    sleep 0.1
done
sleep 1
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
t0=$(ticks)
sleep "$seconds"
t1=$(ticks)
threads=$(ls "/proc/$pid/task" | wc -l)
awk -v d=$((t1 - t0)) -v hz="$hz" -v s="$seconds" -v n="$threads" \
    'BEGIN { printf "idle window: %.3f %% of a core over %d s (%d threads)\n", 100 * d / hz / s, s, n }'
