"""A small writer of standard MIDI files from note lists, chord symbols and drum grids.

Time is counted in sixteenth notes ("steps"); a 4/4 bar has 16. Melodies are written as text:
"c5:2 e5:2 g5:4 r:8" is C5 and E5 for an eighth each, G5 for a quarter, then a half-note rest;
"c5,e5,g5:8" is a chord. Octave 4 holds middle C (MIDI 60).
"""
import random
import zlib
import struct

PPQ = 480
STEP = PPQ // 4
NOTE_NAMES = {"c": 0, "d": 2, "e": 4, "f": 5, "g": 7, "a": 9, "b": 11}

# Chord qualities: intervals above the root.
QUALITIES = {
    "": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "m7": (0, 3, 7, 10),
    "maj7": (0, 4, 7, 11), "sus4": (0, 5, 7), "dim": (0, 3, 6), "6": (0, 4, 7, 9),
    "m6": (0, 3, 7, 9), "add9": (0, 4, 7, 14),
}

# General MIDI drum keys.
KICK, RIM, SNARE, CLAP, HAT, PEDAL_HAT, OPEN_HAT = 36, 37, 38, 39, 42, 44, 46
LOW_TOM, MID_TOM, HIGH_TOM, CRASH, RIDE, TAMBOURINE, COWBELL = 45, 47, 50, 49, 51, 54, 56
HIGH_BONGO, LOW_BONGO, MUTE_CONGA, OPEN_CONGA, LOW_CONGA = 60, 61, 62, 63, 64
CABASA, SHAKER, CLAVES = 69, 70, 75


def pitch(name):
    """'c#5' -> 73, 'bb3' -> 58."""
    name = name.strip().lower()
    base = NOTE_NAMES[name[0]]
    i = 1
    while i < len(name) and name[i] in "#b":
        base += 1 if name[i] == "#" else -1
        i += 1
    return base + 12 * (int(name[i:]) + 1)


def chord(symbol):
    """'F#m7' -> (root pitch class, intervals); a bass note may follow a slash: 'C/E'."""
    symbol, _, over = symbol.partition("/")
    root = NOTE_NAMES[symbol[0].lower()]
    i = 1
    while i < len(symbol) and symbol[i] in "#b":
        root += 1 if symbol[i] == "#" else -1
        i += 1
    bass = root
    if over:
        bass = NOTE_NAMES[over[0].lower()] + (1 if over[1:2] == "#" else -1 if over[1:2] == "b" else 0)
    return root % 12, QUALITIES[symbol[i:]], bass % 12


def near(pc, centre):
    """The pitch of class pc closest to centre."""
    p = centre - ((centre - pc) % 12)
    return p + 12 if centre - p > 6 else p


class Track:
    def __init__(self, song, name, channel, program=None, volume=100, pan=64, reverb=40,
                 chorus=0):
        self.song, self.name, self.channel = song, name, channel
        self.notes = []  # (start step, length in steps, pitch, velocity)
        self.setup = [(0x07, volume), (0x0A, pan), (0x5B, reverb), (0x5D, chorus)]
        self.program = program
        self.rng = random.Random(zlib.crc32(name.encode()))
        self.changes = []  # (step, program)

    def note(self, start, length, p, vel):
        if isinstance(p, str):
            p = pitch(p)
        vel = max(1, min(127, int(vel + self.rng.randint(-4, 4))))
        self.notes.append((start, length, p, vel))

    def melody(self, start, text, vel=90, transpose=0, legato=0.92, accent=None):
        """Writes a melody from text at step start; returns the step after it. Bars may be
        separated by '|', and each such bar must fill exactly one bar."""
        bars = text.split("|")
        if len(bars) > 1:
            for n, bar in enumerate(bars, start=1):
                steps = sum(float(tok.partition(":")[2]) for tok in bar.split())
                if steps != self.song.bar:
                    raise ValueError(f"{self.name}: bar {n} of '{text[:40]}...' has {steps} steps")
        t = start
        for token in text.replace("|", " ").split():
            what, _, dur = token.partition(":")
            dur = float(dur)
            if what != "r":
                for i, name in enumerate(what.split(",")):
                    v = vel + (8 if accent and (t - start) % 16 in accent else 0) - 6 * i
                    self.note(t, max(0.5, dur * legato), pitch(name) + transpose, v)
            t += dur
        return t

    def program_at(self, step, program):
        self.changes.append((step, program))


class Song:
    def __init__(self, bpm, steps_per_bar=16):
        self.bpm, self.bar = bpm, steps_per_bar
        self.tracks = []

    def track(self, *args, **kw):
        t = Track(self, *args, **kw)
        self.tracks.append(t)
        return t

    def write(self, path, bars, repeats=1):
        """Writes a format 1 file of the first `bars` bars; the tracks end exactly there, so the
        piece loops with no gap. repeats > 1 writes it several times over (for listening to the
        loop point)."""
        length = bars * self.bar * STEP
        chunks = []
        meta = [(0, b"\xff\x51\x03" + struct.pack(">I", int(60_000_000 / self.bpm))[1:]),
                (0, b"\xff\x58\x04\x04\x02\x18\x08")]
        chunks.append(self._chunk(meta, length * repeats))
        for tr in self.tracks:
            ev = [(0, bytes([0xB0 | tr.channel, c, v])) for c, v in tr.setup]
            if tr.program is not None:
                ev.append((0, bytes([0xC0 | tr.channel, tr.program])))
            for r in range(repeats):
                off = r * length
                for step, prog in tr.changes:
                    ev.append((off + int(step * STEP), bytes([0xC0 | tr.channel, prog])))
                for start, dur, p, vel in tr.notes:
                    on = int(round(start * STEP))
                    end = min(int(round((start + dur) * STEP)), length)
                    if on >= length:
                        raise ValueError(f"{tr.name}: note at step {start} past the end")
                    ev.append((off + end, bytes([0x80 | tr.channel, p, 0])))
                    ev.append((off + on, bytes([0x90 | tr.channel, p, vel])))
            chunks.append(self._chunk(ev, length * repeats))
        with open(path, "wb") as f:
            f.write(b"MThd" + struct.pack(">IHHH", 6, 1, len(chunks), PPQ))
            for c in chunks:
                f.write(c)

    @staticmethod
    def _chunk(events, end):
        # Note-offs sort before note-ons and set-up at the same tick.
        events = sorted(events, key=lambda e: (e[0], 0 if (e[1][0] & 0xF0) == 0x80 else 1))
        out, last = bytearray(), 0
        for tick, data in events:
            out += _varlen(tick - last) + data
            last = tick
        out += _varlen(end - last) + b"\xff\x2f\x00"
        return b"MTrk" + struct.pack(">I", len(out)) + bytes(out)


def _varlen(n):
    b = [n & 0x7F]
    n >>= 7
    while n:
        b.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(b))


# --- accompaniment from chord symbols ----------------------------------------------------------

def chords_per_bar(text):
    """'F | Dm | Gm7 C7' -> [['F'], ['Dm'], ['Gm7', 'C7']]."""
    return [bar.split() for bar in text.split("|")]


def each_chord(bars, start, steps_per_bar=16):
    """Yields (step, length, symbol) for bars of chords, splitting a bar evenly."""
    for b, symbols in enumerate(bars):
        part = steps_per_bar / len(symbols)
        for i, s in enumerate(symbols):
            yield start + b * steps_per_bar + i * part, part, s


def voicing(symbol, centre):
    root, intervals, _ = chord(symbol)
    lowest = near(root, centre - 4)
    return sorted(near((root + i) % 12, lowest + 5) if i < 12 else lowest + i for i in intervals)


def comp(track, bars, start, hits, centre=64, vel=70):
    """Chord hits: hits = [(step in chord, length), ...] repeated for every chord."""
    for step, length, symbol in each_chord(bars, start):
        for h, l in hits:
            if h < length:
                for i, p in enumerate(voicing(symbol, centre)):
                    track.note(step + h, min(l, length - h), p, vel - 3 * i)


def pad(track, bars, start, centre=60, vel=60):
    for step, length, symbol in each_chord(bars, start):
        for p in voicing(symbol, centre):
            track.note(step, length, p, vel)


def bass(track, bars, start, pattern, octave=2, vel=95, walk=True, next_root=None):
    """pattern: [(step, length, degree)] per chord, degree one of R 3 5 8 b7 or A (approach the
    next chord's root from a semitone below or above)."""
    chords = list(each_chord(bars, start))
    for n, (step, length, symbol) in enumerate(chords):
        root, intervals, over = chord(symbol)
        low = 12 * (octave + 1) + over
        if low > 12 * (octave + 1) + 7:
            low -= 12
        nxt = chords[n + 1][2] if n + 1 < len(chords) else next_root
        for s, l, d in pattern:
            if s >= length:
                continue
            if d == "R":
                p = low
            elif d == "8":
                p = low + 12
            elif d == "5":
                p = low + intervals[2]
            elif d == "3":
                p = low + intervals[1]
            elif d == "b7":
                p = low + 10
            elif d == "A":
                if not walk or nxt is None:
                    p = low + intervals[2]
                else:
                    target = 12 * (octave + 1) + chord(nxt)[2]
                    if target > 12 * (octave + 1) + 7:
                        target -= 12
                    p = target - 1 if target > low else target + 1
            else:
                raise ValueError(d)
            track.note(step + s, min(l, length - s), p, vel + (6 if s == 0 else 0))


def drums(track, start, grid, bars=1, vel=90):
    """grid: {key: 'x...X...' } with X accent, x normal, o soft; one character per step."""
    for b in range(bars):
        for key, line in grid.items():
            for i, c in enumerate(line.replace(" ", "")):
                if c in "xXo":
                    v = {"X": vel + 20, "x": vel, "o": vel - 30}[c]
                    track.note(start + b * 16 + i, 1, key, v)
