"""ISCII (IS 13194) to Unicode for the Brahmic scripts.

The codes are Devanagari's; every other script takes the same codes at its
own Unicode block (same offset from the block start as in Devanagari) and
leaves out the letters its block does not have. The danda and double danda
stay the Devanagari ones, which every Indic script uses.
"""
import unicodedata

# Devanagari: single bytes, then the nukta (0xE9) pairs.
DEVANAGARI = {0xA1: 0x0901, 0xA2: 0x0902, 0xA3: 0x0903}
DEVANAGARI.update({0xA4 + i: 0x0905 + i for i in range(7)})
DEVANAGARI.update({0xAB: 0x090E, 0xAC: 0x090F, 0xAD: 0x0910, 0xAE: 0x090D,
                   0xAF: 0x0912, 0xB0: 0x0913, 0xB1: 0x0914, 0xB2: 0x0911})
DEVANAGARI.update({0xB3 + i: 0x0915 + i for i in range(20)})
DEVANAGARI.update({0xC7: 0x0929, 0xCE: 0x095F, 0xCF: 0x0930, 0xD0: 0x0931})
DEVANAGARI.update({0xC8 + i: 0x092A + i for i in range(6)})
DEVANAGARI.update({0xD1 + i: 0x0932 + i for i in range(8)})
DEVANAGARI.update({0xDA + i: 0x093E + i for i in range(6)})
DEVANAGARI.update({0xE0: 0x0946, 0xE1: 0x0947, 0xE2: 0x0948, 0xE3: 0x0945,
                   0xE4: 0x094A, 0xE5: 0x094B, 0xE6: 0x094C, 0xE7: 0x0949,
                   0xE8: 0x094D, 0xE9: 0x093C, 0xEA: 0x0964})
DEVANAGARI.update({0xF1 + i: 0x0966 + i for i in range(10)})
DEVANAGARI_NUKTA = {0xA6: 0x090C, 0xA7: 0x0961, 0xAA: 0x0960, 0xDB: 0x0962, 0xDC: 0x0963,
                    0xDF: 0x0944, 0xA1: 0x0950, 0xEA: 0x093D, 0xB3: 0x0958, 0xB4: 0x0959,
                    0xB5: 0x095A, 0xBA: 0x095B, 0xBF: 0x095C, 0xC0: 0x095D, 0xC9: 0x095E}

SHARED = {0x0964, 0x0965}


def for_block(block, font_cmap):
    """The ISCII tables ({byte: letter}, {byte before nukta: letter}) of the
    script whose Unicode block starts at `block`, keeping the letters Unicode
    assigns and the font draws."""
    def move(u):
        if u in SHARED:
            return chr(u)
        v = u - 0x0900 + block
        if unicodedata.name(chr(v), None) is None or v not in font_cmap:
            return None
        return chr(v)

    single = {b: move(u) for b, u in DEVANAGARI.items()}
    nukta = {b: move(u) for b, u in DEVANAGARI_NUKTA.items()}
    return ({b: u for b, u in single.items() if u}, {b: u for b, u in nukta.items() if u})
