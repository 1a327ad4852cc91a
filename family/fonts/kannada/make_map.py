#!/usr/bin/python3
"""Generates kannada.map.json, the one source of the Kannada family's glyph
codes: the glyph inventory with its outlines' origin in Noto, the codes of
every face, and the rules the converters follow.

    /usr/bin/python3 family/fonts/kannada/make_map.py [out.json]

The words that rank the glyphs are the even half of the Kannada aspell
dictionary (`aspell -d kn dump master`); the odd half is kept for measuring.
"""
import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "tools", "fontgen"))

import southern  # noqa: E402

def merged_forms(font):
    """Each consonant with its headstroke, and with the i- and e-sign merged
    into the headstroke, is its headless body plus a piece that many
    consonants share."""
    glyph_order = font.getGlyphOrder()
    names = set(glyph_order)
    forms = {}
    for body in glyph_order:
        if body.endswith("anocrestknda"):
            stem = body[:-len("anocrestknda")]
            for form, kind in (("aknda", "crest"), ("ivowelknda", "icrest"),
                               ("evowelknda", "ecrest")):
                if stem + form in names:
                    forms[stem + form] = (body, kind)
    return forms


FAMILY = southern.Family(
    name="kannada",
    noto="/usr/share/fonts/truetype/noto/NotoSansKannada-Regular.ttf",
    block=0xC80,
    suffix="knda",
    words_command=["aspell", "-d", "kn", "dump", "master"],
    reph=True,
    carve=merged_forms,
    borrow=80,
    faces=[
        {"face": "KNB-TTOkira", "latin": True, "slots": "upper", "script": True},
        {"face": "KN-TTOkira", "latin": False, "slots": "all", "script": True,
         "whole_first": True},
        {"face": "KN1-TTOkira", "latin": True, "slots": "upper"},
    ],
    converters=[
        {"file": "KNBCV32.DLL", "entry": "iscii2kannadazirvo", "kind": "brahmic",
         "fonts": {"1": "KNB-TTOkira"}},
        {"file": "KNMCV32.DLL", "entry": "iscii2kannadazirvo", "kind": "brahmic",
         "fonts": {"1": "KN-TTOkira"}},
    ])


def input_files():
    return southern.input_files(FAMILY, __file__)


if __name__ == "__main__":
    southern.main(FAMILY, sys.argv[1] if len(sys.argv) > 1 else
                  os.path.join(HERE, "kannada.map.json"))
