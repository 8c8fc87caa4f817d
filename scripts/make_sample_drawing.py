#!/usr/bin/python3
"""Draws data/Drawings/production.dxf from data/Models/production.mdl: the part as a full section
(both halves, the end faces across the axis, the chamfers' edges), its centre line and a few
dimensions, in millimetres. Needs Debian's python3-ezdxf; the build and the tests do not."""

import math
import pathlib

import ezdxf

ROOT = pathlib.Path(__file__).resolve().parent.parent
MODEL = ROOT / "data" / "Models" / "production.mdl"
DRAWING = ROOT / "data" / "Drawings" / "production.dxf"

# The x of the chamfers' larger ends: their circular edges show as lines across the section.
CHAMFER_EDGES = [1, 21, 47, 178]


def read_model(path):
    elements = []
    for record in path.read_text().splitlines():
        kind, _, values = record.strip().partition(" ")
        if not kind:
            continue
        numbers = [float(v) for v in values.strip("/").split("/")]
        elements.append((kind, numbers))
    return elements


def degrees(centre, point):
    return math.degrees(math.atan2(point[1] - centre[1], point[0] - centre[0])) % 360


def add_half(msp, elements, sign):
    """One half of the outline; sign -1 mirrors it below the axis. The end faces are drawn
    across the axis once, so the lines that stand on the axis are left out here."""
    for kind, v in elements:
        if kind == "line":
            (x1, y1, x2, y2) = v
            if x1 == x2 and 0 in (y1, y2):
                continue
            msp.add_line((x1, sign * y1), (x2, sign * y2), dxfattribs={"layer": "OUTLINE"})
        else:
            (ax, ay, bx, by, x3, y3, x4, y4) = v
            centre = ((ax + bx) / 2, (ay + by) / 2)
            radius = abs(bx - ax) / 2
            # Counter-clockwise from P4 to P3 on either half; mirrored, from P3' to P4'.
            start, end = degrees(centre, (x4, y4)), degrees(centre, (x3, y3))
            if sign < 0:
                start, end = (-end) % 360, (-start) % 360
            msp.add_arc((centre[0], sign * centre[1]), radius, start, end,
                        dxfattribs={"layer": "OUTLINE"})


def main():
    elements = read_model(MODEL)
    doc = ezdxf.new("R2010", setup=True)
    doc.header["$INSUNITS"] = 4
    doc.layers.add("OUTLINE", color=7)
    doc.layers.add("CENTER", color=1, linetype="CENTER")
    doc.layers.add("DIMENSIONS", color=3)
    msp = doc.modelspace()
    add_half(msp, elements, 1)
    add_half(msp, elements, -1)
    ends = [v for kind, v in elements if kind == "line" and v[0] == v[2] and 0 in (v[1], v[3])]
    for (x1, y1, x2, y2) in ends:
        top = max(y1, y2)
        msp.add_line((x1, -top), (x1, top), dxfattribs={"layer": "OUTLINE"})
    radius_at = {}
    for kind, v in elements:
        if kind == "line":
            radius_at.setdefault(v[0], max(radius_at.get(v[0], 0), v[1]))
            radius_at[v[2]] = max(radius_at.get(v[2], 0), v[3])
    for x in CHAMFER_EDGES:
        msp.add_line((x, -radius_at[x]), (x, radius_at[x]), dxfattribs={"layer": "OUTLINE"})
    msp.add_line((-6, 0), (186, 0), dxfattribs={"layer": "CENTER"})
    dims = {"layer": "DIMENSIONS"}
    msp.add_linear_dim(base=(0, 34), p1=(0, 7), p2=(180, 8), dxfattribs=dims).render()
    msp.add_linear_dim(base=(120, 0), p1=(102, 24), p2=(102, -24), angle=90,
                       dxfattribs=dims).render()
    msp.add_linear_dim(base=(0, -30), p1=(46, -14), p2=(110, -17), dxfattribs=dims).render()
    msp.add_text("Production shaft, full section", dxfattribs={"layer": "DIMENSIONS",
                                                              "height": 3.5,
                                                              "insert": (0, -44)})
    DRAWING.parent.mkdir(parents=True, exist_ok=True)
    doc.saveas(DRAWING)


if __name__ == "__main__":
    main()
