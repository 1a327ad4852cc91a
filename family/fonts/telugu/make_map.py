#!/usr/bin/python3
"""Generates telugu.map.json, the one source of the Telugu family's glyph
codes: the glyph inventory with its outlines' origin in Noto, the codes of
every face, and the rules the converters follow.

    /usr/bin/python3 family/fonts/telugu/make_map.py [out.json]

The words that rank the glyphs are the even half of the Telugu hunspell
dictionary (te_IN.dic); the odd half is kept for measuring. Telugu writes
ra + virama + consonant as a cluster with the consonant below (no reph).
"""
import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "tools", "fontgen"))
sys.path.insert(0, HERE)

import southern  # noqa: E402
import whole_forms  # noqa: E402

SIGNS = ("aavowel", "iivowel", "ivowel", "uuvowel", "uvowel", "eevowel", "evowel", "aivowel",
         "oovowel", "ovowel", "auvowel", "halant")


def merged_forms(font):
    """Consonants whose vowel sign (or virama) Noto draws merged into one
    outline: each is its body (the glyph the consonant's composite forms are
    built on) plus a piece that other consonants share, where the two draw
    the merged form closely enough."""
    glyf = font["glyf"]
    names = font.getGlyphOrder()
    bodies = {}
    for n in names:
        if n.endswith("telu") and glyf[n].isComposite():
            first = glyf[n].components[0]
            for sign in ("atelu",) + tuple(s + "telu" for s in SIGNS):
                if n.endswith(sign) and (first.x, first.y) == (0, 0):
                    bodies.setdefault(n[:-len(sign)], first.glyphName)
    forms = {}
    for n in names:
        if not n.endswith("telu") or glyf[n].isComposite():
            continue
        for sign in SIGNS:
            stem = n[:-len(sign) - 4]
            if n.endswith(sign + "telu") and stem in bodies:
                forms[n] = (bodies[stem], sign)
                break
    return forms


NOTO = "/usr/share/fonts/truetype/noto/NotoSansTelugu-Regular.ttf"


def rank_placer(script, learned):
    """Ranks subscripts after merged forms the converter draws whole where
    HarfBuzz places them (whole_forms.py)."""
    from fontTools.ttLib import TTFont
    B = learned.below_base
    whole = whole_forms.whole_forms(script, learned, B, NOTO, merged_forms(TTFont(NOTO)), "telu")
    return whole_forms.WholeFormPlacer(script, learned, B, whole)


FAMILY = southern.Family(
    name="telugu",
    noto=NOTO,
    block=0xC00,
    suffix="telu",
    words_file="/usr/share/hunspell/te_IN.dic",
    reph=False,
    tolerances=(50, 12),
    fold_kerning=True,
    carve=merged_forms,
    borrow=80,
    rank_placer=rank_placer,
    sources=[os.path.join(HERE, "whole_forms.py")],
    # The digits and dandas: no word ranks them, and without a code they
    # would draw as nothing.
    extension_letters=list(range(0x966, 0x970)) + [0x964, 0x965],
    faces=[
        {"face": "TLB-TTQuilan", "latin": True, "slots": "upper", "script": True},
        {"face": "TL-TTQuilan", "latin": False, "slots": "all", "script": True},
        {"face": "TL1-TTQuilan", "latin": True, "slots": "upper"},
        # Extension faces: the glyphs ranked after those of the face they
        # extend (subscripts, rakar per base, signed forms). A host that has
        # only the first face still draws every syllable ("extension_optional").
        {"face": "TLB-TTQuilanEN", "latin": False, "slots": "all", "overflow_of": "TLB-TTQuilan"},
        {"face": "TL2-TTQuilan", "latin": False, "slots": "all", "overflow_of": "TL-TTQuilan"},
    ],
    converters=[
        {"file": "TLBCV32.DLL", "entry": "iscii2teluguzirvo", "kind": "brahmic",
         "fonts": {"1": "TLB-TTQuilan", "2": "TLB-TTQuilanEN"}, "extension_optional": True},
        {"file": "TLMCV32.DLL", "entry": "iscii2teluguzirvo", "kind": "brahmic",
         "fonts": {"1": "TL-TTQuilan", "2": "TL2-TTQuilan"}, "extension_optional": True},
    ])


def input_files():
    return southern.input_files(FAMILY, __file__)


if __name__ == "__main__":
    southern.main(FAMILY, sys.argv[1] if len(sys.argv) > 1 else
                  os.path.join(HERE, "telugu.map.json"))
