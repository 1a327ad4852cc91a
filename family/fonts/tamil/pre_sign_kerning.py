"""Tamil's kerning between a consonant with pulli and the pre-base sign that
follows it in the same cluster.

Noto Sans Tamil narrows some consonants with pulli before the e, ee or ai
sign (ட் before ெ by 65 units, த் and ந் by 38, ண் before ை by 31), and
kerns them before the sign instead of before the consonant after it (ன் is
narrowed before த, not before the e sign of ன்தெ). A cluster's glyphs are
learned without the sign, so in ட்டெ, த்தெ, ந்தெ, ன்தெ the sign and
everything after it sat a pixel or two off. The converter draws the pulli
consonant as the consonant plus a zero-advance pulli, so the consonant's
advance cannot depend on the sign; instead the pre-base sign takes a variant
moved by the difference (outline and advance alike, the same picture),
picked per cluster through the cluster's pre-base variant (the engine's
`preVariant`).

    variants = cluster_variants(script, learned, pre_signs)
    learned.kerning_fold = PreSignFold(font, pre_names, drawn_advances(script, learned))
    ... familymap.build(...)                 # design words counted as drawn
    apply(fmap, variants, sign_advances)     # family variants + cluster fields
"""
import collections

from fontTools.ttLib import TTFont

import brahmic
from hbshape import Glyph, shape_many

PREHALF = "prehalftamil"
# Spacing glyphs whose advances and offsets differ by no more than these
# (font units) are one glyph of the map (familymap's clustering).
ADVANCE_TOLERANCE, OFFSET_TOLERANCE = 12, 24


class PreSignFold:
    """Moves the kerning of a pulli consonant before a pre-base sign into the
    sign: the consonant keeps the advance the converter draws it with (its
    cluster's, kerned before the consonant after the sign), the sign moves
    by the difference. Everything else is left as HarfBuzz drew it.

    drawn: {(pulli consonant's glyph name, consonant after the sign's glyph
    name): the advance the converter draws the pulli consonant with}; a pair
    it lacks is drawn at the glyph's own advance."""

    def __init__(self, font_path, pre_names, drawn=None):
        self.hmtx = TTFont(font_path)["hmtx"]
        self.pre_names = set(pre_names)
        self.drawn = drawn or {}
        self.prefixes = sorted({b for _, b in self.drawn}, key=len, reverse=True)

    def base_of(self, name):
        """The consonant glyph a glyph name starts with (katamil for
        kauvowelsigntamil), or the name itself."""
        for b in self.prefixes:
            if name.startswith(b[:-len("tamil")]) and name.endswith("tamil"):
                return b
        return name

    def kerning(self, g, nxt, after=None):
        """Units by which the font moved `nxt` (a pre-base sign) from where
        the converter's pulli consonant g ends; 0 when g is no pulli
        consonant or nxt no sign. after: the glyph after the sign."""
        if (nxt is None or not g.name.endswith(PREHALF) or nxt.name not in self.pre_names
                or g.name not in self.hmtx.metrics):
            return 0
        own = self.hmtx[g.name][0]
        if after is not None:
            own = self.drawn.get((g.name, self.base_of(after.name)), own)
        return g.adv - own

    def fold(self, glyphs):
        out, carried = [], 0
        for i, g in enumerate(glyphs):
            nxt = glyphs[i + 1] if i + 1 < len(glyphs) else None
            own = self.kerning(g, nxt, glyphs[i + 2] if i + 2 < len(glyphs) else None)
            if carried:
                out.append(brahmic.ShiftedGlyph(g.name, g.dx + carried, g.dy, g.adv + carried))
            else:
                out.append(Glyph(g.name, g.dx, g.dy, g.adv - own))
            carried = own
        return out


def drawn_advances(script, learned):
    """{(glyph name of a consonant with pulli, glyph name of the consonant
    after it): the advance of the first consonant in their learned
    cluster}, for PreSignFold."""
    v = script.virama
    cs = script.consonants
    names = dict(zip(cs, (g[0].name for g in shape_many(script.font, cs))))
    halves = dict(zip(cs, (g[0].name for g in shape_many(script.font, [c + v for c in cs]))))
    out = {}
    for a in cs:
        for b in cs:
            keys = learned.cores.get(a + v + b)
            if keys:
                out[(halves[a], names[b])] = keys[0][1]
    return out


def variant_name(shifts):
    """The variant of a cluster whose pre-base signs are moved by `shifts`
    (sign name -> units, negative to the left): '' when none moves."""
    moved = [f"{name[:-len('vowelsigntamil')]}{units:+d}" for name, units in sorted(shifts.items())
             if units]
    return "k" + "_".join(moved) if moved else ""


def cluster_variants(script, learned, pre_signs):
    """For every learned cluster with a pre-base sign after a pulli
    consonant: {cluster text: {sign name: units the sign moves}} as Noto
    draws the cluster with each sign, against the advance the cluster gives
    the spacing glyph before the sign. pre_signs: {sign character: name}."""
    texts, owners = [], []
    for text, var in learned.variants.items():
        if var.get("@pre", 0) > 0 and text in learned.cores:
            for ch, name in sorted(pre_signs.items()):
                texts.append(text + ch)
                owners.append((text, name))
    out = collections.defaultdict(dict)
    for (text, name), glyphs in zip(owners, shape_many(script.font, texts)):
        pre = learned.variants[text]["@pre"]
        core = [k for k in learned.cores[text][:pre] if k[1]]
        for i, g in enumerate(glyphs[:-1]):
            if glyphs[i + 1].name == name and g.adv and core:
                out[text][name] = g.adv - core[-1][1]
                break
    return {text: shifts for text, shifts in out.items() if any(shifts.values())}


def shifted_keys(variants, sign_advances):
    """The glyph keys of the moved signs the clusters ask for."""
    keys = set()
    for shifts in variants.values():
        for name, units in shifts.items():
            if units:
                keys.add((name, sign_advances[name] + units, units, 0))
    return keys


def nearest_glyph(glyphs, key):
    """Index of the map's glyph that draws `key` (same name, advance and
    offset within the map's tolerances), or None."""
    best = None
    for i, g in enumerate(glyphs):
        if g["name"] != key[0] or not g["adv"]:
            continue
        da, dx = abs(g["adv"] - key[1]), abs(g["dx"] - key[2])
        if da <= ADVANCE_TOLERANCE and dx <= OFFSET_TOLERANCE and (
                best is None or (da, dx) < best[0]):
            best = ((da, dx), i)
    return best[1] if best else None


def apply(fmap, variants, sign_advances):
    """Gives each cluster its pre-base variant and each variant its moved
    sign glyphs (a sign the cluster does not move stays the plain sign). A
    face without a moved glyph draws the nearest glyph of its name, the
    plain sign (the converter tables borrow it)."""
    rules = fmap["rules"]
    glyphs = fmap["glyphs"]
    family_variants = rules["family_variants"]
    for core in rules["cores"]:
        shifts = variants.get(core[0])
        if not shifts:
            continue
        name = variant_name(shifts)
        core[3] = name
        for sign in sign_advances:
            units = shifts.get(sign, 0)
            index = nearest_glyph(glyphs, (sign, sign_advances[sign] + units, units, 0)) \
                if units else None
            family_variants[sign][name] = family_variants[sign][""] if index is None else index
