#!/usr/bin/python3
"""Synthesises the game's sound effects and writes them as PCM wave files.

Every effect is built from oscillators, noise and simple filters below, with a fixed random
seed, so the output is the same on every run. Each file gets exactly the channels, rate, bit
depth and number of data bytes the sound catalogue expects, and all effects are brought to
about the same loudness without clipping.

Usage: make_waves.py OUTPUT_FOLDER
"""
import struct
import sys

import numpy as np

TAU = 2 * np.pi


# --- building blocks -------------------------------------------------------------------------

def times(n, sr):
    return np.arange(n) / sr


def phase(freq, sr):
    """Running phase of an oscillator whose frequency (Hz, scalar or per sample) may glide."""
    return TAU * np.cumsum(np.broadcast_to(freq, freq.shape) / sr)


def additive(ph, f0, sr, amps):
    """Sum of harmonics k = 1.. with the given amplitudes, leaving out any above 0.45 sr."""
    out = np.zeros_like(ph)
    for k, a in enumerate(amps, start=1):
        audible = (k * np.asarray(f0)) < 0.45 * sr
        out += a * np.sin(k * ph) * audible
    return out


def saw_amps(count, bright=1.0):
    return [1.0 / k ** (1.0 + (1.0 - bright)) for k in range(1, count + 1)]


def square_amps(count):
    return [(1.0 / k if k % 2 else 0.0) for k in range(1, count + 1)]


def adsr(n, sr, attack, decay_tau, release=0.01):
    t = times(n, sr)
    env = np.minimum(1.0, t / max(attack, 1e-4)) * np.exp(-np.maximum(t - attack, 0) / decay_tau)
    r = int(release * sr)
    if r > 0:
        env[-r:] *= np.linspace(1, 0, r)
    return env


def place(buf, x, start):
    """Adds x into buf from sample start on (cut at the end of buf)."""
    end = min(len(buf), start + len(x))
    if end > start:
        buf[start:end] += x[: end - start]


def lowpass(x, fc, sr):
    """One-pole low-pass; fc may change per sample."""
    fc = np.broadcast_to(np.asarray(fc, dtype=float), x.shape)
    a = 1.0 - np.exp(-TAU * fc / sr)
    y = np.empty_like(x)
    s = 0.0
    for i in range(len(x)):
        s += a[i] * (x[i] - s)
        y[i] = s
    return y


def highpass(x, fc, sr):
    return x - lowpass(x, fc, sr)


def bandpass(x, f0, q, sr):
    """Constant-peak band-pass biquad."""
    w = TAU * f0 / sr
    alpha = np.sin(w) / (2 * q)
    b0, b2 = alpha, -alpha
    a0, a1, a2 = 1 + alpha, -2 * np.cos(w), 1 - alpha
    b0, b2, a1, a2 = b0 / a0, b2 / a0, a1 / a0, a2 / a0
    y = np.empty_like(x)
    x1 = x2 = y1 = y2 = 0.0
    for i in range(len(x)):
        v = b0 * x[i] + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1 = x1, x[i]
        y2, y1 = y1, v
        y[i] = v
    return y


def bell(n, sr, f, decay, partials=((1, 1.0), (2.76, 0.4), (5.4, 0.2), (8.9, 0.08))):
    t = times(n, sr)
    out = np.zeros(n)
    for ratio, a in partials:
        if f * ratio < 0.45 * sr:
            out += a * np.sin(TAU * f * ratio * t) * np.exp(-t * ratio ** 0.5 / decay)
    return out * np.minimum(1.0, t / 0.002)


def fades(x, sr, fade_in=0.002, fade_out=0.008):
    x = x.copy()
    a, b = max(1, int(fade_in * sr)), max(1, int(fade_out * sr))
    x[:a] *= np.linspace(0, 1, a)
    x[-b:] *= np.linspace(1, 0, b)
    return x


# --- the effects -----------------------------------------------------------------------------

def jump(n, sr, rng):
    """A springy hop: a pitch that jumps up and wobbles like a spring."""
    t = times(n, sr)
    f = 260 + 420 * (1 - np.exp(-t / 0.045))
    f = f * (1 + 0.10 * np.exp(-t / 0.10) * np.sin(TAU * 19 * t))
    ph = phase(f, sr)
    tone = np.sin(ph) + 0.35 * np.sin(2 * ph) + 0.12 * np.sin(3 * ph)
    thump = np.sin(TAU * 110 * t) * np.exp(-t / 0.018)
    return tone * adsr(n, sr, 0.004, 0.085, 0.03) + 0.5 * thump


def bubble(n, sr, rng):
    """A tiny bubble popping: a fast upward chirp."""
    t = times(n, sr)
    f = 480 * np.exp(t * np.log(3.6) / 0.07)
    return np.sin(phase(f, sr)) * adsr(n, sr, 0.003, 0.03, 0.01)


def lose(n, sr, rng):
    """Caught: a falling 'wah' that closes."""
    t = times(n, sr)
    f = 520 * np.exp(-t * np.log(520 / 170) / t[-1]) * (1 + 0.02 * np.sin(TAU * 11 * t))
    ph = phase(f, sr)
    tone = additive(ph, f, sr, square_amps(9))
    tone = lowpass(tone, 2600 * np.exp(-t / 0.16) + 250, sr)
    return tone * adsr(n, sr, 0.01, 0.22, 0.04)


def brass(n, sr, f, vibrato=0.0, bright=0.8, attack=0.02):
    t = times(n, sr)
    freq = f * (1 + vibrato * np.minimum(1, t / 0.25) * np.sin(TAU * 5.5 * t))
    tone = additive(phase(freq, sr), freq, sr, saw_amps(14, bright))
    cutoff = 900 + 2600 * np.minimum(1, t / 0.04) * np.exp(-t / 0.6)
    return lowpass(tone, cutoff, sr) * np.minimum(1, t / attack)


def win(n, sr, rng):
    """A short brass fanfare ending on a held major chord."""
    out = np.zeros(n)
    notes = [(0.00, 0.11, 392.0), (0.12, 0.11, 523.25), (0.24, 0.11, 659.26),
             (0.36, 0.22, 783.99), (0.60, 0.10, 659.26)]
    for start, dur, f in notes:
        m = int(dur * sr)
        place(out, brass(m, sr, f) * adsr(m, sr, 0.01, 0.5, 0.025), int(start * sr))
    hold = n - int(0.72 * sr)
    for f, a in ((783.99, 1.0), (659.26, 0.55), (523.25, 0.5)):
        tone = brass(hold, sr, f, vibrato=0.006) * a
        env = np.ones(hold)
        r = int(0.35 * sr)
        env[-r:] = np.linspace(1, 0, r) ** 1.5
        place(out, tone * env, int(0.72 * sr))
    return out


def tick(n, sr, rng):
    """A clock's tick: a short wooden knock."""
    t = times(n, sr)
    knock = bandpass(rng.standard_normal(n) * np.exp(-t / 0.004), 2400, 6, sr)
    body = (np.sin(TAU * 1750 * t) + 0.5 * np.sin(TAU * 3100 * t)) * np.exp(-t / 0.012)
    return 2.5 * knock + 0.6 * body


def splash(n, sr, rng):
    """Something falls into water: a bright burst of spray settling into drops."""
    t = times(n, sr)
    spray = lowpass(rng.standard_normal(n), 7000 * np.exp(-t / 0.12) + 500, sr)
    spray *= np.minimum(1, t / 0.006) * np.exp(-t / 0.18)
    plunk = np.sin(phase(180 - 80 * np.minimum(1, t / 0.08), sr)) * np.exp(-t / 0.06)
    out = spray + 0.8 * plunk
    for start, f0 in [(0.12, 900), (0.2, 1300), (0.27, 700), (0.36, 1100), (0.47, 1500)]:
        m = int(0.05 * sr)
        tt = times(m, sr)
        drop = np.sin(phase(f0 * np.exp(tt * 9), sr)) * adsr(m, sr, 0.002, 0.015, 0.005)
        place(out, 0.25 * drop, int(start * sr))
    return out


def collect(n, sr, rng):
    """A bonus is taken: two quick bright bell notes."""
    out = bell(n, sr, 1568.0, 0.03)
    place(out, bell(n - int(0.028 * sr), sr, 2349.3, 0.06), int(0.028 * sr))
    return out


def time_up(n, sr, rng):
    """Time has run out: an alarm bell rings and dies away."""
    t = times(n, sr)
    ring = bell(n, sr, 1046.5, 0.9, ((1, 1.0), (2.0, 0.3), (2.76, 0.35), (4.1, 0.12)))
    clapper = 0.55 + 0.45 * np.sign(np.sin(TAU * 17 * t))
    clapper = lowpass(clapper, 120, sr)
    env = np.where(t < 1.15, 1.0, np.exp(-(t - 1.15) / 0.18))
    low = bell(n, sr, 784.0, 0.9) * 0.5
    return (ring + low) * clapper * env


def drown(n, sr, rng):
    """Sinking: a gurgle of bubbles that get lower and fewer, over a dark swirl."""
    t = times(n, sr)
    out = lowpass(lowpass(rng.standard_normal(n), 380, sr), 500, sr) * 2 * np.sin(np.pi * t / t[-1]) * 0.9
    out += 0.5 * np.sin(phase(320 * np.exp(-t * 1.2), sr)) * adsr(n, sr, 0.05, 0.5, 0.1)
    start = 0.0
    while start < t[-1] - 0.12:
        m = int(rng.uniform(0.04, 0.08) * sr)
        tt = times(m, sr)
        f0 = rng.uniform(700, 1000) * (1 - 0.6 * start / t[-1])
        b = np.sin(phase(f0 * np.exp(tt * 12), sr)) * adsr(m, sr, 0.003, 0.025, 0.01)
        place(out, b * (1 - 0.5 * start / t[-1]) * 0.7, int(start * sr))
        start += rng.uniform(0.04, 0.14) * (1 + start)
    return out


def game_over(n, sr, rng):
    """The game is over: a muted horn sinks down four sad steps (stereo)."""
    left, right = np.zeros(n), np.zeros(n)
    steps = [(0.00, 0.42, 392.00, 233.08), (0.46, 0.42, 369.99, 220.00),
             (0.92, 0.42, 349.23, 207.65), (1.38, 0.58, 329.63, 196.00)]
    for i, (start, dur, mel, low) in enumerate(steps):
        m = int(dur * sr)
        last = i == len(steps) - 1
        vib = 0.025 if last else 0.004
        env = adsr(m, sr, 0.03, 0.9 if last else 0.5, 0.08)
        for ch, cents, gain in ((left, -7, 1.0), (right, 7, 0.9)):
            f = mel * 2 ** (cents / 1200)
            tone = brass(m, sr, f, vibrato=vib, bright=0.6, attack=0.03)
            tt = times(m, sr)
            wah = 600 + 1800 * (0.5 + 0.5 * np.cos(TAU * (2.2 if last else 1.4) * tt))
            place(ch, lowpass(tone, wah, sr) * env * gain, int(start * sr))
        harmony = brass(m, sr, low, vibrato=vib, bright=0.4, attack=0.04) * env * 0.45
        place(left, harmony * 0.6, int(start * sr))
        place(right, harmony, int((start + 0.012) * sr))
    return np.stack([left, right], axis=1)


def monster_jump(n, sr, rng):
    """A monster hops: a low, grumpy boing."""
    t = times(n, sr)
    f = 105 + 150 * (1 - np.exp(-t / 0.05))
    f = f * (1 + 0.08 * np.exp(-t / 0.08) * np.sin(TAU * 14 * t))
    tone = additive(phase(f, sr), f, sr, square_amps(15))
    tone = lowpass(tone, 1400, sr) * (1 + 0.35 * np.sin(TAU * 31 * t))
    return tone * adsr(n, sr, 0.006, 0.07, 0.03)


def key(n, sr, rng):
    """A key is pressed: a tiny soft click-blip."""
    t = times(n, sr)
    return (np.sin(TAU * 1200 * t) + 0.3 * np.sin(TAU * 2400 * t)) * adsr(n, sr, 0.002, 0.011, 0.005)


def exit_sparkle(n, sr, rng):
    """The diamond appears: a rising sparkle of bells."""
    out = np.zeros(n)
    for i, f in enumerate([1046.5, 1318.5, 1568.0, 2093.0, 2637.0]):
        start = int(i * 0.06 * sr)
        out[start:] += bell(n - start, sr, f, 0.16) * (0.8 + 0.05 * i)
    t = times(n, sr)
    return out * (1 + 0.25 * np.sin(TAU * 23 * t) * np.minimum(1, t / 0.3))


def no_energy(n, sr, rng):
    """Energy runs low: two falling warning beeps."""
    out = np.zeros(n)
    for start, f, dur in ((0.0, 740.0, 0.12), (0.15, 494.0, 0.15)):
        m = int(dur * sr)
        ph = phase(np.full(m, f), sr)
        tone = lowpass(additive(ph, f, sr, square_amps(7)), 2200, sr)
        place(out, tone * adsr(m, sr, 0.005, 0.2, 0.02), int(start * sr))
    return out


def starve(n, sr, rng):
    """The Dragon starves: a tired sigh that sinks and trembles away."""
    t = times(n, sr)
    f = 420 * np.exp(-t * np.log(420 / 75) / t[-1])
    tone = additive(phase(f, sr), f, sr, saw_amps(12, 0.7))
    tone = lowpass(tone, 2400 * np.exp(-t / 0.25) + 200, sr)
    tremolo = 1 - 0.5 * np.minimum(1, t / 0.4) * (0.5 + 0.5 * np.sin(TAU * 9 * t))
    return tone * tremolo * adsr(n, sr, 0.02, 0.35, 0.05)


def chomp(n, sr, rng):
    """Food is eaten: two crunchy bites."""
    out = np.zeros(n)
    for start in (0.0, 0.155):
        m = int(0.14 * sr)
        t = times(m, sr)
        crunch = bandpass(rng.standard_normal(m), 1800, 1.2, sr) * np.exp(-t / 0.018)
        grains = (rng.random(m) < 0.08) * rng.standard_normal(m)
        crunch += bandpass(grains, 2600, 2.0, sr) * np.exp(-t / 0.05) * 0.8
        jaw = np.sin(phase(210 - 90 * np.minimum(1, t / 0.05), sr)) * np.exp(-t / 0.035)
        place(out, (1.4 * crunch + jaw) * np.minimum(1, t / 0.001), int(start * sr))
    return out


def eaten(n, sr, rng):
    """The Dragon is swallowed: a big gulp."""
    out = np.zeros(n)
    for start, f0, f1, dur, a in ((0.0, 330, 110, 0.16, 1.0), (0.19, 260, 150, 0.16, 0.7)):
        m = int(dur * sr)
        t = times(m, sr)
        f = f0 * np.exp(-t * np.log(f0 / f1) / t[-1])
        tone = additive(phase(f, sr), f, sr, [1.0, 0.6, 0.3, 0.15])
        tone = bandpass(tone, 450, 1.5, sr) * 2 + np.sin(phase(f * 0.5, sr))
        place(out, tone * adsr(m, sr, 0.008, 0.07, 0.02) * a, int(start * sr))
    return out


# name: (generator, channels, rate, bits, data bytes, loudness trim in dB)
CATALOGUE = {
    "Jump": (jump, 1, 16000, 16, 8872, 0),
    "bubble": (bubble, 1, 22050, 16, 3724, -3),
    "lose": (lose, 1, 11025, 8, 4177, 0),
    "win": (win, 1, 11025, 8, 15882, 0),
    "Time": (tick, 1, 22050, 16, 4434, -2),
    "Splash": (splash, 1, 22050, 16, 32672, 0),
    "Collect": (collect, 1, 22050, 16, 3006, -1),
    "TimeUp": (time_up, 1, 11025, 8, 19328, -1),
    "Drown": (drown, 1, 22050, 16, 56090, 0),
    "GameOver": (game_over, 2, 22050, 8, 86384, 0),
    "MJump": (monster_jump, 1, 11025, 8, 2277, -2),
    "Key": (key, 1, 8000, 8, 336, -4),
    "Exit": (exit_sparkle, 1, 11025, 8, 7069, -1),
    "NoEnergy": (no_energy, 1, 11025, 8, 3349, -1),
    "EDeath": (starve, 1, 22050, 8, 12206, 0),
    "Ham": (chomp, 1, 16000, 16, 9882, 0),
    "Eaten": (eaten, 1, 22050, 8, 7904, 0),
}

TARGET_DB = -15.0  # loudest 50 ms of every effect, before its trim
PEAK = 0.89        # -1 dB full scale at most


def loudness(x, sr):
    """Level of the loudest 50 ms (RMS over channels, rumble below 120 Hz left out)."""
    mono = x.mean(axis=1) if x.ndim == 2 else x
    weighted = highpass(mono, 120, sr)
    w = max(1, min(len(weighted), int(0.05 * sr)))
    power = np.convolve(weighted ** 2, np.ones(w) / w, mode="valid")
    return 10 * np.log10(power.max() + 1e-12)


def normalise(x, sr, trim):
    gain = 10 ** ((TARGET_DB + trim - loudness(x, sr)) / 20)
    peak = np.abs(x).max() * gain
    if peak > PEAK:
        gain *= PEAK / peak
    return x * gain


def encode(x, bits, rng):
    if bits == 16:
        return np.clip(np.round(x * 32767), -32768, 32767).astype("<i2").tobytes()
    dither = (rng.random(x.shape) - rng.random(x.shape))  # one step of triangular dither
    return np.clip(np.round(x * 127 + 128 + dither), 0, 255).astype(np.uint8).tobytes()


def write_wave(path, data, channels, rate, bits):
    block = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * block, block, bits)
    pad = b"\0" if len(data) % 2 else b""
    riff = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    riff += b"data" + struct.pack("<I", len(data)) + data + pad
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(riff)) + riff)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    for i, (name, (make, channels, rate, bits, size, trim)) in enumerate(CATALOGUE.items()):
        frames = size // (channels * bits // 8)
        rng = np.random.default_rng(1000 + i)
        x = make(frames, rate, rng)
        if channels == 2:
            x = np.stack([fades(x[:, 0], rate), fades(x[:, 1], rate)], axis=1)
        else:
            x = fades(x, rate)
        x = normalise(x, rate, trim)
        data = encode(x.reshape(-1), bits, rng)
        assert len(data) == size, (name, len(data), size)
        write_wave(f"{out}/{name}.wav", data, channels, rate, bits)
        print(f"{name:9} {frames / rate:5.2f} s  peak {20 * np.log10(np.abs(x).max()):6.1f} dB"
              f"  loudness {loudness(x, rate):6.1f} dB")


if __name__ == "__main__":
    main()
