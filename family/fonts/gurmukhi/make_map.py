#!/usr/bin/python3
"""Generates gurmukhi.map.json, the one source of the Punjabi (Gurmukhi)
family's glyph codes: the glyph inventory with its outlines' origin in Noto,
the codes of every face, and the rules the converters follow.

    /usr/bin/python3 family/fonts/gurmukhi/make_map.py [out.json]

Gurmukhi in ISCII, as the converters read it:
- the i-sign (sihari) is drawn before the cluster; there is no reph: ra +
  virama stays a letter (a half form before another consonant);
- ra, ha and va after a virama are the subjoined forms, ya the post-base form;
- 0xA2 is the one nasal sign: drawn as tippi after a bare consonant, the i, u
  and uu signs and the vowels a, i, u, uu; as bindi elsewhere;
- addak has no code of its own: a consonant doubled across a virama (C 0xE8 C)
  is drawn as addak and the consonant;
- 0xA1 is adak bindi; nukta pairs give khha, ghha, za, rra, fa, lla, sha
  (also 0xD2 and 0xD5) and ek onkar (0xA1 0xE9); yakash is ya + nukta
  (0xCD 0xE9) and udaat the code Gurmukhi frees from candra e (0xE3).
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TOOLS = os.path.join(HERE, "..", "..", "..", "tools", "fontgen")
sys.path.insert(0, TOOLS)

import brahmic  # noqa: E402
import familymap  # noqa: E402
import iscii_blocks  # noqa: E402

NOTO = "/usr/share/fonts/truetype/noto/NotoSansGurmukhi-Regular.ttf"
LATIN = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"
# The aspell Punjabi dictionary (about 2000 words): `aspell -d pa dump master`.
WORDS = "/usr/lib/aspell/pa.rws"
WORDS_COMMAND = ["aspell", "-d", "pa", "dump", "master"]

VIRAMA, NUKTA, RA, ZWJ, ZWNJ = "\u0a4d", "\u0a3c", "\u0a30", "\u200d", "\u200c"
BINDI, TIPPI, ADDAK, UDAAT, YAKASH = "\u0a02", "\u0a70", "\u0a71", "\u0a51", "\u0a75"
CONSONANTS = [chr(c) for c in list(range(0xA15, 0xA29)) + list(range(0xA2A, 0xA31)) +
              [0xA32, 0xA33, 0xA35, 0xA36, 0xA38, 0xA39, 0xA59, 0xA5A, 0xA5B, 0xA5C, 0xA5E]]
MATRAS = [chr(c) for c in (0xA3E, 0xA3F, 0xA40, 0xA41, 0xA42, 0xA47, 0xA48, 0xA4B, 0xA4C)]
MODIFIERS = ["\u0a01", BINDI, "\u0a03", TIPPI, ADDAK, UDAAT, YAKASH]
VOWELS = [chr(c) for c in list(range(0xA05, 0xA0B)) + [0xA0F, 0xA10, 0xA13, 0xA14, 0xA72, 0xA73,
                                                        0xA74]]
REFERENCE = "\u0a15"  # the consonant tail templates are learned on
STANDALONE = [chr(c) for c in list(range(0xA66, 0xA70)) + [0x964, 0x965]]

# Where the nasal sign is tippi: after these vowel signs and vowels, and
# after a bare consonant (context ""). Over the letters u and uu text writes
# bindi (ਕਿਉਂ, ਗਰਾਊਂਡ: 22 of the 23 modern words that have them).
TIPPI_AFTER = ["", "\u0a3f", "\u0a41", "\u0a42", "\u0a05", "\u0a07"]


def words():
    import subprocess
    out = subprocess.run(WORDS_COMMAND, check=True, capture_output=True, text=True).stdout
    return [w.strip() for w in out.split("\n") if w.strip()]


def input_files():
    # The family's own maker last: its digest is the one kept under "make_map.py".
    return [NOTO, LATIN, WORDS] + [
        os.path.join(TOOLS, n) for n in ("brahmic.py", "familymap.py", "hbshape.py")] + \
        iscii_blocks.source_files() + [os.path.abspath(__file__)]


def iscii_tables():
    single, nukta = iscii_blocks.tables(NOTO, 0xA00)
    single[0xE3] = UDAAT
    nukta.update({0xD1: "\u0a33", 0xD7: "\u0a36", 0xA1: "\u0a74", 0xCD: YAKASH})
    return single, nukta


def contour_boxes(glyf, name):
    """(xMin, yMin, xMax, yMax) of each contour of a simple glyph."""
    coords, ends, _ = glyf[name].getCoordinates(glyf)
    boxes, start = [], 0
    for end in ends:
        xs = [p[0] for p in coords[start:end + 1]]
        ys = [p[1] for p in coords[start:end + 1]]
        boxes.append((min(xs), min(ys), max(xs), max(ys)))
        start = end + 1
    return boxes


def attach_letter_bindi(learned):
    """An independent vowel with bindi (ਈਂ, ਏਂ, ਐਂ, ਔਂ) is one composite in
    Noto: the letter's parts with the bindi, or with a vowel sign drawn as one
    outline with it. The converter draws the letter and then the bindi: the
    bindi goes where the composite has its dot (over a fused sign, the
    contour of the bindi's size). Returns the composite's name -> the keys of
    its parts."""
    from fontTools.ttLib import TTFont
    font = TTFont(NOTO)
    glyf, hmtx = font["glyf"], font["hmtx"]
    dot = contour_boxes(glyf, "bindiguru")[0]
    parts_of = {}
    for name, parts in brahmic.composites(NOTO, lambda n: n.endswith("bindiguru")).items():
        letter = name[:-len("bindiguru")] + "guru"
        if "matra" in name or letter not in glyf.keys() or hmtx[letter][0] != hmtx[name][0]:
            continue
        advance = hmtx[letter][0]
        if (letter, advance, 0, 0) not in learned.observed:
            continue  # a letter ISCII does not write
        mark, x, y = parts[-1]
        if mark != "bindiguru":
            if len(parts) != 2 or glyf[mark].isComposite():
                continue
            found = [b for b in contour_boxes(glyf, mark)
                     if all(abs((b[i + 2] - b[i]) - (dot[i + 2] - dot[i])) <= 4 for i in (0, 1))]
            if not found:
                continue
            x, y = x + found[0][0] - dot[0], y + found[0][1] - dot[1]
        key = ("bindiguru", 0, x - advance, y)
        learned.attach[("bindiguru", (letter, advance, 0, 0))] = key
        learned.observed[key] += 1
        parts_of[name] = [(letter, advance, 0, 0), key]
    return parts_of


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "gurmukhi.map.json")
    script = brahmic.Script(NOTO, CONSONANTS, MATRAS, MODIFIERS, VIRAMA, NUKTA, RA, ZWJ, ZWNJ,
                            {"imatraguru"}, set(), drop=("space",))
    script.reph = False
    script.contextual_marks = True
    script.variant_probes = ["\u0a3f"]
    # Virama, nukta, no reph, and the gemination mark.
    script.mark_names = ["halantguru", "nuktaguru", "", "addakguru"]
    script.standalone_letters = VOWELS
    script.groups["imatraguru"] = "i"
    learned = brahmic.learn(script, REFERENCE)
    script.parts_of = attach_letter_bindi(learned)
    script.drawn_by_parts = lambda name: name in script.parts_of

    single, nukta = iscii_tables()
    fmap = familymap.build(
        script=script, learned=learned, vowels=VOWELS, standalone=STANDALONE, vedic=[],
        design_words=words()[0::2],  # the other half is kept for measuring
        reference=REFERENCE, latin_font=LATIN, iscii=single, iscii_nukta=nukta, roman={},
        faces=[
            {"face": "PNB-TTPirel", "latin": True, "slots": "upper", "script": True},
            {"face": "PNB-TTPirelEN", "latin": False, "slots": "all", "overflow_of": "PNB-TTPirel"},
            {"face": "PN-TTPirel", "latin": False, "slots": "all", "script": True},
            {"face": "PN1-TTPirel", "latin": True, "slots": "upper"},
        ],
        converters=[
            {"file": "PNBCV32.DLL", "entry": "iscii2punjabizirvo", "kind": "brahmic",
             "fonts": {"1": "PNB-TTPirel", "2": "PNB-TTPirelEN"}},
            {"file": "PNMCV32.DLL", "entry": "iscii2punjabizirvo", "kind": "brahmic",
             "fonts": {"1": "PN-TTPirel"}},
        ],
        script_extras={"gemination": ADDAK,
                       "modifier_swaps": [[c, BINDI, TIPPI] for c in TIPPI_AFTER]})
    familymap.write_map(out, fmap, input_files())


if __name__ == "__main__":
    main()
