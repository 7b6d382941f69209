# Helpers for scripts that drive the real program on an X server with xdotool (source it).
# The caller sets `notaro` (the program) and keeps the started processes in the array `pids`.

# A private folder for the session in `work`, with its own state, settings and runtime folders;
# every program started here is killed and the folder removed when the script ends.
openSession() {
    work=$(mktemp -d)
    pids=()
    trap 'for p in "${pids[@]}"; do killNotaro "$p"; done 2>/dev/null; rm -rf "$work"' EXIT
    export XDG_STATE_HOME=$work/state XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
    export QT_QPA_PLATFORM=xcb
    mkdir -m 700 "$work/run"
}

# Waits up to 20 s for the command to succeed.
waitFor() {
    for _ in $(seq 200); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    echo "gave up waiting for: $*" >&2
    return 1
}

# The window of pid $1 whose title matches the pattern $2.
windowOf() {
    xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n 1 | grep .
}

# Starts the program with the given arguments and sets `started` to its process id. An X server
# that has just started now and then refuses a connection, and then the program ends at once:
# start it again, up to five times.
startNotaro() {
    for _ in 1 2 3 4 5; do
        "$notaro" "$@" 2>/dev/null &
        started=$!
        sleep 1
        if kill -0 "$started" 2>/dev/null; then
            pids+=("$started")
            return 0
        fi
        wait "$started" 2>/dev/null || true
    done
    echo "the program did not start" >&2
    return 1
}

# Ends a program started here at once.
killNotaro() {
    kill -9 "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# Ends program $1 through File, Exit (the document saved), and waits for it to end.
quitNotaro() {
    xdotool key alt+f
    sleep 0.5
    xdotool key x # Exit
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    killNotaro "$1"
}

# The vertical centre of the tool row inside window $1: found by the green Play picture in the
# column of the Play button, so that the menu bar's height (the font's) does not matter.
toolRowY() {
    local shot rows
    shot=$(mktemp --suffix=.png)
    for _ in $(seq 100); do # until the window is painted
        import -window "$1" "$shot"
        rows=$(convert "$shot" -crop "23x90+117+0" +repage txt:- |
            grep -E '^[0-9]+,[0-9]+: \(' | sed 's/[(),:]/ /g' |
            awk '$4 > $3 + 40 && $4 > $5 + 40 { print $2 }' | sort -n | uniq)
        [ -z "$rows" ] || break
        sleep 0.1
    done
    rm -f "$shot"
    [ -n "$rows" ] || return 1
    echo $((($(head -n 1 <<<"$rows") + $(tail -n 1 <<<"$rows")) / 2))
}

# Tool-row buttons, by the x of their centre in the window (twips / 15 from the layout).
saveButtonX=62
playButtonX=128

# Clicks the tool-row button at x $2 in window $1 (the row's y in `rowY`).
clickTool() {
    xdotool mousemove --window "$1" "$2" "$rowY" click 1
}
