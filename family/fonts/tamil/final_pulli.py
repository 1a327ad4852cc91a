"""The pulli of a syllable that ends in one (ஷ் at the end of a word).

The converter draws such a syllable as the consonant and a zero-advance
pulli placed by the glyph before it (an attachment of the map). The learner
finds those attachments where Noto draws the consonant with pulli as the
consonant plus a pulli; ssa with pulli is a glyph of its own, narrower than
ssa (1323 units, 1345), so ssa had none and the converter took the pulli
most consonants take, 160 units off. attach() gives every consonant whose
attachment is missing or off the pulli of the map nearest to where Noto's
consonant with pulli has it.
"""
from hbshape import shape_many

MARK_TOLERANCE = 24  # font units within which the map's marks share a glyph
SAME_ADVANCE = 12    # and its spacing glyphs


def pulli_offsets(font, glyf, consonants, virama):
    """{consonant's glyph name: (its advance, the pulli's x in Noto's
    consonant with pulli)}, for the consonants whose glyph with pulli is a
    composite holding a pulli."""
    out = {}
    alone = shape_many(font, consonants)
    with_pulli = shape_many(font, [c + virama for c in consonants])
    for plain, pulli in zip(alone, with_pulli):
        if len(plain) != 1 or len(pulli) != 1 or not glyf[pulli[0].name].isComposite():
            continue
        for part in glyf[pulli[0].name].components:
            if part.glyphName.startswith("virama"):
                out[plain[0].name] = (plain[0].adv, part.x)
    return out


def attach(fmap, offsets, virama_name):
    """Sets the attachment of the pulli after each consonant's plain glyph
    where it is missing or further than MARK_TOLERANCE from Noto's place.
    Returns the glyph names changed."""
    glyphs = fmap["glyphs"]
    pullis = [i for i, g in enumerate(glyphs) if g["name"] == virama_name and not g["adv"]]
    table = {(n, prev): g for n, prev, g in fmap["rules"]["attach"]}
    changed = []
    for name, (adv, x) in sorted(offsets.items()):
        base = sorted((abs(g["adv"] - adv), i) for i, g in enumerate(glyphs)
                      if g["name"] == name and g["adv"] and abs(g["adv"] - adv) <= SAME_ADVANCE
                      and not g["dx"])
        if not base or not pullis:
            continue
        want = x - adv
        held = table.get((virama_name, base[0][1]))
        if held is not None and abs(glyphs[held]["dx"] - want) <= MARK_TOLERANCE:
            continue
        nearest = min(pullis, key=lambda i: (abs(glyphs[i]["dx"] - want), i))
        table[(virama_name, base[0][1])] = nearest
        changed.append(name)
    fmap["rules"]["attach"] = sorted([n, prev, g] for (n, prev), g in table.items())
    return changed
