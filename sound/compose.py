#!/usr/bin/python3
"""Composes the game's three pieces of music and writes them as standard MIDI files.

  intro.mid  the title theme: F major, 126 beats a minute, flute and glockenspiel over piano,
             pizzicato and bass (intro, A, A', B, A'', outro: 40 bars, about 76 s)
  1.mid      first level tune: G major, 152 a minute, marimba and whistle over clean guitar,
             slap bass and a pop beat (A, A', B, C, A'', B': 48 bars, about 76 s)
  2.mid      second level tune: A minor, 132 a minute, steel drums and trumpet over nylon
             guitar, bass and Latin percussion (groove, A, A', B, break, A'': 40 bars, 73 s)

Every piece ends exactly at the end of its last bar and leads back into its first, so it loops
without a gap. Usage: compose.py OUTPUT_FOLDER [--twice]  (--twice writes each piece two times
over, for listening to the loop point).
"""
import sys

from midi import (CABASA, CLAP, CLAVES, COWBELL, CRASH, HAT, HIGH_BONGO, HIGH_TOM, KICK,
                  LOW_BONGO, LOW_CONGA, LOW_TOM, MID_TOM, MUTE_CONGA, OPEN_CONGA, OPEN_HAT,
                  RIDE, RIM, SHAKER, SNARE, TAMBOURINE, Song, bass, chords_per_bar, comp, drums,
                  pad)


def fill(track, bar_start, kind, vel=95):
    """A drum fill over the last beat(s) of a bar."""
    if kind == "snare":
        drums(track, bar_start, {SNARE: "............xxxX"}, vel=vel)
    elif kind == "toms":
        drums(track, bar_start, {HIGH_TOM: "........xx......", MID_TOM: "..........xx....",
                                 LOW_TOM: "............xx..", SNARE: "..............xX"}, vel=vel)
    elif kind == "build":
        drums(track, bar_start, {SNARE: "x.x.x.x.xxxxxxxX"}, vel=vel - 20)


# --- the title theme ---------------------------------------------------------------------------

def intro():
    s = Song(126)
    flute = s.track("flute", 0, 73, volume=104, pan=60, reverb=50)
    glock = s.track("glockenspiel", 1, 9, volume=78, pan=80, reverb=60)
    piano = s.track("piano", 2, 0, volume=82, pan=54, reverb=40)
    pizz = s.track("pizzicato", 3, 45, volume=84, pan=84, reverb=45)
    strings = s.track("strings", 4, 48, volume=70, pan=44, reverb=70)
    clarinet = s.track("clarinet", 5, 71, volume=80, pan=30, reverb=45)
    low = s.track("bass", 6, 32, volume=108, pan=64, reverb=20)
    kit = s.track("drums", 9, None, volume=92, pan=64, reverb=30)

    sections = {
        "intro": "F | Bb | Gm7 C7 | F C7",
        "A": "F | Dm | Bb | C | F | Dm | Gm7 C7 | F",
        "A'": "F | Dm | Bb | C | Am | Dm | G7 | C7",
        "B": "Bb | C | Am | Dm | Gm | C | F/A Bb | Gm7 C7",
        "A''": "F | Dm | Bb | C | F | Dm | Gm7 C7 | F",
        "outro": "Bb | C | F | C7",
    }
    order = ["intro", "A", "A'", "B", "A''", "outro"]
    start, at = 0, {}
    for name in order:
        at[name] = start
        start += 16 * len(chords_per_bar(sections[name]))
    bars_total = start // 16

    a_first = ("c5:2 f5:2 a5:2 f5:2 c6:6 a5:2 | d5:2 f5:2 a5:2 d6:2 c6:6 a5:2 | "
               "bb5:4 a5:2 g5:2 f5:2 d5:2 f5:4 | g5:6 e5:2 c5:8 | ")
    melody = {
        "intro": "f5:2 a5:2 c6:2 a5:2 f5:2 a5:2 c6:4 | f5:2 bb5:2 d6:2 bb5:2 f5:2 bb5:2 d6:4 | "
                 "g5:2 bb5:2 d6:2 bb5:2 e5:2 g5:2 c6:4 | a5:4 c6:4 g5:4 e5:4",
        "A": a_first + "c5:2 f5:2 a5:2 f5:2 c6:6 d6:2 | c6:2 a5:2 f5:2 d5:2 a5:6 g5:2 | "
                       "f5:2 g5:2 a5:2 bb5:2 c6:4 e5:4 | f5:12 r:4",
        "A'": a_first.replace("c5:8", "c5:4 e5:2 g5:2") +
              "e5:2 a5:2 c6:2 a5:2 e6:6 c6:2 | d6:4 c6:2 a5:2 f5:4 a5:4 | "
              "g5:2 a5:2 b5:2 d6:2 f6:4 d6:4 | e6:4 d6:2 c6:2 bb5:2 g5:2 e5:4",
        "B": "f5:4 bb5:4 d6:6 c6:2 | e5:4 g5:4 c6:6 bb5:2 | a5:4 c6:2 a5:2 e5:4 c5:4 | "
             "d5:2 e5:2 f5:2 a5:2 d6:8 | bb5:4 a5:2 g5:2 d5:4 g5:4 | c6:4 bb5:2 a5:2 g5:4 e5:4 | "
             "a5:4 c6:4 d6:4 f6:4 | d6:6 c6:2 bb5:4 g5:2 e5:2",
        "A''": a_first + "c5:2 f5:2 a5:2 f5:2 c6:6 d6:2 | c6:2 a5:2 f5:2 d5:2 a5:6 g5:2 | "
                         "f5:2 g5:2 a5:2 bb5:2 c6:2 d6:2 e6:2 g6:2 | f6:8 c6:4 a5:4",
        "outro": "d6:4 c6:4 bb5:4 a5:4 | g5:4 a5:4 bb5:4 c6:4 | a5:2 c6:2 f6:8 c6:4 | "
                 "bb5:4 g5:4 e5:4 c5:4",
    }
    for name in order:
        text = melody[name]
        if name == "intro":
            glock.melody(at[name], text, vel=92)
        else:
            flute.melody(at[name], text, vel=96, accent=(0, 8))
        if name in ("A''", "outro"):
            glock.melody(at[name], text, vel=70, transpose=12 if name == "outro" else 0)
    # The clarinet answers the flute in A' and sings a line under it in A''.
    clarinet.melody(at["A'"] + 4 * 16, "r:8 a4:2 c5:2 e5:4 | r:8 f4:2 a4:2 d5:4 | "
                    "r:8 b4:2 d5:2 g5:4 | r:8 e5:2 c5:2 bb4:4", vel=80)
    clarinet.melody(at["A''"], "a4:8 c5:8 | a4:8 f4:8 | d5:8 f5:8 | e5:8 g4:8 | "
                    "a4:8 c5:8 | f5:8 d5:8 | bb4:8 e5:8 | a4:12 r:4", vel=72)

    for name in order:
        bars = chords_per_bar(sections[name])
        nxt = order[(order.index(name) + 1) % len(order)]
        next_root = chords_per_bar(sections[nxt])[0][0]
        b0 = at[name]
        if name == "B":
            pad(strings, bars, b0, centre=62, vel=64)
            comp(piano, bars, b0, [(0, 6), (6, 2), (8, 6), (14, 2)], centre=67, vel=58)
            bass(low, bars, b0, [(0, 6, "R"), (6, 2, "5"), (8, 6, "8"), (14, 2, "A")],
                 next_root=next_root)
        else:
            comp(piano, bars, b0, [(0, 3), (6, 2), (8, 3), (14, 2)], centre=66, vel=64)
            comp(pizz, bars, b0, [(2, 1), (6, 1), (10, 1), (14, 1)], centre=72, vel=62)
            bass(low, bars, b0, [(0, 4, "R"), (4, 4, "5"), (8, 4, "8"), (12, 4, "A")],
                 next_root=next_root)
            if name == "A''":
                pad(strings, bars, b0, centre=60, vel=50)

        n = len(bars)
        beat = {KICK: "x.......x.x.....", RIM: "....x.......x...", HAT: "x.x.x.x.x.x.x.x."}
        if name in ("B", "A''"):
            beat = {KICK: "x.......x.x.....", SNARE: "....x.......x...",
                    HAT: "x.xox.xox.xox.xo", TAMBOURINE: "....x.......x..."}
        if name == "intro":
            beat = {KICK: "x.......x.......", HAT: "..x...x...x...x."}
        drums(kit, b0, beat, bars=n - 1, vel=84)
        last = dict(beat)
        last.pop(SNARE, None)
        last.pop(RIM, None)
        drums(kit, b0 + 16 * (n - 1), {k: v[:12] for k, v in last.items()}, vel=84)
        fill(kit, b0 + 16 * (n - 1), "toms" if name in ("A'", "outro") else "snare", vel=80)
        drums(kit, b0, {CRASH: "x"}, vel=80)
    return s, bars_total


# --- the first level tune ----------------------------------------------------------------------

def level_one():
    s = Song(152)
    marimba = s.track("marimba", 0, 12, volume=110, pan=56, reverb=35)
    whistle = s.track("whistle", 1, 78, volume=82, pan=70, reverb=55)
    guitar = s.track("guitar", 2, 27, volume=78, pan=86, reverb=35)
    organ = s.track("organ", 3, 16, volume=56, pan=40, reverb=50)
    brass = s.track("brass", 4, 61, volume=82, pan=48, reverb=45)
    low = s.track("bass", 5, 36, volume=104, pan=64, reverb=15)
    kalimba = s.track("kalimba", 6, 108, volume=100, pan=74, reverb=50)
    kit = s.track("drums", 9, None, volume=96, pan=64, reverb=25)

    sections = {
        "A": "G | Em | C | D | G | Em | Am7 D7 | G",
        "A'": "G | Em | C | D | G | Em | Am7 D7 | G",
        "B": "C | D | Bm | Em | Am | D | G/B C | D7",
        "C": "Em | C | G | D | Em | C | Am | D7",
        "A''": "G | Em | C | D | G | Em | Am7 D7 | G",
        "B'": "C | D | Bm | Em | Am | D | G/B C | D7",
    }
    order = ["A", "A'", "B", "C", "A''", "B'"]
    start, at = 0, {}
    for name in order:
        at[name] = start
        start += 16 * len(chords_per_bar(sections[name]))

    a_first = ("g5:2 b5:2 d6:2 b5:2 g5:3 a5:1 b5:4 | e5:2 g5:2 b5:2 e6:2 d6:3 b5:1 g5:4 | "
               "c6:2 e6:2 c6:2 g5:2 a5:2 b5:2 c6:4 | d6:3 c6:1 b5:2 a5:2 f#5:4 d5:4 | ")
    b_tune = ("g6:6 e6:2 c6:4 e6:4 | f#6:6 d6:2 a5:4 d6:4 | d6:6 b5:2 f#5:4 b5:4 | "
              "e6:8 g6:4 e6:4 | c6:4 e6:4 a6:4 g6:2 e6:2 | f#6:4 d6:2 e6:2 f#6:2 g6:2 a6:4 | "
              "g6:4 d6:4 e6:2 g6:2 c6:4 | a5:2 b5:2 c6:2 d6:2 f#6:2 e6:2 d6:2 c6:2")
    melody = {
        "A": a_first + "g5:2 b5:2 d6:2 b5:2 g6:3 f#6:1 e6:2 d6:2 | e6:2 d6:2 b5:2 g5:2 e5:4 b5:4 | "
                       "c6:2 b5:2 a5:2 g5:2 f#5:2 a5:2 d6:2 c6:2 | b5:4 g5:2 d5:2 g5:6 r:2",
        "A'": a_first + "g5:2 b5:2 d6:2 g6:2 f#6:2 e6:2 d6:2 b5:2 | e6:3 d6:1 b5:2 g5:2 e6:3 d6:1 b5:4 | "
                        "a5:2 c6:2 e6:2 c6:2 d6:2 f#6:2 a6:4 | g6:8 r:2 d6:2 e6:2 f#6:2",
        "B": b_tune,
        "C": "b5:4 e6:2 b5:2 g5:4 e5:4 | c6:4 e6:2 c6:2 g5:4 e5:4 | d6:4 g6:2 d6:2 b5:4 g5:4 | "
             "a5:4 d6:2 a5:2 f#5:4 d5:4 | e5:2 g5:2 b5:2 e6:2 g6:2 e6:2 b5:2 g5:2 | "
             "e5:2 g5:2 c6:2 e6:2 g6:2 e6:2 c6:2 g5:2 | a5:2 c6:2 e6:2 a6:2 g6:2 e6:2 c6:2 a5:2 | "
             "d6:2 f#6:2 a6:2 c7:2 b6:2 a6:2 f#6:2 d6:2",
        "A''": a_first + "g5:2 b5:2 d6:2 b5:2 g6:3 f#6:1 e6:2 d6:2 | e6:2 d6:2 b5:2 g5:2 e5:4 b5:4 | "
                         "c6:2 b5:2 a5:2 g5:2 f#5:2 a5:2 d6:2 c6:2 | b5:4 g5:2 d5:2 g5:4 d6:2 e6:2",
        "B'": b_tune.replace("a5:2 b5:2 c6:2 d6:2 f#6:2 e6:2 d6:2 c6:2",
                             "a6:2 f#6:2 d6:2 c6:2 a5:2 f#5:2 d5:2 c5:2"),
    }
    for name in order:
        text = melody[name]
        if name == "C":
            kalimba.melody(at[name], text, vel=100, legato=0.8)
        else:
            marimba.melody(at[name], text, vel=100, legato=0.9, accent=(0, 8))
        if name in ("A''", "B'"):
            whistle.melody(at[name], text, vel=78, transpose=-12 if name == "B'" else 0)
    # Brass answers in the B sections: short stabs on the off-beats.
    for name in ("B", "B'"):
        comp(brass, chords_per_bar(sections[name]), at[name], [(6, 2), (10, 1), (14, 2)],
             centre=67, vel=86)
    brass.melody(at["A'"] + 7 * 16, "r:8 d5,g5:2 r:2 d5,a5:2 d5,c6:2", vel=92)

    for name in order:
        bars = chords_per_bar(sections[name])
        nxt = order[(order.index(name) + 1) % len(order)]
        next_root = chords_per_bar(sections[nxt])[0][0]
        b0, n = at[name], len(bars)
        if name == "C":
            pad(organ, bars, b0, centre=64, vel=62)
            bass(low, bars, b0, [(0, 3, "R"), (3, 3, "R"), (6, 2, "5"), (8, 3, "8"),
                                 (11, 3, "5"), (14, 2, "A")], next_root=next_root, vel=88)
            beat = {KICK: "x.....x.x.......", RIM: "....x.......x..x", SHAKER: "xoxoxoxoxoxoxoxo"}
        else:
            comp(guitar, bars, b0, [(2, 1), (6, 1), (10, 1), (14, 1)], centre=67, vel=78)
            if name in ("B", "A''", "B'"):
                pad(organ, bars, b0, centre=60, vel=52)
            bass(low, bars, b0, [(0, 2, "R"), (3, 1, "R"), (4, 2, "8"), (6, 2, "5"),
                                 (8, 2, "R"), (10, 2, "3"), (12, 2, "5"), (14, 2, "A")],
                 next_root=next_root, vel=92)
            beat = {KICK: "x.....x.x.x.....", SNARE: "....x.......x...", HAT: "x.x.x.x.x.x.x.x."}
            if name in ("B", "B'"):
                beat = {KICK: "x.....x.x.x...x.", SNARE: "....x.......x...",
                        OPEN_HAT: "..x...x...x...x.", HAT: "x...x...x...x...", CLAP: "....x.......x..."}
            if name == "A''":
                beat[TAMBOURINE] = "..x...x...x...x."
        drums(kit, b0, beat, bars=n - 1, vel=86)
        drums(kit, b0 + 16 * (n - 1), {k: v[:12] for k, v in beat.items()
                                       if k not in (SNARE, RIM, CLAP)}, vel=86)
        fill(kit, b0 + 16 * (n - 1), "toms" if name in ("A'", "B'") else "snare", vel=86)
        drums(kit, b0 + 16 * 3, {SNARE: "..............xx"} if name != "C" else {}, vel=70)
        drums(kit, b0, {CRASH: "x"}, vel=84)
    return s, start // 16


# --- the second level tune ---------------------------------------------------------------------

def level_two():
    s = Song(132)
    steel = s.track("steel drums", 0, 114, volume=108, pan=58, reverb=40)
    trumpet = s.track("trumpet", 1, 56, volume=90, pan=74, reverb=45)
    guitar = s.track("nylon guitar", 2, 24, volume=92, pan=84, reverb=35)
    piano = s.track("electric piano", 3, 4, volume=70, pan=40, reverb=45)
    low = s.track("bass", 4, 33, volume=110, pan=64, reverb=15)
    horns = s.track("horns", 5, 61, volume=84, pan=50, reverb=40)
    kit = s.track("percussion", 9, None, volume=94, pan=64, reverb=25)

    sections = {
        "groove": "Am | Dm | E7 | Am",
        "A": "Am | Dm | G | C | F | Dm | E7 | Am",
        "A'": "Am | Dm | G | C | F | Dm | E7 | Am",
        "B": "C | G | Am | Em | F | C | Dm7 | G7",
        "break": "Am | Am | Dm E7 | Am E7",
        "A''": "Am | Dm | G | C | F | Dm | E7 | Am",
    }
    order = ["groove", "A", "A'", "B", "break", "A''"]
    start, at = 0, {}
    for name in order:
        at[name] = start
        start += 16 * len(chords_per_bar(sections[name]))

    a_first = ("e5:3 a5:3 c6:2 b5:2 a5:2 e5:4 | f5:3 a5:3 d6:2 c6:2 a5:2 f5:4 | "
               "g5:3 b5:3 d6:2 e6:2 d6:2 b5:4 | c6:3 e6:3 g6:2 e6:4 c6:4 | ")
    melody = {
        "A": a_first + "a5:3 c6:3 f6:2 e6:2 d6:2 c6:2 a5:2 | d6:3 f6:3 a6:2 g6:2 f6:2 e6:2 d6:2 | "
                       "e6:2 d6:2 c6:2 b5:2 g#5:3 b5:3 e6:2 | a5:6 e5:2 a5:4 r:4",
        "A'": a_first + "c6:2 a5:2 c6:2 f6:2 e6:3 d6:3 c6:2 | d6:2 a5:2 d6:2 f6:2 a6:4 f6:4 | "
                        "g#6:3 f6:3 e6:2 d6:2 b5:2 g#5:4 | a5:8 c6:2 d6:2 e6:2 g6:2",
        "B": "e6:6 d6:2 c6:4 g5:4 | d6:6 c6:2 b5:4 g5:4 | c6:4 e6:4 a6:6 g6:2 | g6:8 e6:4 b5:4 | "
             "a5:4 c6:4 f6:6 e6:2 | e6:4 g6:4 c7:6 b6:2 | a6:4 f6:4 d6:4 c6:4 | b5:4 d6:4 f6:4 g6:4",
        "A''": a_first + "a5:3 c6:3 f6:2 e6:2 d6:2 c6:2 a5:2 | d6:3 f6:3 a6:2 g6:2 f6:2 e6:2 d6:2 | "
                         "e6:2 d6:2 c6:2 b5:2 g#5:3 b5:3 e6:2 | a5:8 r:8",
    }
    for name in ("A", "A'", "A''"):
        steel.melody(at[name], melody[name], vel=100, legato=0.85,
                     accent=(0, 6, 12))
    trumpet.melody(at["B"], melody["B"], vel=92)
    # The steel drums answer the trumpet's long notes in B.
    steel.melody(at["B"], ("r:8 g5:2 c6:2 e6:4 | r:8 d6:2 b5:2 g5:4 | r:12 e6:2 c6:2 | "
                           "r:8 b5:2 g5:2 e5:4 | r:12 c6:2 a5:2 | r:12 g6:2 e6:2 | r:16 | "
                           "r:16"), vel=78, legato=0.8)
    # In A'' the trumpet plays a third below the steel drums.
    trumpet.melody(at["A''"], ("c5:3 e5:3 a5:2 g5:2 e5:2 c5:4 | d5:3 f5:3 a5:2 a5:2 f5:2 d5:4 | "
                               "d5:3 g5:3 b5:2 c6:2 b5:2 g5:4 | g5:3 c6:3 e6:2 c6:4 g5:4 | "
                               "f5:3 a5:3 c6:2 c6:2 a5:2 a5:2 f5:2 | a5:3 d6:3 f6:2 e6:2 d6:2 c6:2 a5:2 | "
                               "c6:2 b5:2 a5:2 g#5:2 e5:3 g#5:3 b5:2 | e5:8 r:8"),
                   vel=74)
    steel.melody(at["groove"] + 32, "r:8 e5:2 g#5:2 b5:2 d6:2 | c6:2 b5:2 a5:2 e5:2 r:8", vel=80)
    steel.melody(at["break"], "r:6 a5:1 c6:1 e6:2 r:6 | r:6 a5:1 c6:1 e6:2 a6:2 r:4 | "
                 "r:6 f6:2 r:6 g#6:2 | a6:4 r:12", vel=90)
    comp(horns, chords_per_bar(sections["break"]), at["break"], [(3, 1), (6, 2), (10, 1)],
         centre=67, vel=92)
    horns.melody(at["A'"] + 7 * 16, "r:8 c5,e5:2 r:2 d5,f5:2 e5,g#5:2", vel=92)

    for name in order:
        bars = chords_per_bar(sections[name])
        nxt = order[(order.index(name) + 1) % len(order)]
        next_root = chords_per_bar(sections[nxt])[0][0]
        b0, n = at[name], len(bars)
        # Montuno-like guitar and a syncopated bass under everything.
        comp(guitar, bars, b0, [(0, 1), (3, 1), (6, 1), (8, 1), (10, 1), (12, 1), (14, 1)],
             centre=64, vel=74)
        if name in ("B", "A''"):
            pad(piano, bars, b0, centre=62, vel=58)
        if name == "break":
            bass(low, bars, b0, [(0, 3, "R"), (3, 3, "R"), (6, 2, "8"), (10, 2, "5"),
                                 (14, 2, "A")], next_root=next_root, vel=96)
        else:
            bass(low, bars, b0, [(0, 3, "R"), (3, 3, "5"), (6, 2, "8"), (8, 3, "R"),
                                 (11, 3, "5"), (14, 2, "A")], next_root=next_root, vel=94)
        congas = {MUTE_CONGA: "..x...x...x...x.", OPEN_CONGA: "...x......xx....",
                  LOW_CONGA: ".......x.......x"}
        beat = {KICK: "x..x..x.x..x..x.", CLAVES: "x..x..x...x.x...", SHAKER: "xoxoxoxoxoxoxoxo",
                **congas}
        if name in ("B", "A''"):
            beat.update({RIM: "....x.......x...", COWBELL: "x...x...x...x...", HAT: "..x...x...x...x."})
        if name == "break":
            beat = {KICK: "x.....x...x.....", HIGH_BONGO: "x.xxx.xxx.xxx.xx",
                    LOW_BONGO: ".x...x...x...x..", CABASA: "x.x.x.x.x.x.x.x.", **congas}
        if name == "groove":
            beat = {KICK: "x..x..x.x..x..x.", SHAKER: "xoxoxoxoxoxoxoxo", **congas}
        drums(kit, b0, beat, bars=n - 1, vel=84)
        drums(kit, b0 + 16 * (n - 1), {k: v[:12] for k, v in beat.items()}, vel=84)
        fill(kit, b0 + 16 * (n - 1), "toms" if name in ("A'", "break") else "snare", vel=84)
        drums(kit, b0, {CRASH: "x"} if name != "groove" else {RIDE: "x"}, vel=82)
    return s, start // 16


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    repeats = 2 if "--twice" in sys.argv else 1
    for name, make in (("intro", intro), ("1", level_one), ("2", level_two)):
        song, bars = make()
        song.write(f"{out}/{name}.mid", bars, repeats)
        print(f"{name}.mid: {bars} bars, {bars * 4 * 60 / song.bpm:.3f} s")


if __name__ == "__main__":
    main()
