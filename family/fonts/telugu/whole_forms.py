"""Subscripts after the Telugu merged forms that stay whole.

The converter draws a subscript mark right after its base's body when the
base part is the base itself or a merged form drawn in pieces (the tables
say where the body ends); brahmic.SubscriptPlacer ranks the glyphs on words
rewritten that way. A merged form that is one outline in Noto and that no
piece draws closely enough (laa, taa, jaa, lo), or whose pieces do not
start with the body at its own advance (poo), is drawn whole, and then the
subscript in its signed form, which HarfBuzz places from the end of the
merged glyph, not from the end of the body. Rewriting those subscripts as if
they hung from the body ranked a form the converter never draws there, and
gave no code to the one it draws: ల్లా, త్రా, జ్ఞా came out with the
subscript a sign's width too far right.
"""
import brahmic
import decompose


class WholeFormPlacer(brahmic.SubscriptPlacer):
    """SubscriptPlacer that leaves a subscript where HarfBuzz puts it when
    the glyph before it is a merged form the converter draws whole."""

    def __init__(self, script, L, B, whole):
        super().__init__(script, L, B)
        self.whole = set(whole)

    def place(self, glyphs):
        out, x, body_end = [], 0, None
        for g in glyphs:
            if g.adv and g.name in self.body:
                body_end = None if g.name in self.whole else x + self.body[g.name]
            if not g.adv and g.name in self.subscripts and body_end is not None:
                g = brahmic.Glyph(g.name, x + g.dx - body_end, g.dy, 0)
            out.append(g)
            x += g.adv
        return out


def whole_forms(script, L, B, noto, forms, suffix, slack=12):
    """Names of the merged forms (spacing glyphs that replace a base with a
    sign) that the converter cannot split at the end of the base's body:
    neither Noto's components nor a carved piece draw them as pieces whose
    first advances add up to the base's own (within slack units, as
    gen_tables.body_ends asks). forms = {merged name: (body name, kind)}, as
    given to decompose.Carver."""
    composites = decompose.Composites(noto)
    # A carver of its own: the family's carver hands out pieces in the order
    # the ranking asks for them, which this must not change.
    carver = decompose.Carver(noto, forms, suffix)

    def flat(key, depth=0):
        parts = composites.pieces(key) or carver.pieces(key)
        if not parts or depth > 8:
            return [key]
        return [q for p in parts for q in flat(p, depth + 1)]

    consonant_glyphs = {k[0] for c in script.consonants for k in L.cores.get(c, [])[:1]}
    whole = set()
    for (base, _), keys in B.fuse.items():
        key = keys[0] if keys else None
        if key is None or not key[1] or key[0] in consonant_glyphs:
            continue
        run, split = 0, False
        for p in flat(key):
            run += p[1]
            split |= bool(p[1]) and abs(run - base[1]) <= slack
        if not split:
            whole.add(key[0])
    return sorted(whole)


def whole_in_map(fmap, slack=12):
    """Names of the merged forms a built map draws whole: the first glyph of
    a fusion of a base with a sign that is not the base itself and that has
    no body end in the converter tables: the glyph of a one-glyph fusion
    whose pieces (the map's expansions, all held) start with the body at
    the base's own advance has one (gen_tables.body_ends), no other."""
    glyphs = fmap["glyphs"]
    parts = {g: p for g, p in fmap["rules"].get("expansions", [])}

    def flat(g, depth=0):
        if g not in parts or depth > 8:
            return [g]
        return [q for p in parts[g] for q in flat(p, depth + 1)]

    fusions = fmap["rules"]["below_base"]["fuse"]
    ends = set()
    for base, _, keys in fusions:
        if len(keys) != 1 or keys[0] not in parts:
            continue
        run = 0
        for p in flat(keys[0]):
            run += glyphs[p]["adv"]
            if glyphs[p]["adv"] and abs(run - glyphs[base]["adv"]) <= slack:
                ends.add(keys[0])
                break
    return sorted({glyphs[keys[0]]["name"] for base, _, keys in fusions
                   if keys[0] != base and glyphs[keys[0]]["adv"] and keys[0] not in ends})
