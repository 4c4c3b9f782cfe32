# Writes the background music, an arrangement of the traditional "Twinkle, Twinkle, Little Star": tune.py OUTPUT_ROOT
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'lib'))
from hbart import midi_bytes, write  # noqa: E402

OUT = sys.argv[1]
PPQ = 480
BPM = 116
BAR = 4 * PPQ

NOTE = {'C': 0, 'D': 2, 'E': 4, 'F': 5, 'G': 7, 'A': 9, 'B': 11}


def pitch(name):
    """'C5' is middle C's octave up (MIDI 72); a trailing '#' raises a semitone."""
    sharp = name.endswith('#')
    name = name.rstrip('#')
    return 12 * (int(name[1:]) + 1) + NOTE[name[0]] + (1 if sharp else 0)


# The melody, a quarter note per token, '-' holding the previous note; two tokens per chord below.
MELODY = ('C5 C5 G5 G5 A5 A5 G5 - F5 F5 E5 E5 D5 D5 C5 - '
          'G5 G5 F5 F5 E5 E5 D5 - G5 G5 F5 F5 E5 E5 D5 - '
          'C5 C5 G5 G5 A5 A5 G5 - F5 F5 E5 E5 D5 D5 C5 -').split()
CHORDS = 'C C F C F C G C C F C G C F C G C C F C F C G C'.split()
TRIAD = {'C': ['C', 'E', 'G'], 'F': ['F', 'A', 'C'], 'G': ['G', 'B', 'D']}

# General MIDI programs and the channels that play them.
GLOCKENSPIEL, MUSIC_BOX, MARIMBA, ACOUSTIC_BASS, PIANO = 9, 10, 12, 32, 0
CH_TUNE, CH_ECHO, CH_BASS, CH_PIANO, CH_DRUMS = 0, 1, 2, 3, 9

events = []


def on(tick, ch, key, vel, length):
    events.append((tick, 1, bytes((0x90 | ch, key, vel))))
    events.append((tick + length, 0, bytes((0x80 | ch, key, 0))))


def program(ch, prog, volume, reverb):
    events.append((0, 0, bytes((0xC0 | ch, prog))))
    events.append((0, 0, bytes((0xB0 | ch, 7, volume))))
    events.append((0, 0, bytes((0xB0 | ch, 91, reverb))))


def melody(start, ch, octave_shift, vel):
    tick = start
    i = 0
    while i < len(MELODY):
        held = 1
        while i + held < len(MELODY) and MELODY[i + held] == '-':
            held += 1
        on(tick, ch, pitch(MELODY[i]) + 12 * octave_shift, vel, held * PPQ - 40)
        tick += held * PPQ
        i += held


def accompaniment(start, chords, lively):
    """Bouncy bass on beats 1 and 3, soft piano chords on 2 and 4, a shaker on the off-beats and a soft kick;
    lively adds a marimba broken chord in eighths."""
    for h, chord in enumerate(chords):
        t = start + h * 2 * PPQ
        root = pitch(chord + '2')
        fifth = pitch(TRIAD[chord][2] + '2')
        if fifth < root:
            fifth += 12
        # Oom-pah: the root on the bar's first half, the fifth below it on the second.
        on(t, CH_BASS, root if h % 2 == 0 else fifth - 12, 96, PPQ - 60)
        for name in TRIAD[chord]:
            on(t + PPQ, CH_PIANO, pitch(name + '4'), 54, PPQ - 80)
        if lively:
            up = [pitch(TRIAD[chord][k] + '5') for k in (0, 1, 2, 1)]
            for k, key in enumerate(up):
                on(t + k * PPQ // 2, CH_ECHO, key, 50, PPQ // 2 - 30)
        on(t + PPQ // 2, CH_DRUMS, 70, 40, 60)   # maracas
        on(t + 3 * PPQ // 2, CH_DRUMS, 70, 34, 60)
        on(t, CH_DRUMS, 36, 50 if h % 2 == 0 else 38, 60)   # soft kick


def main():
    events.append((0, 0, b'\xff\x51\x03' + (60_000_000 // BPM).to_bytes(3, 'big')))
    events.append((0, 0, b'\xff\x58\x04\x04\x02\x18\x08'))
    program(CH_TUNE, GLOCKENSPIEL, 100, 40)
    program(CH_ECHO, MARIMBA, 90, 30)
    program(CH_BASS, ACOUSTIC_BASS, 100, 20)
    program(CH_PIANO, PIANO, 80, 30)
    events.append((0, 0, bytes((0xB0 | CH_DRUMS, 7, 80))))

    # One bar of accompaniment leads in, so the tune starts the same way every time it comes round again.
    tick = 0
    accompaniment(tick, ['C', 'C'], False)
    tick += BAR
    # First time round: glockenspiel with bass, chords and shaker.
    melody(tick, CH_TUNE, 0, 92)
    accompaniment(tick, CHORDS, False)
    tick += 12 * BAR
    # Second time: the tune an octave up with the marimba rippling beneath it.
    events.append((tick, 0, bytes((0xC0 | CH_TUNE, MUSIC_BOX))))
    melody(tick, CH_TUNE, 1, 84)
    accompaniment(tick, CHORDS, True)
    tick += 12 * BAR
    # A closing bar on the home chord.
    for name in ('C4', 'E4', 'G4', 'C5'):
        on(tick, CH_PIANO, pitch(name), 60, BAR - 120)
    on(tick, CH_BASS, pitch('C2'), 96, PPQ)
    on(tick, CH_TUNE, pitch('C6'), 80, 2 * PPQ)
    on(tick, CH_DRUMS, 36, 50, 60)
    tick += BAR
    # The end of track falls exactly on the last bar line, so the next start keeps the beat.
    write(os.path.join(OUT, 'data', 'hueberry.mid'), midi_bytes(events, PPQ, tick))


main()
