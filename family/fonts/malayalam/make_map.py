#!/usr/bin/python3
"""Generates malayalam.map.json, the one source of the Malayalam family's
glyph codes: the glyph inventory with its outlines' origin in Noto, the codes
of every face, and the rules the converters follow.

    /usr/bin/python3 family/fonts/malayalam/make_map.py [out.json]

The family draws the reformed orthography, as Noto Sans Malayalam does:
detached u and uu signs, the ra sign before its consonant, a visible
chandrakkala where a cluster has no conjunct glyph, chillus from a consonant
with virama and ZWJ (ISCII: the consonant, E8, E9), the e, ee and ai signs
before the cluster and o, oo and au split around it.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "tools", "fontgen"))

import brahmic  # noqa: E402
import familymap  # noqa: E402

NOTO = "/usr/share/fonts/truetype/noto/NotoSansMalayalam-Regular.ttf"
LATIN = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"
WORDS = "/usr/share/hunspell/ml_IN.dic"

VIRAMA, ZWJ, ZWNJ = "\u0D4D", "\u200d", "\u200c"
KA, RA = "\u0D15", "\u0D30"
CONSONANTS = [chr(c) for c in range(0xD15, 0xD3A)]
MATRAS = [chr(c) for c in (0xD3E, 0xD3F, 0xD40, 0xD41, 0xD42, 0xD43, 0xD44, 0xD46, 0xD47, 0xD48,
                           0xD4A, 0xD4B, 0xD4C)]
MODIFIERS = ["\u0D01", "\u0D02", "\u0D03"]
VOWELS = [chr(c) for c in (0xD05, 0xD06, 0xD07, 0xD08, 0xD09, 0xD0A, 0xD0B, 0xD0C, 0xD0E, 0xD0F,
                           0xD10, 0xD12, 0xD13, 0xD14, 0xD60, 0xD61)]
STANDALONE = [chr(c) for c in range(0xD66, 0xD70)] + ["\u0964", "\u0965", "\u0D3D"]

# ISCII to Unicode: the Devanagari codes at the Malayalam block.
ISCII = {0xA1: "\u0D01", 0xA2: "\u0D02", 0xA3: "\u0D03"}
ISCII.update({0xA4 + i: chr(0xD05 + i) for i in range(7)})
ISCII.update({0xAB: "\u0D0E", 0xAC: "\u0D0F", 0xAD: "\u0D10", 0xAF: "\u0D12", 0xB0: "\u0D13",
              0xB1: "\u0D14"})
ISCII.update({0xB3 + i: chr(0xD15 + i) for i in range(20)})
ISCII.update({0xC7: "\u0D29", 0xCF: "\u0D30", 0xD0: "\u0D31"})
ISCII.update({0xC8 + i: chr(0xD2A + i) for i in range(6)})
ISCII.update({0xD1 + i: chr(0xD32 + i) for i in range(8)})
ISCII.update({0xDA + i: chr(0xD3E + i) for i in range(6)})
ISCII.update({0xE0: "\u0D46", 0xE1: "\u0D47", 0xE2: "\u0D48", 0xE4: "\u0D4A", 0xE5: "\u0D4B",
              0xE6: "\u0D4C", 0xE8: VIRAMA, 0xEA: "\u0964"})
ISCII.update({0xF1 + i: chr(0xD66 + i) for i in range(10)})
ISCII_NUKTA = {0xA6: "\u0D0C", 0xA7: "\u0D61", 0xAA: "\u0D60", 0xDF: "\u0D44", 0xEA: "\u0D3D"}
# ISCII codes of letters Malayalam does not have: the nearest it has.
ISCII_ALIAS = {0xAE: "\u0D0E", 0xB2: "\u0D12", 0xCE: "\u0D2F", 0xE3: "\u0D46", 0xE7: "\u0D4A"}
# The chillus: ISCII writes them as the consonant with a soft virama
# (E8 E9, virama + ZWJ); the atomic letters are the same chillus.
CHILLUS = {"\u0D7A": "\u0D23", "\u0D7B": "\u0D28", "\u0D7C": "\u0D30", "\u0D7D": "\u0D32",
           "\u0D7E": "\u0D33", "\u0D7F": "\u0D15"}


def input_files():
    tools = os.path.join(HERE, "..", "..", "..", "tools", "fontgen")
    return [NOTO, LATIN, WORDS, os.path.abspath(__file__)] + [
        os.path.join(tools, n) for n in ("brahmic.py", "familymap.py", "hbshape.py")]


def script_description():
    script = brahmic.Script(NOTO, CONSONANTS, MATRAS, MODIFIERS, VIRAMA, "", RA, ZWJ, ZWNJ,
                            {"evowelsignmlym", "eevowelsignmlym", "aivowelsignmlym"}, set(),
                            drop=("space",))
    script.reph = False
    script.variant_probes = ["\u0D46"]
    script.mark_names = ["viramamlym", "nuktamlym", "rephmlym"]
    script.standalone_letters = VOWELS
    for f in script.pre_families:
        script.groups[f] = "i"
    # Noto draws ka + virama + ZWJ with a visible virama, the atomic chillu k
    # as its own glyph: the converter draws the chillu for both.
    script.shape_as = {c + VIRAMA + ZWJ: atomic for atomic, c in CHILLUS.items()}
    script.iscii_alias = ISCII_ALIAS
    # The bilingual face holds 128 glyphs of about 250: fill it with the
    # glyphs that complete the most words.
    script.rank_by_words = True
    # s + the rra-rra ligature (station, stall) and the like are glyphs of their own.
    script.suffix_triples = True
    # Digits, danda and avagraha are rare in Malayalam text: a face short of
    # codes draws them with its Latin digits and signs.
    script.latin_fallback = {chr(0xD66 + i): str(i) for i in range(10)}
    script.latin_fallback.update({"\u0964": ".", "\u0D3D": "'"})
    # Vowel letters Noto builds from two others are drawn as those two.
    script.decompose = brahmic.composites(
        NOTO, lambda n: n in ("iimlym", "uumlym", "aimlym", "oomlym", "aumlym"))
    inverse = {u: "%02X" % b for b, u in ISCII.items()}
    script.unicode_sequences = {atomic: inverse[c] + "E8E9" for atomic, c in CHILLUS.items()}
    return script


def learn_joined_chillus(script, learned):
    """A chillu written as consonant + virama + ZWJ that Noto joins with the
    consonant after it into one ligature (n + ZWJ + rra: the nta of the older
    spelling of ന്റെ, common in software text) takes that cluster's glyphs
    and variants; the other chillus stay drawn as the chillu and the
    consonant after it."""
    from hbshape import shape_many
    texts = [c + VIRAMA + ZWJ + d for c in CHILLUS.values() for d in CONSONANTS]
    joined = []
    for text, glyphs in zip(texts, shape_many(NOTO, texts)):
        plain = text[:2] + text[3:]
        keys = [brahmic.key_of(g) for g in brahmic.visible(script, glyphs)]
        # (ka + ZWJ draws the atomic chillu k even where Noto writes ka with
        # a visible chandrakkala: only a true ligature replaces the chillu.)
        ligature = all(k[0] != "viramamlym" for k in keys)
        if ligature and plain in learned.cores and keys == learned.cores[plain] != (
                learned.cores.get(text[:3], []) + learned.cores.get(text[3], [])):
            learned.cores[text] = list(keys)
            if plain in learned.variants:
                learned.variants[text] = dict(learned.variants[plain])
            joined.append(text)
    return joined


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "malayalam.map.json")
    script = script_description()
    learned = brahmic.learn(script, KA)
    learn_joined_chillus(script, learned)
    brahmic.learn_kerning(script, learned, VOWELS, KA)
    words = [w.strip().split("/")[0] for w in open(WORDS, encoding="utf-8").read().split("\n")[1:]
             if w.strip()]
    design_words = words[0::2]  # the other half is kept for measuring
    fmap = familymap.build(
        script=script, learned=learned, vowels=VOWELS, standalone=STANDALONE, vedic=[],
        design_words=design_words, latin_font=LATIN, iscii=ISCII, iscii_nukta=ISCII_NUKTA,
        roman={}, reference=KA,
        faces=[
            {"face": "MLB-TTMerun", "latin": True, "slots": "upper", "script": True},
            {"face": "ML-TTMerun", "latin": False, "slots": "all", "script": True},
            {"face": "ML1-TTMerun", "latin": True, "slots": "upper"},
        ],
        converters=[
            {"file": "MLBCV32.DLL", "entry": "iscii2malayalamzirvo", "kind": "brahmic",
             "fonts": {"1": "MLB-TTMerun"}},
            {"file": "MLMCV32.DLL", "entry": "iscii2malayalamzirvo", "kind": "brahmic",
             "fonts": {"1": "ML-TTMerun"}},
        ])
    familymap.write_map(out, fmap, input_files())


if __name__ == "__main__":
    main()
