#!/bin/bash
# The real window as assistive technology sees it: on an X server (xvfb-run) with a session
# D-Bus and an AT-SPI bus of its own, the five tool buttons are found by name in the window's
# accessible tree, and Play / Stop is pressed while a score plays (on a private PulseAudio
# server with a null sink). Exits 77 (skipped) only when the AT-SPI bus cannot start.
# Usage: xvfb-run -a atspi_tool_buttons.sh NOTARO ATSPI_TREE_PY
set -eu
if [ -z "${INSIDE_SESSION:-}" ]; then
    exec env INSIDE_SESSION=1 dbus-run-session -- "$0" "$@"
fi
notaro=$1
tree=$2
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
    pulseaudio --kill 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_STATE_HOME=$work/state XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
mkdir -m 700 "$work/run"

# The AT-SPI bus: its launcher registers it on the session bus.
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
busUp() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1
}
for _ in $(seq 100); do busUp && break; sleep 0.2; done
if ! busUp; then
    echo "the AT-SPI bus did not start: skipped" >&2
    exit 77
fi

play=()
if pulseaudio -D -n --exit-idle-time=-1 --load="module-null-sink sink_name=nul" \
    --load=module-native-protocol-unix 2>/dev/null; then
    play=(--play)
else
    echo "no PulseAudio server: the pressed state while playing is not checked" >&2
fi
# Long enough to be playing while the state is read.
printf '**n[a-b-c]\r\n*t[60]\r\n1c 1d 1e 1f 1g 1a 1b 1c 1d 1e 1f 1g 1a 1b\r\n' >"$work/tune.NTR"

# An X server that has just started now and then refuses a connection, and then the program
# ends at once: start it again, up to three times.
started=
for _ in 1 2 3; do
    "$notaro" "$work/tune.NTR" &
    pid=$!
    sleep 1
    if kill -0 "$pid" 2>/dev/null; then
        pids+=("$pid")
        started=1
        break
    fi
    wait "$pid" 2>/dev/null || true
done
[ -n "$started" ] || { echo "the program did not start" >&2; exit 1; }
/usr/bin/python3 "$tree" "$pid" "${play[@]}"
