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
