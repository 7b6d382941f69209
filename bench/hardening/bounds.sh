#!/bin/sh
# Feeds the command-line tools (and the score file reader alone) the largest and most hostile
# inputs a user can hand them and prints, for each, the wall time, the peak resident memory and
# how it ended. Every case runs under a time limit, so a reader that hangs shows up as "timeout"
# instead of stopping the run.
# usage: bench/hardening/bounds.sh [BUILD_BIN_DIR]   (default: build/bin beside this script)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bin=${1:-$here/../../build/bin}
cli=$bin/notaro-cli
limit=${BOUNDS_LIMIT:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/notaro"

# Inputs. Scores use CR LF; "4c " is the shortest note the score language has.
python3 - "$work" <<'PY'
import os, struct, sys
w = sys.argv[1]
def put(name, data):
    with open(os.path.join(w, name), "wb") as f:
        f.write(data)
head = b"**n[a-b-c]\r\n"
line = b"4c " * 26 + b"4c\r\n"              # 82 characters, 27 notes
put("dense.ntr", head + line * ((64000 - len(head)) // len(line)))
put("longline.ntr", head + b"4c " * 19996 + b"4c\r\n")   # one 60,000-character line
bomb = head + b"*def[D0]\r\n4c 4d\r\n*enddef\r\n"
for i in range(1, 10):
    bomb += b"*def[D%d]\r\n*usedef[D%d:32767]\r\n*enddef\r\n" % (i, i - 1)
put("bomb.ntr", bomb + b"*usedef[D9:32767]\r\n")
mthd = lambda ntrk: b"MThd" + struct.pack(">IhhH", 6, 1, ntrk, 96)
body = b"\x00\x90\x3c\x40" + b"\x00\x3c\x40" * ((100 * 1024 * 1024 - 8) // 3)
put("big.mid", mthd(1) + b"MTrk" + struct.pack(">I", len(body)) + body)
put("tracks32767-20b.mid", mthd(32767) + b"MTrk\x00\x00")
eot = b"MTrk" + struct.pack(">I", 4) + b"\x00\xff\x2f\x00"
put("tracks32767-real.mid", mthd(32767) + eot * 32767)
ini = [b"[Filler%d]\r\nKey=%s\r\n" % (i, b"x" * 60) for i in range(9 * 1024 * 1024 // 80)]
ini.append(b"[OnRatios]\r\nNormal=" + b"0.5, " * (1024 * 1024 // 5) + b"\r\n")
put("para.ini", b"".join(ini))
put("empty.sf2", b"")
mib = line * (1024 * 1024 // len(line))
with open(os.path.join(w, "huge.ntr"), "wb") as f:       # 200 MB of notes
    f.write(head + mib * 200)
put("limit.ntr", head + mib * 63)                        # just below notaro-cli's 64 MiB
PY
mkfifo "$work/fifo.sf2" "$work/fifo.ntr"
mkdir "$work/folder.ntr"
printf '**n[a-b-c]\r\n4c 4d 4e\r\n' > "$work/small.ntr"

printf '%-34s %-26s %9s %11s  %s\n' case "entry point" "time (s)" "max RSS KB" outcome
run() { # name, entry point label, command...
    name=$1 entry=$2
    shift 2
    set +e
    /usr/bin/time -f '%e %M' -o "$work/time" timeout -s KILL $limit "$@" >"$work/out" 2>"$work/err"
    rc=$?
    set -e
    # time puts its "exited with non-zero status" note first; the figures are the last line.
    set -- $(tail -n 1 "$work/time")
    secs=${1:-?} rss=${2:-?}
    if [ $rc -eq 137 ]; then
        outcome="timeout after ${limit}s"
    else
        msg=$(head -n 1 "$work/err" | sed "s|$work/||" | cut -c1-80)
        outcome="exit $rc, $(wc -c <"$work/out") bytes out${msg:+; \"$msg\"}"
    fi
    printf '%-34s %-26s %9s %11s  %s\n' "$name" "$entry" "$secs" "$rss" "$outcome"
}

run "64000-char score, densest notes" "notaro-cli check" "$cli" check "$work/dense.ntr"
run "64000-char score, densest notes" "notaro-cli midi" "$cli" midi -o "$work/o.mid" "$work/dense.ntr"
run "definition bomb" "notaro-cli check" "$cli" check "$work/bomb.ntr"
run "definition bomb" "notaro-cli midi" "$cli" midi -o "$work/o.mid" "$work/bomb.ntr"
run "60000-char score line" "notaro-cli check" "$cli" check "$work/longline.ntr"
run "60000-char score line" "notaro-cli midi" "$cli" midi -o "$work/o.mid" "$work/longline.ntr"
run "64 MiB score (the tool's limit)" "notaro-cli check" "$cli" check "$work/limit.ntr"
run "200 MB score" "notaro-cli check" "$cli" check "$work/huge.ntr"
run "200 MB score" "readScoreFile (tool)" "$bin/read_score_file" tool "$work/huge.ntr"
run "200 MB score" "readScoreFile (editor)" "$bin/read_score_file" editor "$work/huge.ntr"
run "score is a FIFO" "notaro-cli check" "$cli" check "$work/fifo.ntr"
run "score is a folder" "notaro-cli check" "$cli" check "$work/folder.ntr"
run "MIDI file is a FIFO" "notaro-cli dump" "$cli" dump "$work/fifo.ntr"
run "stdin is a pipe nobody writes" "notaro-cli dump" sh -c '"$1" dump /dev/stdin <>"$2"' sh "$cli" "$work/fifo.ntr"
run "100 MB MIDI file (35M events)" "notaro-cli dump" "$cli" dump "$work/big.mid"
run "header of 32767 tracks, 20 bytes" "notaro-cli dump" "$cli" dump "$work/tracks32767-20b.mid"
run "32767 empty tracks (393 KB)" "notaro-cli dump" "$cli" dump "$work/tracks32767-real.mid"
cp "$work/para.ini" "$XDG_CONFIG_HOME/notaro/para.ini"
run "10 MB para.ini, 1 MB line" "loadOnRatios (cli midi)" "$cli" midi -o "$work/o.mid" "$work/small.ntr"
rm "$XDG_CONFIG_HOME/notaro/para.ini"
run "SoundFont is a FIFO" "notaro-cli render" "$cli" render --soundfont "$work/fifo.sf2" -o "$work/o.wav" "$work/small.ntr"
run "SoundFont is a 0-byte file" "notaro-cli render" "$cli" render --soundfont "$work/empty.sf2" -o "$work/o.wav" "$work/small.ntr"
printf '[Midi]\r\nSoundFont=%s\r\n' "$work/fifo.sf2" > "$XDG_CONFIG_HOME/notaro/para.ini"
run "SoundFont is a FIFO" "FluidSynthMidiOut (play)" "$cli" play "$work/small.ntr"
printf '[Midi]\r\nSoundFont=%s\r\n' "$work/empty.sf2" > "$XDG_CONFIG_HOME/notaro/para.ini"
run "SoundFont is a 0-byte file" "FluidSynthMidiOut (play)" "$cli" play "$work/small.ntr"
