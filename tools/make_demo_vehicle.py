#!/usr/bin/python3
"""Draws the demo vehicle: a made-up city bus with three faces.

    前面 (front)  a roll-film destination strip and a route-number LED sign
    側面 (side)   one LED board cut into a type part (種別) and a destination
                  part (行先)
    後面 (rear)   a small route-number LED sign

Writes into demo/vehicle/ each face's photograph, the signs' pictures (the
strip as a PNG, each LED sign a folder of PNG frames), the code table
codes.csv and the vehicle file bus.rvh.  The faces' layout files hold
absolute paths, so they are written for the checkout by the build (target
demo_vehicle, tools/make_demo_layouts) rather than kept here.

The outputs are committed, so the C++ build never runs this script.  Run it
again after changing a drawing or a code here, look at the results and
commit them:

    /usr/bin/python3 tools/make_demo_vehicle.py            # writes into the repo
    /usr/bin/python3 tools/make_demo_vehicle.py --out DIR  # writes under DIR

Needs what make_resources.py needs (python3-pil, fonts-ipafont).
"""

import io
import os
import random
import sys

from PIL import Image, ImageDraw, ImageFilter

from make_resources import (add_noise, centred_text_mask, draw_background,
                            draw_strip_frame, horizontal_gradient, jpeg_bytes, led_dots, paint,
                            print_written, tool_arguments, vertical_gradient, write)

# ---------------------------------------------------------------------------
# The faces: photograph size, and each sign's opening (x, y, width, height).
# The LED pictures are drawn two pixels a dot, as the demo board's are.

FRONT_SIZE = (450, 400)
FRONT_ROUTE = (64, 30, 64, 48)        # 32 x 24 dots
FRONT_FILM = (142, 25, 240, 57)       # one strip frame
SIDE_SIZE = (480, 300)
SIDE_TYPE = (150, 64, 96, 64)         # 48 x 32 dots
SIDE_DEST = (246, 64, 160, 64)        # 80 x 32 dots: one 128 x 32 board with the type part
REAR_SIZE = (320, 300)
REAR_ROUTE = (112, 26, 96, 48)        # 48 x 24 dots

AMBER = (255, 150, 20)
WHITE_LED = (235, 235, 225)
GREEN_LED = (60, 230, 90)
RED_LED = (255, 50, 40)

# The roll film: frame 0 blank, then (lettering, English, colour) as
# make_resources' strip ("type|destination" puts the type in a red box).
FILM = [
    ("", "", None),
    ("駅前", "Ekimae Station", (250, 250, 245)),
    ("緑ヶ丘団地", "Midorigaoka Danchi", (250, 250, 245)),
    ("市民病院", "City Hospital", (250, 250, 245)),
    ("桜町車庫", "Sakuramachi Depot", (250, 250, 245)),
    ("急行|空港", "Airport Express", (250, 250, 245)),
    ("貸切", "Chartered", (120, 230, 130)),
    ("試運転", "Test Run", (250, 220, 60)),
    ("回送", "Out of Service", (250, 250, 245)),
]

# LED frames: each a list of lines (text, dot height, proportional) and a colour.
ROUTE = [
    None,
    ([("12", 20, True)], AMBER),
    ([("15", 20, True)], AMBER),
    ([("21", 20, True)], RED_LED),
]
TYPE = [
    None,
    ([("普通", 16, False)], GREEN_LED),
    ([("Local", 12, True)], GREEN_LED),
    ([("急行", 16, False)], RED_LED),
    ([("Express", 11, True)], RED_LED),
]
DEST = [
    None,
    ([("駅前", 24, False)], AMBER),
    ([("Ekimae", 13, True), ("Station", 13, True)], AMBER),
    ([("緑ヶ丘団地", 16, False)], AMBER),
    ([("Midorigaoka", 12, True), ("Danchi", 12, True)], AMBER),
    ([("市民病院", 16, False)], AMBER),
    ([("中央図書館", 14, False), ("経由", 12, False)], AMBER),
    ([("City", 13, True), ("Hospital", 13, True)], AMBER),
    ([("桜町車庫", 16, False)], AMBER),
    ([("Sakuramachi", 12, True), ("Depot", 12, True)], AMBER),
    ([("空港", 24, False)], AMBER),
    ([("Airport", 14, True)], AMBER),
    ([("貸切", 24, False)], WHITE_LED),
    ([("Chartered", 13, True)], WHITE_LED),
    ([("試運転", 16, False)], WHITE_LED),
    ([("回送", 24, False)], WHITE_LED),
    ([("Out of", 13, True), ("Service", 13, True)], WHITE_LED),
]
REAR = [
    None,
    ([("12", 20, True)], AMBER),
    ([("15", 20, True)], AMBER),
    ([("21", 20, True)], RED_LED),
    ([("貸切", 16, False)], WHITE_LED),
    ([("回送", 16, False)], WHITE_LED),
]

# The code table: code, name, period in seconds (empty: 3.0), then one cell
# per sign in face order: front film, front route, side type, side
# destination, rear. Empty keeps the sign as it is, "-" blanks it, "a/b"
# alternates pages.
CODES = [
    (101, "駅前", "", "1", "1", "1/2", "1/2", "1"),
    (102, "緑ヶ丘団地", "", "2", "1", "1/2", "3/4", "1"),
    (103, "市民病院（中央図書館経由）", "2", "3", "2", "1/1/2", "5/6/7", "2"),
    (104, "桜町車庫", "", "4", "2", "1/2", "8/9", "2"),
    (201, "急行 空港", "4", "5", "3", "3/4", "10/11", "3"),
    (901, "貸切", "", "6", "-", "-", "12/13", "4"),
    (902, "試運転", "", "7", "-", "-", "14", ""),
    (999, "回送", "", "8", "-", "-", "15/16", "5"),
]
CSV_HEADER = "コード,行先名,周期(秒),前面 幕,前面 系統,側面 種別,側面 行先,後面 系統"

VEHICLE = """\
; The demo bus of Rovenza: three faces set from one code.
[Vehicle]
Name=みどり市営バス

[Face1]
Name=前面
Layout=front.qv4

[Face2]
Name=側面
Layout=side.qv4

[Face3]
Name=後面
Layout=rear.qv4

[Codes]
Table=codes.csv
"""

# ---------------------------------------------------------------------------
# Signs


def led_frame(size, frame):
    """An LED frame of `size` pixels (two a dot): blank (None), or its lines
    stacked in the middle, each narrowed to the board's width if it is wider."""
    cols, rows = size[0] // 2, size[1] // 2
    lit = Image.new("L", (cols, rows), 0)
    if frame is not None:
        lines, colour = frame
        masks = []
        for text, px, proportional in lines:
            m = centred_text_mask((cols * 3, px + 4), text, px, proportional=proportional)
            box = m.getbbox()
            m = m.crop((box[0], 0, box[2], m.height))
            if m.width > cols:
                m = m.resize((cols, m.height), Image.NEAREST)
            masks.append(m)
        gap = 1
        height = sum(m.height for m in masks) + gap * (len(masks) - 1)
        y = (rows - height) // 2
        for m in masks:
            lit.paste(m, ((cols - m.width) // 2, y))
            y += m.height + gap
    return led_dots(size, lit, frame[1] if frame else AMBER)


def png_bytes(img):
    buf = io.BytesIO()
    img.convert("RGB").save(buf, "PNG", optimize=True)
    return buf.getvalue()


def draw_film():
    w, h = FRONT_FILM[2], FRONT_FILM[3]
    strip = Image.new("RGB", (w, h * len(FILM)))
    for i, (text, english, colour) in enumerate(FILM):
        strip.paste(draw_strip_frame(text, english, colour, (w, h)), (0, i * h))
    return strip


# ---------------------------------------------------------------------------
# Faces


def opening(d, box, rim=(70, 72, 78)):
    x, y, w, h = box
    d.rectangle([x - 3, y - 3, x + w + 2, y + h + 2], fill=rim)
    d.rectangle([x, y, x + w - 1, y + h - 1], fill=(4, 4, 6))


def clean_openings(img, boxes):
    """Keeps the openings dark and sharp after blurring and grain, so that a
    sign placed there looks fitted."""
    d = ImageDraw.Draw(img)
    for (x, y, w, h) in boxes:
        d.rectangle([x, y, x + w - 1, y + h - 1], fill=(4, 4, 6))
    return img


BODY = ((246, 248, 250), (196, 202, 210))   # white, lit from the left
BAND = (24, 70, 150)                        # the city's blue
STRIPE = (90, 190, 230)


def draw_front():
    return draw_background([FRONT_ROUTE, FRONT_FILM], BODY, BAND, STRIPE, "12-56")


def street(size, seed):
    """Sky, blurred trees and buildings, the road: what stands behind a face."""
    w, h = size
    img = vertical_gradient(size, (150, 185, 225), (215, 225, 235))
    d = ImageDraw.Draw(img)
    rnd = random.Random(seed)
    for _ in range(w // 12):
        x, y, r = rnd.randint(-20, w + 20), rnd.randint(60, 150), rnd.randint(18, 40)
        g = rnd.randint(90, 140)
        d.ellipse([x - r, y - r, x + r, y + r], fill=(g // 2, g, g // 2 + 10))
    d.rectangle([0, h - 40, w, h], fill=(88, 88, 92))
    return img.filter(ImageFilter.GaussianBlur(3))


def glass(size, top, bottom, seats=False):
    """A window: the sky's reflection in a streak, darker downwards; seat
    backs showing through when `seats`."""
    w, h = size
    g = vertical_gradient(size, top, bottom)
    d = ImageDraw.Draw(g)
    d.polygon([(w * 0.10, 0), (w * 0.28, 0), (w * 0.16, h), (0, h), (0, h * 0.6)], fill=tuple(c + 25 for c in top))
    if seats:
        for sx in range(8, w, 46):
            d.rounded_rectangle([sx, h * 0.55, sx + 30, h + 6], radius=6, fill=(40, 60, 90))
    return g.filter(ImageFilter.GaussianBlur(1.2))


def draw_side():
    """The bus's left side by the front door: the door, the first windows
    with the LED board in the top of the first one, the blue band, a wheel."""
    w, h = SIDE_SIZE
    img = street(SIDE_SIZE, 481)
    mask = Image.new("L", SIDE_SIZE, 0)
    ImageDraw.Draw(mask).rounded_rectangle([14, 18, w + 40, h - 22], radius=26, fill=255)
    img.paste(horizontal_gradient(SIDE_SIZE, *BODY), (0, 0), mask)
    d = ImageDraw.Draw(img)
    d.line([(40, 19), (w, 19)], fill=(150, 155, 165), width=2)
    # Front door: two glass leaves in a dark frame.
    d.rectangle([34, 48, 124, h - 30], fill=(50, 52, 58))
    for x0 in (38, 81):
        img.paste(glass((39, h - 84), (170, 195, 220), (50, 60, 75)), (x0, 52))
    d.line([(80, 48), (80, h - 30)], fill=(30, 30, 34), width=2)
    # Windows: the first holds the board behind its glass.
    for x0, x1 in ((140, 414), (424, w + 20)):
        d.rounded_rectangle([x0 - 4, 52, x1 + 4, 184], radius=8, fill=(40, 42, 48))
        img.paste(glass((x1 - x0, 124), (175, 200, 225), (60, 75, 95), seats=True), (x0, 56))
    d = ImageDraw.Draw(img)
    d.rectangle([SIDE_TYPE[0] - 4, SIDE_TYPE[1] - 4, SIDE_DEST[0] + SIDE_DEST[2] + 3,
                 SIDE_DEST[1] + SIDE_DEST[3] + 3], fill=(20, 20, 24))
    # Band, skirt and the front wheel.
    d.rectangle([14, 196, w, 214], fill=BAND)
    d.rectangle([14, 214, w, 218], fill=STRIPE)
    d.rectangle([124, h - 40, w, h - 22], fill=(170, 176, 184))
    d.ellipse([300, h - 70, 420, h + 50], fill=(30, 30, 34))
    d.ellipse([330, h - 40, 390, h + 20], fill=(150, 150, 156), outline=(60, 60, 64), width=4)
    d.rectangle([0, h - 6, w, h], fill=(60, 60, 64))
    img = add_noise(img.filter(ImageFilter.GaussianBlur(0.7)), 482, 5)
    return clean_openings(img, [SIDE_TYPE, SIDE_DEST])


def draw_rear():
    """The bus's rear: the route sign above the rear window, the engine
    louvres, tail lights, number plate and bumper."""
    w, h = REAR_SIZE
    img = street(REAR_SIZE, 321)
    mask = Image.new("L", REAR_SIZE, 0)
    bx0, bx1 = 26, w - 26
    ImageDraw.Draw(mask).rounded_rectangle([bx0, 8, bx1, h - 26], radius=20, fill=255)
    img.paste(horizontal_gradient(REAR_SIZE, *BODY), (0, 0), mask)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([bx0 + 14, 16, bx1 - 14, 84], radius=8, fill=(30, 32, 36))
    opening(d, REAR_ROUTE)
    img.paste(glass((bx1 - bx0 - 40, 78), (165, 190, 215), (40, 48, 60)), (bx0 + 20, 94))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([bx0 + 18, 92, bx1 - 18, 174], radius=8, outline=(30, 30, 34), width=3)
    d.rectangle([bx0 + 2, 182, bx1 - 2, 196], fill=BAND)
    d.rectangle([bx0 + 2, 196, bx1 - 2, 199], fill=STRIPE)
    for y in range(208, 236, 5):
        d.line([(w // 2 - 70, y), (w // 2 + 70, y)], fill=(120, 124, 132), width=2)
    for x in (bx0 + 8, bx1 - 30):
        d.rounded_rectangle([x, 204, x + 22, 250], radius=5, fill=(190, 20, 24), outline=(80, 10, 10))
        d.rectangle([x + 4, 238, x + 18, 246], fill=(240, 150, 30))
    plate = (w // 2 - 34, 240, w // 2 + 34, 258)
    d.rectangle(plate, fill=(250, 250, 250), outline=(20, 20, 20))
    m = centred_text_mask((plate[2] - plate[0], plate[3] - plate[1]), "12-56", 14, proportional=True)
    part = img.crop(plate)
    paint(part, m, (20, 70, 30))
    img.paste(part, plate[:2])
    d.rounded_rectangle([bx0 - 6, 262, bx1 + 6, 282], radius=6, fill=(55, 56, 60))
    img = add_noise(img.filter(ImageFilter.GaussianBlur(0.7)), 322, 5)
    return clean_openings(img, [REAR_ROUTE])


# ---------------------------------------------------------------------------


def csv_text():
    lines = [CSV_HEADER] + [",".join(str(cell) for cell in row) for row in CODES]
    return "\ufeff" + "\r\n".join(lines) + "\r\n"


def main(argv=None):
    args = tool_arguments(__doc__, argv, "also write PNG previews of the faces with their signs into this folder")
    out = os.path.join(args.out, "demo", "vehicle")
    written = []

    faces = {"front": draw_front(), "side": draw_side(), "rear": draw_rear()}
    for name, img in faces.items():
        written.append(write(os.path.join(out, name + ".jpg"), jpeg_bytes(img, 85)))
    film = draw_film()
    written.append(write(os.path.join(out, "front-destination.png"), png_bytes(film)))
    folders = [("front-route", FRONT_ROUTE, ROUTE), ("side-type", SIDE_TYPE, TYPE),
               ("side-destination", SIDE_DEST, DEST), ("rear-route", REAR_ROUTE, REAR)]
    for folder, box, frames in folders:
        for n, frame in enumerate(frames):
            written.append(write(os.path.join(out, folder, "%02d.png" % n), png_bytes(led_frame(box[2:], frame))))
    written.append(write(os.path.join(out, "codes.csv"), csv_text().encode("utf-8")))
    written.append(write(os.path.join(out, "bus.rvh"),
                         ("\ufeff" + VEHICLE.replace("\n", "\r\n")).encode("utf-8")))

    if args.preview:
        # Each face with the signs of code 101 in place.
        os.makedirs(args.preview, exist_ok=True)
        shown = {"front": [(FRONT_FILM, film.crop((0, 57, 240, 114))), (FRONT_ROUTE, led_frame((64, 48), ROUTE[1]))],
                 "side": [(SIDE_TYPE, led_frame((96, 64), TYPE[1])), (SIDE_DEST, led_frame((160, 64), DEST[1]))],
                 "rear": [(REAR_ROUTE, led_frame((96, 48), REAR[1]))]}
        for name, img in faces.items():
            img = img.copy()
            for box, sign in shown[name]:
                img.paste(sign, box[:2])
            img.save(os.path.join(args.preview, name + ".png"))
        film.save(os.path.join(args.preview, "film.png"))
        for folder, box, frames in folders:
            sheet = Image.new("RGB", (box[2], box[3] * len(frames)))
            for n, frame in enumerate(frames):
                sheet.paste(led_frame(box[2:], frame), (0, n * box[3]))
            sheet.save(os.path.join(args.preview, folder + ".png"))

    print_written(written, args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
