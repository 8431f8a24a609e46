#!/usr/bin/env python3
"""Measures the game data the way the art and sound rules in assets/*/README.md ask.

Reads what `zenit-tool export DIR` writes (DIR/sprite/<id>.res, DIR/palette/<n>.txt,
DIR/wave/<n>.wav and, with ZENIT_MUSIC_WAV=1, DIR/music/<n>.wav).

  look_and_listen.py contrast DIR [--stage-texts 101:1,102:181,103:51] [--ground 1001-1011] IDS...
      luminance contrast of each sprite's (or id range's) mean colour against the mean
      colour of the ground tiles, e.g. `contrast out 102 127-133 4003-4010`;
      --no-outline measures the body alone, without the index-1 outline
  look_and_listen.py effects DIR      pairwise correlation of the effects' log spectra
  look_and_listen.py music DIR        RMS of every piece against the effects' mean RMS,
                                      spectral centroid, level lost in a mono mix

The audio commands need numpy (Debian: python3-numpy).
"""
import argparse
import math
import os
import struct
import sys
import wave


# ---- pictures ----------------------------------------------------------------------------

def read_palette(export_dir, texts):
    pal = {0: (0, 0, 0), 255: (255, 255, 255)}
    for text_id, start in texts:
        fields = open(os.path.join(export_dir, "palette", f"{text_id}.txt")).read().strip().split("/")
        count = int(fields[1])
        for k in range(count):
            v = int(fields[2 + k])
            pal[start + k] = (v & 255, (v >> 8) & 255, (v >> 16) & 255)
    return pal


def read_sprite(export_dir, sprite_id):
    data = open(os.path.join(export_dir, "sprite", f"{sprite_id}.res"), "rb").read()
    w, h = struct.unpack(">HH", data[:4])
    return w, h, data[4:]


def mean_colour(export_dir, pal, ids, skip=()):
    total = [0.0, 0.0, 0.0]
    n = 0
    for i in ids:
        _, _, px = read_sprite(export_dir, i)
        for p in px:
            if p == 255 or p in skip:
                continue
            c = pal.get(p, (0, 0, 0))
            for k in range(3):
                total[k] += c[k]
            n += 1
    return tuple(t / max(n, 1) for t in total)


def luminance(rgb):
    def lin(v):
        v /= 255.0
        return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (lin(v) for v in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = luminance(a), luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def id_range(text):
    if "-" in text:
        lo, hi = text.split("-")
        return list(range(int(lo), int(hi) + 1))
    return [int(text)]


def cmd_contrast(args):
    texts = [tuple(int(x) for x in t.split(":")) for t in args.stage_texts.split(",")]
    pal = read_palette(args.dir, texts)
    ground = mean_colour(args.dir, pal, id_range(args.ground))
    skip = {1} if args.no_outline else set()
    print(f"ground {args.ground}: mean colour {tuple(round(v) for v in ground)}, luminance {luminance(ground):.3f}")
    worst = None
    for spec in args.ids:
        ids = id_range(spec)
        per_sprite = [contrast(mean_colour(args.dir, pal, [i], skip), ground) for i in ids]
        c = mean_colour(args.dir, pal, ids, skip)
        low = min(per_sprite)
        worst = low if worst is None else min(worst, low)
        print(f"{spec:>10}: mean colour {tuple(round(v) for v in c)}  contrast {contrast(c, ground):.2f}:1"
              f"  (lowest single sprite {low:.2f}:1)")
    return 0 if worst is None or worst >= args.target else 1


# ---- sound -------------------------------------------------------------------------------

def read_wave(path):
    import numpy as np
    with wave.open(path) as w:
        ch, rate, n = w.getnchannels(), w.getframerate(), w.getnframes()
        x = np.frombuffer(w.readframes(n), dtype="<i2").astype(np.float64) / 32768.0
    return x.reshape(-1, ch), rate


def db(v):
    return 20 * math.log10(max(v, 1e-12))


def rms(x):
    import numpy as np
    return float(np.sqrt(np.mean(np.square(x))))


def log_spectrum(x, rate, bands=48):
    """Mean power per log-spaced band (40 Hz .. 16 kHz), in dB; a band too narrow
    to hold a bin of the transform takes its nearest bin."""
    import numpy as np
    mono = x.mean(axis=1)
    size = 8192
    frames = [mono[i:i + size] for i in range(0, max(len(mono) - size, 1), size // 2)]
    win = np.hanning(size)
    power = np.zeros(size // 2 + 1)
    for f in frames:
        f = np.pad(f, (0, size - len(f)))
        power += np.abs(np.fft.rfft(f * win)) ** 2
    freqs = np.fft.rfftfreq(size, 1 / rate)
    edges = np.geomspace(40, 16000, bands + 1)
    out = []
    for lo, hi in zip(edges[:-1], edges[1:]):
        sel = (freqs >= lo) & (freqs < hi)
        band = power[sel].mean() if sel.any() else power[int(np.argmin(np.abs(freqs - math.sqrt(lo * hi))))]
        out.append(10 * math.log10(band + 1e-12))
    return np.array(out)


def effect_paths(export_dir):
    names = sorted((f for f in os.listdir(os.path.join(export_dir, "wave")) if f.endswith(".wav")),
                   key=lambda f: int(f.split(".")[0]))
    return [(int(f.split(".")[0]), os.path.join(export_dir, "wave", f)) for f in names]


def effects_mean_rms_db(export_dir):
    levels = []
    for _, path in effect_paths(export_dir):
        x, _ = read_wave(path)
        levels.append(db(rms(x)))
    return sum(levels) / len(levels), levels


def cmd_effects(args):
    import numpy as np
    specs = {}
    for n, path in effect_paths(args.dir):
        x, rate = read_wave(path)
        specs[n] = log_spectrum(x, rate)
    ids = sorted(specs)
    worst = (-1.0, 0, 0)
    print("     " + "".join(f"{j:>6}" for j in ids))
    for i in ids:
        row = []
        for j in ids:
            r = float(np.corrcoef(specs[i], specs[j])[0, 1])
            row.append(r)
            if i < j and r > worst[0]:
                worst = (r, i, j)
        print(f"{i:>4} " + "".join(f"{r:6.3f}" for r in row))
    print(f"highest correlation between two effects: {worst[0]:.3f} ({worst[1]} and {worst[2]})")
    return 0 if worst[0] < args.limit else 1


def cmd_music(args):
    import numpy as np
    mean_fx, levels = effects_mean_rms_db(args.dir)
    print("effects RMS dBFS: " + " ".join(f"{v:.1f}" for v in levels) + f"  mean {mean_fx:.1f}")
    ok = True
    music_dir = os.path.join(args.dir, "music")
    for n in range(1, 10):
        path = os.path.join(music_dir, f"{n}.wav")
        if not os.path.exists(path):
            continue
        x, rate = read_wave(path)
        level = db(rms(x))
        peak = db(float(np.max(np.abs(x))))
        mono = x.mean(axis=1)
        mono_loss = level - db(rms(mono)) - 0.0  # a stereo signal summed to one channel
        # The same level in both channels sums to the same RMS; out-of-phase content cancels.
        spec = np.abs(np.fft.rfft(mono[: rate * 30])) ** 2
        freqs = np.fft.rfftfreq(len(mono[: rate * 30]), 1 / rate)
        centroid = float((spec * freqs).sum() / spec.sum())
        high = 10 * math.log10(spec[freqs > 6000].sum() / spec.sum())
        width = db(rms(x[:, 0] - x[:, 1]) / max(rms(x[:, 0] + x[:, 1]), 1e-12))
        diff = level - mean_fx
        good = abs(diff) <= 6 and mono_loss <= 3
        ok &= good
        print(f"music {n}: RMS {level:6.1f} dBFS ({diff:+.1f} dB from the effects), peak {peak:6.1f},"
              f" centroid {centroid:5.0f} Hz, above 6 kHz {high:6.1f} dB, side/mid {width:6.1f} dB,"
              f" mono loss {mono_loss:4.1f} dB {'ok' if good else 'FAIL'}")
    return 0 if ok else 1


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = p.add_subparsers(dest="cmd", required=True)
    c = sub.add_parser("contrast")
    c.add_argument("dir")
    c.add_argument("ids", nargs="+")
    c.add_argument("--stage-texts", default="101:1,102:181,103:51")
    c.add_argument("--ground", default="1001-1011")
    c.add_argument("--target", type=float, default=2.0)
    c.add_argument("--no-outline", action="store_true", help="leave the outline (index 1) out of the mean: the body alone")
    e = sub.add_parser("effects")
    e.add_argument("dir")
    e.add_argument("--limit", type=float, default=0.95)
    m = sub.add_parser("music")
    m.add_argument("dir")
    args = p.parse_args()
    return {"contrast": cmd_contrast, "effects": cmd_effects, "music": cmd_music}[args.cmd](args)


if __name__ == "__main__":
    sys.exit(main())
