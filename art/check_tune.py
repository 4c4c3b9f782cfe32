# Renders the tune offline and checks it is music: sounding from its start to its end of track, never
# silent for more than a second (the program replays it when it ends). Usage: check_tune.py TUNE.mid
import array
import math
import subprocess
import sys
import tempfile
import wave

FONT = '/usr/share/sounds/sf2/TimGM6mb.sf2'
SILENT = -60.0  # dBFS over 100 ms at gain 1: the tune itself keeps above -45, a reverb tail falls below
midi = open(sys.argv[1], 'rb').read()


def varlen(i):
    value = 0
    while True:
        value, i = value << 7 | midi[i] & 0x7F, i + 1
        if midi[i - 1] < 0x80:
            return value, i


def length():
    """Seconds to the end of track of a one-track file, through its tempo changes."""
    assert midi[:4] == b'MThd' and midi[8:10] == b'\0\0', 'not a one-track MIDI file'
    division, i, seconds, tempo, status = int.from_bytes(midi[12:14], 'big'), 22, 0.0, 500000, 0
    while True:
        delta, i = varlen(i)
        seconds += delta * tempo / division / 1e6
        if midi[i] & 0x80:
            status, i = midi[i], i + 1
        if status in (0xF0, 0xF7, 0xFF):
            kind, i = (midi[i], i + 1) if status == 0xFF else (0, i)
            size, i = varlen(i)
            if kind == 0x51:
                tempo = int.from_bytes(midi[i:i + 3], 'big')
            if kind == 0x2F:
                return seconds
            i += size
        else:
            i += 1 if status >> 4 in (0xC, 0xD) else 2


with tempfile.NamedTemporaryFile(suffix='.wav') as out:
    subprocess.run(['fluidsynth', '-niq', '-g', '1', '-r', '22050', '-F', out.name, FONT, sys.argv[1]],
                   check=True, stdout=subprocess.DEVNULL)
    with wave.open(out.name) as w:
        frames, rate = array.array('h', w.readframes(w.getnframes())), w.getframerate() * w.getnchannels()
end = length()
window = rate // 10
levels = [20 * math.log10(max(1e-9, math.sqrt(sum(x * x for x in frames[i:i + window]) / window)) / 32768)
          for i in range(0, int(end * rate) - window + 1, window)]
longest = run = 0
for level in levels:
    run = run + 1 if level < SILENT else 0
    longest = max(longest, run)
ok = levels and longest <= 10
print('tune: %.1f s, quietest 100 ms %.1f dBFS, longest silence %.1f s%s'
      % (end, min(levels), longest / 10, '' if ok else ': FAILED, silent for over a second'))
sys.exit(0 if ok else 1)
