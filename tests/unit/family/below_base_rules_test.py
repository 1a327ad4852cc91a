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

        # A glyph the fonts hold in pieces is compared by its pieces' names.
        glyphs = self.map["glyphs"]
        parts = {g: p for g, p in self.map["rules"].get("expansions", [])}

        def leaves(g):
            return [n for p in parts[g] for n in leaves(p)] if g in parts else [glyphs[g]["name"]]
        self.leaves = {}
        for g in sorted(parts):
            self.leaves.setdefault(glyphs[g]["name"], leaves(g))

    def flat(self, names):
        return [n[:-4] for name in names for n in self.leaves.get(name, [name])]

    def names(self, *iscii):
        """The glyphs drawn for the ISCII bytes, each split into its pieces."""
        out = []
        for code, digit in self.converter.pairs(bytes(iscii)):
            g = self.glyph_of.get((code, digit))
            out.append(g["name"] if g else "?")
        return self.flat(out)

    def expect(self, test, iscii, names):
        suffix = self.map["glyphs"][0]["name"][-4:]
        test.assertEqual(self.names(*iscii), self.flat([n + suffix for n in names]),
                         bytes(iscii).hex(" "))


class Kannada(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.mono = Library("kannada", "KNMCV32.DLL")
        cls.bi = Library("kannada", "KNBCV32.DLL")

    def test_i_and_e_signs_merge_with_the_consonant(self):
        self.mono.expect(self, (KA, I,), ["kivowel"])
        self.mono.expect(self, (KA, E,), ["kevowel"])
        self.mono.expect(self, (KA, II,), ["kivowel", "lengthmark"])

    def test_split_vowel_signs_take_their_parts_in_order(self):
        self.mono.expect(self, (KA, O,), ["kevowel", "uuvowelsign"])
        self.mono.expect(self, (KA, OO,), ["kevowel", "uuvowelsign", "lengthmark"])
        self.mono.expect(self, (KA, AI,), ["kevowel", "ailengthmark"])
        self.mono.expect(self, (KA, AA,), ["kanocrest", "aavowelsign"])

    def test_second_consonant_is_subscript_and_signs_go_around_it(self):
        self.mono.expect(self, (KA, VIRAMA, YA,), ["ka", "yasubscript"])
        # The length mark follows the subscript; the u-sign stays with the base.
        self.mono.expect(self, (KA, VIRAMA, YA, II,), ["kivowel", "yasubscript", "lengthmark"])
        self.mono.expect(self, (KA, VIRAMA, YA, U,), ["ka", "uvowelsign", "yasubscript"])

    def test_reph_follows_the_syllable(self):
        self.mono.expect(self, (RA, VIRAMA, KA,), ["ka", "reph"])
        self.mono.expect(self, (RA, VIRAMA, KA, II,), ["kivowel", "lengthmark", "reph"])
        self.mono.expect(self, (RA, VIRAMA, KA, ANUSVARA,), ["ka", "reph", "anusvara"])

    def test_final_virama_and_explicit_half_form(self):
        self.mono.expect(self, (KA, VIRAMA,), ["kavirama"])
        # na + virama + ZWJ + ka: na keeps its virama form, ka stands whole.
        self.assertEqual(self.mono.names(NA, VIRAMA, NUKTA, KA),
                         self.mono.names(NA, VIRAMA) + self.mono.names(KA))

    def test_third_consonant_takes_its_second_place_form(self):
        names = self.mono.names(KA, VIRAMA, KA, VIRAMA, YA)
        head = self.mono.flat(["kaknda", "kasubscriptknda"])
        self.assertEqual(names[:len(head)], head)
        self.assertEqual(len(names), len(head) + 1)
        self.assertTrue(names[-1].startswith("yasubscript"))

    def test_bilingual_face_draws_merged_forms_from_pieces(self):
        # 128 codes hold no whole ki, ke or ka: their bodies and cut pieces.
        for text, whole in (((KA, I), ["kivowel"]), ((KA, E), ["kevowel"]), ((KA,), ["ka"]),
                            ((KA, VIRAMA), ["kavirama"])):
            self.bi.expect(self, text, whole)
            self.assertGreater(len(self.bi.names(*text)), 1)

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
        self.mono.expect(self, (KA, I,), ["kivowel"])
        self.mono.expect(self, (KA, AI,), ["kaivowel"])
        self.mono.expect(self, (KA, U,), ["ka", "uvowelsign"])

    def test_ra_virama_consonant_is_a_cluster_not_a_reph(self):
        self.mono.expect(self, (RA, VIRAMA, KA,), ["ra", "kasubscript"])
        self.mono.expect(self, (KA, VIRAMA, KA, I,), ["kivowel", "kasubscript"])

    def test_post_base_u_sign_comes_before_the_subscript(self):
        self.mono.expect(self, (KA, VIRAMA, KA, U,), ["ka", "uvowelsign", "kasubscript"])


class Cutting(unittest.TestCase):
    """A cut piece placed after its body draws what the merged glyph draws
    (the body's own top may differ slightly from the merged glyph's)."""

    def test_body_and_piece_make_the_merged_glyph(self):
        import pyclipper
        sys.path.insert(0, os.path.join(ROOT, "tools", "fontgen"))
        import decompose
        noto = "/usr/share/fonts/truetype/noto/NotoSansKannada-Regular.ttf"
        forms = {"kivowelknda": ("kanocrestknda", "icrest"), "gevowelknda": ("ganocrestknda", "ecrest"),
                 "taknda": ("tanocrestknda", "crest")}
        carver = decompose.Carver(noto, forms, "knda")
        for merged in forms:
            adv = carver.hmtx[merged][0]
            (body, width, _, _), (piece, _, dx, dy) = carver.pieces((merged, adv, 0, 0))
            drawn = carver.polygons(body) + [[(x + width + dx, y + dy) for x, y in p]
                                             for p in carver.outlines[piece]]
            whole = carver.polygons(merged)
            # What one draws and the other does not lies, but for a sliver of
            # the body's top, within the harness's two pixels at 40 px per em
            # (50 units) of the other's outline.
            for a, b in ((drawn, whole), (whole, drawn)):
                grown = pyclipper.PyclipperOffset()
                grown.AddPaths(decompose._clip(b, [], pyclipper.CT_UNION), pyclipper.JT_ROUND,
                               pyclipper.ET_CLOSEDPOLYGON)
                outside = decompose._clip(a, grown.Execute(50), pyclipper.CT_DIFFERENCE)
                area = sum(abs(pyclipper.Area(p)) for p in whole)
                self.assertLess(sum(abs(pyclipper.Area(p)) for p in outside), 0.02 * area, merged)


if __name__ == "__main__":
    unittest.main()
