#!/usr/bin/python3
"""Draws Rovenza's bitmap and icon resources and the demo board's pictures.

The outputs are committed, so the C++ build never runs this script.  Run it
again after changing a drawing here, look at the results and commit them:

    /usr/bin/python3 tools/make_resources.py            # writes into the repo
    /usr/bin/python3 tools/make_resources.py --out DIR  # writes under DIR

Needs Debian's python3-pil and the IPA Gothic font (fonts-ipafont).  The BMP
and ICO files are written by the small writers below, so that every file has
exactly the colour depth the program loads it with (PIL cannot write 4-bit
BMPs, nor an icon with a 4-bit image and an AND mask).  Everything random is
seeded, so two runs give the same files.
"""

import argparse
import io
import os
import random
import struct
import subprocess
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The 16 colours of the standard VGA / Windows palette, in palette order.
VGA16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = VGA16[0:8]
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, CYAN, WHITE = VGA16[8:16]

# ---------------------------------------------------------------------------
# Fonts

IPA_DIR = "/usr/share/fonts/opentype/ipafont-gothic"
_font_cache = {}


def font_path(proportional=False):
    """Path of IPA Gothic (IPA PGothic when proportional): the usual Debian
    place first, else whatever fc-list knows by that file name."""
    key = ("path", proportional)
    if key in _font_cache:
        return _font_cache[key]
    wanted = "ipagp.ttf" if proportional else "ipag.ttf"
    found = os.path.join(IPA_DIR, wanted)
    if not os.path.exists(found):
        try:
            out = subprocess.run(["fc-list", ":lang=ja", "file"], capture_output=True,
                                 text=True, check=False).stdout
        except OSError:
            out = ""
        files = [line.split(":")[0].strip() for line in out.splitlines()]
        matches = [f for f in files if os.path.basename(f) == wanted]
        if not matches:
            sys.exit("make_resources: %s not found (apt-get install fonts-ipafont)" % wanted)
        found = sorted(matches)[0]
    _font_cache[key] = found
    return found


def font(size, proportional=False):
    key = (size, proportional)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(font_path(proportional), size)
    return _font_cache[key]


# ---------------------------------------------------------------------------
# Writers


def _le_header(width, height, bpp, palette, pixel_bytes):
    ncolours = len(palette)
    offset = 14 + 40 + 4 * ncolours
    file_size = offset + len(pixel_bytes)
    out = bytearray()
    out += struct.pack("<2sIHHI", b"BM", file_size, 0, 0, offset)
    out += struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, len(pixel_bytes),
                       2835, 2835, ncolours, 0)
    for r, g, b in palette:
        out += bytes((b, g, r, 0))
    return out


def pack_rows(indices, width, height, bpp):
    """Packs top-down palette indices into bottom-up DIB rows (4-byte aligned)."""
    stride = ((width * bpp + 31) // 32) * 4
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = indices[y * width:(y + 1) * width]
        packed = bytearray(stride)
        if bpp == 8:
            packed[:width] = bytes(row)
        elif bpp == 4:
            for x, v in enumerate(row):
                packed[x >> 1] |= (v & 0x0F) << (4 if x % 2 == 0 else 0)
        elif bpp == 1:
            for x, v in enumerate(row):
                if v:
                    packed[x >> 3] |= 0x80 >> (x & 7)
        else:
            raise ValueError("bpp")
        out += packed
    return bytes(out)


def bmp_indexed(indices, width, height, bpp, palette):
    """A whole BMP file from top-down palette indices."""
    assert len(indices) == width * height
    assert len(palette) <= (1 << bpp)
    pixels = pack_rows(indices, width, height, bpp)
    return bytes(_le_header(width, height, bpp, palette, pixels)) + pixels


def bmp_rgb(img):
    """A whole 24-bit BMP file from an RGB image."""
    img = img.convert("RGB")
    width, height = img.size
    stride = ((width * 24 + 31) // 32) * 4
    raw = img.tobytes("raw", "BGR")
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        pixels += raw[y * width * 3:(y + 1) * width * 3]
        pixels += bytes(stride - width * 3)
    return bytes(_le_header(width, height, 24, [], pixels)) + bytes(pixels)


def ico_4bpp(indices, size, palette):
    """An icon file with one size x size image of 16 colours, fully opaque."""
    xor = pack_rows(indices, size, size, 4)
    and_mask = pack_rows([0] * (size * size), size, size, 1)
    dib = bytearray()
    dib += struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(and_mask),
                       0, 0, 16, 0)
    for r, g, b in palette:
        dib += bytes((b, g, r, 0))
    dib += xor + and_mask
    head = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(dib), 6 + 16)
    return head + entry + bytes(dib)


def to_vga_indices(img):
    """Maps each pixel of an RGB image to the nearest VGA colour."""
    cache = {}
    out = []
    for p in img.convert("RGB").getdata():
        v = cache.get(p)
        if v is None:
            v = min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(p, VGA16[i])))
            cache[p] = v
        out.append(v)
    return out


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)
    return path


def jpeg_bytes(img, quality=85):
    buf = io.BytesIO()
    img.convert("RGB").save(buf, "JPEG", quality=quality, optimize=True)
    return buf.getvalue()


# ---------------------------------------------------------------------------
# Drawing helpers


def text_mask(size, text, px, pos=None, proportional=False, bold=0, antialias=True,
              anchor="mm"):
    """A greyscale coverage mask of text; pos defaults to the centre of size."""
    mask = Image.new("L", size, 0)
    d = ImageDraw.Draw(mask)
    if not antialias:
        d.fontmode = "1"
    if pos is None:
        pos = (size[0] / 2, size[1] / 2)
    f = font(px, proportional)
    for dx in range(bold + 1):
        d.text((pos[0] + dx, pos[1]), text, font=f, fill=255, anchor=anchor)
    return mask


def paint(img, mask, colour):
    img.paste(Image.new(img.mode, img.size, colour), (0, 0), mask)


def glyph_box(mask):
    return mask.getbbox() or (0, 0, 0, 0)


def centred_text_mask(size, text, px, bold=0, antialias=False, proportional=False,
                      dx=0, dy=0):
    """Text centred by its inked pixels, not by the font's line box."""
    big = (size[0] * 4, size[1] * 4)
    m = text_mask(big, text, px, bold=bold, antialias=antialias, proportional=proportional)
    x0, y0, x1, y1 = glyph_box(m)
    out = Image.new("L", size, 0)
    ox = (size[0] - (x1 - x0)) // 2 - x0 + dx
    oy = (size[1] - (y1 - y0)) // 2 - y0 + dy
    out.paste(m, (ox, oy))
    return out


def italic(mask, slant=0.2):
    """Shears a mask to the right at the top, keeping its bottom line."""
    w, h = mask.size
    return mask.transform((w, h), Image.AFFINE, (1, slant, -slant * h, 0, 1, 0),
                          resample=Image.BICUBIC)


def noise_layer(size, seed, amount):
    rnd = random.Random(seed)
    data = bytes(max(0, min(255, int(128 + rnd.gauss(0, amount)))) for _ in range(size[0] * size[1]))
    return Image.frombytes("L", size, data)


def add_noise(img, seed, amount):
    """Adds the same film grain to every channel (clamped)."""
    n = noise_layer(img.size, seed, amount)
    return Image.merge("RGB", [_add_signed(c, n) for c in img.convert("RGB").split()])


def _add_signed(channel, noise):
    # channel + (noise - 128), clamped once at the end.
    return ImageChops.add(channel, noise, 1.0, -128)


def vertical_gradient(size, top, bottom):
    w, h = size
    img = Image.new("RGB", size)
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / max(1, h - 1)
        d.line([(0, y), (w, y)], fill=tuple(int(a + (b - a) * t) for a, b in zip(top, bottom)))
    return img


def horizontal_gradient(size, left, right):
    w, h = size
    img = Image.new("RGB", size)
    d = ImageDraw.Draw(img)
    for x in range(w):
        t = x / max(1, w - 1)
        d.line([(x, 0), (x, h)], fill=tuple(int(a + (b - a) * t) for a, b in zip(left, right)))
    return img


def led_panel(size, text, px=16, colour=(255, 150, 20)):
    """An LED dot board showing the text centred (led_dots)."""
    w, h = size
    return led_dots(size, centred_text_mask((w // 2, h // 2), text, px, antialias=False), colour)


def led_dots(size, lit_mask, colour=(255, 150, 20)):
    """An LED dot board: a mask of 2 x 2 pixel cells, each lit dot a bright
    pixel with a dimmer glow right and below, unlit dots faintly visible."""
    w, h = size
    cols, rows = w // 2, h // 2
    lit = lit_mask.load()
    img = Image.new("RGB", size, (0, 0, 0))
    d = ImageDraw.Draw(img)
    glow = tuple(c * 45 // 100 for c in colour)
    unlit = (34, 16, 6)
    for cy in range(rows):
        for cx in range(cols):
            x, y = cx * 2, cy * 2
            if lit[cx, cy] > 127:
                d.point([(x, y)], fill=colour)
                d.point([(x + 1, y), (x, y + 1)], fill=glow)
            else:
                d.point([(x, y)], fill=unlit)
    return img


# ---------------------------------------------------------------------------
# Program resources


def draw_icon():
    """Icon 215: a sign frame reading 回送 above, V4 red on cyan below."""
    img = Image.new("RGB", (32, 32), CYAN)
    d = ImageDraw.Draw(img)
    # Upper half: the sign box, a grey housing around a black blind.
    d.rectangle([0, 0, 31, 15], fill=GRAY)
    d.line([(0, 0), (31, 0)], fill=SILVER)
    d.line([(0, 0), (0, 15)], fill=SILVER)
    d.rectangle([1, 1, 30, 14], fill=BLACK)
    m = centred_text_mask((30, 14), "回送", 13, antialias=False)
    blind = Image.new("RGB", (30, 14), BLACK)
    paint(blind, m, YELLOW)
    img.paste(blind, (1, 1))
    # Lower half: V4, red on cyan, with a dark line under the sign box.
    d.line([(0, 16), (31, 16)], fill=TEAL)
    m = centred_text_mask((32, 15), "V4", 16, bold=1, antialias=False, dx=0)
    lower = Image.new("RGB", (32, 15), CYAN)
    paint(lower, m, RED)
    img.paste(lower, (0, 17))
    return img


KEYS = [
    # (label, face, ink, shadow, glyph px)
    *[(str(d), YELLOW, BLACK, OLIVE, 18) for d in range(10)],
    ("C", WHITE, RED, GRAY, 18),
    ("送", WHITE, RED, GRAY, 16),
    ("戻", WHITE, BLUE, GRAY, 16),
    ("強", RED, YELLOW, MAROON, 16),
    ("ON", CYAN, GREEN, TEAL, 16),
]


def draw_key(label, face, ink, shadow, px):
    """A 26 x 22 key cap: face colour, 1-pixel bevel, glyph centred."""
    w, h = 26, 22
    img = Image.new("RGB", (w, h), face)
    d = ImageDraw.Draw(img)
    d.line([(0, 0), (w - 1, 0)], fill=WHITE)
    d.line([(0, 0), (0, h - 1)], fill=WHITE)
    d.line([(0, h - 1), (w - 1, h - 1)], fill=shadow)
    d.line([(w - 1, 0), (w - 1, h - 1)], fill=shadow)
    if face == WHITE:
        # A white cap needs a visible rim at the top and left too.
        d.line([(0, 0), (w - 2, 0)], fill=SILVER)
        d.line([(0, 0), (0, h - 2)], fill=SILVER)
    bold = 1 if label.isascii() else 0
    m = centred_text_mask((w, h), label, px, bold=bold, antialias=False)
    paint(img, m, ink)
    return img


def draw_help_button():
    """Bitmap 300: a small document with a yellow question mark, and "Help"."""
    w, h = 71, 29
    img = Image.new("RGB", (w, h), SILVER)
    d = ImageDraw.Draw(img)
    # The document, with a folded corner.
    x0, y0, x1, y1 = 4, 2, 22, 26
    fold = 5
    d.polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)],
              fill=WHITE, outline=BLACK)
    d.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], fill=SILVER,
              outline=BLACK)
    d.line([(x1 + 1, y0 + fold + 1), (x1 + 1, y1 + 1)], fill=GRAY)
    d.line([(x0 + 1, y1 + 1), (x1 + 1, y1 + 1)], fill=GRAY)
    for y in range(y0 + 4, y1 - 2, 3):
        d.line([(x0 + 3, y), (x1 - 3 - (fold if y < y0 + fold + 1 else 0), y)], fill=SILVER)
    # The question mark: yellow, outlined in black so it reads on the white page.
    q = centred_text_mask((x1 - x0 + 1, y1 - y0 + 1), "?", 20, bold=1, antialias=False, dy=1)
    outline = q.filter(ImageFilter.MaxFilter(3))
    page = img.crop((x0, y0, x1 + 1, y1 + 1))
    paint(page, outline, BLACK)
    paint(page, q, YELLOW)
    img.paste(page, (x0, y0))
    # The word.
    m = centred_text_mask((44, h), "Help", 16, bold=1, antialias=False, proportional=True)
    word = Image.new("RGB", (44, h), SILVER)
    paint(word, m, BLACK)
    img.paste(word, (26, 0))
    return img


def roll_sign_mini(size, text, px):
    """A small roll-film sign: grey housing, black blind, white lettering."""
    w, h = size
    img = Image.new("RGB", size, (90, 90, 96))
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, w - 1, h - 1], outline=(40, 40, 44))
    d.rectangle([2, 2, w - 3, h - 3], fill=(8, 8, 10))
    m = centred_text_mask((w - 4, h - 4), text, px, antialias=True)
    blind = Image.new("RGB", (w - 4, h - 4), (8, 8, 10))
    paint(blind, m, (250, 250, 240))
    img.paste(blind, (2, 2))
    return img


def draw_about_banner():
    """Bitmap 101: the title banner of the About window (450 x 50, 256 colours)."""
    w, h = 450, 50
    img = horizontal_gradient((w, h), (236, 242, 252), (168, 190, 228))
    d = ImageDraw.Draw(img)
    d.line([(0, h - 1), (w, h - 1)], fill=(60, 80, 140))
    d.line([(0, h - 2), (w, h - 2)], fill=(120, 140, 196))
    # Product name, italic, and the version.
    name = text_mask((w, h), "Rovenza", 38, pos=(12, 42), proportional=True, bold=1,
                     anchor="ls")
    name = italic(name, 0.22)
    paint(img, ImageChops.offset(name, 2, 2), (150, 160, 190))
    paint(img, name, (0, 0, 192))
    vx = glyph_box(name)[2] + 8
    ver = italic(text_mask((w, h), "Ver4", 22, pos=(vx, 42), proportional=True, bold=1,
                           anchor="ls"), 0.22)
    paint(img, ver, (220, 0, 0))
    # Two credit lines, each beside a small sign picture.
    sx = 258
    img.paste(roll_sign_mini((56, 22), "駅前", 15), (sx, 1))
    led = Image.new("RGB", (56, 24), (60, 60, 64))
    led.paste(led_panel((52, 22), "回送", px=11), (2, 1))
    img.paste(led, (sx, 24))
    tx = sx + 64
    for y, line in ((13, "企画：Corvane"), (37, "製作：Vellumark")):
        m = text_mask((w - tx, 22), line, 14, pos=(0, 11), anchor="lm", proportional=True)
        part = img.crop((tx, y - 11, w, y + 11))
        paint(part, m, (20, 24, 60))
        img.paste(part, (tx, y - 11))
    pal = img.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = pal.getpalette()[:256 * 3]
    palette += [0] * (256 * 3 - len(palette))
    colours = [tuple(palette[i * 3:i * 3 + 3]) for i in range(256)]
    return pal, colours


# Where the splash paints over its photograph, in bitmap coordinates (the
# bitmap is drawn 50 rows above the window's top edge).
SPLASH_TEXT_AREAS = [
    (16, 66, 200, 114),    # product name
    (284, 100, 440, 128),  # version
    (26, 146, 300, 212),   # user, OS, service pack
    (8, 258, 446, 312),    # notice line and credit strip
]


def draw_bus_front_grey(size, seed):
    """A greyscale bus front on a street, lit from the upper left."""
    w, h = size
    img = vertical_gradient((w, h), (250, 250, 250), (205, 205, 205))
    d = ImageDraw.Draw(img)
    rnd = random.Random(seed)
    # Buildings and trees behind, then the road.
    for bx in range(-10, w, 44):
        top = 70 + (bx * 13 % 50)
        tone = 150 + (bx * 7 % 50)
        d.rectangle([bx + 3, top, bx + 40, 300], fill=(tone, tone, tone))
        for wy in range(top + 8, 290, 14):
            d.rectangle([bx + 9, wy, bx + 17, wy + 7], fill=(tone - 70,) * 3)
            d.rectangle([bx + 25, wy, bx + 33, wy + 7], fill=(tone - 70,) * 3)
    for _ in range(30):
        x = rnd.randint(-20, w + 20)
        y = rnd.randint(150, 250)
        r = rnd.randint(16, 38)
        g = rnd.randint(95, 140)
        d.ellipse([x - r, y - r, x + r, y + r], fill=(g, g, g))
    d.rectangle([0, 296, w, h], fill=(125, 125, 125))
    d.line([(0, 296), (w, 296)], fill=(200, 200, 200), width=3)
    img = img.filter(ImageFilter.GaussianBlur(3))
    d = ImageDraw.Draw(img)
    # Bus body, shaded from light (left) to mid grey (right).
    bx0, bx1, top, bottom = 84, 424, 52, 316
    mask = Image.new("L", img.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([bx0, top, bx1, bottom], radius=16, fill=255)
    img.paste(horizontal_gradient(img.size, (245, 245, 245), (170, 170, 170)), (0, 0), mask)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([bx0, top, bx1, bottom], radius=16, outline=(60, 60, 60), width=2)
    cx = (bx0 + bx1) // 2
    # Destination sign box: black, route number on the left, white lettering.
    d.rounded_rectangle([bx0 + 10, top + 6, bx1 - 10, top + 46], radius=6, fill=(55, 55, 55))
    sign = (bx0 + 88, top + 11, bx1 - 20, top + 41)
    route = (bx0 + 20, top + 11, bx0 + 78, top + 41)
    for box, text, px, prop in ((sign, "駅前", 24, False), (route, "12", 22, True)):
        d.rectangle(box, fill=(5, 5, 5))
        m = text_mask((box[2] - box[0], box[3] - box[1]), text, px, proportional=prop)
        part = img.crop(box)
        paint(part, m, (250, 250, 250))
        img.paste(part, box[:2])
    # Windshield: sky reflection above, dark cab below, centre pillar, wipers.
    ws = [bx0 + 12, top + 54, bx1 - 12, top + 176]
    glass = vertical_gradient((ws[2] - ws[0], ws[3] - ws[1]), (200, 200, 200), (45, 45, 45))
    gd = ImageDraw.Draw(glass)
    gw, gh = glass.size
    gd.polygon([(gw * 0.04, 0), (gw * 0.30, 0), (gw * 0.10, gh), (0, gh)], fill=(235, 235, 235))
    gd.polygon([(gw * 0.56, 0), (gw * 0.63, 0), (gw * 0.42, gh), (gw * 0.35, gh)],
               fill=(190, 190, 190))
    # Steering wheel seen almost edge-on, its lower half behind the dashboard.
    gd.ellipse([gw * 0.07, gh * 0.56, gw * 0.31, gh * 0.80], outline=(15, 15, 15), width=4)
    gd.rectangle([0, gh * 0.74, gw, gh], fill=(25, 25, 25))
    gd.line([(gw * 0.20, gh * 0.28), (gw * 0.48, gh * 0.98)], fill=(10, 10, 10), width=3)
    gd.line([(gw * 0.70, gh * 0.28), (gw * 0.98, gh * 0.98)], fill=(10, 10, 10), width=3)
    glass = glass.filter(ImageFilter.GaussianBlur(1.2))
    gmask = Image.new("L", img.size, 0)
    ImageDraw.Draw(gmask).rounded_rectangle(ws, radius=10, fill=255)
    full = Image.new("RGB", img.size)
    full.paste(glass, (ws[0], ws[1]))
    img.paste(full, (0, 0), gmask)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle(ws, radius=10, outline=(25, 25, 25), width=3)
    d.rectangle([cx - 2, ws[1], cx + 2, ws[3]], fill=(30, 30, 30))
    # Mirrors on arms.
    for side in (-1, 1):
        ax = bx0 - 6 if side < 0 else bx1 + 6
        d.line([(ax - side * 12, top + 64), (ax + side * 4, top + 52)], fill=(30, 30, 30), width=3)
        d.rounded_rectangle([ax + side * 2 - 8, top + 50, ax + side * 2 + 8, top + 100],
                            radius=4, fill=(35, 35, 35))
    # Lower front: a dark band, headlights, grille, number plate, bumper.
    ly = top + 186
    d.rectangle([bx0 + 4, ly, bx1 - 4, ly + 10], fill=(90, 90, 90))
    for side in (0, 1):
        hx = bx0 + 18 if side == 0 else bx1 - 86
        d.rounded_rectangle([hx, ly + 20, hx + 68, ly + 46], radius=8, fill=(40, 40, 40))
        d.ellipse([hx + 6, ly + 24, hx + 28, ly + 42], fill=(255, 255, 255), outline=(10, 10, 10))
        d.ellipse([hx + 38, ly + 24, hx + 60, ly + 42], fill=(235, 235, 235), outline=(10, 10, 10))
    for gy in range(ly + 20, ly + 48, 5):
        d.line([(cx - 46, gy), (cx + 46, gy)], fill=(70, 70, 70), width=2)
    plate = (cx - 34, ly + 52, cx + 34, ly + 70)
    d.rectangle(plate, fill=(250, 250, 250), outline=(20, 20, 20))
    m = text_mask((plate[2] - plate[0], plate[3] - plate[1]), "12-34", 14, proportional=True)
    part = img.crop(plate)
    paint(part, m, (20, 20, 20))
    img.paste(part, plate[:2])
    d.rounded_rectangle([bx0 - 4, bottom - 20, bx1 + 4, bottom + 4], radius=6, fill=(50, 50, 50))
    d.line([(bx0, bottom - 16), (bx1, bottom - 16)], fill=(140, 140, 140), width=2)
    # Tyres and the shadow on the road.
    d.ellipse([bx0 - 20, bottom + 2, bx1 + 20, bottom + 22], fill=(60, 60, 60))
    for tx in (bx0 + 18, bx1 - 60):
        d.rectangle([tx, bottom + 2, tx + 42, bottom + 13], fill=(15, 15, 15))
    img = img.filter(ImageFilter.GaussianBlur(0.6))
    img = add_noise(img, seed + 1, 6)
    return img.convert("L")


def draw_splash():
    """Bitmap 102: 450 x 330, 1 bit per pixel, a dithered photograph of a bus."""
    w, h = 450, 330
    grey = draw_bus_front_grey((w, h), seed=102)
    # Lighten the picture where the splash paints its texts, with soft edges,
    # so the words stand on a quiet ground.
    fade = Image.new("L", (w, h), 0)
    fd = ImageDraw.Draw(fade)
    for box in SPLASH_TEXT_AREAS:
        fd.rounded_rectangle(box, radius=8, fill=140)
    fade = fade.filter(ImageFilter.GaussianBlur(6))
    white = Image.new("L", (w, h), 255)
    grey = Image.composite(white, grey, fade)
    mono = grey.convert("1")  # Floyd-Steinberg dithering
    indices = [1 if v else 0 for v in mono.getdata()]
    return mono, indices


# ---------------------------------------------------------------------------
# Demo pictures

STRIP_FRAMES = [
    ("　", None, (255, 255, 255)),
    ("回送", "Out of Service", (255, 230, 60)),
    ("駅前", "Station", (255, 255, 255)),
    ("市役所", "City Hall", (255, 255, 255)),
    ("中央病院", "Central Hospital", (255, 255, 255)),
    ("大学前", "University", (255, 255, 255)),
    ("港町", "Minatomachi", (255, 255, 255)),
    ("北口", "North Exit", (255, 255, 255)),
    ("車庫前", "Depot", (255, 255, 255)),
    ("急行|空港", "Express  Airport", (255, 255, 255)),
    ("試運転", "Test Run", (255, 230, 60)),
    ("貸切", "Chartered", (255, 255, 255)),
]
STRIP_W, FRAME_H = 124, 57


def draw_strip_frame(text, english, colour, size=(STRIP_W, FRAME_H)):
    """One frame of a roll-film strip: lettering on black, an English line
    under it, a red type box on the left for "type|destination"."""
    w, h = size
    img = Image.new("RGB", (w, h), (6, 6, 8))
    if text.strip("　") == "":
        return img
    main_h = h * 40 // 57 if english else h
    if "|" in text:
        kind, dest = text.split("|")
        box = Image.new("RGB", (40, 24), (200, 20, 20))
        m = centred_text_mask(box.size, kind, 17, antialias=True)
        paint(box, m, (255, 255, 255))
        img.paste(box, (4, (main_h - 24) // 2 + 2))
        m = centred_text_mask((w - 46, main_h), dest, 30, antialias=True, dy=2)
        part = img.crop((46, 0, w, main_h))
        paint(part, m, colour)
        img.paste(part, (46, 0))
    else:
        px = 30 if len(text) <= 3 else 27
        m = centred_text_mask((w, main_h), text, px, antialias=True, dy=2)
        top = img.crop((0, 0, w, main_h))
        paint(top, m, colour)
        img.paste(top, (0, 0))
    if english:
        m = centred_text_mask((w, h - main_h), english, 11, antialias=True, proportional=True,
                              dy=-1)
        bottom = img.crop((0, main_h, w, h))
        paint(bottom, m, colour)
        img.paste(bottom, (0, main_h))
    return img


def draw_strip():
    strip = Image.new("RGB", (STRIP_W, FRAME_H * len(STRIP_FRAMES)))
    for i, (text, english, colour) in enumerate(STRIP_FRAMES):
        strip.paste(draw_strip_frame(text, english, colour), (0, i * FRAME_H))
    return strip


LED_FRAMES = ["回送", "駅前", "市役所", "大学前", "港町", "車庫前"]


def draw_led_frame(text):
    return led_panel((120, 40), text, px=16)


# Animated LED frames: a destination alternating with its English name, each
# 3 s, and a "via" line scrolling under the destination at 40 dots a second
# (one dot a picture, 20 and 30 ms in turn).
LED_ALTERNATING = ("市役所", "City Hall")
LED_SCROLLING = ("港町", "駅前・市役所経由")
LED_PALETTE = [(0, 0, 0), (255, 150, 20), (114, 67, 9), (34, 16, 6)]  # led_dots' colours


def draw_led_alternating():
    text, english = LED_ALTERNATING
    return [draw_led_frame(text), led_panel((120, 40), english, px=12)], [3000, 3000]


def draw_led_scrolling():
    cols, half = 60, 10
    top = centred_text_mask((cols, half), LED_SCROLLING[0], 10)
    wide = centred_text_mask((cols * 4, half), LED_SCROLLING[1], 10)
    x0, _, x1, _ = glyph_box(wide)
    via = wide.crop((x0, 0, x1, half))
    frames, durations = [], []
    # The line enters at the right edge and leaves at the left, one dot a picture.
    for step in range(via.width + cols):
        lit = Image.new("L", (cols, 2 * half), 0)
        lit.paste(top, (0, 0))
        lit.paste(via, (cols - step, half))
        frames.append(led_dots((120, 40), lit))
        durations.append(20 if step % 2 == 0 else 30)
    return frames, durations


def animated_gif(frames, durations_ms):
    """An animated GIF looping forever, every picture whole (nothing
    disposed), in the LED palette."""
    flat = []
    for c in LED_PALETTE:
        flat += list(c)
    palette = Image.new("P", (1, 1))
    palette.putpalette(flat + [0] * (768 - len(flat)))
    pictures = [f.quantize(palette=palette, dither=Image.Dither.NONE) for f in frames]
    buf = io.BytesIO()
    pictures[0].save(buf, "GIF", save_all=True, append_images=pictures[1:], duration=durations_ms, loop=0,
                     disposal=1, optimize=False)
    return buf.getvalue()


# Seeds of the GIF fuzz target: small files written byte by byte, so that
# each holds exactly the records it is about.
def lzw_plain(indices, min_code_size):
    """The indices as GIF LZW data that never grows its code width: a clear
    code before every few literals."""
    clear = 1 << min_code_size
    width = min_code_size + 1
    per_clear = (1 << min_code_size) - 2 or 1
    codes = []
    for i, index in enumerate(indices):
        if i % per_clear == 0:
            codes.append(clear)
        codes.append(index)
    codes.append(clear + 1)
    bits, count, out = 0, 0, bytearray()
    for code in codes:
        bits |= code << count
        count += width
        while count >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    if count:
        out.append(bits & 0xFF)
    blocks = bytearray([min_code_size])
    for i in range(0, len(out), 255):
        chunk = out[i:i + 255]
        blocks += bytes([len(chunk)]) + chunk
    return bytes(blocks + b"\0")


def gif_seed(width, height, colours, pictures, loop=0):
    """pictures: dicts of left, top, width, height, indices and optionally
    delay, disposal, transparent, colours (own table), interlace, data
    (LZW bytes in place of the encoded indices)."""
    def table(cs):
        size = 2
        while size < len(cs):
            size *= 2
        return size, b"".join(bytes(c) for c in cs) + bytes(3 * (size - len(cs)))

    size, gct = table(colours)
    out = bytearray(b"GIF89a" + struct.pack("<HH", width, height))
    out += bytes([0xF0 | (size.bit_length() - 2), 0, 0]) + gct
    if loop is not None:
        out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01" + struct.pack("<H", loop) + b"\0"
    for p in pictures:
        flags = (p.get("disposal", 0) << 2) | (1 if "transparent" in p else 0)
        out += b"\x21\xF9\x04" + bytes([flags]) + struct.pack("<H", p.get("delay", 10))
        out += bytes([p.get("transparent", 0), 0])
        own = p.get("colours")
        image_flags = 0x40 if p.get("interlace") else 0
        if own:
            own_size, own_table = table(own)
            image_flags |= 0x80 | (own_size.bit_length() - 2)
        out += b"\x2C" + struct.pack("<HHHH", p["left"], p["top"], p["width"], p["height"]) + bytes([image_flags])
        if own:
            out += own_table
        out += p.get("data") or lzw_plain(p["indices"], max(2, (own_size if own else size).bit_length() - 1))
    return bytes(out + b"\x3B")


def gif_seeds():
    rgbw = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)]

    def filled(left, top, w, h, index, **more):
        p = dict(left=left, top=top, width=w, height=h, indices=[index] * (w * h))
        p.update(more)
        return p

    two = gif_seed(4, 2, rgbw, [filled(0, 0, 4, 2, 0, delay=50), filled(1, 0, 2, 2, 1, delay=0)])
    seeds = {
        "two-pictures.gif": two,
        "disposals.gif": gif_seed(4, 1, rgbw, [filled(0, 0, 4, 1, 0), filled(1, 0, 2, 1, 1, disposal=1),
                                               filled(0, 0, 1, 1, 2, disposal=2), filled(3, 0, 1, 1, 3, disposal=3),
                                               filled(0, 0, 4, 1, 3, transparent=3, delay=1)]),
        "own-table-interlaced.gif": gif_seed(2, 9, rgbw[:2], [
            dict(left=0, top=0, width=2, height=9, indices=[y % 4 for y in range(9) for _ in range(2)],
                 colours=rgbw, interlace=True), filled(0, 0, 2, 1, 5)], loop=3),
        "zero-sized.gif": gif_seed(2, 2, rgbw, [filled(0, 0, 2, 2, 0), filled(0, 0, 0, 0, 1), filled(1, 1, 1, 1, 1)]),
        "outside-screen.gif": gif_seed(3, 2, rgbw, [filled(0, 0, 3, 2, 0), filled(2, 1, 3, 2, 1), filled(700, 900, 2, 2, 2)]),
        "cut-short.gif": two[:len(two) - 6],
        "bad-lzw.gif": gif_seed(4, 2, rgbw, [filled(0, 0, 4, 2, 0), filled(0, 0, 4, 2, 1, data=b"\x02\x04\xFF\xFF\xFF\xFF\x00")]),
        "longest-delay.gif": gif_seed(2, 1, rgbw, [filled(0, 0, 2, 1, 0, delay=65535), filled(0, 0, 2, 1, 1)], loop=None),
    }
    return seeds


def draw_numbered_jpeg_strip():
    """120 x 570: ten 57-row frames, each with its own number and colour band."""
    w, h = 120, 57
    img = Image.new("RGB", (w, h * 10), (0, 0, 0))
    for n in range(10):
        frame = Image.new("RGB", (w, h), (10 + n * 20, 40, 120 - n * 10))
        d = ImageDraw.Draw(frame)
        d.rectangle([0, 0, w - 1, h - 1], outline=(255, 255, 255))
        m = centred_text_mask((w, h), "%d番" % n, 30, antialias=True)
        paint(frame, m, (255, 255, 255))
        img.paste(frame, (0, n * h))
    return img


def draw_small_gif():
    """16 x 16, 16 colours: the VGA colours as a 4 x 4 chequer."""
    img = Image.new("P", (16, 16))
    flat = []
    for c in VGA16:
        flat += list(c)
    img.putpalette(flat)
    d = ImageDraw.Draw(img)
    for i in range(16):
        x, y = (i % 4) * 4, (i // 4) * 4
        d.rectangle([x, y, x + 3, y + 3], fill=i)
    buf = io.BytesIO()
    img.save(buf, "GIF")
    return buf.getvalue()


DEMO_BUS = dict(sign_boxes=[(77, 26, 123, 57), (231, 26, 123, 57)], body=((248, 244, 228), (200, 196, 180)),
                band=(30, 130, 70), stripe=(240, 200, 40), plate="12-34")


def draw_background(sign_boxes, body, band, stripe, plate):
    """450 x 400 colour photograph of a bus front with dark sign openings
    (x, y, width, height) in its head panel: the body a gradient between the
    two colours of `body`, a band and a stripe under the windshield, the
    number plate reading `plate`."""
    w, h = 450, 400
    img = vertical_gradient((w, h), (150, 185, 225), (215, 225, 235))
    d = ImageDraw.Draw(img)
    rnd = random.Random(450)
    # Street scene behind: trees, buildings, road.
    for _ in range(40):
        x = rnd.randint(-20, w + 20)
        y = rnd.randint(120, 230)
        r = rnd.randint(20, 46)
        g = rnd.randint(90, 140)
        d.ellipse([x - r, y - r, x + r, y + r], fill=(g // 2, g, g // 2 + 10))
    for bx in range(0, w, 52):
        top = 150 + (bx * 13 % 40)
        shade = 170 + (bx * 7 % 40)
        d.rectangle([bx + 3, top, bx + 48, 330], fill=(shade, shade - 10, shade - 25))
        for wy in range(top + 8, 320, 16):
            d.rectangle([bx + 10, wy, bx + 20, wy + 8], fill=(90, 110, 130))
            d.rectangle([bx + 30, wy, bx + 40, wy + 8], fill=(90, 110, 130))
    d.rectangle([0, 330, w, h], fill=(88, 88, 92))
    d.line([(0, 330), (w, 330)], fill=(150, 150, 150), width=3)
    img = img.filter(ImageFilter.GaussianBlur(3))
    d = ImageDraw.Draw(img)
    # Bus body: cream with a green band, lit from the left.
    bx0, bx1, top, bottom = 40, 410, 6, 362
    body_mask = Image.new("L", img.size, 0)
    ImageDraw.Draw(body_mask).rounded_rectangle([bx0, top, bx1, bottom], radius=22, fill=255)
    img.paste(horizontal_gradient((w, h), *body), (0, 0), body_mask)
    d = ImageDraw.Draw(img)
    # Head panel around the sign openings (dark, slightly glossy).
    d.rounded_rectangle([bx0 + 16, 14, bx1 - 16, 94], radius=10, fill=(30, 32, 36))
    d.line([(bx0 + 22, 18), (bx1 - 22, 18)], fill=(80, 84, 90), width=2)
    for (x, y, sw, sh) in sign_boxes:
        d.rectangle([x - 3, y - 3, x + sw + 2, y + sh + 2], fill=(70, 72, 78))
        d.rectangle([x, y, x + sw - 1, y + sh - 1], fill=(4, 4, 6))
    # Windshield.
    ws = (bx0 + 14, 104, bx1 - 14, 250)
    glass = vertical_gradient((ws[2] - ws[0], ws[3] - ws[1]), (170, 195, 220), (40, 48, 60))
    gd = ImageDraw.Draw(glass)
    gw, gh = glass.size
    gd.polygon([(gw * 0.04, 0), (gw * 0.30, 0), (gw * 0.10, gh), (0, gh)], fill=(200, 215, 232))
    gd.polygon([(gw * 0.55, 0), (gw * 0.61, 0), (gw * 0.42, gh), (gw * 0.36, gh)],
               fill=(150, 172, 196))
    # Steering wheel seen almost edge-on, its lower half behind the dashboard.
    gd.ellipse([gw * 0.07, gh * 0.58, gw * 0.31, gh * 0.82], outline=(18, 18, 20), width=4)
    gd.rectangle([0, gh * 0.76, gw, gh], fill=(30, 30, 34))
    gd.line([(gw * 0.22, gh * 0.3), (gw * 0.48, gh)], fill=(15, 15, 15), width=3)
    gd.line([(gw * 0.72, gh * 0.3), (gw * 0.98, gh)], fill=(15, 15, 15), width=3)
    glass = glass.filter(ImageFilter.GaussianBlur(1.5))
    gmask = Image.new("L", img.size, 0)
    ImageDraw.Draw(gmask).rounded_rectangle(ws, radius=12, fill=255)
    full = Image.new("RGB", img.size)
    full.paste(glass, (ws[0], ws[1]))
    img.paste(full, (0, 0), gmask)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle(ws, radius=12, outline=(30, 30, 30), width=4)
    cx = (bx0 + bx1) // 2
    d.rectangle([cx - 3, ws[1], cx + 3, ws[3]], fill=(35, 35, 38))
    # Mirrors.
    for side in (-1, 1):
        ax = bx0 - 6 if side < 0 else bx1 + 6
        d.line([(ax - side * 12, 118), (ax + side * 6, 104)], fill=(30, 30, 30), width=4)
        d.rounded_rectangle([ax + side * 2 - 9, 100, ax + side * 2 + 9, 160], radius=5,
                            fill=(35, 35, 38))
    # Green band and lower front.
    d.rectangle([bx0 + 2, 258, bx1 - 2, 276], fill=band)
    d.rectangle([bx0 + 2, 276, bx1 - 2, 280], fill=stripe)
    for side in (0, 1):
        hx = bx0 + 20 if side == 0 else bx1 - 96
        d.rounded_rectangle([hx, 292, hx + 76, 318], radius=9, fill=(45, 45, 50))
        d.ellipse([hx + 6, 295, hx + 28, 315], fill=(245, 245, 235), outline=(20, 20, 20))
        d.ellipse([hx + 34, 295, hx + 56, 315], fill=(235, 238, 240), outline=(20, 20, 20))
        d.rectangle([hx + 60, 298, hx + 71, 312], fill=(235, 140, 30))
        d.ellipse([hx + 12, 299, hx + 18, 305], fill=(255, 255, 255))
    for gy in range(290, 322, 5):
        d.line([(cx - 60, gy), (cx + 60, gy)], fill=(60, 60, 64), width=2)
    d.rectangle([cx - 40, 324, cx + 40, 344], fill=(240, 240, 236), outline=(30, 30, 30))
    plate_mask = text_mask((78, 18), plate, 15, proportional=True)
    part = img.crop((cx - 39, 325, cx + 39, 343))
    paint(part, plate_mask, (20, 70, 30))
    img.paste(part, (cx - 39, 325))
    d.rounded_rectangle([bx0 - 6, 346, bx1 + 6, 372], radius=7, fill=(55, 56, 60))
    d.line([(bx0, 350), (bx1, 350)], fill=(120, 122, 128), width=2)
    for tx in (bx0 + 20, bx1 - 70):
        d.rectangle([tx, 370, tx + 50, 392], fill=(18, 18, 20))
    d.ellipse([bx0 - 30, 380, bx1 + 30, 400], fill=(50, 50, 54))
    img = img.filter(ImageFilter.GaussianBlur(0.7))
    img = add_noise(img, 451, 5)
    # Keep the openings clean and dark so a sign placed there looks fitted.
    d = ImageDraw.Draw(img)
    for (x, y, sw, sh) in sign_boxes:
        d.rectangle([x, y, x + sw - 1, y + sh - 1], fill=(4, 4, 6))
    return img


# ---------------------------------------------------------------------------


def tool_arguments(doc, argv, preview_help):
    """The options of a drawing tool: --out (the root folder to write into)
    and --preview (a folder for PNG previews)."""
    ap = argparse.ArgumentParser(description=doc.splitlines()[0])
    ap.add_argument("--out", default=REPO, help="root folder to write into (default: the repo)")
    ap.add_argument("--preview", help=preview_help)
    return ap.parse_args(argv)


def print_written(written, root):
    for path in written:
        print("%8d  %s" % (os.path.getsize(path), os.path.relpath(path, root)))


def main(argv=None):
    args = tool_arguments(__doc__, argv, "also write PNG previews into this folder")
    res = os.path.join(args.out, "src", "resources")
    demo = os.path.join(args.out, "demo")
    written = []

    def preview(name, img, scale=1):
        if args.preview:
            os.makedirs(args.preview, exist_ok=True)
            if scale != 1:
                img = img.resize((img.width * scale, img.height * scale), Image.NEAREST)
            img.save(os.path.join(args.preview, name + ".png"))

    icon = draw_icon()
    written.append(write(os.path.join(res, "icon215.ico"), ico_4bpp(to_vga_indices(icon), 32, VGA16)))
    preview("icon215", icon, 8)

    keys_sheet = Image.new("RGB", (26 * 15 + 2 * 14, 22), SILVER)
    for i, (label, face, ink, shadow, px) in enumerate(KEYS):
        key = draw_key(label, face, ink, shadow, px)
        written.append(write(os.path.join(res, "key%d.bmp" % (200 + i)),
                             bmp_indexed(to_vga_indices(key), 26, 22, 4, VGA16)))
        keys_sheet.paste(key, (i * 28, 0))
    preview("keys", keys_sheet, 4)

    banner, colours = draw_about_banner()
    written.append(write(os.path.join(res, "about101.bmp"),
                         bmp_indexed(list(banner.getdata()), 450, 50, 8, colours)))
    preview("about101", banner.convert("RGB"), 2)

    mono, indices = draw_splash()
    written.append(write(os.path.join(res, "splash102.bmp"),
                         bmp_indexed(indices, 450, 330, 1, [BLACK, WHITE])))
    preview("splash102", mono.convert("RGB"))

    help_img = draw_help_button()
    written.append(write(os.path.join(res, "help300.bmp"),
                         bmp_indexed(to_vga_indices(help_img), 71, 29, 4, VGA16)))
    preview("help300", help_img, 6)

    strip = draw_strip()
    written.append(write(os.path.join(demo, "strip.bmp"), bmp_rgb(strip)))
    written.append(write(os.path.join(demo, "strip.jpg"), jpeg_bytes(strip, 90)))
    preview("strip", strip, 2)

    for n, text in enumerate(LED_FRAMES):
        led = draw_led_frame(text)
        written.append(write(os.path.join(demo, "led", "%02d.bmp" % n), bmp_rgb(led)))
        preview("led%02d" % n, led, 4)
    for n, (frames, durations) in enumerate([draw_led_alternating(), draw_led_scrolling()], len(LED_FRAMES)):
        written.append(write(os.path.join(demo, "led", "%02d.gif" % n), animated_gif(frames, durations)))
        preview("led%02d" % n, frames[len(frames) // 2], 4)
    for name, data in gif_seeds().items():
        written.append(write(os.path.join(args.out, "fuzz", "corpus", "gif", name), data))

    bg = draw_background(**DEMO_BUS)
    written.append(write(os.path.join(demo, "background.jpg"), jpeg_bytes(bg, 85)))
    preview("background", bg)

    test = os.path.join(demo, "test")
    written.append(write(os.path.join(test, "jpeg120x570.jpg"),
                         jpeg_bytes(draw_numbered_jpeg_strip(), 85)))
    written.append(write(os.path.join(test, "gif16.gif"), draw_small_gif()))
    written.append(write(os.path.join(test, "notapicture.bmp"),
                         "This is a text file with a .bmp name; it holds no picture.\r\n"
                         .encode("ascii")))
    written.append(write(os.path.join(test, "empty.bmp"), b""))
    written.append(write(os.path.join(test, "truncated.bmp"),
                         bmp_rgb(draw_led_frame(LED_FRAMES[0]))[:30]))

    print_written(written, args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
