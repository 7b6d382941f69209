"""Independent view of Standard MIDI Files through mido for the notaro MIDI tests.
dump FILE   header, then "TRACK TYPE DELTA HEX" per message as mido reads and encodes it.
make FILE   writes a multi-track file of mido's own (running status, tempo changes, sysex).
times FILE  "TICK MS HEX" per message but End of Track, in playback order, as mido times them.
"""
import sys

import mido
from mido import Message as M, MetaMessage as Meta


def hex_of(msg):
    return ''.join('%02X' % b for b in msg.bytes())


def dump(path):
    mid = mido.MidiFile(path)
    print('header', mid.type, len(mid.tracks), mid.ticks_per_beat)
    for i, track in enumerate(mid.tracks):
        for msg in track:
            print(i, msg.type, msg.time, hex_of(msg))


def to_track(events):
    track, now = mido.MidiTrack(), 0
    for tick, msg in events:
        track.append(msg.copy(time=tick - now))
        now = tick
    return track


def make(path):
    mid = mido.MidiFile(type=1, ticks_per_beat=480)
    # Tempo changes land on whole milliseconds.
    mid.tracks.append(to_track([(0, Meta('track_name', name='Conductor')), (0, Meta('set_tempo', tempo=600000)),
                                (1000, Meta('marker', text='B')), (1920, Meta('set_tempo', tempo=400000))]))
    melody, tick = [(0, M('program_change', program=71))], 0
    for i in range(24):
        # A note-off as note_on with velocity 0 keeps the status byte, so mido writes running status.
        melody += [(tick, M('note_on', note=60 + i % 12, velocity=90)),
                   (tick + 157, M('note_on', note=60 + i % 12, velocity=0))]
        tick += 160
    melody += [(tick, M('sysex', data=[0x7E, 0x7F, 0x09, 0x01])), (tick + 1, M('control_change', control=7, value=100)),
               (tick + 2, M('pitchwheel', pitch=-2000)), (tick + 3, M('aftertouch', value=33))]
    mid.tracks.append(to_track(melody))
    mid.tracks.append(to_track([(0, M('note_on', channel=9, note=36, velocity=127)),
                                (3840, Meta('set_tempo', tempo=750000)),
                                (3840, M('note_on', channel=9, note=42, velocity=80)),
                                (5555, M('note_off', channel=9, note=42, velocity=0))]))
    mid.save(path)


def times(path):
    mid = mido.MidiFile(path)
    seconds, tick = 0.0, 0
    for timed, ticked in zip(mid, mido.merge_tracks(mid.tracks)):
        seconds += timed.time
        tick += ticked.time
        if ticked.type != 'end_of_track':
            print(tick, repr(seconds * 1000.0), hex_of(ticked))


if __name__ == '__main__':
    {'dump': dump, 'make': make, 'times': times}[sys.argv[1]](sys.argv[2])
