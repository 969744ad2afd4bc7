#!/usr/bin/env python3
"""Draws the splash pictures, the program's picture, its icon, the ingredient wizard's picture of
fruit and vegetables and the start-up tune of Zestora.

Python's standard library only: run it from anywhere to write the files beside it. Everything is
drawn or synthesised here, so the files are ours and small.
"""
import math
import os
import struct
import wave
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


# --- Raster drawing -----------------------------------------------------------------------------

class Canvas:
    """A picture of palette indexes (for GIF) or RGB triples (for PNG)."""

    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, value):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = value

    def ellipse(self, cx, cy, rx, ry, value):
        for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
            for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
                if rx > 0 and ry > 0 and ((x + .5 - cx) / rx) ** 2 + ((y + .5 - cy) / ry) ** 2 <= 1:
                    self.put(x, y, value)

    def rect(self, x0, y0, x1, y1, value):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, value)


def write_png(path, canvas):
    raw = b"".join(b"\x00" + bytes(c for rgb in row for c in rgb) for row in canvas.pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def lzw(indexes, min_size):
    """GIF's variable-length LZW: the code size grows when the next code no longer fits."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    out, bits, nbits = bytearray(), 0, 0

    def emit(code, size):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    def fresh():
        return {bytes([i]): i for i in range(clear)}, min_size + 1, end + 1

    table, size, next_code = fresh()
    emit(clear, size)
    word = bytes([indexes[0]])
    for index in indexes[1:]:
        longer = word + bytes([index])
        if longer in table:
            word = longer
            continue
        emit(table[word], size)
        if next_code < 4096:
            table[longer] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table, size, next_code = fresh()
        word = bytes([index])
    emit(table[word], size)
    emit(end, size)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def write_gif(path, frames, palette, delay_cs, transparent=0):
    """An animated GIF89a that loops for ever; palette index `transparent` shows the background."""
    width, height = frames[0].width, frames[0].height
    depth = max(1, (len(palette) - 1).bit_length())
    palette = palette + [(0, 0, 0)] * ((1 << depth) - len(palette))
    data = bytearray(b"GIF89a" + struct.pack("<HHBBB", width, height, 0x80 | (depth - 1), 0, 0))
    data += bytes(c for rgb in palette for c in rgb)
    data += b"\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00"
    min_size = max(2, depth)
    for frame in frames:
        data += b"\x21\xf9\x04" + struct.pack("<BHBB", 0x09, delay_cs, transparent, 0)
        data += b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0) + bytes([min_size])
        packed = lzw([i for row in frame.pixels for i in row], min_size)
        for at in range(0, len(packed), 255):
            block = packed[at:at + 255]
            data += bytes([len(block)]) + block
        data += b"\x00"
    data += b"\x3b"
    with open(path, "wb") as out:
        out.write(data)


# --- The pictures -------------------------------------------------------------------------------

def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def splash_background():
    """A warm kitchen-tile pattern under a soft light, the splash window's background."""
    width, height = 480, 280
    canvas = Canvas(width, height, (0, 0, 0))
    cream, apricot = (255, 246, 226), (247, 190, 120)
    for y in range(height):
        for x in range(width):
            light = math.hypot((x - 120) / width, (y - 60) / height)
            colour = mix(cream, apricot, min(1.0, light * 1.1))
            if (x // 40 + y // 40) % 2 and (x % 40) and (y % 40):
                colour = mix(colour, (255, 255, 255), 0.18)
            canvas.pixels[y][x] = colour
    return canvas


def program_picture():
    """An orange slice with a leaf: the program's picture."""
    canvas = Canvas(64, 64, (255, 255, 255))
    canvas.ellipse(32, 34, 26, 26, (230, 120, 20))
    canvas.ellipse(32, 34, 22, 22, (255, 214, 140))
    for k in range(8):
        angle = k * math.pi / 4
        for r in range(3, 21):
            for w in (-1, 0, 1):
                canvas.put(round(32 + r * math.cos(angle) - w * math.sin(angle)),
                           round(34 + r * math.sin(angle) + w * math.cos(angle)), (240, 160, 60))
    canvas.ellipse(32, 34, 3, 3, (255, 240, 200))
    canvas.ellipse(44, 9, 9, 4, (70, 150, 60))
    return canvas


SPIN_PALETTE = [(255, 0, 255), (250, 250, 245), (205, 200, 190), (225, 110, 30), (150, 70, 20),
                (60, 140, 60)]


def spinning_plate():
    """A plate with a tomato and a leaf turning about its upright axis, for the "3D" logo."""
    frames = []
    for step in range(16):
        canvas = Canvas(96, 96, 0)
        squeeze = math.cos(step * 2 * math.pi / 16)
        rx = max(1.5, 40 * abs(squeeze))
        front = squeeze >= 0
        canvas.ellipse(48, 48, rx, 40, 3 if front else 4)
        canvas.ellipse(48, 48, rx * 0.85, 34, 1 if front else 2)
        if front:
            canvas.ellipse(48 - 8 * squeeze, 52, 16 * squeeze, 16, 3)
            canvas.ellipse(48 + 6 * squeeze, 34, 9 * squeeze, 4, 5)
        frames.append(canvas)
    return frames


STEAM_PALETTE = [(255, 0, 255), (90, 90, 100), (150, 150, 160), (235, 235, 240)]


def steaming_pot():
    """A pot with steam curling up from it."""
    frames = []
    for step in range(8):
        canvas = Canvas(64, 64, 0)
        canvas.rect(12, 40, 52, 60, 1)
        canvas.rect(8, 38, 56, 42, 2)
        canvas.rect(4, 44, 12, 47, 1)
        canvas.rect(52, 44, 60, 47, 1)
        for column, phase in ((22, 0), (32, 3), (42, 6)):
            for y in range(4, 36):
                rise = (y + step * 4 + phase * 2) % 32
                x = column + round(3 * math.sin((y + step * 4 + phase) * 2 * math.pi / 16))
                if rise < 22:
                    canvas.put(x, y, 3)
                    canvas.put(x + 1, y, 3)
        frames.append(canvas)
    return frames


# --- The icon -----------------------------------------------------------------------------------

# An orange slice with a leaf on a 256-unit square, in painting order: the scalable icon is these
# shapes as SVG, the sized ones are the same shapes drawn at each size.
ORANGE_CENTRE = (128, 140)
ICON_SHAPES = [
    ("circle", ORANGE_CENTRE, 108, "#e67814"),
    ("circle", ORANGE_CENTRE, 94, "#fff3dc"),
    ("circle", ORANGE_CENTRE, 86, "#ffb347"),
] + [
    ("line", (ORANGE_CENTRE[0] - 86 * math.cos(a), ORANGE_CENTRE[1] - 86 * math.sin(a)),
     (ORANGE_CENTRE[0] + 86 * math.cos(a), ORANGE_CENTRE[1] + 86 * math.sin(a)), 7, "#fff3dc")
    for a in (k * math.pi / 4 for k in range(4))
] + [
    ("circle", ORANGE_CENTRE, 12, "#fff3dc"),
    ("ellipse", (184, 40), (46, 18), -30, "#46963c"),
    ("line", (150, 60), (214, 23), 3, "#2f6e28"),
]
ICON_SIZES = (48, 64, 128, 256)


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def icon_svg():
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
             'viewBox="0 0 256 256">']
    for shape in ICON_SHAPES:
        kind, colour = shape[0], shape[-1]
        if kind == "circle":
            (cx, cy), r = shape[1], shape[2]
            parts.append(f'  <circle cx="{cx}" cy="{cy}" r="{r}" fill="{colour}"/>')
        elif kind == "line":
            (x1, y1), (x2, y2), width = shape[1], shape[2], shape[3]
            parts.append(f'  <line x1="{x1:.2f}" y1="{y1:.2f}" x2="{x2:.2f}" y2="{y2:.2f}" '
                         f'stroke="{colour}" stroke-width="{width}" stroke-linecap="round"/>')
        else:
            (cx, cy), (rx, ry), angle = shape[1], shape[2], shape[3]
            parts.append(f'  <ellipse cx="0" cy="0" rx="{rx}" ry="{ry}" fill="{colour}" '
                         f'transform="translate({cx} {cy}) rotate({angle})"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def inside(shape, x, y):
    kind = shape[0]
    if kind == "circle":
        (cx, cy), r = shape[1], shape[2]
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    if kind == "line":
        (x1, y1), (x2, y2), width = shape[1], shape[2], shape[3]
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
        return (x - x1 - t * dx) ** 2 + (y - y1 - t * dy) ** 2 <= (width / 2) ** 2
    (cx, cy), (rx, ry), angle = shape[1], shape[2], math.radians(shape[3])
    u = (x - cx) * math.cos(angle) + (y - cy) * math.sin(angle)
    v = -(x - cx) * math.sin(angle) + (y - cy) * math.cos(angle)
    return (u / rx) ** 2 + (v / ry) ** 2 <= 1


def icon_png(path, size, samples=4, shapes=ICON_SHAPES):
    """Shapes on a 256-unit square at size pixels, each pixel the average of samples x samples
    points; the icon unless other shapes are given."""
    scale = 256 / size
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            total, hits = [0, 0, 0], 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + .5) / samples) * scale
                    y = (py + (sy + .5) / samples) * scale
                    colour = None
                    for shape in shapes:
                        if inside(shape, x, y):
                            colour = shape[-1]
                    if colour:
                        hits += 1
                        total = [t + c for t, c in zip(total, rgb(colour))]
            alpha = round(255 * hits / samples ** 2)
            row += bytes([round(t / hits) for t in total] if hits else [0, 0, 0]) + bytes([alpha])
        rows.append(b"\x00" + bytes(row))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


# The ingredient wizard's picture: a carrot and a stalk of broccoli behind a bunch of grapes and
# an apple, on the same 256-unit square, in painting order.
FRUIT_AND_VEGETABLE_SHAPES = [
    ("line", (150, 40), (132, 10), 8, "#3f8f35"),
    ("line", (150, 40), (168, 8), 8, "#4da043"),
    ("line", (150, 40), (186, 22), 8, "#3f8f35"),
    ("ellipse", (112, 112), (92, 24), -58, "#ee7d1c"),
    ("line", (88, 120), (104, 114), 3, "#c4600f"),
    ("line", (110, 84), (126, 78), 3, "#c4600f"),
    ("line", (212, 150), (226, 224), 16, "#7fae4a"),
    ("circle", (196, 128), 30, "#2f7d32"),
    ("circle", (230, 138), 26, "#3a8f3c"),
    ("circle", (212, 104), 26, "#43a047"),
] + [
    ("circle", (x, y), 17, "#7b3f9e") for x, y in
    ((40, 120), (72, 120), (24, 148), (56, 150), (88, 150), (40, 178), (72, 180), (56, 208))
] + [
    ("line", (56, 104), (62, 84), 5, "#6d4c2f"),
    ("circle", (146, 190), 58, "#d32f2f"),
    ("circle", (124, 170), 14, "#ef6f6c"),
    ("line", (146, 134), (140, 110), 6, "#6d4c2f"),
    ("ellipse", (124, 118), (20, 9), 25, "#46963c"),
]
FRUIT_AND_VEGETABLE_SIZE = 64


def icons(folder):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "org.zestora.Zestora.svg"), "w") as out:
        out.write(icon_svg())
    for size in ICON_SIZES:
        icon_png(os.path.join(folder, f"org.zestora.Zestora-{size}.png"), size)


# --- The tune -----------------------------------------------------------------------------------

def start_up_tune(path):
    """A short rising phrase ending on a chord, about two seconds at 22,050 samples a second."""
    rate = 22050
    note = {"G4": 392.00, "C5": 523.25, "E5": 659.25, "G5": 783.99, "C6": 1046.50}
    phrase = [(0.00, 0.5, ["G4"]), (0.16, 0.5, ["C5"]), (0.32, 0.5, ["E5"]), (0.48, 0.5, ["G5"]),
              (0.66, 1.4, ["C5", "E5", "G5", "C6"])]
    length = 2.1
    samples = [0.0] * int(rate * length)
    for start, duration, names in phrase:
        for name in names:
            frequency = note[name]
            for i in range(int(rate * duration)):
                t = i / rate
                envelope = min(1.0, t / 0.01) * math.exp(-3.2 * t / duration)
                tone = math.sin(2 * math.pi * frequency * t) + 0.3 * math.sin(4 * math.pi * frequency * t)
                at = int(rate * start) + i
                if at < len(samples):
                    samples[at] += 0.22 * envelope * tone / max(1, len(names) * 0.6)
    # Fade out the last 50 ms so the tune ends without a click.
    fade = int(rate * 0.05)
    for i in range(fade):
        samples[-1 - i] *= i / fade
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(1)
        out.setframerate(rate)
        out.writeframes(bytes(max(0, min(255, round(128 + 127 * s))) for s in samples))


def main():
    write_png(os.path.join(HERE, "splash.png"), splash_background())
    write_png(os.path.join(HERE, "zestora.png"), program_picture())
    write_gif(os.path.join(HERE, "Recipe_3D_GIF.gif"), spinning_plate(), SPIN_PALETTE, 8)
    write_gif(os.path.join(HERE, "gif1.gif"), steaming_pot(), STEAM_PALETTE, 12)
    start_up_tune(os.path.join(HERE, "LV6.wav"))
    icons(os.path.join(HERE, "..", "desktop", "icons"))
    icon_png(os.path.join(HERE, "fruit-and-vegetables.png"), FRUIT_AND_VEGETABLE_SIZE,
             shapes=FRUIT_AND_VEGETABLE_SHAPES)


if __name__ == "__main__":
    main()
