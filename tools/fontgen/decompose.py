"""Splits glyphs that Noto builds from components into pieces that other
glyphs share, so that a face with few codes can still draw them exactly.

A glyph key is (name, advance, dx, dy), as in brahmic.key_of. A composite
spacing glyph of advance A whose component c0 sits at the origin becomes c0
with advance A, and its other components become marks placed from the end
of c0 (x - A): the Telugu consonant bodies then carry their headstrokes and
vowel signs as marks that many consonants share. When the glyph is just two
glyphs side by side at their own advances (a Kannada consonant and its
virama), it becomes those two spacing glyphs.
"""
from fontTools.ttLib import TTFont


class Composites:
    def __init__(self, font_path):
        font = TTFont(font_path)
        self.glyf = font["glyf"]
        self.hmtx = font["hmtx"]

    def components(self, name):
        if name not in self.glyf or not self.glyf[name].isComposite():
            return None
        return [(c.glyphName, c.x, c.y) for c in self.glyf[name].components]

    def pieces(self, key):
        """The keys that draw `key` together, or None when it is not split."""
        name, adv, dx, dy = key
        comps = self.components(name)
        if not comps:
            return None
        if adv == 0:
            return [(c, 0, dx + x, dy + y) for c, x, y in comps]
        if (dx, dy) != (0, 0):
            return None
        at_origin = [c for c in comps if c[1:] == (0, 0)]
        if not at_origin:
            return None
        carrier = at_origin[0][0]
        rest = [c for c in comps if c is not at_origin[0]]
        natural = self.hmtx[carrier][0]
        if len(rest) == 1 and rest[0][1:] == (natural, 0) and adv == natural + self.hmtx[rest[0][0]][0]:
            return [(carrier, natural, 0, 0), (rest[0][0], self.hmtx[rest[0][0]][0], 0, 0)]
        return [(carrier, adv, 0, 0)] + [(c, 0, x - adv, y) for c, x, y in rest]


class Carver:
    """Pieces cut from simple glyphs: a merged form (a Kannada consonant with
    its headstroke, or with the i- or e-sign over it) minus the glyph of its
    body leaves the headstroke or sign alone. Cut pieces of one kind that
    have the same shape become one glyph, placed from the end of the body,
    so that a few glyphs stand for the merged forms of every consonant.

    forms: {merged glyph name: (body glyph name, kind)}; suffix ends the
    names of the new glyphs; outlines collects their polygons.
    """

    SLIVER = 400       # square font units: bits of the cut thinner than this are dropped
    SAME_SHAPE = 0.15  # share of a piece's area two shapes may differ by
    # The body keeps its own advance when the merged form's differs by at
    # most this much (the sign's overhang), so that one body glyph serves all.
    ADVANCE_SLACK = 45

    def __init__(self, font_path, forms, suffix):
        font = TTFont(font_path)
        self.glyphset = font.getGlyphSet()
        self.hmtx = font["hmtx"]
        self.forms, self.suffix = forms, suffix
        self.shapes = {}
        self.outlines = {}

    def polygons(self, name):
        pen = _FlatPen(self.glyphset)
        self.glyphset[name].draw(pen)
        return [[(round(x), round(y)) for x, y in p] for p in pen.polygons if len(p) > 2]

    def pieces(self, key):
        import pyclipper
        name, adv, dx, dy = key
        if adv == 0 or (dx, dy) != (0, 0) or name not in self.forms:
            return None
        body, kind = self.forms[name]
        cut = [p for p in _clip(self.polygons(name), self.polygons(body), pyclipper.CT_DIFFERENCE)
               if abs(pyclipper.Area(p)) >= self.SLIVER]
        if not cut:
            return None
        bx = min(x for p in cut for x, _ in p)
        by = min(y for p in cut for _, y in p)
        shape = [[(x - bx, y - by) for x, y in p] for p in cut]
        area = sum(abs(pyclipper.Area(p)) for p in shape)
        piece = None
        for other, other_shape in self.shapes.get(kind, []):
            diff = sum(abs(pyclipper.Area(p)) for p in _clip(shape, other_shape, pyclipper.CT_XOR))
            if diff <= self.SAME_SHAPE * area:
                piece = other
                break
        if piece is None:
            piece = "%s%d%s" % (kind, len(self.shapes.get(kind, [])) + 1, self.suffix)
            self.shapes.setdefault(kind, []).append((piece, shape))
            self.outlines[piece] = [[list(pt) for pt in p] for p in shape]
        natural = self.hmtx[body][0]
        width = natural if abs(natural - adv) <= self.ADVANCE_SLACK else adv
        return [(body, width, 0, 0), (piece, 0, bx - width, by)]


def _clip(subject, clip, operation):
    import pyclipper
    pc = pyclipper.Pyclipper()
    pc.AddPaths(subject, pyclipper.PT_SUBJECT, True)
    if clip:
        pc.AddPaths(clip, pyclipper.PT_CLIP, True)
    return pc.Execute(operation, pyclipper.PFT_NONZERO, pyclipper.PFT_NONZERO)


class _FlatPen:
    """Outlines as polygons, curves cut into eight straight pieces."""

    STEPS = 8

    def __init__(self, glyphset):
        from fontTools.pens.basePen import BasePen
        self.polygons = []
        self.glyphSet = glyphset
        outer = self

        class Pen(BasePen):
            def _moveTo(self, p):
                outer.polygons.append([p])

            def _lineTo(self, p):
                outer.polygons[-1].append(p)

            def _qCurveToOne(self, p1, p2):
                p0 = outer.polygons[-1][-1]
                for i in range(1, outer.STEPS + 1):
                    t = i / outer.STEPS
                    outer.polygons[-1].append(
                        ((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
                         (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]))

            def _curveToOne(self, p1, p2, p3):
                p0 = outer.polygons[-1][-1]
                for i in range(1, outer.STEPS + 1):
                    t = i / outer.STEPS
                    a, b, c, d = (1 - t) ** 3, 3 * (1 - t) ** 2 * t, 3 * (1 - t) * t * t, t ** 3
                    outer.polygons[-1].append(
                        (a * p0[0] + b * p1[0] + c * p2[0] + d * p3[0],
                         a * p0[1] + b * p1[1] + c * p2[1] + d * p3[1]))

            def _closePath(self):
                pass

            def _endPath(self):
                pass

        self.pen = Pen(glyphset)

    def __getattr__(self, name):
        return getattr(self.pen, name)
