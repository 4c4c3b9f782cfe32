# Checks sound.sh's recording against the WAVE effects, found in it byte for byte, and against the session's
# inputs (marks.txt: input and its byte in the recording); and the tune's commands in Wine's MCI
# trace of the session. Usage: sound.py FOLDER WAVE_FOLDER
import array
import re
import sys
import wave

folder, wave_folder = sys.argv[1:]
MS, PIECE, LOOPS = 44.1, 440, (5, 6)  # recording bytes a millisecond (22,050 two-byte samples a second); 10 ms
cap = open(folder + '/cap.raw', 'rb').read()
waves = {n: wave.open('%s/%d.wav' % (wave_folder, n)).readframes(1 << 20) for n in range(1, 9)}
marks = [(m[0], int(m[1])) for m in map(str.split, open(folder + '/marks.txt'))]
errors = []

# Plays: runs of one wave's 10 ms pieces; a one-shot starts again when its pieces go back to its beginning.
# Under load a play loses pieces to underruns, silence in the recording, and goes on after the gap.
found = []
for n, data in waves.items():
    for k in set(range(0, len(data) - PIECE + 1, PIECE)) | {len(data) - PIECE}:
        at = cap.find(data[k:k + PIECE])
        while at >= 0:
            found += [(at, n, k)] * (at % 2 == 0)
            at = cap.find(data[k:k + PIECE], at + 1)
plays, covered, gaps = [], bytearray(len(cap)), 0
for at, n, k in sorted(found):
    covered[at:at + PIECE] = b'\1' * PIECE
    p = plays[-1] if plays else None
    if p and p['n'] == n and (n in LOOPS or k > p['k']):
        gaps, p['hi'], p['k'] = gaps + (at > p['hi']), at + PIECE, k
    else:
        plays.append({'n': n, 'lo': at, 'hi': at + PIECE, 'k': k, 'onset': at - k})

# Sound in no piece: under 10 ms it is where one sound cut another; longer, a piece of the play before or after
# it between gaps, off the pieces' grid; else another sound, or two at once.
loud = [i for i, v in enumerate(array.array('h', cap[:len(cap) & ~1])) if v and not covered[2 * i]] + [len(cap)]
first = loud[0]
for i, j in zip(loud, loud[1:]):
    if j > i + 1:
        near = [p for p in plays if p['lo'] <= 2 * first][-1:] + [p for p in plays if p['lo'] > 2 * first][:1]
        if i - first >= PIECE // 2 and all((waves[p['n']] * 2).find(cap[2 * first:2 * i + 2]) % 2 for p in near):
            errors.append('%.0f ms: %.0f ms of sound that is no effect, or two at once'
                          % (2 * first / MS, (i - first) * 2 / MS))
        first = j

# What each input starts, in order ('1234': any opener); every opener heard once at least, so none is
# another's sound.
due = {'colour': ['8'], 'long': ['1234', '5'], 'short': ['1234'], 'clear': ['7', '6']}
want = [(w, kind, at) for kind, at in marks for w in due.get(kind, [])]
if len(plays) != len(want) or any(str(p['n']) not in w for p, (w, _, _) in zip(plays, want)):
    errors.append('heard %s, due %s' % (' '.join(str(p['n']) for p in plays), ' '.join(w for w, _, _ in want)))
if {p['n'] for p in plays} & {1, 2, 3, 4} != {1, 2, 3, 4}:
    errors.append('of the openers only %s were heard' % sorted({p['n'] for p in plays} & {1, 2, 3, 4}))

# The bounds: 10 ms is how far the recording's length, read at an input, may run behind it, 100 ms what an
# underrun may take off an end. The key C shows the button pressed for 125 ms before Clear runs. A one-shot
# starts within 150 ms of its input; a loop takes over at the first frame after 450 ms, so within 100 ms of
# 450 ms after the opener, and sounds until the animation ends (the main window is enabled after): 70 frames
# at least 20 ms apart in the fill, 94 at least 30 ms apart in the wipe.
print('sound input   ms after the input: onset, end')
opener = 0
for i, (p, (w, kind, at)) in enumerate(zip(plays, want)):
    n, onset, hi, flash = p['n'], (p['onset'] - at) / MS, (p['hi'] - at) / MS, 125 * (kind == 'clear')
    if str(n) not in w:
        break
    print('%-5d %-7s %6.1f %7.1f' % (n, kind, onset, hi))
    nxt = (min([x for k, x in marks if k in due and x > at] + [len(cap)]) - at) / MS
    if n in LOOPS:
        end = (min(x for k, x in marks if k == 'end' and x > at) - at) / MS
        print('      %.1f ms after the opener; the animation ended at %.1f' % (onset - opener, end))
        least = flash + (1400 if n == 5 else 2820) - 100
        if not 450 - 10 <= onset - opener <= 450 + 100 or not least <= hi <= end + 10:
            errors.append('%d sounded from %.1f to %.1f ms after its %s, which ended at %.1f' % (n, onset, hi, kind, end))
    elif not flash - 10 <= onset <= flash + 150 or hi < min(onset + len(waves[n]) / MS, 450 if kind == 'long' else nxt) - 100:
        errors.append('%d sounded from %.1f to %.1f ms after its %s, the next input at %.1f'
                      % (n, onset, hi, kind, nxt))
    opener = onset
print('%d plays, %d gaps in them' % (len(plays), gaps))

# The tune: opened, played with its end told to the main window, rewound and played once more for the end notice,
# stopped and closed at Quit; with no page to open, stopped and closed with nothing after, though the stop's own
# notice reaches the window.
log = open(folder + '/session.log', errors='replace').read()
mci = [c + ' (window)' * (int(w, 16) != 0)
       for c, w in re.findall(r'mciSendStringW \(L"(.*)", \w+, 0, (\w+)\)$', log, re.M)]
play, stop = ['seek MainMidi to start wait', 'play MainMidi notify (window)'], ['stop MainMidi', 'close MainMidi']
start = [r'open .\\hueberry.mid alias MainMidi type sequencer', 'seek MainMidi to start wait'] + play
if mci != start + play + stop + start + stop:
    errors.append('the tune: ' + '|'.join(mci))
for e in errors:
    print('FAIL:', e)
sys.exit(1 if errors else 0)
