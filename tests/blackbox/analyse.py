"""Reads 16-bit stereo PCM recorded from the sink's monitor: where sounds start, their length
and level, gaps inside them and hard sample jumps."""
import array
import math
import sys

RATE = 44100
BLOCK = 22                # 0.5 ms: a quarter of a 1 kHz period, so a sine never looks silent
SILENT = 600              # peak under this is silence (the test tones peak near 16000)
QUIET_BEFORE_ONSET = 300  # blocks (150 ms) of silence before a new sound counts as a new onset
JUMP = 6000               # a step between samples no 1 kHz tone at half scale can make (max ~2300)


def left_channel(raw):
    samples = array.array("h")
    samples.frombytes(raw[: len(raw) // 4 * 4])
    if sys.byteorder != "little":
        samples.byteswap()
    return samples[0::2]


def block_peaks(samples):
    peaks = []
    for i in range(0, len(samples) - BLOCK + 1, BLOCK):
        chunk = samples[i:i + BLOCK]
        peaks.append(max(max(chunk), -min(chunk)))
    return peaks


class Sound:
    def __init__(self, start, end):
        self.start, self.end = start, end  # in seconds
        self.gaps = []                     # (at, length) in seconds

    @property
    def length(self):
        return self.end - self.start


def sounds(samples):
    """The sounds of a recording: a sound starts after 150 ms of silence and ends before the next
    150 ms of silence; shorter silences inside it are gaps (the output dropping out)."""
    peaks = block_peaks(samples)
    found = []
    quiet = QUIET_BEFORE_ONSET
    current = None
    run_start = None
    for i, peak in enumerate(peaks):
        if peak >= SILENT:
            if current is None:
                current = Sound(i * BLOCK / RATE, None)
            elif run_start is not None:
                current.gaps.append((run_start * BLOCK / RATE, (i - run_start) * BLOCK / RATE))
            run_start = None
            quiet = 0
        else:
            if current is not None and run_start is None:
                run_start = i
            quiet += 1
            if current is not None and quiet >= QUIET_BEFORE_ONSET:
                current.end = run_start * BLOCK / RATE
                found.append(current)
                current, run_start = None, None
    if current is not None:
        current.end = (run_start if run_start is not None else len(peaks)) * BLOCK / RATE
        found.append(current)
    return found


def sample_span(samples, level=300):
    """First and last sample whose size exceeds `level`, as indices, or None: finer than sounds(),
    for telling a whole sound from one whose first milliseconds were lost."""
    first = next((i for i, s in enumerate(samples) if abs(s) > level), None)
    if first is None:
        return None
    last = next(i for i in range(len(samples) - 1, -1, -1) if abs(samples[i]) > level)
    return first, last


def jumps(samples, start=0.0, end=None):
    """Hard sample-to-sample steps between the given times."""
    first = int(start * RATE) + 1
    last = len(samples) if end is None else min(len(samples), int(end * RATE))
    count = 0
    for i in range(first, last):
        if abs(samples[i] - samples[i - 1]) > JUMP:
            count += 1
    return count


def rms(samples, start, end):
    part = samples[int(start * RATE):int(end * RATE)]
    if not part:
        return 0.0
    return math.sqrt(sum(s * s for s in part) / len(part))


def sine_fit(part, hz):
    """Sine and cosine weights of the sine of hz that fits the samples best (least squares)."""
    step = 2 * math.pi * hz / RATE
    ss = sc = cc = ys = yc = 0.0
    for i, y in enumerate(part):
        s, c = math.sin(step * i), math.cos(step * i)
        ss, sc, cc, ys, yc = ss + s * s, sc + s * c, cc + c * c, ys + y * s, yc + y * c
    det = ss * cc - sc * sc
    return (ys * cc - yc * sc) / det, (yc * ss - ys * sc) / det


def tone_level(samples, start, end, hz):
    """Peak size of the sine of hz in [start, end) seconds: each tone of a board made of tones
    of their own frequencies is measured on its own, also while two sound at once in a fade."""
    part = samples[int(start * RATE):int(end * RATE)]
    if len(part) < 2:
        return 0.0
    a, b = sine_fit(part, hz)
    return math.hypot(a, b)


def residue_db(samples, start, end, hz):
    """What is left of [start, end) seconds once the sine of hz that fits it best is taken out
    (distortion, images, noise), in decibels below that sine."""
    part = samples[int(start * RATE):int(end * RATE)]
    step = 2 * math.pi * hz / RATE
    a, b = sine_fit(part, hz)
    signal = residue = 0.0
    for i, y in enumerate(part):
        fit = a * math.sin(step * i) + b * math.cos(step * i)
        signal += fit * fit
        residue += (y - fit) ** 2
    return 10 * math.log10(max(residue, 1e-9) / signal)


def last_above(samples, start, level):
    """Time of the last sample after `start` whose size reaches `level`."""
    first = int(start * RATE)
    for i in range(len(samples) - 1, first - 1, -1):
        if abs(samples[i]) >= level:
            return i / RATE
    return start


if __name__ == "__main__":
    data = open(sys.argv[1], "rb").read()
    left = left_channel(data)
    for s in sounds(left):
        print("sound at %.3f s, %.3f s long, %d gaps, %d jumps" % (s.start, s.length, len(s.gaps),
                                                                   jumps(left, s.start, s.end)))
