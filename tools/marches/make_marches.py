#!/usr/bin/env python3
"""Makes the seventeen march files marches/muzik/mehter/01.asf .. 17.asf.

    python3 tools/marches/make_marches.py            # make all, then measure
    python3 tools/marches/make_marches.py 3 14       # make only these
    python3 tools/marches/make_marches.py --measure  # only measure

Needs g++ and ffmpeg (with its wmav2 encoder); nothing else.
Each march: scores.py holds the melody, band.py arranges it for the band,
synth.cpp renders the WAV, ffmpeg encodes WMA 2 in ASF.
"""

import json
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
OUT = os.path.join(ROOT, "marches", "muzik", "mehter")
BITRATE = "64k"

sys.path.insert(0, HERE)
from band import Arrangement  # noqa: E402
from scores import MARCHES  # noqa: E402


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, capture_output=True, text=True, **kw)


def build_synth(work):
    exe = os.path.join(work, "synth")
    run(["g++", "-O2", "-std=c++20", "-o", exe, os.path.join(HERE, "synth.cpp")])
    return exe


def make(march, synth, work):
    events = os.path.join(work, f"{march.number:02d}.txt")
    wav = os.path.join(work, f"{march.number:02d}.wav")
    out = os.path.join(OUT, f"{march.number:02d}.asf")
    with open(events, "w", encoding="utf-8") as f:
        f.write(Arrangement(march).text())
    run([synth, events, wav])
    # bitexact: no creation time or random ids, so a remake gives the same bytes
    run(["ffmpeg", "-nostdin", "-y", "-loglevel", "error", "-i", wav,
         "-c:a", "wmav2", "-b:a", BITRATE, "-ar", "44100", "-ac", "2",
         "-metadata", f"title={march.title}",
         "-fflags", "+bitexact", "-flags:a", "+bitexact", out])
    os.remove(wav)
    return out


def astats(path, pre=""):
    chain = (pre + "," if pre else "") + "astats=measure_perchannel=none"
    r = subprocess.run(["ffmpeg", "-nostdin", "-hide_banner", "-i", path, "-af", chain, "-f", "null", "-"],
                       capture_output=True, text=True)
    stats = {}
    for key in ("RMS level dB", "Peak level dB"):
        m = re.findall(rf"{key}: (-?[\d.]+|-inf)", r.stderr)
        stats[key] = float(m[-1]) if m else float("nan")
    return stats


def loudness(path):
    r = subprocess.run(["ffmpeg", "-nostdin", "-hide_banner", "-i", path, "-af", "ebur128=peak=true",
                        "-f", "null", "-"], capture_output=True, text=True)
    integrated = re.findall(r"I:\s+(-?[\d.]+) LUFS", r.stderr)
    lra = re.findall(r"LRA:\s+(-?[\d.]+) LU", r.stderr)
    true_peak = re.findall(r"Peak:\s+(-?[\d.]+) dBFS", r.stderr)
    return (float(integrated[-1]), float(lra[-1]), float(true_peak[-1]))


def probe(path):
    r = run(["ffprobe", "-v", "error", "-show_format", "-show_streams", "-of", "json", path])
    info = json.loads(r.stdout)
    s = info["streams"][0]
    return {
        "format": info["format"]["format_name"],
        "codec": s["codec_name"],
        "rate": int(s["sample_rate"]),
        "channels": s["channels"],
        "bitrate": int(s.get("bit_rate", 0)),
        "duration": float(info["format"]["duration"]),
        "size": int(info["format"]["size"]),
    }


def measure(numbers, work):
    print(f"{'no':>2} {'title':<24} {'fmt':<4} {'codec':<6} {'kbit':>4} {'Hz':>5} ch {'dur s':>6} {'KiB':>5} "
          f"{'RMS':>6} {'peak':>5} {'LUFS':>6} {'LRA':>4} {'TP':>5} {'<150':>6} {'.3-3k':>6} {'>5k':>6}")
    total = 0
    ok = True
    for march in MARCHES:
        if numbers and march.number not in numbers:
            continue
        asf = os.path.join(OUT, f"{march.number:02d}.asf")
        p = probe(asf)
        # Measure what a player decodes, once decoded.
        path = os.path.join(work, "decoded.wav")
        run(["ffmpeg", "-nostdin", "-y", "-loglevel", "error", "-i", asf, path])
        a = astats(path)
        lufs, lra, tp = loudness(path)
        low = astats(path, "lowpass=f=150,lowpass=f=150")["RMS level dB"]
        mid = astats(path, "highpass=f=300,highpass=f=300,lowpass=f=3000,lowpass=f=3000")["RMS level dB"]
        high = astats(path, "highpass=f=5000,highpass=f=5000")["RMS level dB"]
        total += p["size"]
        good = (p["format"] == "asf" and p["codec"] == "wmav2" and p["rate"] == 44100
                and 40 <= p["duration"] <= 120 and a["Peak level dB"] < 0 and tp < 0)
        ok &= good
        print(f"{march.number:>2} {march.title:<24} {p['format']:<4} {p['codec']:<6} {p['bitrate'] // 1000:>4} "
              f"{p['rate']:>5} {p['channels']:>2} {p['duration']:>6.1f} {p['size'] // 1024:>5} "
              f"{a['RMS level dB']:>6.1f} {a['Peak level dB']:>5.1f} {lufs:>6.1f} {lra:>4.1f} {tp:>5.1f} "
              f"{low:>6.1f} {mid:>6.1f} {high:>6.1f}{'' if good else '  <-- out of bounds'}")
    print(f"total {total / 1e6:.2f} MB")
    return ok


def main(argv):
    only_measure = "--measure" in argv
    numbers = {int(a) for a in argv if a.isdigit()}
    with tempfile.TemporaryDirectory() as work:
        if not only_measure:
            os.makedirs(OUT, exist_ok=True)
            synth = build_synth(work)
            for march in MARCHES:
                if numbers and march.number not in numbers:
                    continue
                print(f"making {march.number:02d} {march.title}", flush=True)
                make(march, synth, work)
        return 0 if measure(numbers, work) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
