#!/usr/bin/python3
"""Generates tibetan.map.json, the one source of the glyph codes of the
Tibetan and Bhutanese (Dzongkha) faces: the glyph inventory with its
outlines' origin in Noto Serif Tibetan, the codes of every face, the byte
table of the text and the rules the converters follow.

    /usr/bin/python3 family/fonts/tibetan/make_map.py [out.json]

Both scripts share the map: the Tibetan faces (TB-TTZamper, TB3-TTZamper)
and the Bhutanese ones (DR-TTTrasko, DR3-TTTrasko) hold the same glyphs at
the same codes, and TBMCV32.DLL and DRMCV32.DLL run on the same tables.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TOOLS = os.path.join(HERE, "..", "..", "..", "tools", "fontgen")
sys.path.insert(0, TOOLS)

import tibetan  # noqa: E402
import tibetan_words  # noqa: E402
import familymap  # noqa: E402

NOTO = "/usr/share/fonts/truetype/noto/NotoSerifTibetan-Regular.ttf"
LATIN = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"

# The text's bytes. The keys of the built-in Tibetan keyboard give fixed
# bytes; each byte means the letter a Dzongkha typist finds on that key
# (the Dzongkha standard layout: letters in alphabet order from q to /,
# vowel signs on t y u i, subjoined letters on Shift). The key d gives the
# joiner 0xDA: the letter after it is subjoined to the stack (the shifted
# keys that give 0xDA before a letter type subjoined la, ba, ra and a; those
# that give it after one type la, ba or sha as the head of a stack), so da
# moves to Shift+d. The space bar gives the space byte, drawn as the tsheg.
# Bytes no key gives: the letters and signs a keyboard seldom needs, and the
# digits at the ISCII digit bytes.
BYTES = {
    0xD9: "\u0f40", 0xD7: "\u0f41", 0xCF: "\u0f42", 0xD1: "\u0f44",   # q w e r: ka kha ga nga
    0xD3: "\u0f72", 0xB8: "\u0f74", 0xC2: "\u0f7a", 0xA4: "\u0f7c",   # t y u i: i u e o
    0xB3: "\u0f45", 0xA9: "\u0f46", 0xAE: "\u0f47", 0xAB: "\u0f49",   # o p [ ]: ca cha ja nya
    0xD8: "\u0f4f", 0xD6: "\u0f50", 0xCB: "\u0f51", 0xD0: "\u0f53",   # a s D f: ta tha da na
    0xD2: "\u0f54", 0xB6: "\u0f55", 0xC4: "\u0f56", 0xA2: "\u0f58",   # g h j k: pa pha ba ma
    0xB1: "\u0f59", 0xA7: "\u0f5a", 0xAC: "\u0f5b", 0xDD: "\u0f5d",   # l ; ' \: tsa tsha dza wa
    0xC6: "\u0f5e", 0xA6: "\u0f5f", 0xBA: "\u0f60", 0xB5: "\u0f61",   # z x c v: zha za 'a ya
    0xBF: "\u0f62", 0xC5: "\u0f63", 0xC8: "\u0f64", 0xBB: "\u0f66",   # b n m ,: ra la sha sa
    0xBD: "\u0f67", 0xC3: "\u0f68",                                   # . /: ha a
    # Shift: subjoined letters, the a-chung, the other vowel signs.
    0xB4: "\u0f95", 0xAA: "\u0f96", 0xAF: "\u0f97", 0xA1: "\u0fa3",   # O P { F
    0xB7: "\u0fa5", 0xA3: "\u0fa8", 0xB2: "\u0fa9", 0xA8: "\u0faa",   # H K L :
    0xAD: "\u0fab", 0xDE: "\u0fad", 0xC7: "\u0fae", 0xCD: "\u0faf",   # " | Z X
    0xB0: "\u0f71", 0xCC: "\u0fb1", 0xC1: "\u0fb3", 0xC0: "\u0fb4",   # C V N M
    0xBC: "\u0fb6", 0xBE: "\u0fb7",                                   # < >
    0xC9: "\u0f7b", 0xA5: "\u0f7d", 0xB9: "\u0f84",                   # U I Y: ai au halanta
    # Signs: grave and Esc, the digit row with Shift, minus and equals.
    0xDB: "\u0f09", 0xE7: "\u0f0a", 0xE2: "\u0f04", 0xE1: "\u0f05", 0xE3: "\u0f7e",
    0xE5: "\u0f83", 0xE6: "\u0f08", 0xDF: "\u0f38", 0xE0: "\u0f34", 0xDC: "\u0f14",
    0xCE: "\u0f7f", 0xD4: "\u0f0d", 0xD5: "\u0f11",
    # No key: retroflex letters, brackets, double shad, reversed i, candrabindu.
    0xCA: "\u0f4a", 0xE4: "\u0f4c", 0xE8: "\u0f4b", 0xE9: "\u0f4e", 0xEA: "\u0f65",
    0xEB: "\u0f3c", 0xEC: "\u0f3d", 0xED: "\u0f82", 0xEE: "\u0f0e", 0xEF: "\u0f80",
}
BYTES.update({0xF1 + i: chr(0x0F20 + i) for i in range(10)})
JOINER = 0xDA


def input_files():
    return [NOTO, LATIN, os.path.abspath(__file__)] + tibetan_words.sources("tibetan") + \
        tibetan_words.sources("dzongkha") + [
            os.path.join(TOOLS, n) for n in ("tibetan.py", "tibetan_words.py", "hbshape.py")]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "tibetan.map.json")
    learned = tibetan.learn(NOTO)
    # The even half of each list ranks the glyphs; the odd half is kept for
    # measuring.
    design = tibetan_words.words("tibetan")[0::2] + tibetan_words.words("dzongkha")[0::2]
    fmap = tibetan.build(
        learned, design, NOTO, LATIN, BYTES, JOINER,
        faces=[
            {"face": "TB-TTZamper", "latin": False, "slots": "all", "script": True},
            {"face": "TB3-TTZamper", "latin": True, "slots": "upper"},
            {"face": "DR-TTTrasko", "latin": False, "slots": "all", "script": True},
            {"face": "DR3-TTTrasko", "latin": True, "slots": "upper"},
        ],
        converters=[
            {"file": "TBMCV32.DLL", "entry": "iscii2tibetanzirvo", "kind": "tibetan",
             "fonts": {"1": "TB-TTZamper"}},
            {"file": "DRMCV32.DLL", "entry": "iscii2tibetanzirvo", "kind": "tibetan",
             "fonts": {"1": "DR-TTTrasko"}},
        ])
    familymap.write_map(out, fmap, input_files())


if __name__ == "__main__":
    main()
