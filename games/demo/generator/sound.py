"""The demo's sounds, synthesised: a button click, a short hummed voice (for
the ogg) and the title theme as a Standard MIDI File. numpy's seeded
generator makes the noise, so every build writes the same samples."""

import struct

import numpy as np

RATE = 22050


def write_wav(path, samples):
    """16-bit mono PCM."""
    pcm = np.clip(np.round(samples * 32767), -32768, 32767).astype("<i2").tobytes()
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", 36 + len(pcm)) + b"WAVE")
        f.write(b"fmt " + struct.pack("<I", len(fmt)) + fmt)
        f.write(b"data" + struct.pack("<I", len(pcm)) + pcm)


def click():
    """40 ms: a falling tone over a short burst of noise."""
    t = np.arange(int(RATE * 0.04)) / RATE
    tone = np.sin(2 * np.pi * (1800 - 9000 * t) * t)
    noise = np.random.RandomState(3).uniform(-1, 1, t.size)
    return (0.5 * tone + 0.3 * noise) * np.exp(-t * 120)


# Formant centres (Hz) of the vowels the voice hums through.
VOWELS = {"a": (800, 1200, 2500), "i": (300, 2300, 3000), "u": (350, 1250, 2400), "o": (500, 900, 2400)}


def voice():
    """About two seconds of a voice-like hum: a 220 Hz pulse with vibrato,
    shaped by the formants of a, o, i, u in turn."""
    n = int(RATE * 2.2)
    t = np.arange(n) / RATE
    pitch = 220 * (1 + 0.02 * np.sin(2 * np.pi * 5 * t)) * (1 - 0.1 * t / t[-1])
    phase = 2 * np.pi * np.cumsum(pitch) / RATE
    order = "aoiu"
    which = np.minimum((t / t[-1] * len(order)).astype(int), len(order) - 1)
    out = np.zeros(n)
    for k in range(1, 18):
        freq = k * pitch
        gain = np.zeros(n)
        for v, name in enumerate(order):
            sel = which == v
            for f in VOWELS[name]:
                gain[sel] += np.exp(-((freq[sel] - f) / 160.0) ** 2)
        out += gain * np.sin(k * phase) / k
    envelope = np.minimum(1, np.minimum(t / 0.15, (t[-1] - t) / 0.4))
    return 0.6 * out / np.abs(out).max() * envelope


def _var_len(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def theme_midi():
    """The title theme: a 16-bar melody over slow chords, 96 ticks per beat,
    format 0, looping cleanly (it ends where it began)."""
    melody = [72, 74, 76, 79, 76, 74, 72, 67, 69, 72, 74, 76, 74, 72, 69, 72,
              72, 74, 76, 79, 81, 79, 76, 74, 76, 74, 72, 69, 67, 69, 72, 72]
    chords = [(48, 55, 64), (45, 52, 60), (41, 48, 57), (43, 50, 59)] * 2
    events = []  # (tick, order, bytes)
    events.append((0, 0, b"\xFF\x51\x03" + (600000).to_bytes(3, "big")))  # 100 beats a minute
    events.append((0, 0, bytes([0xC0, 73])))   # flute
    events.append((0, 0, bytes([0xC1, 89])))   # warm pad
    events.append((0, 0, bytes([0xB1, 7, 70])))
    for i, note in enumerate(melody):
        start = i * 192
        events.append((start, 2, bytes([0x90, note, 96])))
        events.append((start + 180, 1, bytes([0x80, note, 0])))
    for i, chord in enumerate(chords):
        for note in chord:
            events.append((i * 768, 2, bytes([0x91, note, 64])))
            events.append((i * 768 + 760, 1, bytes([0x81, note, 0])))
    events.sort(key=lambda e: (e[0], e[1]))
    track, now = bytearray(), 0
    for tick, _, data in events:
        track += _var_len(tick - now) + data
        now = tick
    track += _var_len(len(chords) * 768 - now) + b"\xFF\x2F\x00"
    return b"MThd" + struct.pack(">IHHH", 6, 0, 1, 96) + b"MTrk" + struct.pack(">I", len(track)) + bytes(track)
