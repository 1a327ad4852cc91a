#!/usr/bin/python3
"""Kannada and Telugu converters, checked at the level of glyph names: the
codes each library returns are looked up in the family's map.

    below_base_rules_test.py <folder of the built libraries>
"""
import json
import os
import sys
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "fidelity"))

from familyrender import Converter  # noqa: E402

FAMILY_DIR = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(ROOT, "build", "native", "system")

KA, GA, TA, NA, YA, RA, SA, SSA = 0xB3, 0xB5, 0xC2, 0xC6, 0xCD, 0xCF, 0xD7, 0xD6
AA, I, II, U, E, EE, AI, O, OO, AU = 0xDA, 0xDB, 0xDC, 0xDD, 0xE0, 0xE1, 0xE2, 0xE4, 0xE5, 0xE6
VIRAMA, NUKTA, ANUSVARA = 0xE8, 0xE9, 0xA2


class Library:
    """A converter and its map: ISCII in, Noto glyph names (without the
    script suffix) out."""

    def __init__(self, family, file):
        self.map = json.load(open(os.path.join(ROOT, "family", "fonts", family, family + ".map.json"),
                                  encoding="utf-8"))
        conv = next(c for c in self.map["converters"] if c["file"] == file)
        self.converter = Converter(os.path.join(FAMILY_DIR, file), conv["entry"])
        faces = {f["face"]: f for f in self.map["faces"]}
        self.glyph_of = {}
        for digit, face in conv["fonts"].items():
            for g, code in faces[face]["codes"].items():
                self.glyph_of[(code, digit)] = self.map["glyphs"][int(g)]

    def names(self, *iscii):
        out = []
        for code, digit in self.converter.pairs(bytes(iscii)):
            g = self.glyph_of.get((code, digit))
            out.append(g["name"][:-4] if g else "?")
        return out


class Kannada(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.mono = Library("kannada", "KNMCV32.DLL")
        cls.bi = Library("kannada", "KNBCV32.DLL")

    def test_i_and_e_signs_merge_with_the_consonant(self):
        self.assertEqual(self.mono.names(KA, I), ["kivowel"])
        self.assertEqual(self.mono.names(KA, E), ["kevowel"])
        self.assertEqual(self.mono.names(KA, II), ["kivowel", "lengthmark"])

    def test_split_vowel_signs_take_their_parts_in_order(self):
        self.assertEqual(self.mono.names(KA, O), ["kevowel", "uuvowelsign"])
        self.assertEqual(self.mono.names(KA, OO), ["kevowel", "uuvowelsign", "lengthmark"])
        self.assertEqual(self.mono.names(KA, AI), ["kevowel", "ailengthmark"])
        self.assertEqual(self.mono.names(KA, AA), ["kanocrest", "aavowelsign"])

    def test_second_consonant_is_subscript_and_signs_go_around_it(self):
        self.assertEqual(self.mono.names(KA, VIRAMA, YA), ["ka", "yasubscript"])
        # The length mark follows the subscript; the u-sign stays with the base.
        self.assertEqual(self.mono.names(KA, VIRAMA, YA, II), ["kivowel", "yasubscript", "lengthmark"])
        self.assertEqual(self.mono.names(KA, VIRAMA, YA, U), ["ka", "uvowelsign", "yasubscript"])

    def test_reph_follows_the_syllable(self):
        self.assertEqual(self.mono.names(RA, VIRAMA, KA), ["ka", "reph"])
        self.assertEqual(self.mono.names(RA, VIRAMA, KA, II), ["kivowel", "lengthmark", "reph"])
        self.assertEqual(self.mono.names(RA, VIRAMA, KA, ANUSVARA), ["ka", "reph", "anusvara"])

    def test_final_virama_and_explicit_half_form(self):
        self.assertEqual(self.mono.names(KA, VIRAMA), ["kavirama"])
        # ka + virama + ZWJ + ka: the first ka keeps its virama form.
        self.assertEqual(self.mono.names(NA, VIRAMA, NUKTA, KA)[0], "navirama")

    def test_third_consonant_takes_its_second_place_form(self):
        names = self.mono.names(KA, VIRAMA, KA, VIRAMA, YA)
        self.assertEqual(names[:2], ["ka", "kasubscript"])
        self.assertTrue(names[2].startswith("yasubscript"))

    def test_bilingual_face_never_loses_a_letter(self):
        # With 128 codes some fused glyphs have no code; what is drawn still
        # carries every consonant and sign.
        for c in range(0xB3, 0xD9):
            for sign in (0, AA, I, II, U, E, O, AU, VIRAMA):
                text = [c] + ([sign] if sign else [])
                names = self.bi.names(*text)
                if self.mono.names(*text) and not names:
                    self.fail(f"nothing drawn for {bytes(text).hex()}")
                self.assertNotIn("?", names)


class Telugu(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.mono = Library("telugu", "TLMCV32.DLL")

    def test_signs_merge_with_the_base(self):
        self.assertEqual(self.mono.names(KA, I), ["kivowel"])
        self.assertEqual(self.mono.names(KA, AI), ["kaivowel"])
        self.assertEqual(self.mono.names(KA, U), ["ka", "uvowelsign"])

    def test_ra_virama_consonant_is_a_cluster_not_a_reph(self):
        self.assertEqual(self.mono.names(RA, VIRAMA, KA), ["ra", "kasubscript"])
        self.assertEqual(self.mono.names(KA, VIRAMA, KA, I), ["kivowel", "kasubscript"])

    def test_post_base_u_sign_comes_before_the_subscript(self):
        self.assertEqual(self.mono.names(KA, VIRAMA, KA, U), ["ka", "uvowelsign", "kasubscript"])


if __name__ == "__main__":
    unittest.main()
