"""Independent view of Standard MIDI Files for the notaro MIDI tests, using mido.

dump FILE   prints the header, then one line per message of each track as mido reads it:
            "TRACK TYPE DELTA HEX", HEX being the message's bytes as mido encodes them.
make FILE   writes a multi-track file of mido's own (running status, tempo changes, sysex).
times FILE  prints every message except End of Track in playback order: "TICK MS HEX", where TICK
            and MS are the absolute ticks and milliseconds mido computes.
"""
import sys

import mido


def hex_of(msg):
    return ''.join('%02X' % b for b in msg.bytes())


def dump(path):
    mid = mido.MidiFile(path)
    print('header', mid.type, len(mid.tracks), mid.ticks_per_beat)
    for i, track in enumerate(mid.tracks):
        for msg in track:
            print(i, msg.type, msg.time, hex_of(msg))


def to_track(events):
    """A track from (absolute tick, message) pairs, in the order given."""
    track = mido.MidiTrack()
    now = 0
    for tick, msg in events:
        track.append(msg.copy(time=tick - now))
        now = tick
    return track


def make(path):
    mid = mido.MidiFile(type=1, ticks_per_beat=480)
    # Tempo changes land on whole milliseconds (1.25 ms and 0.8333 ms per tick before them).
    mid.tracks.append(to_track([
        (0, mido.MetaMessage('track_name', name='Conductor')),
        (0, mido.MetaMessage('set_tempo', tempo=600000)),
        (0, mido.MetaMessage('time_signature', numerator=3, denominator=4)),
        (1000, mido.MetaMessage('marker', text='B')),
        (1920, mido.MetaMessage('set_tempo', tempo=400000)),
    ]))
    melody = [(0, mido.Message('program_change', channel=0, program=71))]
    tick = 0
    for i in range(24):
        # note_off as note_on with velocity 0 keeps one status byte, so mido writes running status.
        melody.append((tick, mido.Message('note_on', channel=0, note=60 + i % 12, velocity=90)))
        tick += 157
        melody.append((tick, mido.Message('note_on', channel=0, note=60 + i % 12, velocity=0)))
        tick += 3
    melody += [
        (tick, mido.Message('sysex', data=[0x7E, 0x7F, 0x09, 0x01])),
        (tick + 1, mido.Message('control_change', channel=0, control=7, value=100)),
        (tick + 2, mido.Message('pitchwheel', channel=0, pitch=-2000)),
        (tick + 3, mido.Message('aftertouch', channel=0, value=33)),
        (tick + 4, mido.Message('polytouch', channel=0, note=60, value=12)),
    ]
    mid.tracks.append(to_track(melody))
    drums = [
        (0, mido.Message('note_on', channel=9, note=36, velocity=127)),
        (1920, mido.Message('note_on', channel=9, note=38, velocity=100)),
        (3840, mido.MetaMessage('set_tempo', tempo=750000)),
        (3840, mido.Message('note_on', channel=9, note=42, velocity=80)),
        (4001, mido.MetaMessage('lyrics', text='la')),
        (5555, mido.Message('note_off', channel=9, note=42, velocity=0)),
    ]
    mid.tracks.append(to_track(drums))
    mid.save(path)


def times(path):
    mid = mido.MidiFile(path)
    seconds = 0.0
    tick = 0
    for timed, ticked in zip(mid, mido.merge_tracks(mid.tracks)):
        seconds += timed.time
        tick += ticked.time
        if ticked.type != 'end_of_track':
            print(tick, repr(seconds * 1000.0), hex_of(ticked))


if __name__ == '__main__':
    {'dump': dump, 'make': make, 'times': times}[sys.argv[1]](sys.argv[2])
