#!/usr/bin/python3
"""Generates oriya.map.json, the one source of the glyph codes of the Oriya
family: its faces and converters.

    /usr/bin/python3 family/fonts/oriya/make_map.py [out.json]
"""
import os
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
TOOLS = os.path.join(HERE, "..", "..", "..", "tools", "fontgen")
sys.path.insert(0, TOOLS)

import brahmic  # noqa: E402
import familymap  # noqa: E402
import iscii_blocks  # noqa: E402
import wordlists  # noqa: E402

NOTO = "/usr/share/fonts/truetype/noto/NotoSansOriya-Regular.ttf"
LATIN = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"

# Debian's Oriya dictionary (aspell-or) has about a thousand words; the Oriya
# translations of iso-codes and of the GLib and GTK catalogues add more (the
# lists fidelity.json names; even halves rank glyphs, odd halves measure).
CONFIG = os.path.join(HERE, "fidelity.json")
WORDS = wordlists.spec_for(CONFIG, "ORBCV32.DLL")
BLOCK = (0x0B00, 0x0B7F)

VIRAMA, NUKTA, RA, ZWJ, ZWNJ = "\u0b4d", "\u0b3c", "\u0b30", "\u200d", "\u200c"


def assigned(codes):
    out = []
    for c in codes:
        try:
            unicodedata.name(chr(c))
            out.append(chr(c))
        except ValueError:
            pass
    return out


CONSONANTS = assigned(range(0xB15, 0xB3A)) + ["\u0b5c", "\u0b5d", "\u0b5f"]
MATRAS = assigned(list(range(0xB3E, 0xB45)) + [0xB47, 0xB48, 0xB4B, 0xB4C, 0xB62, 0xB63])
MODIFIERS = ["\u0b01", "\u0b02", "\u0b03"]
VOWELS = assigned(list(range(0xB05, 0xB15)) + [0xB60, 0xB61])
STANDALONE = [chr(c) for c in list(range(0xB66, 0xB70)) + [0x964, 0x965, 0xB3D]]

ISCII, ISCII_NUKTA = iscii_blocks.tables(NOTO, 0x0B00)

# Only the e sign stands before the consonant (o and au add a part after it).
PRE = {"uni0B47"}
POST = set()


def input_files():
    return [NOTO, LATIN, os.path.abspath(__file__), CONFIG] + wordlists.files(WORDS) + [
        os.path.join(TOOLS, n) for n in ("brahmic.py", "familymap.py", "hbshape.py",
                                         "wordlists.py")] + iscii_blocks.source_files()


def bare_consonants_win(script, learned):
    """A consonant with a vowel sign is drawn as Noto draws it alone. The
    learner votes fusions and mark offsets over every cluster that ends in
    the same glyph; for the nukta letters (rra, rha) the three-consonant
    clusters outvoted the letter itself, so that rra + i drew a subjoined
    piece and no i sign. Where the letter alone takes the template's glyphs,
    a fusion voted for its glyph is dropped and its marks take the offsets
    Noto gives them over it."""
    from hbshape import shape_many
    singles = [c for c in script.consonants if len(learned.cores.get(c, [])) == 1]
    pairs = [(c, m) for c in singles for m in script.matras]
    for (c, m), glyphs in zip(pairs, shape_many(script.font, [c + m for c, m in pairs])):
        glyphs = brahmic.visible(script, glyphs)
        tail = (False, m, "", False)
        predicted = brahmic.predict_names(script, learned, c, tail)
        if predicted is None or predicted != [g.name for g in glyphs]:
            continue
        learned.fuse.pop((learned.cores[c][0], m), None)
        prev = None
        for g in glyphs:
            if g.adv:
                prev = brahmic.key_of(g)
                continue
            key, voted = brahmic.key_of(g), learned.attach.get((g.name, prev))
            if prev is not None and (voted is None or max(abs(voted[2] - key[2]),
                                                          abs(voted[3] - key[3])) > 24):
                learned.attach[(g.name, prev)] = key


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "oriya.map.json")
    script = brahmic.Script(NOTO, CONSONANTS, MATRAS, MODIFIERS, VIRAMA, NUKTA, RA, ZWJ, ZWNJ,
                            PRE, POST, drop=("space",))
    reference = "\u0b15"
    script.variant_probes = ["\u0b47"]
    script.mark_names = ["uni0B4D", "uni0B3C", "uni0B300B4D"]
    script.standalone_letters = VOWELS
    script.marks_by_position = True
    for f in PRE:
        script.groups[f] = "i"
    learned = brahmic.learn(script, reference)
    bare_consonants_win(script, learned)

    words = wordlists.read(WORDS, BLOCK)
    fmap = familymap.build(
        script=script, learned=learned, vowels=VOWELS, standalone=STANDALONE, vedic=[],
        design_words=words[0::2], latin_font=LATIN,
        iscii=ISCII, iscii_nukta=ISCII_NUKTA, roman={}, reference=reference,
        faces=[
            {"face": "ORB-TTGalvi", "latin": True, "slots": "upper", "script": True},
            {"face": "ORB-TTGalviEN", "latin": False, "slots": "all", "overflow_of": "ORB-TTGalvi"},
            {"face": "OR-TTGalvi", "latin": False, "slots": "all", "script": True},
            {"face": "OR1-TTGalvi", "latin": True, "slots": "upper"},
        ],
        converters=[
            {"file": "ORBCV32.DLL", "entry": "iscii2oriyazirvo", "kind": "brahmic",
             "fonts": {"1": "ORB-TTGalvi", "2": "ORB-TTGalviEN"}},
            {"file": "ORMCV32.DLL", "entry": "iscii2oriyazirvo", "kind": "brahmic",
             "fonts": {"1": "OR-TTGalvi"}},
        ])
    familymap.write_map(out, fmap, input_files())


if __name__ == "__main__":
    main()
