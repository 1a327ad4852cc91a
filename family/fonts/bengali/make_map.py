#!/usr/bin/python3
"""Generates bengali.map.json, the one source of the glyph codes of the
Bengali script's family: the Bengali and the Assamese faces and converters.

Assamese writes with the Bengali letters plus its own ra (U+09F0) and wa
(U+09F1). Both languages share one glyph inventory (ranked on words of both);
the Assamese converters read the ISCII ra code (0xCF) as U+09F0 and the va
code (0xD4), which Bengali does not use, as U+09F1.

    /usr/bin/python3 family/fonts/bengali/make_map.py [out.json]
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
TOOLS = os.path.join(HERE, "..", "..", "..", "tools", "fontgen")
sys.path.insert(0, TOOLS)
sys.path.insert(0, HERE)

import brahmic  # noqa: E402
import familymap  # noqa: E402
import iscii_blocks  # noqa: E402
import loanword_rules  # noqa: E402
import modern_words  # noqa: E402
import wordlists  # noqa: E402

NOTO = "/usr/share/fonts/truetype/noto/NotoSansBengali-Regular.ttf"
LATIN = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"

# Words for ranking glyphs (their even halves; the odd halves are for
# measuring): the lists fidelity.json names. Debian has no Assamese
# dictionary: the Assamese translations of iso-codes and of the GLib and GTK
# catalogues stand in for one.
CONFIG = os.path.join(HERE, "fidelity.json")
BENGALI_WORDS = wordlists.spec_for(CONFIG, "BNBCV32.DLL")
ASSAMESE_WORDS = wordlists.spec_for(CONFIG, "ASBCV32.DLL")
BLOCK = (0x0980, 0x09FF)

VIRAMA, NUKTA, RA, ZWJ, ZWNJ = "\u09cd", "\u09bc", "\u09b0", "\u200d", "\u200c"
YA = "\u09af"
# Modern words (loanwords, technical terms) of both languages: their
# training halves rank glyphs beside the dictionaries' even halves.
MODERN = ("bn", "as")
# Each modern word counts this many times: the dictionaries hold fifteen
# times as many words, and without weight the conjuncts of loanwords (ট্র,
# স্ট্র, ফ্ট) would not reach the 223 codes of a monolingual face. (With 6
# the monolingual faces draw 95.6 % (bn) and 94.9 % (as) of the held-out
# modern words, and the dictionaries' held-out halves no worse than with 0.)
MODERN_WEIGHT = 6
ASSAMESE_RA, ASSAMESE_WA = "\u09f0", "\u09f1"


def assigned(codes):
    import unicodedata
    out = []
    for c in codes:
        try:
            unicodedata.name(chr(c))
            out.append(chr(c))
        except ValueError:
            pass
    return out


CONSONANTS = assigned(range(0x995, 0x9BA)) + ["\u09dc", "\u09dd", "\u09df", ASSAMESE_RA,
                                               ASSAMESE_WA]
MATRAS = assigned(list(range(0x9BE, 0x9C5)) + [0x9C7, 0x9C8, 0x9CB, 0x9CC, 0x9E2, 0x9E3])
MODIFIERS = ["\u0981", "\u0982", "\u0983"]
VOWELS = assigned(list(range(0x985, 0x995)) + [0x9E0, 0x9E1])
STANDALONE = [chr(c) for c in list(range(0x9E6, 0x9F0)) + [0x964, 0x965, 0x9BD]]

ISCII, ISCII_NUKTA = iscii_blocks.tables(NOTO, 0x0980)
# ya + nukta is the letter yya (য + ় is য়, canonically): text that writes
# it so draws yya whole, as the letter's own code does.
ISCII_NUKTA[0xCD] = "\u09df"

# Khanda ta has no ISCII code: it is ta with a soft virama (ta + virama + ZWJ).
SEQUENCES = {"\u09ce": "C2E8E9"}

# The pre-base vowel signs (i in several widths, fused with candrabindu; e, ai)
# and the post-base ii sign with its fused forms.
PRE = {"ivowelsignbeng", "ivowelsignshortbeng", "ivowelsigncandrabindbeng", "evowelsigninibeng",
       "aivowelsigninibeng"}
POST = {"iivowelsignbeng", "iivowelsignaltbeng", "iivowelsignshortbeng",
        "iivowelsigncandrabindbeng", "rephiivowelsignbeng"}


def input_files():
    return [NOTO, LATIN, os.path.abspath(__file__), CONFIG] + wordlists.files(
        BENGALI_WORDS + "+" + ASSAMESE_WORDS) + [modern_words.list_path(m) for m in MODERN] + [
        os.path.join(TOOLS, n) for n in ("brahmic.py", "familymap.py", "hbshape.py",
                                         "wordlists.py", "modern_words.py")] + [
        os.path.join(HERE, "loanword_rules.py")] + iscii_blocks.source_files()


def faces(code):
    return [
        {"face": code + "B-TTBelmo", "latin": True, "slots": "upper", "script": True},
        {"face": code + "B-TTBelmoEN", "latin": False, "slots": "all",
         "overflow_of": code + "B-TTBelmo"},
        {"face": code + "-TTBelmo", "latin": False, "slots": "all", "script": True},
        {"face": code + "1-TTBelmo", "latin": True, "slots": "upper"},
        # The one-face library's extension: the glyphs ranked after the 223
        # of the script face (the ra- and la-phala of less common consonants,
        # thra, loanword conjuncts). Without it the library draws as before.
        {"face": code + "2-TTBelmo", "latin": False, "slots": "all",
         "overflow_of": code + "-TTBelmo"},
    ]


def attach_nukta(learned):
    """Noto draws a consonant with nukta (ক়, ফ়, জ়) as one composite: the
    consonant and the nukta placed under it. The converter draws the
    consonant and then the nukta, placed as the composite has it; the
    composites get no code. Returns the composite's name -> the keys of its
    parts."""
    from fontTools.ttLib import TTFont
    hmtx = TTFont(NOTO)["hmtx"]
    parts_of = {}
    for name, parts in brahmic.composites(NOTO, lambda n: n.endswith("nuktabeng") and n != "nuktabeng").items():
        if len(parts) != 2 or parts[1][0] != "nuktabeng":
            continue
        (letter, _, _), (mark, x, y) = parts
        advance = hmtx[letter][0]
        if hmtx[name][0] != advance or (letter, advance, 0, 0) not in learned.observed:
            continue
        key = (mark, 0, x - advance, y)
        learned.attach[(mark, (letter, advance, 0, 0))] = key
        learned.observed[key] += 1
        parts_of[name] = [(letter, advance, 0, 0), key]
    return parts_of


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "bengali.map.json")
    script = brahmic.Script(NOTO, CONSONANTS, MATRAS, MODIFIERS, VIRAMA, NUKTA, RA, ZWJ, ZWNJ,
                            PRE, POST, drop=("dummymarkbeng", "space"))
    reference = "\u0995"
    script.variant_probes = ["\u09bf", "\u09c0"]
    script.mark_names = ["viramabeng", "nuktabeng", "rephbeng"]
    # A consonant with nukta that has no glyph of its own in a face (ক়, ফ়)
    # is drawn as the consonant and the nukta: without a code the dot would
    # vanish and the word read as another.
    script.mandatory_marks = ["nuktabeng"]
    script.standalone_letters = VOWELS
    script.marks_by_position = True
    # Codes go to the glyphs that complete most words (familymap.rank_by_words).
    script.rank_by_words = True
    script.unicode_sequences = SEQUENCES
    for f in PRE:
        script.groups[f] = "i"
    for f in POST:
        script.groups[f] = "ii"
    learned = brahmic.learn(script, reference)
    script.parts_of = attach_nukta(learned)
    script.drawn_by_parts = lambda name: name in script.parts_of
    # Loanwords write a vowel letter with ya-phala (অ্যাপ "app"): a cluster on the vowel.
    yaphala_vowels = loanword_rules.learn_yaphala_vowels(script, learned, VOWELS, YA)
    loanword_rules.reph_over_lone_consonants(script, learned, "rephbeng")
    # Noto narrows some glyphs before the next syllable (anusvara before ga).
    loanword_rules.learn_kerning_with_modifiers(script, learned, VOWELS, reference)

    bengali = wordlists.read(BENGALI_WORDS, BLOCK)
    assamese = wordlists.read(ASSAMESE_WORDS, BLOCK)
    modern = [w for m in MODERN for w in modern_words.read(m, "train")] * MODERN_WEIGHT
    fmap = familymap.build(
        script=script, learned=learned, vowels=VOWELS, standalone=STANDALONE, vedic=[],
        design_words=bengali[0::2] + assamese[0::2] + modern, latin_font=LATIN,
        iscii=ISCII, iscii_nukta=ISCII_NUKTA, roman={}, reference=reference,
        script_extras={"yaphala_vowels": "".join(yaphala_vowels), "yaphala": YA},
        faces=faces("BN") + faces("AS"),
        converters=[
            {"file": "BNBCV32.DLL", "entry": "iscii2bengalizirvo", "kind": "brahmic",
             "fonts": {"1": "BNB-TTBelmo", "2": "BNB-TTBelmoEN"}},
            {"file": "BNMCV32.DLL", "entry": "iscii2bengalizirvo", "kind": "brahmic",
             "fonts": {"1": "BN-TTBelmo", "2": "BN2-TTBelmo"}, "extension_optional": True},
            {"file": "ASBCV32.DLL", "entry": "iscii2assamesezirvo", "kind": "brahmic",
             "fonts": {"1": "ASB-TTBelmo", "2": "ASB-TTBelmoEN"},
             "iscii": {"CF": ASSAMESE_RA, "D4": ASSAMESE_WA}, "ra": ASSAMESE_RA},
            {"file": "ASMCV32.DLL", "entry": "iscii2assamesezirvo", "kind": "brahmic",
             "fonts": {"1": "AS-TTBelmo", "2": "AS2-TTBelmo"}, "extension_optional": True,
             "iscii": {"CF": ASSAMESE_RA, "D4": ASSAMESE_WA}, "ra": ASSAMESE_RA},
        ])
    familymap.write_map(out, fmap, input_files())


if __name__ == "__main__":
    main()
