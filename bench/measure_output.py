#!/usr/bin/env python3
"""Records what the engine sends to the sound server and measures it.

Runs inside a private PulseAudio daemon (bench/measure_output.sh sets it up): the engine plays
on its default output (RBX_OUTPUT_PORTAUDIO=1: through PortAudio and ALSA's plug-in) into a null
sink whose monitor parec records. Reports, per case:
gaps (runs of digital silence inside a tone), sample jumps (discontinuities no tone of the file
can make), server-side stream re-creations, and the time from the play call to the first recorded
sample. paplay plays the same tone in the same run as the reference. Standard library only.
"""
import argparse
import math
import os
import statistics
import struct
import subprocess
import sys
import threading
import time
import wave

RATE = 44100
FULL = 32767


def write_tone(path, seconds, tones):
    """tones: list of (frequency Hz, amplitude 0..1); a stereo 16-bit WAV, same in both channels."""
    frames = int(seconds * RATE)
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(RATE)
        chunk = bytearray()
        for n in range(frames):
            v = 0.0
            for f, a in tones:
                v += a * math.sin(2 * math.pi * f * n / RATE)
            s = int(round(v * FULL))
            chunk += struct.pack("<hh", s, s)
            if len(chunk) >= 1 << 16:
                w.writeframes(chunk)
                chunk = bytearray()
        w.writeframes(chunk)


class Recorder:
    """parec on the sink's monitor; keeps every chunk's arrival time on the monotonic clock."""

    def __init__(self, source):
        self.proc = subprocess.Popen(
            ["parec", "-d", source, "--raw", "--format=s16le", "--rate=%d" % RATE,
             "--channels=2", "--latency-msec=5"], stdout=subprocess.PIPE)
        self.data = bytearray()
        self.marks = []  # (monotonic ns at arrival, frames recorded after this chunk)
        self.lock = threading.Lock()
        self.thread = threading.Thread(target=self._run, daemon=True)
        self.thread.start()

    def _run(self):
        fd = self.proc.stdout.fileno()
        while True:
            b = os.read(fd, 4096)
            if not b:
                return
            t = time.monotonic_ns()
            with self.lock:
                self.data += b
                self.marks.append((t, len(self.data) // 4))

    def frames(self):
        with self.lock:
            return len(self.data) // 4

    def stop(self):
        self.proc.terminate()
        self.proc.wait(timeout=5)
        self.thread.join(timeout=5)

    def left(self, start, end):
        with self.lock:
            raw = bytes(self.data[start * 4:end * 4])
        return list(struct.unpack("<%dh" % (len(raw) // 2), raw))[0::2]

    def time_of(self, frame):
        """Estimated monotonic ns at which a recorded frame reached the monitor."""
        with self.lock:
            for t, after in self.marks:
                if after > frame:
                    return t - (after - frame) * 1_000_000_000 // RATE
        return None


def cpu_seconds(pid):
    """User + system CPU seconds of a process so far (all its threads)."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class Probe:
    def __init__(self, path, buffer_ms, idle_ms=None):
        env = dict(os.environ)
        if idle_ms is not None:
            env["RBX_OUTPUT_IDLE_MS"] = str(idle_ms)
        self.proc = subprocess.Popen([path, "1", str(buffer_ms)], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, text=True, bufsize=1, env=env)
        first = self.proc.stdout.readline().split()
        if not first or first[0] != "ready":
            raise RuntimeError("probe did not start: %r" % first)

    def ask(self, line):
        self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()
        return self.proc.stdout.readline().split()

    def close(self):
        try:
            self.proc.stdin.write("quit\n")
            self.proc.stdin.flush()
            self.proc.wait(timeout=10)
        except (BrokenPipeError, subprocess.TimeoutExpired):
            self.proc.kill()


def analyse(samples, tones):
    """Gaps and jumps inside the span where the tone sounds."""
    threshold = 300
    active = [i for i, s in enumerate(samples) if abs(s) > threshold]
    if not active:
        return {"sound": False, "gaps": 0, "gap_ms": [], "jumps": 0, "seconds": 0.0}
    first, last = active[0], active[-1]
    peak = max(abs(s) for s in samples[first:last + 1])
    expected = sum(a for _, a in tones) * FULL
    gain = peak / expected if expected else 1.0
    # A sum of sines bends no faster than this; a dropped or repeated stretch bends much faster.
    bend = sum(a * FULL * (2 * math.pi * f / RATE) ** 2 for f, a in tones) * gain
    jump_limit = max(200.0, 4.0 * bend)
    gaps, gap_ms, jumps, jump_ms = 0, [], 0, []
    run = 0
    for i in range(first, last + 1):
        s = samples[i]
        if s == 0:
            run += 1
        else:
            if run >= 4:
                gaps += 1
                gap_ms.append((round((i - first) * 1000.0 / RATE), round(run * 1000.0 / RATE, 2)))
            run = 0
        if i >= first + 2:
            second = samples[i] - 2 * samples[i - 1] + samples[i - 2]
            if abs(second) > jump_limit:
                jumps += 1
                jump_ms.append(round((i - first) * 1000.0 / RATE))
    return {"sound": True, "gaps": gaps, "gap_ms": gap_ms[:10], "jumps": jumps, "jump_ms": jump_ms[:10],
            "seconds": round((last - first + 1) / RATE, 3), "gain": round(gain, 3)}


def first_sound(rec, from_frame, to_frame, threshold=300):
    samples = rec.left(from_frame, to_frame)
    for i, s in enumerate(samples):
        if abs(s) > threshold:
            return from_frame + i
    return None


class SinkInputCounter:
    """Counts the sink inputs the server creates (each re-creation of a stream is one more)."""

    def __init__(self):
        self.proc = subprocess.Popen(["pactl", "subscribe"], stdout=subprocess.PIPE, text=True)
        self.count = 0
        self.thread = threading.Thread(target=self._run, daemon=True)
        self.thread.start()

    def _run(self):
        for line in self.proc.stdout:
            if "'new' on sink-input" in line:
                self.count += 1

    def stop(self):
        self.proc.terminate()
        self.proc.wait(timeout=5)


def play_engine(args, rec, files, tones, seconds):
    """Plays the files together; their sum is analysed as one signal of all their tones."""
    probe = Probe(args.probe, args.buffer_ms)
    time.sleep(0.5)
    # Counted from here: the engine's stream exists (opening the device list may briefly open one
    # more); every sink input the server creates from now on is a re-creation.
    counter = SinkInputCounter()
    time.sleep(0.2)
    # Idle first: the engine running with nothing to play.
    idle_from = cpu_seconds(probe.proc.pid)
    time.sleep(5.0)
    idle_cpu = (cpu_seconds(probe.proc.pid) - idle_from) / 5.0 * 100.0
    handles = [probe.ask("open " + f)[1] for f in files]
    start = rec.frames()
    for h in handles:
        probe.ask("play " + h)
    play_from = cpu_seconds(probe.proc.pid)
    time.sleep(seconds)
    play_cpu = (cpu_seconds(probe.proc.pid) - play_from) / seconds * 100.0
    time.sleep(1.0)
    end = rec.frames()
    probe.close()
    time.sleep(0.3)
    counter.stop()
    result = analyse(rec.left(start, end), tones)
    result["stream_recreations"] = counter.count
    result["cpu_idle_percent"] = round(idle_cpu, 2)
    result["cpu_playing_percent"] = round(play_cpu, 2)
    return result


def play_paplay(args, rec, tones_file, tones, seconds):
    start = rec.frames()
    subprocess.run(["paplay", "--latency-msec=%d" % args.paplay_latency_ms, tones_file],
                   timeout=seconds + 30)
    time.sleep(0.5)
    return analyse(rec.left(start, rec.frames()), tones)


def idle_cpu(args, idle_ms, seconds):
    """CPU of the engine with nothing to play, measured after the device had time to stop."""
    probe = Probe(args.probe, args.buffer_ms, idle_ms)
    time.sleep(0.5 + (3.0 if idle_ms is None else idle_ms / 1000.0) + 1.0)
    start = cpu_seconds(probe.proc.pid)
    time.sleep(seconds)
    percent = (cpu_seconds(probe.proc.pid) - start) / seconds * 100.0
    probe.close()
    return percent


def fade_cpu(args, long_file, seconds):
    """CPU of the engine while one stream fades out over `seconds` (volume slide to silence)."""
    probe = Probe(args.probe, args.buffer_ms)
    time.sleep(0.5)
    h = probe.ask("open " + long_file)[1]
    probe.ask("play " + h)
    time.sleep(1.0)
    start = cpu_seconds(probe.proc.pid)
    probe.ask("fade %s %d" % (h, int(seconds * 1000)))
    time.sleep(seconds)
    percent = (cpu_seconds(probe.proc.pid) - start) / seconds * 100.0
    probe.close()
    return percent


def latency_engine(args, rec, short_file, trials, idle_ms=None, settle=0.0):
    """Play call to first recorded sample; with idle_ms, each play comes `settle` s after the last
    sound, when the device has stopped itself for silence."""
    probe = Probe(args.probe, args.buffer_ms, idle_ms)
    time.sleep(0.5)
    values = []
    for _ in range(trials):
        h = probe.ask("open " + short_file)[1]
        time.sleep(settle)
        mark = rec.frames()
        reply = probe.ask("play " + h)
        event_ns = int(reply[2])
        time.sleep(0.5)
        frame = first_sound(rec, mark, rec.frames())
        probe.ask("free " + h)
        time.sleep(0.1)
        if frame is not None:
            values.append((rec.time_of(frame) - event_ns) / 1e6)
    probe.close()
    return values


def latency_paplay(args, rec, short_file, trials):
    values = []
    for _ in range(trials):
        mark = rec.frames()
        event_ns = time.monotonic_ns()
        subprocess.run(["paplay", "--latency-msec=%d" % args.paplay_latency_ms, short_file], timeout=10)
        time.sleep(0.2)
        frame = first_sound(rec, mark, rec.frames())
        if frame is not None:
            values.append((rec.time_of(frame) - event_ns) / 1e6)
    return values


def summary(values):
    if not values:
        return "no sound"
    return "min %.1f / median %.1f / max %.1f ms (n=%d)" % (
        min(values), statistics.median(values), max(values), len(values))


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--probe", required=True)
    p.add_argument("--work", required=True)
    p.add_argument("--monitor", default="rbx_null.monitor")
    p.add_argument("--long", type=float, default=60.0)
    p.add_argument("--five", type=float, default=30.0)
    p.add_argument("--trials", type=int, default=20)
    p.add_argument("--buffer-ms", type=int, default=1000)
    p.add_argument("--paplay-latency-ms", type=int, default=25)
    p.add_argument("--load", action="store_true", help="half the cores busy at nice 10")
    p.add_argument("--hogs", type=int, default=None, help="busy loops for --load (default: half the cores)")
    p.add_argument("--glitches-only", action="store_true", help="only the tones and the latency, no CPU figures")
    args = p.parse_args()

    os.makedirs(args.work, exist_ok=True)
    single = [(1000.0, 0.5)]
    chord = [(440.0, 0.15), (550.0, 0.15), (660.0, 0.15), (770.0, 0.15), (880.0, 0.15)]
    long_file = os.path.join(args.work, "tone_long.wav")
    short_file = os.path.join(args.work, "tone_short.wav")
    write_tone(long_file, args.long, single)
    write_tone(short_file, 0.3, single)
    five_files = []
    for i, tone in enumerate(chord):
        path = os.path.join(args.work, "tone_five_%d.wav" % i)
        write_tone(path, args.five, [tone])
        five_files.append(path)

    hogs = []
    if args.load:
        for _ in range(args.hogs if args.hogs else max(1, (os.cpu_count() or 2) // 2)):
            hogs.append(subprocess.Popen(["nice", "-n", "10", "sh", "-c", "while :; do :; done"]))
    rec = Recorder(args.monitor)
    time.sleep(0.5)
    try:
        print("load: %s" % ("%d busy loops at nice 10" % len(hogs) if hogs else "none"))
        r = play_engine(args, rec, [long_file], single, args.long)
        print("engine %4.0f s tone:       %s" % (args.long, r))
        print("paplay %4.0f s tone:       %s" % (args.long, play_paplay(args, rec, long_file, single, args.long)))
        r5 = play_engine(args, rec, five_files, chord, args.five)
        print("engine five x %2.0f s tones: %s" % (args.five, r5))
        print("engine play call to first recorded sample: %s" % summary(latency_engine(args, rec, short_file, args.trials)))
        print("engine play call to first recorded sample, device stopped for silence before: %s" % summary(
            latency_engine(args, rec, short_file, args.trials, idle_ms=300, settle=1.0)))
        if args.glitches_only:
            return 0
        fades = [fade_cpu(args, long_file, 5.0) for _ in range(3)]
        print("engine CPU during a 5 s fade: %s" % ", ".join("%.2f %%" % f for f in fades))
        for _ in range(3):
            print("engine idle CPU, device kept running / stopped after 3 s of silence: %.2f %% / %.2f %%" % (
                idle_cpu(args, 0, 10.0), idle_cpu(args, 3000, 10.0)))
        print("paplay process start to first recorded sample: %s" % summary(latency_paplay(args, rec, short_file, min(args.trials, 10))))
    finally:
        rec.stop()
        for h in hogs:
            h.kill()
            h.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main())
