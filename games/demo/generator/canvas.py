"""Drawing on numpy pictures: banded gradients, shapes with a mask, and the
bitmap writer. Everything is integer-exact so the pictures come out the same
on every machine; flat bands keep the frames small when stored as PNG."""

import struct

import numpy as np


class Canvas:
    """An RGB picture with an opacity plane (255 opaque)."""

    def __init__(self, width, height, color=(0, 0, 0), opaque=True):
        self.w, self.h = width, height
        self.rgb = np.zeros((height, width, 3), np.uint8)
        self.rgb[:, :] = color
        self.alpha = np.full((height, width), 255 if opaque else 0, np.uint8)
        self.yy, self.xx = np.mgrid[0:height, 0:width]

    def paint(self, where, color, opacity=255):
        """Colour the pixels of a boolean plane; opacity < 255 blends."""
        if opacity >= 255:
            self.rgb[where] = color
        else:
            old = self.rgb[where].astype(np.int32)
            new = np.array(color, np.int32)
            self.rgb[where] = (old + (new - old) * opacity // 255).astype(np.uint8)
        self.alpha[where] = 255

    def bands(self, top, bottom, count, y0=0, y1=None, where=None):
        """A vertical gradient from top to bottom colour in count flat bands."""
        y1 = self.h if y1 is None else y1
        t = np.clip((self.yy - y0) * count // max(1, y1 - y0), 0, count - 1)
        a, b = np.array(top, np.int32), np.array(bottom, np.int32)
        colors = a + (b - a) * np.arange(count)[:, None] // max(1, count - 1)
        inside = (self.yy >= y0) & (self.yy < y1)
        if where is not None:
            inside &= where
        self.rgb[inside] = colors[t[inside]].astype(np.uint8)
        self.alpha[inside] = 255

    # Shapes answer boolean planes, so they can be combined and cut.
    def ellipse(self, cx, cy, rx, ry):
        return ((self.xx - cx) * ry) ** 2 + ((self.yy - cy) * rx) ** 2 <= (rx * ry) ** 2

    def rect(self, left, top, right, bottom):
        return (self.xx >= left) & (self.xx < right) & (self.yy >= top) & (self.yy < bottom)

    def round_rect(self, left, top, right, bottom, r):
        inner = self.rect(left + r, top, right - r, bottom) | self.rect(left, top + r, right, bottom - r)
        for cx, cy in ((left + r, top + r), (right - r - 1, top + r), (left + r, bottom - r - 1),
                       (right - r - 1, bottom - r - 1)):
            inner |= self.ellipse(cx, cy, r, r)
        return inner

    def polygon(self, points):
        """Even-odd fill of a polygon given as integer (x, y) points."""
        inside = np.zeros((self.h, self.w), bool)
        n = len(points)
        for i in range(n):
            (x1, y1), (x2, y2) = points[i], points[(i + 1) % n]
            if y1 == y2:
                continue
            crosses = (self.yy >= min(y1, y2)) & (self.yy < max(y1, y2))
            # x of the edge at each row, compared without division.
            left = (self.xx - x1) * (y2 - y1) < (self.yy - y1) * (x2 - x1)
            inside ^= crosses & (left if y2 > y1 else ~left)
        return inside

    def below_curve(self, heights):
        """The pixels below a skyline given as one height per column."""
        return self.yy >= np.asarray(heights)[None, :]

    def stars(self, seed, count, colors, box=None):
        rng = np.random.RandomState(seed)
        left, top, right, bottom = box or (0, 0, self.w, self.h)
        for _ in range(count):
            x, y = rng.randint(left, right), rng.randint(top, bottom)
            c = colors[rng.randint(len(colors))]
            self.rgb[y, x] = c
            if rng.randint(4) == 0 and 0 < x < self.w - 1 and 0 < y < self.h - 1:
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    self.rgb[y + dy, x + dx] = [v * 2 // 3 for v in c]


def hill_line(width, base, waves):
    """A skyline: base height plus integer sine-like bumps (amplitude, period, phase)."""
    x = np.arange(width)
    h = np.full(width, float(base))
    for amp, period, phase in waves:
        h -= amp * np.sin(2 * np.pi * (x + phase) / period)
    return np.round(h).astype(np.int64)


def write_bmp(path, canvas, with_mask=None):
    """A bottom-up bitmap: 32 bits with the opacity as fourth byte when the
    picture has transparent pixels (rivotool convert takes it as the mask),
    24 bits otherwise."""
    masked = bool((canvas.alpha < 255).any()) if with_mask is None else with_mask
    bgr = canvas.rgb[::-1, :, ::-1]
    if masked:
        rows = np.concatenate([bgr, canvas.alpha[::-1, :, None]], axis=2)
        bits, stride = 32, canvas.w * 4
    else:
        rows, bits = bgr, 24
        stride = (canvas.w * 3 + 3) & ~3
    data = bytearray()
    for row in rows:
        line = row.tobytes()
        data += line + b"\0" * (stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, bits, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(data), 0, 0, 14 + len(header)))
        f.write(header)
        f.write(data)
