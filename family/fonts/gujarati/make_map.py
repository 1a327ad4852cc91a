#!/usr/bin/python3
"""Generates gujarati.map.json, the one source of the Gujarati family's glyph
codes: the glyph inventory with its outlines' origin in Noto, the codes of
every face, and the rules the converters follow.

    /usr/bin/python3 family/fonts/gujarati/make_map.py [out.json]

Gujarati follows the Devanagari model: pre-base i-sign in widths that fit
the cluster, reph, half forms, conjunct ligatures and rakar forms.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TOOLS = os.path.join(HERE, "..", "..", "..", "tools", "fontgen")
sys.path.insert(0, TOOLS)

import brahmic  # noqa: E402
import familymap  # noqa: E402
import iscii_blocks  # noqa: E402

NOTO = "/usr/share/fonts/truetype/noto/NotoSansGujarati-Regular.ttf"
LATIN = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"
WORDS = "/usr/share/hunspell/gu_IN.dic"

VIRAMA, NUKTA, RA, ZWJ, ZWNJ = "\u0acd", "\u0abc", "\u0ab0", "\u200d", "\u200c"
CONSONANTS = [chr(c) for c in list(range(0xA95, 0xAA9)) + list(range(0xAAA, 0xAB1)) +
              [0xAB2, 0xAB3] + list(range(0xAB5, 0xABA))]
MATRAS = [chr(c) for c in (0xABE, 0xABF, 0xAC0, 0xAC1, 0xAC2, 0xAC3, 0xAC4, 0xAC5, 0xAC7, 0xAC8,
                           0xAC9, 0xACB, 0xACC, 0xAE2, 0xAE3)]
MODIFIERS = ["\u0a81", "\u0a82", "\u0a83"]
VOWELS = [chr(c) for c in list(range(0xA85, 0xA8E)) + [0xA8F, 0xA90, 0xA91, 0xA93, 0xA94, 0xAE0,
                                                        0xAE1, 0xAD0]]
REFERENCE = "\u0a95"  # the consonant tail templates are learned on
STANDALONE = [chr(c) for c in list(range(0xAE6, 0xAF0)) + [0x964, 0x965, 0xABD]]


def words():
    lines = open(WORDS, encoding="utf-8").read().split("\n")[1:]
    return [w.strip().split("/")[0] for w in lines if w.strip()]


def input_files():
    # The family's own maker last: its digest is the one kept under "make_map.py".
    return [NOTO, LATIN, WORDS] + [
        os.path.join(TOOLS, n) for n in ("brahmic.py", "familymap.py", "hbshape.py")] + \
        iscii_blocks.source_files() + [os.path.abspath(__file__)]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "gujarati.map.json")
    pre = {"ivowelsigngujr", "ivowelsignanusvaragujr",
           "ivowelsignrephgujr", "ivowelsignrephanusvaragujr"}
    post = {"iivowelsigngujr", "iivowelsignanusvaragujr", "iivowelsignrephgujr",
            "iivowelsignrephanusvaragujr"}
    script = brahmic.Script(NOTO, CONSONANTS, MATRAS, MODIFIERS, VIRAMA, NUKTA, RA, ZWJ, ZWNJ,
                            pre, post, drop=("dummymarkgujr", "space"))
    script.contextual_marks = True
    script.variant_probes = ["\u0abf", "\u0ac0"]
    script.mark_names = ["viramagujr", "nuktagujr", "rephgujr"]
    script.standalone_letters = VOWELS
    script.groups.update({f: "i" for f in pre})
    script.groups.update({f: "ii" for f in post})
    learned = brahmic.learn(script, REFERENCE)

    single, nukta = iscii_blocks.tables(NOTO, 0xA80)
    fmap = familymap.build(
        script=script, learned=learned, vowels=VOWELS, standalone=STANDALONE, vedic=[],
        design_words=words()[0::2],  # the other half is kept for measuring
        reference=REFERENCE, latin_font=LATIN, iscii=single, iscii_nukta=nukta, roman={},
        faces=[
            {"face": "GJB-TTFelida", "latin": True, "slots": "upper", "script": True},
            {"face": "GJB-TTFelidaEN", "latin": False, "slots": "all", "overflow_of": "GJB-TTFelida"},
            {"face": "GJ-TTFelida", "latin": False, "slots": "all", "script": True},
            {"face": "GJ1-TTFelida", "latin": True, "slots": "upper"},
        ],
        converters=[
            {"file": "GJBCV32.DLL", "entry": "iscii2gjzirvo", "kind": "brahmic",
             "fonts": {"1": "GJB-TTFelida", "2": "GJB-TTFelidaEN"}},
            {"file": "GJMCV32.DLL", "entry": "iscii2gjzirvo", "kind": "brahmic",
             "fonts": {"1": "GJ-TTFelida"}},
        ])
    # An i-sign width the faces lack is drawn by its nearest held width.
    fmap["borrow_variants"] = True
    familymap.write_map(out, fmap, input_files())


if __name__ == "__main__":
    main()
