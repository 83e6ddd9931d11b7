"""The demo's pictures, drawn from shapes: each entry gives the frames of one
".orb" file and how it is stored (scrambled with the game's key, JPEG colour,
animated). No art is copied and no font is used: the digits of the score are
drawn as seven segments."""

import numpy as np

from canvas import Canvas, hill_line

W, H = 640, 480
NIGHT = ((14, 18, 52), (70, 52, 110))
STAR_COLORS = [(255, 255, 230), (200, 220, 255), (255, 230, 180)]


def sky_tile():
    """Two frames of a strip of night sky that the title scrolls; the stars twinkle."""
    frames = []
    for phase in range(2):
        c = Canvas(160, 480)
        c.bands(*NIGHT, 12)
        c.stars(7, 40, STAR_COLORS)
        c.stars(8 + phase, 14, [(120, 120, 170)])
        frames.append(c)
    return frames


def title_hills():
    """The title's foreground: two hills and an observatory, the sky left transparent."""
    c = Canvas(W, H, opaque=False)
    far = c.below_curve(hill_line(W, 360, [(22, 420, 0), (9, 150, 40)]))
    c.bands((46, 40, 86), (30, 26, 60), 6, 300, 480, where=far)
    near = c.below_curve(hill_line(W, 410, [(30, 700, 200), (6, 90, 10)]))
    c.bands((24, 34, 44), (10, 14, 22), 5, 360, 480, where=near)
    dome = c.ellipse(470, 352, 34, 30) & (c.yy <= 352)
    c.paint(dome | c.rect(440, 352, 501, 392), (150, 150, 170))
    c.paint(c.rect(466, 322, 474, 352), (60, 60, 80))
    c.paint(c.rect(480, 364, 492, 378), (255, 214, 120))
    return [c]


def button(kind):
    """The title's buttons: normal, hover (lit) and pressed (sunk)."""
    c = Canvas(200, 44, opaque=False)
    shape = c.round_rect(0, 0, 200, 44, 12)
    inner = c.round_rect(3, 3, 197, 41, 9)
    top, bottom, rim = {"normal": ((70, 80, 150), (40, 44, 96), (170, 180, 230)),
                        "hover": ((110, 120, 200), (60, 66, 140), (255, 230, 160)),
                        "down": ((30, 34, 80), (60, 66, 130), (255, 230, 160))}[kind]
    c.paint(shape, rim)
    c.bands(top, bottom, 6, 3, 41, where=inner)
    return [c]


def toggle(on):
    c = Canvas(96, 30, opaque=False)
    c.paint(c.round_rect(0, 0, 96, 30, 14), (220, 200, 120) if on else (110, 110, 150))
    c.paint(c.round_rect(2, 2, 94, 28, 12), (150, 110, 40) if on else (40, 40, 70))
    return [c]


SEGMENTS = {  # which of the seven segments (a b c d e f g) each digit lights
    "0": "abcdef", "1": "bc", "2": "abdeg", "3": "abcdg", "4": "bcfg",
    "5": "acdfg", "6": "acdefg", "7": "abc", "8": "abcdefg", "9": "abcdfg"}


def digits():
    """The glyph sheet of the score: 0-9 in one row of 18 x 28 cells; two
    frames, so the score glows."""
    frames = []
    for color in ((255, 220, 90), (255, 170, 60)):
        c = Canvas(180, 28, opaque=False)
        for i in range(10):
            x = i * 18
            bars = {"a": c.rect(x + 4, 2, x + 14, 5), "d": c.rect(x + 4, 23, x + 14, 26),
                    "g": c.rect(x + 4, 12, x + 14, 15), "f": c.rect(x + 2, 4, x + 5, 13),
                    "b": c.rect(x + 13, 4, x + 16, 13), "e": c.rect(x + 2, 14, x + 5, 24),
                    "c": c.rect(x + 13, 14, x + 16, 24)}
            for s in SEGMENTS[str(i)]:
                c.paint(bars[s], color)
        frames.append(c)
    return frames


def room():
    """Scene 1: a room at night, the window open on the sky."""
    c = Canvas(W, H)
    c.bands((120, 96, 80), (70, 54, 48), 8, 0, 340)
    c.bands((90, 60, 40), (50, 32, 24), 5, 340, 480)
    window = c.rect(80, 60, 300, 260)
    c.paint(c.rect(70, 50, 310, 270), (200, 190, 170))
    c.bands(*NIGHT, 6, 60, 260, where=window)
    c.paint(c.ellipse(250, 110, 22, 22) & window, (250, 245, 210))
    c.paint(c.rect(186, 60, 194, 260) | c.rect(80, 156, 300, 164), (200, 190, 170))
    c.paint(c.rect(400, 300, 600, 316), (60, 38, 28))
    c.paint(c.rect(412, 316, 424, 420) | c.rect(576, 316, 588, 420), (60, 38, 28))
    c.paint(c.rect(470, 270, 520, 300), (180, 160, 120))
    return [c]


def hill():
    """Scene 2, first way: the hilltop at dusk with one big tree."""
    c = Canvas(W, H)
    c.bands((250, 170, 110), (90, 70, 140), 10, 0, 360)
    c.paint(c.ellipse(160, 300, 60, 60), (255, 220, 150))
    ground = c.below_curve(hill_line(W, 340, [(26, 900, 100)]))
    c.bands((60, 90, 60), (24, 40, 30), 6, 300, 480, where=ground)
    c.paint(c.rect(442, 190, 462, 340), (50, 34, 30))
    for cx, cy, r in ((452, 170, 70), (400, 200, 46), (506, 196, 50)):
        c.paint(c.ellipse(cx, cy, r, r * 4 // 5), (40, 70, 50))
    return [c]


def shore():
    """Scene 2, other way: the sea under the moon."""
    c = Canvas(W, H)
    c.bands((10, 16, 40), (40, 60, 110), 8, 0, 280)
    c.stars(11, 60, STAR_COLORS, (0, 0, W, 260))
    c.paint(c.ellipse(460, 110, 34, 34), (250, 245, 210))
    c.bands((30, 50, 100), (10, 16, 40), 8, 280, 420)
    for y in range(290, 420, 12):
        half = 8 + (y - 290) // 4
        c.paint(c.rect(460 - half, y, 460 + half, y + 3), (200, 200, 170))
    c.bands((170, 150, 110), (120, 100, 80), 4, 420, 480)
    return [c]


def finale():
    """The ending: the hill under falling stars."""
    c = Canvas(W, H)
    c.bands((6, 8, 30), (60, 40, 100), 10)
    c.stars(21, 150, STAR_COLORS, (0, 0, W, 400))
    for i, (x, y) in enumerate(((120, 60), (330, 40), (520, 120))):
        for k in range(40):
            c.paint(c.rect(x + k * 2, y + k, x + k * 2 + 3, y + k + 2), (255, 255, 220), 255 - k * 5)
    ground = c.below_curve(hill_line(W, 420, [(20, 800, 300)]))
    c.bands((20, 24, 40), (6, 8, 16), 4, 380, 480, where=ground)
    return [c]


def girl():
    """Hoshino, the one character: a flat figure whose eyes close in the last
    of six frames, so she blinks."""
    frames = []
    for blink in (False,) * 5 + (True,):
        c = Canvas(180, 360, opaque=False)
        c.paint(c.polygon([(90, 120), (20, 360), (160, 360)]), (90, 110, 190))
        c.paint(c.rect(70, 110, 110, 140), (250, 220, 200))
        c.paint(c.ellipse(90, 70, 52, 60), (60, 40, 50))
        c.paint(c.ellipse(90, 80, 40, 44), (250, 224, 206))
        c.paint(c.rect(48, 30, 132, 56) & c.ellipse(90, 70, 52, 60), (60, 40, 50))
        for ex in (74, 106):
            eye = c.rect(ex - 5, 84, ex + 5, 86) if blink else c.ellipse(ex, 84, 5, 7)
            c.paint(eye, (50, 40, 80))
        c.paint(c.rect(84, 104, 96, 107), (200, 110, 110))
        c.paint(c.ellipse(136, 40, 10, 10), (255, 220, 90))
        frames.append(c)
    return frames


def letter():
    c = Canvas(140, 96, opaque=False)
    c.paint(c.rect(0, 0, 140, 96), (200, 180, 140))
    c.paint(c.rect(2, 2, 138, 94), (250, 240, 220))
    c.paint(c.polygon([(2, 2), (138, 2), (70, 56)]), (232, 216, 190))
    c.paint(c.ellipse(70, 54, 9, 9), (190, 40, 50))
    return [c]


def mask():
    """The mask of the mask fade: grey levels that open the picture in a
    spiral from the centre."""
    c = Canvas(W, H)
    dx, dy = c.xx - W // 2, c.yy - H // 2
    radius = np.sqrt(dx * dx + dy * dy) / 400.0
    angle = (np.arctan2(dy, dx) + np.pi) / (2 * np.pi)
    level = np.floor(np.clip(radius * 0.7 + angle * 0.3, 0, 1) * 255 / 8) * 8
    c.rgb[:, :] = np.clip(level, 0, 255).astype(np.uint8)[:, :, None]
    return [c]


def doors(lit):
    """The crossroads of the map choice: a path up the hill (left) and one down
    to the sea (right); the hover picture lights them."""
    c = Canvas(360, 180, opaque=False)
    glow = (255, 230, 150) if lit else (200, 190, 170)
    for left, color in ((0, (70, 120, 80)), (190, (60, 90, 150))):
        c.paint(c.round_rect(left, 0, left + 170, 180, 16), glow)
        c.paint(c.round_rect(left + 4, 4, left + 166, 176, 13), color)
    c.paint(c.polygon([(30, 170), (140, 170), (95, 40), (75, 40)]), (170, 150, 100))
    c.paint(c.ellipse(85, 40, 30, 14), (255, 220, 150) if lit else (220, 200, 150))
    for y in range(120, 170, 10):
        c.paint(c.rect(210, y, 340, y + 4), (200, 210, 230) if lit else (150, 170, 200))
    c.paint(c.ellipse(275, 60, 22, 22), (250, 245, 210))
    return [c]


def slot(lit):
    c = Canvas(400, 56, opaque=False)
    c.paint(c.round_rect(0, 0, 400, 56, 10), (255, 230, 160) if lit else (140, 150, 200))
    c.bands((50, 56, 110), (30, 32, 70), 4, 3, 53, where=c.round_rect(3, 3, 397, 53, 8))
    return [c]


# name: (frames, options for rivotool convert)
PICTURES = {
    "sky.orb": (sky_tile, ["--delay", "700"]),
    "title.orb": (title_hills, ["KEY"]),
    "button.orb": (lambda: button("normal"), []),
    "button_hover.orb": (lambda: button("hover"), []),
    "button_down.orb": (lambda: button("down"), []),
    "toggle.orb": (lambda: toggle(False), []),
    "toggle_on.orb": (lambda: toggle(True), []),
    "digits.orb": (digits, ["--delay", "500"]),
    "room.orb": (room, ["--compression", "2", "--quality", "85"]),
    "hill.orb": (hill, []),
    "shore.orb": (shore, ["KEY"]),
    "finale.orb": (finale, ["KEY"]),
    "girl.orb": (girl, ["--delay", "300"]),
    "letter.orb": (letter, []),
    "mask.orb": (mask, []),
    "doors.orb": (lambda: doors(False), []),
    "doors_hover.orb": (lambda: doors(True), []),
    "slot.orb": (lambda: slot(False), []),
    "slot_hover.orb": (lambda: slot(True), []),
}


def map_areas():
    """The areas of the map choice, in the layout of a map file: the left and
    the right panel of doors.orb as rectangles (right and bottom inclusive)."""
    return [("hill", 0, (0, 0, 169, 179)), ("sea", 0, (190, 0, 359, 179))]
