# Synthesises the eight wave effects from fixed recipes (no randomness without a fixed seed): sounds.py OUTPUT_ROOT
import math
import os
import random
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'lib'))
from hbart import wav_bytes, write  # noqa: E402

OUT = sys.argv[1]
RATE = 22050
TAU = 2 * math.pi


def note(n):
    """Frequency of MIDI note n."""
    return 440.0 * 2 ** ((n - 69) / 12)


def bell(buf, start, freq, amp, decay, length=None):
    """Adds a soft bell: a sine with a quieter inharmonic partial, a 4 ms attack and an exponential decay."""
    end = len(buf) if length is None else min(len(buf), start + length)
    attack = int(0.006 * RATE)
    for i in range(start, end):
        t = (i - start) / RATE
        rise = 1.0 if i - start >= attack else math.sin(0.5 * math.pi * (i - start) / attack) ** 2
        env = rise * math.exp(-t / decay)
        buf[i] += amp * env * (math.sin(TAU * freq * t) + 0.25 * math.sin(TAU * 2.0 * freq * t)
                               + 0.08 * math.sin(TAU * 3.01 * freq * t) * math.exp(-t / 0.05))


def bloop(buf, start, f0, f1, dur, amp):
    """A rounded upward pitch glide, like a drop falling into paint."""
    n = int(dur * RATE)
    phase = 0.0
    for k in range(n):
        if start + k >= len(buf):
            break
        x = k / n
        f = f0 * (f1 / f0) ** (x ** 0.6)
        phase += TAU * f / RATE
        # Quick smooth rise, then a smooth fall that reaches silence exactly at the end.
        if x < 0.125:
            env = math.sin(0.5 * math.pi * x / 0.125) ** 2
        else:
            env = math.cos(0.5 * math.pi * (x - 0.125) / 0.875) ** 2
        buf[start + k] += amp * env * math.sin(phase)


def finish(buf, peak, fade_in=0.003, fade_out=0.012):
    """Short fades at both ends so a one-shot never clicks, then scaling to the given peak."""
    n = len(buf)
    a, b = int(fade_in * RATE), int(fade_out * RATE)
    for i in range(min(a, n)):
        buf[i] *= i / a
    for i in range(min(b, n)):
        buf[n - 1 - i] *= i / b
    return scale(buf, peak)


def scale(buf, peak):
    top = max(abs(v) for v in buf) or 1.0
    return [int(round(v / top * peak * 32767)) for v in buf]


def fill_start(samples, bloop_from, bloop_to, chime):
    """A bright bloop followed by a rising three-note chime that dies away within the sound."""
    buf = [0.0] * samples
    bloop(buf, 0, bloop_from, bloop_to, 0.11, 0.9)
    for i, n in enumerate(chime):
        bell(buf, int((0.07 + 0.075 * i) * RATE), note(n), 0.55 - 0.08 * i, 0.07 + 0.015 * i)
    return finish(buf, 0.62, fade_out=0.06)


def periodic(samples, partials, wobble=0.0):
    """A loop that repeats without a seam: every partial is a whole number of cycles over the loop, and the
    amplitude wobble is one cycle per loop. partials: (harmonic number, amplitude, phase)."""
    buf = []
    for i in range(samples):
        x = i / samples
        v = sum(a * math.sin(TAU * k * x + p) for k, a, p in partials)
        buf.append(v * (1.0 - wobble * 0.5 * (1 - math.cos(TAU * x))))
    return buf


def fill_loop(samples):
    # 22050 / 1095 = 20.14 Hz per harmonic: 26, 33 and 39 sit near C5, E5 and G5, a soft major chord with a
    # gentle 20 Hz shimmer, like paint pouring.
    partials = [(26, 1.0, 0.0), (33, 0.7, 1.0), (39, 0.55, 2.0), (52, 0.12, 0.5), (78, 0.05, 0.3)]
    return scale(periodic(samples, partials, wobble=0.35), 0.30)


def wipe_loop(samples):
    # Soft "shhh" of a brush: a band of harmonics (1.6 to 6 kHz) with fixed random phases, brushed once per loop.
    rng = random.Random(6)
    partials = []
    for k in range(60, 300):
        centre = 150.0
        amp = math.exp(-((k - centre) / 70.0) ** 2) / math.sqrt(k)
        partials.append((k, amp, rng.uniform(0, TAU)))
    return scale(periodic(samples, partials, wobble=0.6), 0.22)


def wipe_start(samples):
    """A downward harp glissando over a rising swoosh of filtered noise."""
    buf = [0.0] * samples
    rng = random.Random(7)
    # Swoosh: white noise through a two-pole band-pass whose centre sweeps up and back down.
    y1 = y2 = 0.0
    for i in range(samples):
        x = i / samples
        centre = 600 + 3400 * math.sin(math.pi * x) ** 1.5
        r = 0.96
        c = 2 * r * math.cos(TAU * centre / RATE)
        y = rng.uniform(-1, 1) * (1 - r) + c * y1 - r * r * y2
        y2, y1 = y1, y
        env = math.sin(math.pi * x) ** 2
        buf[i] += 6.0 * y * env
    # Glissando: a pentatonic run from C7 down to C6, one pluck every 22 ms.
    run = [96, 93, 91, 88, 86, 84, 81, 79, 76, 74, 72]
    for j, n in enumerate(run):
        bell(buf, int((0.02 + 0.022 * j) * RATE), note(n), 0.30, 0.06)
    return finish(buf, 0.55, fade_out=0.03)


def colour_pick(samples):
    """A soft, round blip that lifts slightly in pitch."""
    buf = [0.0] * samples
    phase = 0.0
    for i in range(samples):
        t = i / RATE
        f = 880 * (1 + 0.19 * (1 - math.exp(-t / 0.015)))
        phase += TAU * f / RATE
        env = math.exp(-t / 0.035)
        buf[i] = env * (math.sin(phase) + 0.2 * math.sin(2 * phase))
    return finish(buf, 0.45, fade_in=0.002, fade_out=0.01)


def main():
    # Sample counts are fixed by the program's effect table (data bytes / 2).
    effects = {
        1: fill_start(9856, 260, 780, [84, 88, 91]),     # C6 E6 G6
        2: fill_start(9893, 240, 700, [79, 84, 88]),     # G5 C6 E6
        3: fill_start(10012, 300, 900, [88, 91, 96]),    # E6 G6 C7
        4: fill_start(9936, 220, 660, [86, 91, 93]),     # D6 G6 A6
        5: fill_loop(1095),
        6: wipe_loop(1072),
        7: wipe_start(9020),
        8: colour_pick(2307),
    }
    for number, samples in effects.items():
        data = wav_bytes(samples, RATE)
        write(os.path.join(OUT, 'resources', 'sounds', '%d.wav' % number), data)
        if number == 7:
            write(os.path.join(OUT, 'resources', 'sounds', 'ClearWave.wav'), data)


main()
