#!/bin/bash
# The real window killed at random moments while it saves a score (the tool row's Save button,
# clicked) and while it writes its recovery copy (two seconds after typing stopped). Each kill
# first freezes the program (SIGSTOP) to note where the write stood, then kills it (SIGKILL);
# what the disk holds then is what a kill at that moment leaves. After each kill the score and
# the recovery copy must each be the old or the new complete text, and typed text is never in
# neither. The moment follows the write: a kill before it moves the next one later, a kill
# after it earlier, each spread at random around that. A last start and save must leave nothing
# but the score: no temporary file lives on.
# Usage: xvfb-run -a bench/app/kill_during_write.sh build/bin/notaro [KILLS]   (KILLS per kind)
set -eu
notaro=$1
kills=${2:-100}
source "$(dirname "$0")/../../tests/app/window_session.sh"
openSession
docs=$work/docs
copies=$XDG_STATE_HOME/notaro/recovery
score=$docs/tune.NTR
title='^Notaro.* -- tune.NTR$'
mkdir "$docs"
{
    printf '**n[a-b-c]\r\n'
    for _ in $(seq 300); do printf '8c 8d 8e 8f 8g 8a 8b 8c2 | 4c 4d 4e 4f\r\n'; done
    printf '4c'
} >"$work/old"

usNow() { echo "${EPOCHREALTIME/./}"; }
sleepUntil() {
    local rest=$(($1 - $(usNow)))
    if [ "$rest" -gt 0 ]; then sleep "$(printf '%d.%06d' $((rest / 1000000)) $((rest % 1000000)))"; fi
}
# Stops every thread of pid $1 and waits until they all are.
freeze() {
    kill -STOP "$1"
    for _ in $(seq 2000); do
        if ! sed 's/.*) //' /proc/"$1"/task/*/stat | cut -d' ' -f1 | grep -qv '[Tt]'; then
            return 0
        fi
    done
}
# Where the write to target $3 in folder $2 of the frozen pid $1 stood (old text in $4):
# before, checking (the stale-file scan), writing (a temporary file exists), syncing (renamed,
# the folder being synced) or after.
phaseOf() {
    local tmp=0 dir=0 link
    for fd in /proc/"$1"/fd/*; do
        link=$(readlink "$fd" 2>/dev/null) || continue
        case $link in
        "$2/#"*) tmp=1 ;;
        "$2") dir=1 ;;
        esac
    done
    if [ $tmp = 1 ] || ls -A "$2" 2>/dev/null | grep -q '\.tmp$'; then
        echo writing
    elif [ $dir = 1 ]; then
        if cmp -s "$3" "$4"; then echo checking; else echo syncing; fi
    elif [ -e "$3" ] && ! cmp -s "$3" "$4"; then
        echo after
    else
        echo before
    fi
}
# Files in folder $1 other than those named by the remaining arguments (basenames).
strangers() {
    local dir=$1
    shift
    ls -A "$dir" 2>/dev/null | grep -vxF -f <(printf '%s\n' "$@" "") || true
}

lastMove=0
step=8000
# Moves the aim (µs, in `delay`) after a kill in phase $1: later after one that came before the
# write, earlier after one that came after it, by a step that halves at each turn (8 ms to 1).
aim() {
    local move=0
    case $1 in before | checking) move=1 ;; after) move=-1 ;; esac
    [ $move = 0 ] && return 0
    if [ $((move * lastMove)) -lt 0 ] && [ $step -gt 1000 ]; then step=$((step / 2)); fi
    lastMove=$move
    delay=$((delay + move * step))
    [ $delay -ge 0 ] || delay=0
}

declare -A tally
count() { tally[$1]=$((${tally[$1]:-0} + 1)); }
failures=0
fault() {
    echo "kill $1 ($2): $3" >&2
    failures=$((failures + 1))
}

# Starts the program on the old score, types " 4g" and waits for its first recovery copy.
# Sets pid, win, copy (its path) and saves that copy's bytes as $work/copy1.
prepare() {
    cp "$work/old" "$score"
    startNotaro "$score"
    pid=$started
    waitFor windowOf "$pid" "$title"
    win=$(windowOf "$pid" "$title")
    # The start removes what gone programs left that is no copy.
    for _ in $(seq 20); do
        [ -z "$(strangers "$copies")" ] && break
        sleep 0.1
    done
    if [ -n "$(strangers "$copies")" ]; then
        fault "$1" start "left from earlier kills: $(strangers "$copies" | tr '\n' ' ')"
        rm -f "$copies"/*
    fi
    xdotool windowfocus --sync "$win"
    [ -n "${rowY:-}" ] || rowY=$(toolRowY "$win")
    xdotool key ctrl+End
    xdotool type --delay 10 " 4g"
    waitFor compgen -G "$copies/*.recovery"
    copy=$(compgen -G "$copies/*.recovery")
    cp "$copy" "$work/copy1"
}

# The new texts, from a save and a second copy nobody interrupts.
prepare 0
clickTool "$win" "$saveButtonX"
waitFor test ! -e "$copy"
cp "$score" "$work/new"
cmp -s "$work/new" "$work/old" && { echo "the save did not change the score" >&2; exit 1; }
killNotaro "$pid"
rm -f "$copies"/*

# Save: the score is the old or the new text; the recovery copy is the one written before the
# save, or gone once the save is done; never the old score without the copy.
delay=0
for i in $(seq "$kills"); do
    prepare "$i"
    at=$((delay + RANDOM % 10000 - 5000))
    t0=$(usNow)
    clickTool "$win" "$saveButtonX" &
    sleepUntil $((t0 + (at > 0 ? at : 0)))
    freeze "$pid"
    phase=$(phaseOf "$pid" "$docs" "$score" "$work/old")
    killNotaro "$pid"
    wait
    count "save $phase"
    aim "$phase"
    if cmp -s "$score" "$work/old"; then
        count "save score old"
        [ -e "$copy" ] || fault "$i" save "the score is old and the recovery copy is gone"
    elif cmp -s "$score" "$work/new"; then
        count "save score new"
    else
        fault "$i" save "the score is neither the old nor the new text"
    fi
    if [ -e "$copy" ]; then
        cmp -s "$copy" "$work/copy1" || fault "$i" save "the recovery copy is not the text typed"
        count "save copy kept"
    else
        count "save copy removed"
    fi
    left=$(strangers "$docs" tune.NTR)
    [ -z "$left" ] || count "save temporary left (removed by the next save)"
    # The user's Discard at the next start, done here: the copy and its lock.
    [ -e "$copy" ] && rm -f "$copy" "${copy%.recovery}.lock"
done
echo "save: kills aimed at $((delay / 1000)) ms after the click at the end"
printTally() {
    for key in "${!tally[@]}"; do printf '%-50s %d\n' "$key" "${tally[$key]}"; done | sort
}
printTally

# Recovery copy: " 4a" typed after the first copy; the second is written 2 s later.
delay=1900000 # the quiet time's timer may fire up to 5 % early
step=8000
lastMove=0
printf ' 4a' >"$work/suffix"
for i in $(seq "$kills"); do
    prepare "$i"
    cat "$work/copy1" "$work/suffix" >"$work/copy2"
    xdotool type --delay 10 " 4a"
    t0=$(usNow)
    at=$((delay + RANDOM % 10000 - 5000))
    sleepUntil $((t0 + at))
    freeze "$pid"
    phase=$(phaseOf "$pid" "$copies" "$copy" "$work/copy1")
    killNotaro "$pid"
    count "autosave $phase"
    aim "$phase"
    cmp -s "$score" "$work/old" || fault "$i" autosave "the score changed"
    if cmp -s "$copy" "$work/copy1"; then
        count "autosave copy old"
    elif cmp -s "$copy" "$work/copy2"; then
        count "autosave copy new"
    else
        fault "$i" autosave "the recovery copy is neither the old nor the new text"
    fi
    left=$(strangers "$copies" "$(basename "$copy")" "$(basename "${copy%.recovery}").lock")
    [ -z "$left" ] || count "autosave temporary left (removed at the next start)"
    rm -f "$copy" "${copy%.recovery}.lock"
done
echo "recovery copy: kills aimed at $((delay / 1000)) ms after the last key at the end"

# A last start and save: whatever the kills left is gone, and nothing new is left.
prepare final
clickTool "$win" "$saveButtonX"
waitFor test ! -e "$copy"
quitNotaro "$pid"
left=$(strangers "$docs" tune.NTR)$(strangers "$copies")
[ -z "$left" ] || fault final save "left after a clean start, save and close: $left"

printTally | grep -v '^save'
echo "$kills kills during Save and $kills during a recovery copy: $failures faults"
[ "$failures" = 0 ]
