#!/usr/bin/python3
"""Generates tamil.map.json, the one source of the Tamil family's glyph
codes: the glyph inventory with its outlines' origin in Noto, the codes of
every face, and the rules the converters follow.

    /usr/bin/python3 family/fonts/tamil/make_map.py [out.json]

Tamil draws every cluster with a visible pulli (no conjuncts but ksha and
shri, as Noto draws them), places the e, ee and ai signs before the
consonant, splits o, oo and au around it, and fuses u and uu with each
consonant. The bilingual face has only 128 codes, so a consonant with pulli
and a consonant with the ii sign are drawn as the consonant plus a
zero-advance pulli or ii glyph: the same picture, 40 fewer glyphs.
"""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "tools", "fontgen"))

import brahmic  # noqa: E402
from fontTools.ttLib import TTFont  # noqa: E402
import cluster_kerning  # noqa: E402
import familymap  # noqa: E402
import modern_words  # noqa: E402
import final_pulli  # noqa: E402
import pre_sign_kerning  # noqa: E402

NOTO = "/usr/share/fonts/truetype/noto/NotoSansTamil-Regular.ttf"
LATIN = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"
NOTO_FONT = TTFont(NOTO)
SAME_ADVANCE = 12  # font units: advances the map holds as one (nna with pulli is 1 unit wider)
# The word list: aspell's Tamil dictionary (Debian has no hunspell one).
WORDS = "/usr/share/aspell/ta.cwl.gz"

VIRAMA, ZWJ, ZWNJ = "\u0BCD", "\u200d", "\u200c"
KA, SHA = "\u0B95", "\u0BB6"
CONSONANTS = [chr(c) for c in (0xB95, 0xB99, 0xB9A, 0xB9C, 0xB9E, 0xB9F, 0xBA3, 0xBA4, 0xBA8,
                               0xBA9, 0xBAA, 0xBAE, 0xBAF, 0xBB0, 0xBB1, 0xBB2, 0xBB3, 0xBB4,
                               0xBB5, 0xBB6, 0xBB7, 0xBB8, 0xBB9)]
MATRAS = [chr(c) for c in (0xBBE, 0xBBF, 0xBC0, 0xBC1, 0xBC2, 0xBC6, 0xBC7, 0xBC8, 0xBCA, 0xBCB,
                           0xBCC)]
MODIFIERS = ["\u0B82"]
VOWELS = [chr(c) for c in (0xB85, 0xB86, 0xB87, 0xB88, 0xB89, 0xB8A, 0xB8E, 0xB8F, 0xB90, 0xB92,
                           0xB93, 0xB94, 0xB83, 0xBD0)]
STANDALONE = [chr(c) for c in range(0xBE6, 0xBF0)] + ["\u0964", "\u0965"]

# ISCII to Unicode: the Devanagari codes at the Tamil block, where Tamil has
# the letter.
ISCII = {0xA2: "\u0B82", 0xA3: "\u0B83"}
ISCII.update({0xA4 + i: chr(0xB85 + i) for i in range(6)})
ISCII.update({0xAB: "\u0B8E", 0xAC: "\u0B8F", 0xAD: "\u0B90", 0xAF: "\u0B92", 0xB0: "\u0B93",
              0xB1: "\u0B94"})
ISCII.update({b: chr(0x0B95 + b - 0xB3) for b in range(0xB3, 0xC7)
              if chr(0x0B95 + b - 0xB3) in CONSONANTS})
ISCII.update({0xC7: "\u0BA9", 0xCF: "\u0BB0", 0xD0: "\u0BB1"})
ISCII.update({b: chr(0x0BAA + b - 0xC8) for b in range(0xC8, 0xCE)
              if chr(0x0BAA + b - 0xC8) in CONSONANTS})
ISCII.update({0xD1 + i: chr(0xBB2 + i) for i in range(8)})
ISCII.update({0xDA + i: chr(0xBBE + i) for i in range(5)})
ISCII.update({0xE0: "\u0BC6", 0xE1: "\u0BC7", 0xE2: "\u0BC8", 0xE4: "\u0BCA", 0xE5: "\u0BCB",
              0xE6: "\u0BCC", 0xE8: VIRAMA, 0xEA: "\u0964"})
ISCII.update({0xF1 + i: chr(0xBE6 + i) for i in range(10)})
ISCII_NUKTA = {0xA1: "\u0BD0"}
# ISCII codes of letters Tamil does not have read as the Tamil letter that
# writes the same sound in Tamil spelling: the aspirated and voiced stops
# as their plain stop (kha, ga, gha as ka), yya as ya, the candra and
# vocalic vowels as their nearest vowel.
ISCII_ALIAS = {0xB4: KA, 0xB5: KA, 0xB6: KA, 0xB9: "\u0B9A", 0xBB: "\u0B9C", 0xBE: "\u0B9F",
               0xBF: "\u0B9F", 0xC0: "\u0B9F", 0xC3: "\u0BA4", 0xC4: "\u0BA4", 0xC5: "\u0BA4",
               0xC9: "\u0BAA", 0xCA: "\u0BAA", 0xCB: "\u0BAA", 0xCE: "\u0BAF", 0xAE: "\u0B8E",
               0xB2: "\u0B92", 0xE3: "\u0BC6", 0xE7: "\u0BCA", 0xA1: "\u0B82"}


def words():
    """The words of aspell's Tamil dictionary, in its own order."""
    out = subprocess.run(["aspell", "-d", "ta", "dump", "master"], check=True,
                         capture_output=True, text=True).stdout
    return [w.strip() for w in out.split("\n") if w.strip()]


def input_files():
    tools = os.path.join(HERE, "..", "..", "..", "tools", "fontgen")
    return [NOTO, LATIN, WORDS, modern_words.list_path("ta"), os.path.abspath(__file__),
            os.path.join(HERE, "pre_sign_kerning.py"), os.path.join(HERE, "cluster_kerning.py"),
            os.path.join(HERE, "final_pulli.py")] + [
        os.path.join(tools, n) for n in ("brahmic.py", "familymap.py", "hbshape.py")]


def splits_exactly(name):
    """Is Noto's glyph a consonant with pulli or with the ii sign that is
    drawn as the consonant plus a zero-advance pulli or ii? Only where the
    composite is as wide as the consonant (within SAME_ADVANCE): ca, tta, nna, nnna, ra and lla
    with ii and ssa with pulli are wider or narrower, and a zero-advance
    sign after the consonant would lose that (and the kerning against the
    next syllable, which the converter looks up on the last spacing glyph),
    so they keep glyphs of their own."""
    if not (name.endswith("prehalftamil") or name.endswith("iivowelsigntamil")):
        return False
    glyph = NOTO_FONT["glyf"][name]
    if not glyph.isComposite():
        return False
    first = glyph.components[0].glyphName
    return abs(NOTO_FONT["hmtx"][name][0] - NOTO_FONT["hmtx"][first][0]) <= SAME_ADVANCE


def script_description():
    script = brahmic.Script(NOTO, CONSONANTS, MATRAS, MODIFIERS, VIRAMA, "", "\u0BB0", ZWJ, ZWNJ,
                            {"evowelsigntamil", "eevowelsigntamil", "aivowelsigntamil"}, set(),
                            drop=("space",))
    script.reph = False
    script.variant_probes = ["\u0BC6"]
    script.mark_names = ["viramatamil", "nuktatamil", "rephtamil"]
    script.standalone_letters = VOWELS
    script.fallback_references = [SHA, "\u0B9C"]
    for f in script.pre_families:
        script.groups[f] = "i"
    script.decompose = brahmic.composites(NOTO, lambda n: splits_exactly(n))
    script.iscii_alias = ISCII_ALIAS
    # The faces hold the glyphs that complete the most design words first
    # (familymap.rank_by_words): the 128-code face draws more whole words.
    script.rank_by_words = True
    return script


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "tamil.map.json")
    script = script_description()
    learned = brahmic.learn(script, KA)
    brahmic.learn_kerning(script, learned, VOWELS, KA)
    cluster_kerning.fused_rights(script, learned, VOWELS)
    cluster_kerning.kerned_triples(script, learned, "\u0BC6")
    # A pulli consonant's kerning before a pre-base sign moves the sign.
    pre_signs = {"\u0BC6": "evowelsigntamil", "\u0BC7": "eevowelsigntamil",
                 "\u0BC8": "aivowelsigntamil"}
    sign_advances = {name: pre_sign_kerning.TTFont(NOTO)["hmtx"][name][0]
                     for name in pre_signs.values()}
    variants = pre_sign_kerning.cluster_variants(script, learned, pre_signs)
    learned.observed.update(pre_sign_kerning.shifted_keys(variants, sign_advances))
    learned.kerning_fold = pre_sign_kerning.PreSignFold(
        NOTO, pre_signs.values(), pre_sign_kerning.drawn_advances(script, learned))
    design_words = words()[0::2]  # the other half is kept for measuring
    # Software and everyday text: loanwords and names with clusters the
    # dictionary rarely has (the training half of the modern words only).
    design_words += modern_words.read("ta", "train")
    fmap = familymap.build(
        script=script, learned=learned, vowels=VOWELS, standalone=STANDALONE, vedic=[],
        design_words=design_words, latin_font=LATIN, iscii=ISCII, iscii_nukta=ISCII_NUKTA,
        roman={}, reference=KA,
        faces=[
            {"face": "TMB-TTTesvor", "latin": True, "slots": "upper", "script": True},
            {"face": "TM-TTTesvor", "latin": False, "slots": "all", "script": True},
            {"face": "TM1-TTTesvor", "latin": True, "slots": "upper"},
        ],
        converters=[
            {"file": "TMBCV32.DLL", "entry": "iscii2tamilzirvo", "kind": "brahmic",
             "fonts": {"1": "TMB-TTTesvor"}},
            {"file": "TMMCV32.DLL", "entry": "iscii2tamilzirvo", "kind": "brahmic",
             "fonts": {"1": "TM-TTTesvor"}},
        ])
    pre_sign_kerning.apply(fmap, variants, sign_advances)
    cluster_kerning.with_kerned_forms(fmap)
    final_pulli.attach(fmap, final_pulli.pulli_offsets(NOTO, NOTO_FONT["glyf"], CONSONANTS, VIRAMA),
                       "viramatamil")
    familymap.write_map(out, fmap, input_files())


if __name__ == "__main__":
    main()
