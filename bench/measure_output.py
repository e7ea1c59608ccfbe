#!/usr/bin/env python3
"""Records what the engine sends to the sound server and measures it.

Runs inside a private PulseAudio daemon (bench/measure_output.sh sets it up): the engine plays
on its default output (the sound server's client library; RBX_OUTPUT_PORTAUDIO=1 in the
environment sends it through PortAudio and ALSA's plug-in) into a null sink whose monitor parec
records. Reports, per case:
gaps (runs of digital silence inside a tone), sample jumps (discontinuities no tone of the file
can make), server-side stream re-creations, and the time to the first recorded sample beside its
peers at the same device buffer (first_sound_figures). paplay plays the same tone in the same run
as the reference. Standard library only.
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

import figures  # noqa: E402  (beside this file)

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
    def __init__(self, path, buffer_ms, idle_ms=None, device_buffer_ms=None):
        env = dict(os.environ)
        if idle_ms is not None:
            env["RBX_OUTPUT_IDLE_MS"] = str(idle_ms)
        if device_buffer_ms is not None:
            env["RBX_OUTPUT_BUFFER_MS"] = str(device_buffer_ms)
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


def latency_in_process(args, rec, program, short_file, trials, idle_ms=None, settle=0.0):
    """Play call to first recorded sample in a running process (`program`: the engine's probe or
    its plain peer); with idle_ms, each play comes `settle` s after the last sound, when the
    engine's device has stopped itself for silence. Device buffer: --paplay-latency-ms."""
    probe = Probe(program, args.buffer_ms, idle_ms, args.paplay_latency_ms)
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


def latency_whole_process(args, rec, command):
    """Process start to first recorded sample of one whole process that plays and ends; None
    when no sound came."""
    env = dict(os.environ, RBX_OUTPUT_BUFFER_MS=str(args.paplay_latency_ms))
    mark = rec.frames()
    event_ns = time.monotonic_ns()
    subprocess.run(command, env=env, timeout=30, check=True)
    time.sleep(0.2)
    frame = first_sound(rec, mark, rec.frames())
    return None if frame is None else (rec.time_of(frame) - event_ns) / 1e6


def alternate(rounds, ours, peer):
    """Rounds of ours() and peer() in alternating order; each returns a list of values or one."""
    got = ([], [])
    for i in range(rounds):
        for side in ((0, 1) if i % 2 == 0 else (1, 0)):
            value = (ours, peer)[side]()
            got[side].extend(v for v in (value if isinstance(value, list) else [value]) if v is not None)
    return got


def first_sound_figures(args, rec, short_file):
    """The time to the first sound on the sink's monitor, like against like at the same device
    buffer (--paplay-latency-ms) on the same server: a whole process that plays the file (the
    engine's probe) against paplay, from the process's start; and the engine's play call in a
    running process against a plain write into an open stream of the server's simple client
    library, from the call. Each in alternating rounds."""
    ms = "ms at %d ms device buffer" % args.paplay_latency_ms
    # Unmeasured: the first stream a fresh server plays takes it over a second to set up.
    latency_whole_process(args, rec, ["paplay", short_file])
    ours, peer = alternate(
        args.trials,
        lambda: latency_whole_process(args, rec, [args.probe, "--play", short_file]),
        lambda: latency_whole_process(
            args, rec, ["paplay", "--latency-msec=%d" % args.paplay_latency_ms, short_file]))
    print(figures.line("First sound, whole process from its start", ms, ours, peer, "paplay"))
    per_round = max(1, args.trials // 4)
    ours, peer = alternate(
        4, lambda: latency_in_process(args, rec, args.probe, short_file, per_round),
        lambda: latency_in_process(args, rec, args.peer_probe, short_file, per_round))
    print(figures.line("First sound, play call in a running process", ms, ours, peer,
                       "a write into an open stream of the server's simple client library"))
    after_idle = latency_in_process(args, rec, args.probe, short_file, 2 * per_round, idle_ms=300, settle=1.0)
    print("engine play call to first recorded sample, its device stopped for silence before: %s" %
          summary(after_idle))


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
    p.add_argument("--first-sound-only", action="store_true", help="only the first sound beside its peers")
    p.add_argument("--skip-first-sound", action="store_true", help="all but the first sound")
    p.add_argument("--peer-probe", default=None,
                   help="the in-process peer (default: bench_pulse_simple_probe beside --probe)")
    args = p.parse_args()
    if args.peer_probe is None:
        args.peer_probe = os.path.join(os.path.dirname(args.probe), "bench_pulse_simple_probe")

    os.makedirs(args.work, exist_ok=True)
    single = [(1000.0, 0.5)]
    chord = [(440.0, 0.15), (550.0, 0.15), (660.0, 0.15), (770.0, 0.15), (880.0, 0.15)]
    long_file = os.path.join(args.work, "tone_long.wav")
    short_file = os.path.join(args.work, "tone_short.wav")
    write_tone(short_file, 0.3, single)
    five_files = []
    if not args.first_sound_only:
        write_tone(long_file, args.long, single)
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
        if args.first_sound_only:
            first_sound_figures(args, rec, short_file)
            return 0
        r = play_engine(args, rec, [long_file], single, args.long)
        print("engine %4.0f s tone:       %s" % (args.long, r))
        print("paplay %4.0f s tone:       %s" % (args.long, play_paplay(args, rec, long_file, single, args.long)))
        r5 = play_engine(args, rec, five_files, chord, args.five)
        print("engine five x %2.0f s tones: %s" % (args.five, r5))
        if not args.skip_first_sound:
            first_sound_figures(args, rec, short_file)
        if args.glitches_only:
            return 0
        fades = [fade_cpu(args, long_file, 5.0) for _ in range(3)]
        print("engine CPU during a 5 s fade: %s" % ", ".join("%.2f %%" % f for f in fades))
        for _ in range(3):
            print("engine idle CPU, device kept running / stopped after 3 s of silence: %.2f %% / %.2f %%" % (
                idle_cpu(args, 0, 10.0), idle_cpu(args, 3000, 10.0)))
    finally:
        rec.stop()
        for h in hogs:
            h.kill()
            h.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main())
