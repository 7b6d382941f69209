#!/bin/bash
# The real program on an X server: text typed into a score survives a SIGKILL. The next start
# offers the recovery copy, Recover brings the text back as a modified document, and Save
# writes it to the score's file and removes the copy.
# Usage: recovery_after_kill.sh NOTARO (run under xvfb-run)
set -eu
notaro=$1
source "$(dirname "$0")/window_session.sh"
openSession
copies=$XDG_STATE_HOME/notaro/recovery
printf '**n[a-b-c]\r\n4c 4d\r\n' >"$work/tune.NTR"

startNotaro "$work/tune.NTR"
waitFor windowOf "${pids[0]}" "^Notaro 1.4 -- tune.NTR$"
xdotool windowfocus --sync "$(windowOf "${pids[0]}" "^Notaro 1.4 -- tune.NTR$")"
xdotool key ctrl+End
xdotool type --delay 20 "4e 4f"
waitFor compgen -G "$copies/*.recovery"
kill -9 "${pids[0]}"
wait "${pids[0]}" 2>/dev/null || true

startNotaro
waitFor windowOf "${pids[1]}" "^Notaro 1.4$"
xdotool windowfocus --sync "$(windowOf "${pids[1]}" "^Notaro 1.4$")"
xdotool key Return # the default answer: Recover
waitFor windowOf "${pids[1]}" "^Notaro 1.4 -- tune.NTR$"
xdotool windowfocus --sync "$(windowOf "${pids[1]}" "^Notaro 1.4 -- tune.NTR$")"
xdotool key alt+f
sleep 0.5
xdotool key s # File, Save (Text)
waitFor grep -q "4e 4f" "$work/tune.NTR"
printf '**n[a-b-c]\r\n4c 4d\r\n4e 4f' | cmp - "$work/tune.NTR"
# Saved: the copy is gone; the killed program's copy went once ours was written.
waitFor test -z "$(compgen -G "$copies/*.recovery")"
echo "recovered after SIGKILL"
