#!/usr/bin/env python3
"""Draw the meridian pictures data/dist/pic/<short name>.JPG.

Each picture is a schematic figure: a body outline seen from the front or the
back, the surface course of one vessel as a coloured line on one side of the
body, its main points as dots with their names (five transport and source
points marked with their role), and the vessel's name as a title. Back views
carry a small front view of the face for the part of the course that ends
there. Drawing is done by ImageMagick from MVG commands built here; the output
is a baseline JPEG because the program's decoder need not handle progressive
files. Run from anywhere: python3 data/assets/gen_pictures.py [short name ...]

Coordinates are (dx, y): dx in pixels from the body's midline, positive to the
viewer's right, y in pixels from the top of the picture. About 8 px make one
cun on the trunk.
"""
import pathlib
import subprocess
import sys

from pic_vessels import VESSELS

ROOT = pathlib.Path(__file__).resolve().parents[2]
OUT = ROOT / "data/dist/pic"
FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
W, H = 480, 600
CX = 180  # the body's midline; the free space on the right takes the labels
HEAD = (0, 92, 27, 34)  # centre dx, centre y, radius x, radius y
INSET_Y, INSET_SCALE = 110, 1.0  # side view of the head: centre y, scale
# Extent of the inset frame in head units: room for labels before the face and behind the head.
INSET_FRONT, INSET_BACK = 112, 100
SKIN, LINE, DETAIL, HAIR = "#f7e6d3", "#6b5646", "#c9a78c", "#8a7868"
LABEL_SIZE = 13

# Right half of the silhouette from the neck down to the crotch; the left half
# is its mirror image.
OUTLINE = [
    (12, 118), (13, 138), (22, 147), (45, 154), (62, 159), (73, 168), (80, 185),
    # outer edge of the arm down to the wrist
    (85, 215), (91, 245), (97, 268), (104, 300), (110, 330), (114, 352),
    # hand, palm forward: thumb outwards, then the four fingers as one mitten
    (119, 362), (127, 374), (133, 387), (134, 394), (129, 395), (123, 387),
    (122, 395), (123, 410), (120, 424), (113, 430), (105, 430), (98, 426),
    (94, 418), (93, 404), (94, 384), (97, 366),
    # inner edge of the arm up to the armpit
    (100, 352), (93, 325), (87, 298), (79, 268), (72, 240), (65, 215), (58, 197),
    # trunk and outer leg
    (57, 215), (54, 245), (47, 280), (50, 305), (57, 330), (60, 360), (59, 395),
    (53, 430), (48, 455), (49, 480), (50, 500), (45, 530), (39, 552), (40, 566),
    (46, 580), (47, 590), (39, 596), (20, 596), (15, 590), (16, 570), (18, 552),
    # inner leg up to the crotch
    (16, 530), (14, 500), (15, 480), (16, 455), (13, 420), (8, 390), (2, 368),
]

KEY_ROLES = ("井", "荥", "输", "经", "合", "原", "八脉交会")  # roles drawn as filled dots


def px(dx, y, inset=0):
    """Picture coordinates of a point.

    inset 0: a body point (dx, y). inset +1 or -1: a point (u, v) of the side
    view of the head, whose face looks to the viewer's left (+1) or right (-1).
    """
    if not inset:
        return CX + dx, y
    return inset_centre(inset) + inset * INSET_SCALE * dx, INSET_Y + INSET_SCALE * y


def inset_centre(side):
    """The frame sits in the top right corner whichever way the face looks."""
    return W - 4 - INSET_SCALE * (INSET_BACK if side > 0 else INSET_FRONT)


def path_through(points, closed):
    """A smooth path (Catmull-Rom as cubic Beziers) through picture points."""
    n = len(points)

    def p(i):
        return points[i % n] if closed else points[max(0, min(n - 1, i))]

    d = [f"M {points[0][0]:.1f},{points[0][1]:.1f}"]
    for i in range(n if closed else n - 1):
        p0, p1, p2, p3 = p(i - 1), p(i), p(i + 1), p(i + 2)
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        d.append(f"C {c1[0]:.1f},{c1[1]:.1f} {c2[0]:.1f},{c2[1]:.1f} {p2[0]:.1f},{p2[1]:.1f}")
    return " ".join(d) + (" Z" if closed else "")


def mirrored(half):
    return [(dx, y) for dx, y in half] + [(-dx, y) for dx, y in reversed(half)]


def stroke(colour, width, fill="none"):
    return [f"stroke '{colour}'", f"stroke-width {width}", f"fill '{fill}'"]


def line(points, inset=0):
    return "polyline " + " ".join("%.1f,%.1f" % px(dx, y, inset) for dx, y in points)


def curve(points, inset=0):
    return f"path '{path_through([px(dx, y, inset) for dx, y in points], False)}'"


def head_shapes():
    """Head and ears of the figure; drawn twice (outline pass, then fill pass) so they merge."""
    hx, hy, rx, ry = HEAD
    cx, cy = px(hx, hy)
    shapes = [f"ellipse {cx:.1f},{cy:.1f} {rx},{ry} 0,360"]
    for side in (-1, 1):
        ex, ey = px(side * 27, 97)
        shapes.append(f"ellipse {ex:.1f},{ey:.1f} 5,10 0,360")
    return shapes


def face_details():
    out = stroke(LINE, 1.2)
    for side in (-1, 1):
        out.append(line([(side * 5, 80), (side * 10, 78.5), (side * 16, 79.5)]))
        ex, ey = px(side * 12, 88)
        out.append(f"ellipse {ex:.1f},{ey:.1f} 4,1.8 0,360")
    out.append(line([(0, 91), (-3, 103), (0, 105), (3, 103)]))
    out.append(curve([(-7, 113), (0, 115), (7, 113)]))
    out += stroke(LINE, 1.2, HAIR)
    top = [(-27, 88), (-24, 68), (-12, 59), (0, 58), (12, 59), (24, 68), (27, 88)]
    hairline = [(24, 76), (12, 67), (0, 66), (-12, 67), (-24, 76)]
    out.append(f"path '{path_through([px(dx, y) for dx, y in top + hairline], True)}'")
    return out


def body(view):
    """MVG commands of the figure: silhouette, then the view's own landmarks."""
    silhouette = path_through([px(dx, y) for dx, y in mirrored(OUTLINE)], True)
    shapes = [f"path '{silhouette}'"] + head_shapes()
    out = stroke(LINE, 3, SKIN) + shapes + ["stroke none", f"fill '{SKIN}'"] + shapes
    out += stroke(DETAIL, 1)
    for side in (-1, 1):
        for fx in (116, 109, 101.5):  # finger gaps
            out.append(line([(side * fx, 410), (side * fx, 427)]))
        for tx in (23, 29, 35, 41):  # toe gaps
            out.append(line([(side * tx, 588), (side * tx, 595)]))
    out += front_details() if view == "front" else back_details()
    return out


def front_details():
    out = face_details()
    out += stroke(DETAIL, 1.2)
    for side in (-1, 1):
        out.append(curve([(side * 5, 150), (side * 28, 152), (side * 56, 158)]))  # clavicle
        out.append(curve([(side * 12, 212), (side * 34, 216), (side * 52, 206)]))  # chest
        out.append(curve([(side * 4, 364), (side * 28, 350), (side * 50, 330)]))  # groin
        out.append(curve([(side * 24, 452), (side * 32, 447), (side * 40, 452)]))  # knee
        out.append(curve([(side * 24, 466), (side * 32, 471), (side * 40, 466)]))
        nx, ny = px(side * 33, 203)
        out.append(f"circle {nx:.1f},{ny:.1f} {nx + 2:.1f},{ny:.1f}")
    nx, ny = px(0, 290)
    out.append(f"ellipse {nx:.1f},{ny:.1f} 2,3 0,360")
    out.append(line([(0, 232), (0, 270)]))  # linea alba
    return out


def back_details():
    out = stroke(LINE, 1.2, HAIR)
    back_hair = [(-27, 96), (-26, 70), (-14, 59), (0, 57), (14, 59), (26, 70), (27, 96),
                 (20, 112), (0, 116), (-20, 112)]
    out.append(f"path '{path_through([px(dx, y) for dx, y in back_hair], True)}'")
    out += stroke(DETAIL, 1.2) + ["stroke-dasharray 3 3"]
    out.append(line([(0, 132), (0, 340)]))  # spine
    out.append("stroke-dasharray none")
    for side in (-1, 1):
        s = side
        out.append(line([(s * 21, 164), (s * 22, 210), (s * 30, 222), (s * 52, 180), (s * 56, 168)]))
        out.append(line([(s * 21, 172), (s * 58, 162)]))  # spine of the scapula
        out.append(curve([(s * 3, 372), (s * 28, 378), (s * 52, 366)]))  # buttock fold
        out.append(curve([(s * 22, 458), (s * 32, 460), (s * 44, 457)]))  # knee crease
        out.append(curve([(s * 6, 322), (s * 30, 312), (s * 52, 322)]))  # iliac crest
    out.append(line([(0, 340), (0, 372)]))
    return out


# Side view of the head for the insets, face to the left, in (u, v) units:
# the ear is at (10, 4), the outer eye corner at (-28, -2), the nape at u 22.
PROFILE = [
    (4, -48), (-18, -44), (-32, -32), (-38, -18), (-40, -8), (-37, -2), (-41, 5),
    (-46, 13), (-40, 17), (-42, 21), (-38, 25), (-41, 29), (-37, 34), (-38, 41),
    (-30, 47), (-16, 50), (-14, 62), (22, 62), (22, 44), (31, 33), (40, 20),
    (44, 0), (42, -20), (32, -38), (18, -46),
]
PROFILE_HAIR = [
    (-30, -34), (-18, -44), (4, -48), (18, -46), (32, -38), (42, -20), (44, 0),
    (40, 20), (31, 33), (26, 22), (22, 4), (16, -10), (2, -14), (-10, -22), (-22, -30),
]


def inset_frame(side):
    s = INSET_SCALE
    x1, x2 = sorted((px(-INSET_FRONT, 0, side)[0], px(INSET_BACK, 0, side)[0]))
    out = stroke("#9a9a9a", 1, "#fbfbfb")
    out.append(f"roundrectangle {x1:.1f},{INSET_Y - 62 * s:.1f} {x2:.1f},{INSET_Y + 70 * s:.1f} 8,8")
    out += text_at(x1 + 6, INSET_Y - 49 * s, "头侧面", 11, "#777")

    def shape(points):
        return f"path '{path_through([px(u, v, side) for u, v in points], True)}'"

    ex, ey = px(10, 4, side)
    ear = f"ellipse {ex:.1f},{ey:.1f} {7 * s:.1f},{12 * s:.1f} 0,360"
    out += stroke(LINE, 2.2, SKIN) + [shape(PROFILE)]
    out += stroke(LINE, 1.2, HAIR) + [shape(PROFILE_HAIR)]
    out += stroke(LINE, 1.6, SKIN) + [ear]
    out += stroke(LINE, 1.1)
    out.append(curve([(7, -4), (13, -2), (13, 8), (8, 12)], side))  # inner ear
    out.append(line([(-36, -10), (-30, -12), (-24, -11)], side))  # brow
    out.append(curve([(-33, -2), (-29, -4), (-25, -2)], side))  # eye
    out.append(line([(-39, 25), (-33, 25)], side))  # mouth
    out.append(curve([(-38, 11), (-33, 12), (-34, 15)], side))  # nostril
    return out


def esc(text):
    return text.replace("\\", "\\\\").replace("'", "\\'")


def text_at(x, y, text, size, colour, anchor="start", under=None):
    out = ["stroke none", f"fill '{colour}'", f"font-size {size}", f"text-anchor {anchor}"]
    out.append(f"text-undercolor '{under}'" if under else "text-undercolor none")
    out.append(f"text {x:.1f},{y:.1f} '{esc(text)}'")
    return out


def label_place(node, inset):
    """Label text, anchor point, alignment and whether a leader line is needed."""
    name, role, dx, y, lab = node
    text = name + (f"({role})" if role else "")
    x, yy = px(dx, y, inset)
    if lab in ("r", "l"):  # beside the dot, on that side of the picture
        right = lab == "r"
        return text, (x + (7 if right else -7), yy + 4), right, False
    ax, ay = px(lab[0], lab[1], inset)
    return text, (ax, ay), ax >= x, True


def draw_vessel(v):
    side = -1 if v["view"] == "back" else 1
    out = ["stroke-linejoin round", "stroke-linecap round"]
    named = []
    for seg in v["segments"]:
        inset = side if seg.get("inset") else 0
        pts = [(n[2], n[3]) if len(n) == 5 else n for n in seg["nodes"]]
        out += stroke(v["colour"], 3)
        if seg.get("dashed"):
            out.append("stroke-dasharray 6 4")
        out.append(line(pts, inset))
        out.append("stroke-dasharray none")
        named += [(n, inset) for n in seg["nodes"] if len(n) == 5]
    labels, seen = [], set()
    for node, inset in named:
        if (node[0], inset) in seen:  # a point where two segments meet
            continue
        seen.add((node[0], inset))
        x, y = px(node[2], node[3], inset)
        text, (ax, ay), left_aligned, leader = label_place(node, inset)
        if leader:
            out += stroke("#8c8c8c", 0.8)
            out.append(f"line {x:.1f},{y:.1f} {ax + (-2 if left_aligned else 2):.1f},{ay - 4:.1f}")
        if any(r in node[1] for r in KEY_ROLES):
            out += stroke("#303030", 1.2, v["colour"])
            out.append(f"circle {x:.1f},{y:.1f} {x + 4.2:.1f},{y:.1f}")
        else:
            out += stroke(v["colour"], 1.6, "white")
            out.append(f"circle {x:.1f},{y:.1f} {x + 3.2:.1f},{y:.1f}")
        if node[0]:
            labels.append((ax, ay, text, "start" if left_aligned else "end"))
    for ax, ay, text, anchor in labels:
        out += text_at(ax, ay, text, LABEL_SIZE, "#1e1e1e", anchor, "#ffffffb0")
    return out


def legend(v):
    x, y = 16, 540
    key, other = v.get("legend", ("五输穴、原穴", "其他穴位"))
    out = stroke("#303030", 1.2, v["colour"]) + [f"circle {x},{y} {x + 4.2},{y}"]
    out += text_at(x + 10, y + 4, key, 11, "#444")
    out += stroke(v["colour"], 1.6, "white") + [f"circle {x},{y + 16} {x + 3.2},{y + 16}"]
    out += text_at(x + 10, y + 20, other, 11, "#444")
    for i, note in enumerate(v.get("notes", ["左右对称，图中只画一侧"])):
        out += text_at(x - 6, y + 38 + 14 * i, note, 11, "#666")
    return out


def picture(key):
    v = VESSELS[key]
    mvg = [f"font '{FONT}'"] + body(v["view"])
    if any(seg.get("inset") for seg in v["segments"]):
        mvg += inset_frame(-1 if v["view"] == "back" else 1)
    mvg += draw_vessel(v)
    mvg += text_at(W / 2, 36, v["title"], 26, "#1e1e1e", "middle")
    mvg += text_at(W - 12, 36, "正面" if v["view"] == "front" else "背面", 13, "#777", "end")
    mvg += legend(v)
    return "\n".join(mvg)


def render(key):
    out = OUT / f"{key}.JPG"
    cmd = ["convert", "-size", f"{W}x{H}", "xc:white", "-draw", picture(key), "-strip",
           "-interlace", "none", "-sampling-factor", "2x2", "-quality", "86", f"jpeg:{out}"]
    done = subprocess.run(cmd, capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"{out.name}: convert failed: {done.stderr.strip()}")
    print(f"{out.name}: {out.stat().st_size} bytes")


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    for key in sys.argv[1:] or list(VESSELS):
        render(key)


if __name__ == "__main__":
    main()
