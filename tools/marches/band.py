"""Arranges one march for the band and returns its event list for synth.cpp.

Form: an introduction (a drum call with a boru fanfare, then the refrain's
closing phrase), the zemin twice, the nakarat twice, the meyan, the nakarat
once more at full strength and a closing stroke.

The band: two zurnas in unison (a kaba zurna an octave below joins in the
refrain), boru on long notes in the refrain, two davuls playing the usul,
kös on the cycle's first beat, nakkare filling in eighths, zil on the düm.
"""

import random

from scores import USULS, degree_cents, parse_melody

# Section plan: (kind, dynamic). "intro" and "end" are built apart.
FORM = [("A", 0.66), ("A", 0.8), ("B", 0.9), ("B", 1.0), ("C", 0.6), ("B", 1.0)]


class Arrangement:
    def __init__(self, march):
        self.m = march
        self.eighth = 60.0 / march.tempo / 2.0
        self.rng = random.Random(1000 + march.number)
        self.events = []
        self.cycle, self.strokes = USULS[march.usul]

    # --- helpers -----------------------------------------------------------

    def t(self, eighths):
        return eighths * self.eighth

    def jitter(self, ms=4.0):
        return self.rng.uniform(-ms, ms) / 1000.0

    def vary(self, v, amount=0.06):
        return max(0.0, v * (1.0 + self.rng.uniform(-amount, amount)))

    def add(self, inst, start, length, freq, vel, pan, extra=0):
        self.events.append((inst, max(0.0, start), length, freq, vel, pan, extra))

    def freq(self, degree, acc=0, octave=0):
        cents = degree_cents(self.m.makam, degree, acc) + 1200 * octave
        return self.m.tonic * 2.0 ** (cents / 1200.0)

    def phrase(self, *names):
        notes = []
        offset = 0.0
        for name in names:
            part = parse_melody(self.m.sections[name], f"march {self.m.number} {name}")
            notes += [(s + offset, d, deg, acc) for s, d, deg, acc in part]
            offset += 16.0
        return notes, offset

    # --- the melody --------------------------------------------------------

    def melody(self, at, notes, vel, kaba=False, last_long=False):
        """Zurnas play the notes starting at eighth `at`."""
        voices = [(-0.35, -4.0, 0.0), (0.35, 5.0, 0.007)]
        for i, (start, length, degree, acc) in enumerate(notes):
            if degree is None:
                continue
            begin = self.t(at + start)
            dur = self.t(length)
            short = length < 1.0
            # Tongued notes with a small gap; sixteenths run on slurred.
            played = dur - (0.02 if short else min(0.06, dur * 0.12))
            if last_long and i == len(notes) - 1:
                played = dur + self.t(2)
            accent = 1.08 if (start % 8) == 0 else (1.0 if (start % 2) == 0 else 0.92)
            f = self.freq(degree, acc)
            grace = length >= 2.0 and start > 0 and self.rng.random() < 0.28
            for pan, detune, lag in voices:
                ff = f * 2.0 ** (detune / 1200.0)
                s = begin + lag + self.jitter(3)
                v = self.vary(vel * accent, 0.04)
                if grace:
                    # çarpma: a quick stroke from the degree above into the note
                    g = self.freq(degree + 1) * 2.0 ** (detune / 1200.0)
                    self.add("zurna", s, 0.055, g, v * 0.9, pan)
                    self.add("zurna", s + 0.055, played - 0.055, ff, v, pan, 1)
                else:
                    self.add("zurna", s, played, ff, v, pan, 1 if short and i > 0 else 0)
                if kaba and pan < 0:
                    self.add("zurna", s + 0.004, played, ff / 2.0, v * 0.55, 0.0)

    # --- the boru ----------------------------------------------------------

    def boru_degrees(self):
        # The boru has no valves: it holds tonic, fourth, fifth and octave,
        # the fifth only where the makam has a pure one.
        degrees = [1, 4, 8]
        if abs(degree_cents(self.m.makam, 5, 0) - 702) < 20:
            degrees.append(5)
        return degrees

    def boru(self, at, notes, bars, vel):
        allowed = self.boru_degrees()
        for bar in range(bars):
            down = [n for n in notes if n[0] <= bar * 8 < n[0] + n[1] and n[2] is not None]
            if not down:
                continue
            target = degree_cents(self.m.makam, down[0][2], down[0][3])
            best = min(allowed, key=lambda d: abs(degree_cents(self.m.makam, d, 0) - target))
            self.add("boru", self.t(at + bar * 8) + 0.01, self.t(6), self.freq(best, 0, -1), vel, 0.15)

    # --- the drums ---------------------------------------------------------

    def drums(self, at, eighths, vel, meyan=False, fill_end=True, section_start=True):
        cycles = int(round(eighths / self.cycle))
        for c in range(cycles):
            base = at + c * self.cycle
            bar_start = (c * self.cycle) % 8 == 0
            for pos, kind, weight in self.strokes:
                start = self.t(base + pos)
                w = vel * weight
                if kind == "D":
                    self.add("dum", start + self.jitter(), 0.9, 62.0, self.vary(w), -0.45)
                    self.add("dum", start + 0.009 + self.jitter(), 0.9, 68.5, self.vary(w * 0.9), 0.45)
                else:
                    soft = 0.7 if kind == "K" else 1.0
                    self.add("tek", start + self.jitter(), 0.25, 185.0, self.vary(w * 0.55 * soft), -0.45)
                    self.add("tek", start + 0.008 + self.jitter(), 0.25, 200.0, self.vary(w * 0.5 * soft), 0.45)
                if kind == "D":
                    first = pos == 0 and bar_start
                    if first and c == 0 and section_start:
                        self.add("zil", start + self.jitter(), 2.0, 0, self.vary(vel * 0.8), 0.25)
                    elif first:
                        self.add("zil", start + self.jitter(), 1.1, 0, self.vary(vel * 0.45), 0.25)
                    else:
                        self.add("zil", start + self.jitter(), 0.12, 0, self.vary(vel * 0.3), 0.25)
            if bar_start and (not meyan or c == 0):
                self.add("kos", self.t(base) + self.jitter(), 2.5, 41.0, self.vary(vel * 0.75), 0.0)
            # Nakkare in eighths, the two drums alternating, accents on the strokes.
            strokes_at = {p for p, _, _ in self.strokes}
            last_cycle = c == cycles - 1
            for e in range(self.cycle):
                if meyan and e % 2:
                    continue
                if fill_end and last_cycle and e >= self.cycle - 2:
                    continue
                pitch = 330.0 if e % 2 == 0 else 262.0
                v = vel * (0.5 if e in strokes_at else 0.32)
                self.add("nakkare", self.t(base + e) + self.jitter(3), 0.3, pitch, self.vary(v, 0.1), -0.2)
            if fill_end and last_cycle:
                # A roll into the next section: sixteenths, growing.
                for k in range(4):
                    s = self.t(base + self.cycle - 2 + k * 0.5)
                    self.add("nakkare", s + self.jitter(2), 0.3, 330.0 if k % 2 == 0 else 262.0,
                             vel * (0.35 + 0.1 * k), -0.2)

    # --- the whole march ---------------------------------------------------

    def build(self):
        pos = 0.0
        # Drum call: kös and davul roll under a boru fanfare.
        self.add("kos", 0.0, 2.5, 41.0, 0.75, 0.0)
        self.add("kos", self.t(4), 2.5, 41.0, 0.65, 0.0)
        self.add("dum", 0.0, 0.9, 62.0, 0.8, -0.45)
        self.add("dum", 0.009, 0.9, 68.5, 0.75, 0.45)
        self.add("zil", 0.0, 2.0, 0, 0.7, 0.25)
        for k in range(12):
            s = self.t(k * 0.5)
            self.add("tek", s + self.jitter(2), 0.25, 185.0, 0.2 + 0.04 * k, -0.45)
            self.add("tek", s + self.t(0.25) + self.jitter(2), 0.25, 200.0, 0.18 + 0.04 * k, 0.45)
        self.add("dum", self.t(6), 0.9, 62.0, 0.9, -0.45)
        self.add("dum", self.t(7), 0.9, 68.5, 0.95, 0.45)
        fanfare = [(0, 2, 1), (2, 2, 4 if 5 not in self.boru_degrees() else 5), (4, 4, 8)]
        for s, d, deg in fanfare:
            self.add("boru", self.t(s) + 0.01, self.t(d) - 0.04, self.freq(deg, 0, -1), 0.7, 0.15)
        pos = 8.0

        notes, length = self.phrase("B2")
        self.melody(pos, notes, 0.8)
        self.drums(pos, length, 0.8)
        pos += length

        for kind, vel in FORM:
            notes, length = self.phrase(kind + "1", kind + "2")
            refrain = kind == "B"
            self.melody(pos, notes, vel, kaba=refrain)
            if refrain:
                self.boru(pos, notes, int(length // 8), vel * 0.55)
            self.drums(pos, length, vel, meyan=(kind == "C"))
            pos += length

        # Closing: the tonic held over a last cycle of strokes, then one unison stroke.
        self.add("zurna", self.t(pos) - 0.005, self.t(6), self.freq(1), 1.0, -0.35)
        self.add("zurna", self.t(pos) + 0.004, self.t(6), self.freq(1) * 2 ** (5 / 1200), 1.0, 0.35)
        self.add("zurna", self.t(pos), self.t(6), self.freq(1) / 2, 0.55, 0.0)
        self.add("boru", self.t(pos) + 0.01, self.t(6), self.freq(1, 0, -1), 0.6, 0.15)
        for k in range(10):
            s = self.t(pos + k * 0.5)
            self.add("tek", s + self.jitter(2), 0.25, 185.0, 0.3 + 0.05 * k, -0.45)
            self.add("tek", s + self.t(0.25) + self.jitter(2), 0.25, 200.0, 0.28 + 0.05 * k, 0.45)
            self.add("nakkare", s, 0.3, 330.0 if k % 2 == 0 else 262.0, 0.3 + 0.03 * k, -0.2)
        self.add("kos", self.t(pos), 2.5, 41.0, 0.9, 0.0)
        self.add("dum", self.t(pos), 0.9, 62.0, 0.9, -0.45)
        self.add("zil", self.t(pos), 1.2, 0, 0.6, 0.25)
        end = self.t(pos + 6)
        self.add("kos", end, 2.5, 41.0, 1.0, 0.0)
        self.add("dum", end, 0.9, 62.0, 1.0, -0.45)
        self.add("dum", end + 0.008, 0.9, 68.5, 1.0, 0.45)
        self.add("zil", end, 1.8, 0, 0.9, 0.25)
        self.add("nakkare", end, 0.3, 330.0, 0.6, -0.2)
        return end + 0.5

    def text(self):
        length = self.build()
        lines = [f"# {self.m.number:02d} {self.m.title}: {self.m.makam}, {self.m.usul}, {self.m.tempo} bpm",
                 f"length {length:.4f}"]
        for inst, start, dur, freq, vel, pan, extra in sorted(self.events, key=lambda e: e[1]):
            lines.append(f"{inst} {start:.5f} {dur:.5f} {freq:.3f} {vel:.4f} {pan:.3f} {extra}")
        return "\n".join(lines) + "\n"
