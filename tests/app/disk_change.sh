#!/bin/bash
# The real program on an X server and a score that another program changes: with nothing typed
# the window offers to reload it (Yes reloads); with typed text it asks before that text is
# lost (No keeps it); Save over the changed file asks to overwrite it, and No leaves the file
# and the text as they are.
# Usage: disk_change.sh NOTARO (run under xvfb-run)
set -eu
notaro=$1
source "$(dirname "$0")/window_session.sh"
openSession
score=$work/tune.NTR
printf '**n[a-b-c]\r\n4c 4d' >"$score"

# A visible window of the program other than the main window $win.
boxOf() {
    xdotool search --all --onlyvisible --pid "$pid" --name '' | grep -vx "$win" | head -n 1 | grep .
}
# Waits for a message box and answers it with the key $1 (Return: Yes, Escape: No). Its text is
# checked offscreen by the document tests; here the answer's effect is.
answerQuestion() {
    waitFor boxOf
    xdotool windowfocus --sync "$(boxOf)"
    xdotool key "$1"
    waitFor sh -c "! xdotool search --all --onlyvisible --pid $pid --name '' | grep -vqx $win"
    xdotool windowfocus --sync "$win"
}

startNotaro "$score"
pid=$started
waitFor windowOf "$pid" '^Notaro.* -- tune.NTR$'
win=$(windowOf "$pid" '^Notaro.* -- tune.NTR$')
rowY=$(toolRowY "$win")
# The program notes the file's state right after its title shows; a slow start (a sanitizer
# build on a busy machine) may note it late, so the outside change waits a moment.
sleep 1

printf '**n[a-b-c]\r\n4e 4f' >"$score"
answerQuestion Return # reload

xdotool key ctrl+End
xdotool type --delay 20 " 4g"
printf '**n[a-b-c]\r\ntheirs' >"$score"
answerQuestion Escape # keep the typed text

clickTool "$win" "$saveButtonX"
answerQuestion Escape # do not overwrite
sleep 0.5
printf '**n[a-b-c]\r\ntheirs' | cmp - "$score"

# The text is the reloaded one with what was typed since: Yes writes it.
clickTool "$win" "$saveButtonX"
answerQuestion Return # overwrite
waitFor grep -q "4g" "$score"
printf '**n[a-b-c]\r\n4e 4f 4g' | cmp - "$score"
echo "reload offered, changes kept, overwrite asked"
