"""The families whose clusters are a base consonant with the others in
subscript or post-base forms (Kannada, Telugu): one description per family,
learned with brahmic.learn_below_base and turned into a map by familymap.

A family's make_map.py gives a Family and calls main(); this module finds
its letters (Devanagari's ISCII codes moved to the script's block), reads its
word list and writes the map.
"""
import json
import os
import subprocess

import brahmic
import decompose
import familymap
import iscii_blocks

HERE = os.path.dirname(os.path.abspath(__file__))
LATIN = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"


class Family:
    def __init__(self, name, noto, block, suffix, faces, converters, reph=True, words_file=None,
                 words_command=None, tolerances=(24, 12), carve=None, fold_kerning=False,
                 borrow=familymap.BORROW, rank_placer=None, sources=(), extension_letters=()):
        self.name, self.noto, self.block, self.suffix = name, noto, block, suffix
        self.faces, self.converters, self.reph = faces, converters, reph
        self.words_file, self.words_command = words_file, words_command
        # Font units within which marks (offsets) and spacing glyphs
        # (advances) share one glyph.
        self.tolerances = tolerances
        # carve(font) -> {merged glyph: (body glyph, kind)}: simple glyphs
        # to cut into a body and a shared piece (decompose.Carver).
        self.carve = carve
        # Font units within which the ranking takes a glyph for its variant.
        self.borrow = borrow
        # Move the kerning inside a syllable into its later glyph
        # (brahmic.KerningFold).
        self.fold_kerning = fold_kerning
        # rank_placer(script, learned) -> the brahmic.SubscriptPlacer the
        # glyphs are ranked with, instead of the learned one (used only when
        # the family's subscripts are drawn from the base's body).
        self.rank_placer = rank_placer
        # The family's own generator sources beyond its make_map.py (their
        # digests go into the map).
        self.sources = list(sources)
        # Letters (as Devanagari code points) that only the extension faces
        # hold: the first faces' codes are all taken (familymap.build).
        self.extension_letters = list(extension_letters)

    def letter(self, devanagari):
        return chr(devanagari + self.block - 0x900)

    def letters(self, codes):
        return iscii_blocks.letters(codes, self.block, self.noto)

    def words_source(self):
        """The file a word list comes from (its digest goes into the map)."""
        if self.words_file:
            return self.words_file
        dictionary = self.words_command[self.words_command.index("-d") + 1]
        return f"/usr/share/aspell/{dictionary}.cwl.gz"


def read_words(family):
    """The family's word list, in its order: a hunspell dictionary without its
    count line and affix flags, or the words an aspell dump gives."""
    if family.words_file:
        lines = open(family.words_file, encoding="utf-8").read().split("\n")[1:]
    else:
        lines = subprocess.run(family.words_command, check=True, capture_output=True,
                               text=True).stdout.split("\n")
    return [w.strip().split("/")[0] for w in lines if w.strip() and w.strip().split("/")[0]]


def input_files(family, maker):
    return [family.noto, LATIN, family.words_source(), os.path.abspath(maker),
            os.path.abspath(__file__)] + iscii_blocks.source_files() + [
        os.path.join(HERE, n) for n in ("brahmic.py", "familymap.py", "hbshape.py", "decompose.py")] + [
        os.path.abspath(p) for p in family.sources]


def script_of(family):
    L = family.letters
    consonants = L(range(0x915, 0x93A))
    matras = L([0x93E, 0x93F, 0x940, 0x941, 0x942, 0x943, 0x944, 0x945, 0x946, 0x947, 0x948,
                0x949, 0x94A, 0x94B, 0x94C, 0x962, 0x963])
    modifiers = L([0x901, 0x902, 0x903])
    virama, nukta, ra = family.letter(0x94D), family.letter(0x93C), family.letter(0x930)
    script = brahmic.Script(family.noto, consonants, matras, modifiers, virama, nukta, ra,
                            "\u200d", "\u200c", set(), set(),
                            drop=("space", "uni25CC"))
    script.reph = family.reph
    script.rank_by_words = True
    script.fold_kerning = family.fold_kerning
    script.mark_names = ["virama" + family.suffix, "nukta" + family.suffix, "reph" + family.suffix]
    script.standalone_letters = L(list(range(0x905, 0x915)) + [0x960, 0x961])
    script.extension_letters = "".join(family.letters(family.extension_letters))
    return script


def carver_of(family):
    if family.carve is None:
        return None
    from fontTools.ttLib import TTFont
    font = TTFont(family.noto)
    return decompose.Carver(family.noto, family.carve(font), family.suffix)


def main(family, out):
    script = script_of(family)
    learned = brahmic.learn_below_base(script, script.consonants[0])
    if family.rank_placer is not None and learned.subscript_placer is not None:
        learned.subscript_placer = family.rank_placer(script, learned)
    vowels = script.standalone_letters
    standalone = family.letters(list(range(0x966, 0x970)) + [0x964, 0x965, 0x93D])
    # Signs drawn alone: what a base with no merged form of its own takes.
    signs = [m for m in script.matras] + [script.virama]
    iscii, iscii_nukta = iscii_blocks.tables(family.noto, family.block)
    words = read_words(family)
    fmap = familymap.build(
        script=script, learned=learned, vowels=vowels, standalone=standalone + signs, vedic=[],
        design_words=words[0::2], latin_font=LATIN, iscii=iscii, iscii_nukta=iscii_nukta,
        roman={}, faces=family.faces, converters=family.converters,
        reference=script.consonants[0], mandatory_letters=vowels + script.consonants + signs,
        decompose=True, tolerances=family.tolerances, carver=carver_of(family),
        borrow=family.borrow)
    fmap["inputs"] = familymap.input_hashes(input_files(family, out_maker(family)))
    with open(out, "w", encoding="utf-8") as f:
        json.dump(fmap, f, ensure_ascii=False, indent=0, sort_keys=True)
        f.write("\n")
    print(f"{out}: {len(fmap['glyphs'])} glyphs")


def out_maker(family):
    return os.path.join(HERE, "..", "..", "family", "fonts", family.name, "make_map.py")
