#!/bin/bash
# The real program on an X server: text typed into a score survives a SIGKILL. The next start
# offers the recovery copy, Recover brings the text back as a modified document, and Save
# writes it to the score's file and removes the copy.
# Usage: recovery_after_kill.sh NOTARO (run under xvfb-run)
set -eu
notaro=$1
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_STATE_HOME=$work/state XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$work/run"
copies=$XDG_STATE_HOME/notaro/recovery
printf '**n[a-b-c]\r\n4c 4d\r\n' >"$work/tune.NTR"

# Waits up to 20 s for the command to succeed.
waitFor() {
    for _ in $(seq 200); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    echo "gave up waiting for: $*" >&2
    return 1
}
# The window of pid whose title is exactly $2.
windowOf() {
    xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" | head -n 1 | grep .
}

# Starts the program; an X server that has just started now and then refuses a connection, and
# then the program ends at once: start it again, up to three times.
start() {
    for _ in 1 2 3; do
        "$notaro" "$@" &
        local pid=$!
        sleep 1
        if kill -0 "$pid" 2>/dev/null; then
            pids+=("$pid")
            return 0
        fi
        wait "$pid" 2>/dev/null || true
    done
    echo "the program did not start" >&2
    return 1
}

start "$work/tune.NTR"
waitFor windowOf "${pids[0]}" "Notaro 1.4 -- tune.NTR"
xdotool windowfocus --sync "$(windowOf "${pids[0]}" "Notaro 1.4 -- tune.NTR")"
xdotool key ctrl+End
xdotool type --delay 20 "4e 4f"
waitFor compgen -G "$copies/*.recovery"
kill -9 "${pids[0]}"
wait "${pids[0]}" 2>/dev/null || true

start
waitFor windowOf "${pids[1]}" "Notaro 1.4"
xdotool windowfocus --sync "$(windowOf "${pids[1]}" "Notaro 1.4")"
xdotool key Return # the default answer: Recover
waitFor windowOf "${pids[1]}" "Notaro 1.4 -- tune.NTR"
xdotool windowfocus --sync "$(windowOf "${pids[1]}" "Notaro 1.4 -- tune.NTR")"
xdotool key alt+f
sleep 0.5
xdotool key s # File, Save (Text)
waitFor grep -q "4e 4f" "$work/tune.NTR"
printf '**n[a-b-c]\r\n4c 4d\r\n4e 4f' | cmp - "$work/tune.NTR"
# Saved: the copy is gone; the killed program's copy went once ours was written.
waitFor test -z "$(compgen -G "$copies/*.recovery")"
echo "recovered after SIGKILL"
