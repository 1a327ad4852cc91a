#!/usr/bin/python3
"""Generates devanagari.map.json, the one source of the Devanagari family's
glyph codes: the glyph inventory with its outlines' origin in Noto, the codes
of every face, and the rules the converters follow.

    /usr/bin/python3 family/fonts/devanagari/make_map.py [out.json]
"""
import collections
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "tools", "fontgen"))

import brahmic  # noqa: E402
import familymap  # noqa: E402
from hbshape import shape_many  # noqa: E402
import modern_words  # noqa: E402
from fontTools.ttLib import TTFont  # noqa: E402

NOTO = "/usr/share/fonts/truetype/noto/NotoSansDevanagari-Regular.ttf"
LATIN = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"
WORDS = "/usr/share/hunspell/hi_IN.dic"
MODERN = ("hi", "mr")  # family/words/modern-<lang>.txt: their training halves rank glyphs too

VIRAMA, NUKTA, RA, ZWJ, ZWNJ = "\u094d", "\u093c", "\u0930", "\u200d", "\u200c"
CONSONANTS = [chr(c) for c in range(0x915, 0x93A)] + [chr(c) for c in range(0x958, 0x960)]
MATRAS = [chr(c) for c in (0x93E, 0x93F, 0x940, 0x941, 0x942, 0x943, 0x944, 0x945, 0x946, 0x947,
                           0x948, 0x949, 0x94A, 0x94B, 0x94C, 0x962, 0x963)]
MODIFIERS = ["\u0901", "\u0902", "\u0903"]
VOWELS = [chr(c) for c in list(range(0x905, 0x915)) + [0x960, 0x961, 0x950]]
STANDALONE = [chr(c) for c in list(range(0x966, 0x970)) + [0x964, 0x965, 0x93D, 0x970]]

# ISCII (Devanagari) to Unicode: single bytes, then the nukta (0xE9) pairs.
ISCII = {0xA1: "\u0901", 0xA2: "\u0902", 0xA3: "\u0903"}
ISCII.update({0xA4 + i: chr(0x905 + i) for i in range(7)})
ISCII.update({0xAB: "\u090E", 0xAC: "\u090F", 0xAD: "\u0910", 0xAE: "\u090D",
              0xAF: "\u0912", 0xB0: "\u0913", 0xB1: "\u0914", 0xB2: "\u0911"})
ISCII.update({0xB3 + i: chr(0x915 + i) for i in range(20)})
ISCII.update({0xC7: "\u0929", 0xCE: "\u095F", 0xCF: "\u0930", 0xD0: "\u0931"})
ISCII.update({0xC8 + i: chr(0x92A + i) for i in range(6)})
ISCII.update({0xD1 + i: chr(0x932 + i) for i in range(8)})
ISCII.update({0xDA + i: chr(0x93E + i) for i in range(6)})
ISCII.update({0xE0: "\u0946", 0xE1: "\u0947", 0xE2: "\u0948", 0xE3: "\u0945",
              0xE4: "\u094A", 0xE5: "\u094B", 0xE6: "\u094C", 0xE7: "\u0949",
              0xE8: VIRAMA, 0xE9: NUKTA, 0xEA: "\u0964"})
ISCII.update({0xF1 + i: chr(0x966 + i) for i in range(10)})
ISCII_NUKTA = {0xA6: "\u090C", 0xA7: "\u0961", 0xAA: "\u0960", 0xDB: "\u0962", 0xDC: "\u0963",
               0xDF: "\u0944", 0xA1: "\u0950", 0xEA: "\u093D", 0xB3: "\u0958", 0xB4: "\u0959",
               0xB5: "\u095A", 0xBA: "\u095B", 0xBF: "\u095C", 0xC0: "\u095D", 0xC9: "\u095E"}

# The Vedic signs reached through the extension byte 0xF0 (0xF0 0xA1 ... 0xF0 0xBF).
VEDIC = [0x0951, 0x0952, 0x1CDA, 0x1CD0, 0x1CD1, 0x1CD2, 0x1CD4, 0x1CD5, 0x1CD6, 0x1CD7, 0x1CD8,
         0x1CD9, 0x1CDB, 0x1CDC, 0x1CDD, 0x1CDE, 0x1CDF, 0x1CE0, 0x1CE1, 0x1CE2, 0x1CE3, 0x1CE4,
         0x1CE5, 0x1CE6, 0x1CE7, 0x1CE8, 0x1CED, 0x1CF4, 0xA8E0, 0xA8E1, 0x1CF2]

# Roman transliteration (ISO 15919 style) of each Unicode letter.
ROMAN = {
    "\u0905": "a", "\u0906": "\u0101", "\u0907": "i", "\u0908": "\u012B", "\u0909": "u",
    "\u090A": "\u016B", "\u090B": "\u1E5B", "\u0960": "\u1E5D", "\u090C": "\u1E37",
    "\u0961": "\u1E39", "\u090D": "\u00EA", "\u090E": "e", "\u090F": "\u0113", "\u0910": "ai",
    "\u0911": "\u00F4", "\u0912": "o", "\u0913": "\u014D", "\u0914": "au", "\u0950": "o\u1E43",
    "\u093E": "\u0101", "\u093F": "i", "\u0940": "\u012B", "\u0941": "u", "\u0942": "\u016B",
    "\u0943": "\u1E5B", "\u0944": "\u1E5D", "\u0962": "\u1E37", "\u0963": "\u1E39",
    "\u0945": "\u00EA", "\u0946": "e", "\u0947": "\u0113", "\u0948": "ai", "\u0949": "\u00F4",
    "\u094A": "o", "\u094B": "\u014D", "\u094C": "au",
    "\u0901": "\u1E41", "\u0902": "\u1E43", "\u0903": "\u1E25", "\u093D": "'",
    "\u0964": ".", "\u0965": "..",
    "\u0915": "k", "\u0916": "kh", "\u0917": "g", "\u0918": "gh", "\u0919": "\u1E45",
    "\u091A": "c", "\u091B": "ch", "\u091C": "j", "\u091D": "jh", "\u091E": "\u00F1",
    "\u091F": "\u1E6D", "\u0920": "\u1E6Dh", "\u0921": "\u1E0D", "\u0922": "\u1E0Dh",
    "\u0923": "\u1E47", "\u0924": "t", "\u0925": "th", "\u0926": "d", "\u0927": "dh",
    "\u0928": "n", "\u0929": "\u1E49", "\u092A": "p", "\u092B": "ph", "\u092C": "b",
    "\u092D": "bh", "\u092E": "m", "\u092F": "y", "\u0930": "r", "\u0931": "\u1E5F",
    "\u0932": "l", "\u0933": "\u1E37", "\u0935": "v", "\u0936": "\u015B", "\u0937": "\u1E63",
    "\u0938": "s", "\u0939": "h", "\u0958": "q", "\u0959": "\u1E35", "\u095A": "\u0121",
    "\u095B": "z", "\u095C": "\u1E5B", "\u095D": "\u1E5Bh", "\u095E": "f", "\u095F": "\u1E8F",
}
ROMAN.update({chr(0x966 + i): str(i) for i in range(10)})


def input_files():
    tools = os.path.join(HERE, "..", "..", "..", "tools", "fontgen")
    return [NOTO, LATIN, WORDS] + [modern_words.list_path(lang) for lang in MODERN] + [
        os.path.abspath(__file__)] + [
        os.path.join(tools, n) for n in ("brahmic.py", "familymap.py", "hbshape.py")]


def attach_fused_anusvara(learned):
    """HarfBuzz never draws an anusvara after the ii sign: Noto fuses the two.
    Where the ii sign is drawn and then the anusvara (the fused glyph has no
    code), the anusvara goes where Noto's composite has it. Returns the
    fused glyph's name -> the keys of its parts."""
    hmtx = TTFont(NOTO)["hmtx"]
    parts_of = {}
    for name, parts in brahmic.composites(NOTO, lambda n: n.startswith("iivowelsignanusvara")).items():
        (sign, _, _), (mark, x, y) = parts
        advance = hmtx[sign][0]
        key = (mark, 0, x - advance, y)
        learned.attach[(mark, (sign, advance, 0, 0))] = key
        learned.observed[key] += 1
        parts_of[name] = [(sign, advance, 0, 0), key]
    return parts_of


def drawn_by_parts(name):
    """A vowel sign fused with reph, and the ii sign fused with anusvara,
    get no code: the converter draws the sign and then the reph or the
    anusvara, which looks the same (the anusvara goes where Noto's composite
    has it), and the codes go to conjuncts. The other signs fused with
    anusvara compete for codes like any glyph: Noto draws the e, ai, o and
    au signs (short, candra and the others too) with the dot clear of the
    sign's stroke, and the i sign with the dot on the end of its arc, while
    the anusvara the converter draws after the sign sits over the consonant,
    on the sign's stroke, and vanishes into it (में would read मे)."""
    if "vowelsign" not in name:
        return False
    return "reph" in name or ("anusvara" in name and name.startswith("iivowelsign"))


# Units (of 1000) within which an anusvara placed from a fused glyph takes a
# placement the shaping already gives.
SNAP = 12


def contour_boxes(glyf, name):
    """(xMin, yMin, xMax, yMax) of each contour of a glyph."""
    coords, ends, _ = glyf[name].getCoordinates(glyf)
    boxes, start = [], 0
    for end in ends:
        xs = [p[0] for p in coords[start:end + 1]]
        ys = [p[1] for p in coords[start:end + 1]]
        boxes.append((min(xs), min(ys), max(xs), max(ys)))
        start = end + 1
    return boxes


def dot_in(glyf, fused):
    """Where a glyph drawn as one outline with the anusvara (a vowel sign
    fused with it) has the dot, against the anusvara glyph: (dx, dy), or
    None when no contour of it is the dot."""
    dot = contour_boxes(glyf, "anusvaradeva")[0]
    for box in contour_boxes(glyf, fused):
        if all(abs((box[i + 2] - box[i]) - (dot[i + 2] - dot[i])) <= 4 for i in (0, 1)):
            return box[0] - dot[0], box[1] - dot[1]
    return None


def attach_letter_anusvara(learned):
    """An independent vowel with anusvara (ओं, ऐं, औं) is one composite in
    Noto: the letter's first part and its sign fused with the anusvara. The
    converter draws the letter and then the anusvara: the anusvara goes
    where the fused sign has its dot, clear of the sign's stroke. Returns
    the composite's name -> the keys of its parts."""
    font = TTFont(NOTO)
    glyf, hmtx = font["glyf"], font["hmtx"]
    parts_of = {}
    composites = brahmic.composites(NOTO, lambda n: n.endswith("anusvaradeva") and "vowelsign" not in n)
    for name, parts in composites.items():
        letter = name[:-len("anusvaradeva")] + "deva"
        if len(parts) != 2 or letter not in glyf.keys() or hmtx[letter][0] != hmtx[name][0]:
            continue
        (_, _, _), (fused, x, y) = parts
        advance = hmtx[letter][0]
        if (letter, advance, 0, 0) not in learned.observed:
            continue  # a letter ISCII does not write
        dot = None if glyf[fused].isComposite() else dot_in(glyf, fused)
        if dot is None:
            continue
        key = ("anusvaradeva", 0, x + dot[0] - advance, y + dot[1])
        # An anusvara the shaping already places within a few units of it
        # (over the ii sign) serves as well, and keeps that one exact.
        near = [k for k in learned.observed if k[:2] == key[:2]
                and max(abs(k[2] - key[2]), abs(k[3] - key[3])) <= SNAP]
        key = min(near, key=lambda k: (abs(k[2] - key[2]) + abs(k[3] - key[3]), k), default=key)
        learned.attach[("anusvaradeva", (letter, advance, 0, 0))] = key
        learned.observed[key] += 1
        parts_of[name] = [(letter, advance, 0, 0), key]
    return parts_of


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "devanagari.map.json")
    script = brahmic.Script(
        NOTO, CONSONANTS, MATRAS, MODIFIERS, VIRAMA, NUKTA, RA, ZWJ, ZWNJ,
        {"ivowelsigndeva", "ivowelsignanusvaradeva", "ivowelsignrephdeva",
         "ivowelsignrephanusvaradeva"},
        {"iivowelsigndeva", "iivowelsignanusvaradeva", "iivowelsignrephdeva",
         "iivowelsignrephanusvaradeva"})
    script.variant_probes = ["\u093F", "\u0940"]
    script.mark_names = ["viramadeva", "nuktadeva", "rephdeva"]
    # A consonant with nukta that has no glyph of its own (ब़, प़) is drawn as
    # the consonant and the nukta: without a code the dot would vanish.
    script.mandatory_marks = ["nuktadeva"]
    # Codes go to the glyphs that complete most words (familymap.rank_by_words).
    script.rank_by_words = True
    script.standalone_letters = VOWELS
    for f in script.pre_families:
        script.groups[f] = "i"
    for f in script.post_families:
        script.groups[f] = "ii"
    learned = brahmic.learn(script, "\u0915")
    script.parts_of = attach_fused_anusvara(learned)
    letters = attach_letter_anusvara(learned)
    script.parts_of.update(letters)
    script.drawn_by_parts = lambda name: drawn_by_parts(name) or name in letters

    words = [w.strip() for w in open(WORDS, encoding="utf-8").read().split("\n")[1:] if w.strip()]
    design_words = words[0::2]  # the other half is kept for measuring
    # Software and everyday text (Hindi and Marathi): loanwords with the
    # candra e sign and its offsets, clusters the dictionary rarely has.
    for lang in MODERN:
        design_words += modern_words.read(lang, "train")
    fmap = familymap.build(
        script=script, learned=learned, vowels=VOWELS, standalone=STANDALONE,
        vedic=[chr(c) for c in VEDIC], design_words=design_words, latin_font=LATIN,
        half_forms_mandatory=False, borrow=50,
        iscii=ISCII, iscii_nukta=ISCII_NUKTA, roman=ROMAN,
        faces=[
            {"face": "DVB-TTDorvan", "latin": True, "slots": "upper", "script": True},
            {"face": "DVB-TTDorvanEN", "latin": False, "slots": "all", "overflow_of": "DVB-TTDorvan"},
            {"face": "DV-TTDorvan", "latin": False, "slots": "all", "script": True},
            {"face": "SD-TTDorvan", "latin": False, "slots": "all", "script": True,
             "accents_inline": True},
            {"face": "VD-TTDorvan", "latin": False, "slots": "all", "script": True,
             "vedic_spacing": True},
            {"face": "VD2-TTDorvan", "latin": False, "slots": "vedic_accents"},
            {"face": "DV1-TTDorvan", "latin": True, "slots": "upper", "roman": True},
            # The one-face library's extension: the glyphs ranked after the
            # 223 of DV-TTDorvan; without it DVMCV32 draws as before.
            {"face": "DV2-TTDorvan", "latin": False, "slots": "all", "overflow_of": "DV-TTDorvan"},
        ],
        converters=[
            {"file": "DVBCV32.DLL", "entry": "iscii2devzirvo", "kind": "brahmic",
             "fonts": {"1": "DVB-TTDorvan", "2": "DVB-TTDorvanEN"}},
            {"file": "DVMCV32.DLL", "entry": "iscii2devzirvo", "kind": "brahmic",
             "fonts": {"1": "DV-TTDorvan", "2": "DV2-TTDorvan"}, "extension_optional": True},
            {"file": "SDMCV32.DLL", "entry": "iscii2devsanskritzirvo", "kind": "brahmic",
             "fonts": {"1": "SD-TTDorvan"}},
            {"file": "VDMCV32.DLL", "entry": "iscii2vediczirvo", "kind": "brahmic",
             "fonts": {"1": "VD-TTDorvan", "2": "VD2-TTDorvan"}},
            {"file": "RMMCV32.DLL", "entry": "iscii2rmzirvo", "kind": "roman",
             "fonts": {"1": "DV1-TTDorvan"}},
        ])
    # A width or offset variant without a code is drawn by its nearest sibling.
    fmap["borrow_variants"] = True
    familymap.write_map(out, fmap, input_files())


if __name__ == "__main__":
    main()
