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

    def glyphs(self, *iscii):
        """The map's glyphs (name, adv, dx, dy) for the codes drawn."""
        return [self.glyph_of[pair] for pair in self.converter.pairs(bytes(iscii)) if pair in self.glyph_of]

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

    def test_anusvara_takes_the_kerning_of_the_o_form_before_it(self):
        # Noto narrows ko before the anusvara; the fonts cannot kern, so the
        # anusvara itself is drawn further back, by as much.
        plain = self.mono.glyphs(KA, ANUSVARA)[-1]
        after_o = self.mono.glyphs(KA, O, ANUSVARA)[-1]
        self.assertEqual((plain["name"], plain["dx"]), ("anusvaratelu", 0))
        self.assertEqual(after_o["name"], "anusvaratelu")
        self.assertLess(after_o["dx"], -100)
        self.assertEqual(after_o["adv"] - after_o["dx"], plain["adv"])

    def test_subscript_mark_sits_under_the_body_whatever_sign_follows(self):
        # gra draws ra's hook right after ga's body; with the aa sign the hook
        # keeps that place, drawn before the sign's piece.
        alone = self.mono.glyphs(GA, VIRAMA, RA)
        signed = self.mono.glyphs(GA, VIRAMA, RA, AA)
        hook = next(g for g in alone if g["name"] == "garasubscripttelu")
        at = next(i for i, g in enumerate(signed) if g["name"] == "garasubscripttelu")
        self.assertEqual(signed[at]["dx"], hook["dx"])
        self.assertEqual(sum(g["adv"] for g in signed[:at]), sum(g["adv"] for g in alone))
        self.assertGreater(sum(g["adv"] for g in signed[at + 1:]), 0)

    def test_subscript_after_a_whole_merged_form_hangs_where_harfbuzz_puts_it(self):
        # laa, jaa and lo are one outline that no piece draws: the subscript
        # after them must reach back under the body (within the marks' 50
        # units), not hang a sign's width to the right of it.
        sys.path.insert(0, os.path.join(ROOT, "tools", "fontgen"))
        from hbshape import shape_many

        def subscript_at(glyphs):
            x = 0
            for g in glyphs:
                if "subscript" in g["name"]:
                    return g["name"], x + g["dx"]
                x += g["adv"]
            self.fail(f"no subscript in {glyphs}")

        LA, JA, NYA = 0xD1, 0xBA, 0xBC
        cases = {"\u0C32\u0C4D\u0C32\u0C3E": (LA, VIRAMA, LA, AA),
                 "\u0C1C\u0C4D\u0C1E\u0C3E": (JA, VIRAMA, NYA, AA),
                 "\u0C32\u0C4D\u0C32\u0C4B": (LA, VIRAMA, LA, OO)}
        shaped = shape_many(self.mono.map["source_font"], list(cases))
        for (text, iscii), ref in zip(cases.items(), shaped):
            with self.subTest(text=text):
                want = subscript_at([{"name": g.name, "adv": g.adv, "dx": g.dx} for g in ref])
                got = subscript_at(self.mono.glyphs(*iscii))
                self.assertEqual(got[0], want[0])
                self.assertLessEqual(abs(got[1] - want[1]), 50, (got, want))


class Pieces(unittest.TestCase):
    """Composite glyphs split into pieces that a pen draws one after the
    other (each at the pen plus its offset, the pen then moving by its
    advance) land exactly where the composite puts its components."""

    def check(self, font):
        sys.path.insert(0, os.path.join(ROOT, "tools", "fontgen"))
        import decompose
        comp = decompose.Composites(font)
        split = 0
        for name in comp.glyf.keys():
            adv = comp.hmtx[name][0]
            parts = comp.pieces((name, adv, 0, 0)) if adv else None
            if not parts:
                continue
            split += 1
            pen, drawn = 0, []
            for piece, width, dx, dy in parts:
                drawn.append((piece, pen + dx, dy))
                pen += width
            self.assertEqual(pen, adv, name)
            self.assertEqual(sorted(drawn), sorted(comp.components(name)), name)
        self.assertGreater(split, 50)

    def test_telugu_pieces_keep_the_components_in_place(self):
        self.check("/usr/share/fonts/truetype/noto/NotoSansTelugu-Regular.ttf")

    def test_kannada_pieces_keep_the_components_in_place(self):
        self.check("/usr/share/fonts/truetype/noto/NotoSansKannada-Regular.ttf")

    def test_trailing_pieces_keep_the_body_at_its_own_advance(self):
        sys.path.insert(0, os.path.join(ROOT, "tools", "fontgen"))
        import decompose
        comp = decompose.Composites("/usr/share/fonts/truetype/noto/NotoSansTelugu-Regular.ttf")
        ko = comp.pieces(("kovoweltelu", 772, 0, 0))
        self.assertEqual(ko[0], ("kaalttelu", comp.hmtx["kaalttelu"][0], 0, 0))
        # The headstroke or front e-sign near a body's start is drawn from it.
        he = comp.pieces(("hevoweltelu", comp.hmtx["hevoweltelu"][0], 0, 0))
        self.assertEqual(he[0][:2], ("evowelsignfronttelu", 0))


class Kerning(unittest.TestCase):
    def test_kerning_inside_a_syllable_moves_into_the_later_glyph(self):
        sys.path.insert(0, os.path.join(ROOT, "tools", "fontgen"))
        import brahmic
        from hbshape import Glyph
        noto = "/usr/share/fonts/truetype/noto/NotoSansTelugu-Regular.ttf"
        fold = brahmic.KerningFold(noto, {"katelu"})
        natural = fold.hmtx["matelu"][0]
        run = [Glyph("matelu", 0, 0, natural - 20), Glyph("nasubscripttelu", 0, 0, 346),
               Glyph("matelu", 0, 0, natural - 30), Glyph("katelu", 0, 0, 522)]
        out = fold.fold(run)
        self.assertEqual([(g.name, g.dx, g.adv) for g in out],
                         [("matelu", 0, natural), ("nasubscripttelu", -20, 326),
                          # Before a glyph that starts a syllable: left as it is.
                          ("matelu", 0, natural - 30), ("katelu", 0, 522)])
        self.assertEqual(brahmic.key_of(out[1]), ("nasubscripttelu", 326, -20, 0))
        self.assertEqual(brahmic.key_of(run[1]), ("nasubscripttelu", 346, 0, 0))


class Tables(unittest.TestCase):
    """What the table generator makes of a map's pieces, on a small map."""

    @staticmethod
    def fmap(held_piece):
        glyphs = [{"name": "kovowel", "adv": 772, "dx": 0, "dy": 0},
                  {"name": "kabody", "adv": 522, "dx": 0, "dy": 0},
                  {"name": "osign", "adv": 250, "dx": -16, "dy": 0},
                  {"name": "ka", "adv": 522, "dx": 0, "dy": 0},
                  held_piece]
        return {"glyphs": glyphs,
                "faces": [{"face": "F", "codes": {"1": 0x80, "3": 0x81, "4": 0x82}}],
                "rules": {"expansions": [[0, [1, 2]]],
                          "below_base": {"subscripts_from_body": True,
                                         "fuse": [[3, "o", [0]]]}}}

    def test_a_missing_piece_is_drawn_by_a_near_variant_only(self):
        sys.path.insert(0, os.path.join(ROOT, "tools", "fontgen"))
        import gen_tables
        conv = {"fonts": {"1": "F"}}
        near = self.fmap({"name": "osign", "adv": 213, "dx": -52, "dy": 0})
        self.assertEqual(gen_tables.resolve_pieces(near, conv), {0: [1, 4]})
        far = self.fmap({"name": "osign", "adv": 100, "dx": -16, "dy": 0})
        self.assertEqual(gen_tables.resolve_pieces(far, conv), {})
        mark = self.fmap({"name": "osign", "adv": 0, "dx": -16, "dy": 0})
        self.assertEqual(gen_tables.resolve_pieces(mark, conv), {})

    def test_body_end_is_where_the_pieces_reach_the_base_advance(self):
        sys.path.insert(0, os.path.join(ROOT, "tools", "fontgen"))
        import gen_tables
        fmap = self.fmap({"name": "osign", "adv": 250, "dx": -16, "dy": 0})
        self.assertEqual(gen_tables.body_ends(fmap, {0: [1, 4]}), {0: 1})
        # A first piece wider than the base: no place for the subscripts.
        fmap["glyphs"][1]["adv"] = 772
        self.assertEqual(gen_tables.body_ends(fmap, {0: [1, 4]}), {})


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

    def test_checked_cuts_draw_the_merged_glyph_and_pieces_are_shared(self):
        import pyclipper
        import importlib.util
        sys.path.insert(0, os.path.join(ROOT, "tools", "fontgen"))
        import decompose
        from fontTools.ttLib import TTFont
        maker = os.path.join(ROOT, "family", "fonts", "telugu", "make_map.py")
        spec = importlib.util.spec_from_file_location("telugu_maker", maker)
        module = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(module)
        noto = module.FAMILY.noto
        forms = module.merged_forms(TTFont(noto))
        carver = decompose.Carver(noto, forms, "telu")
        cut = 0
        for merged in sorted(forms):
            adv = carver.hmtx[merged][0]
            parts = carver.pieces((merged, adv, 0, 0))
            if parts is None:
                continue
            cut += 1
            (body, width, _, _), (piece, _, dx, dy) = parts
            self.assertEqual(width, carver.hmtx[body][0], merged)
            drawn = decompose._union(carver.polygons(body) + [[(x + width + dx, y + dy) for x, y in p]
                                                              for p in carver.outlines[piece]])
            whole = decompose._union(carver.polygons(merged))
            ink = sum(abs(pyclipper.Area(p)) for p in whole + drawn)
            outside = 0
            for a, b in ((drawn, whole), (whole, drawn)):
                grown = pyclipper.PyclipperOffset()
                grown.AddPaths(b, pyclipper.JT_ROUND, pyclipper.ET_CLOSEDPOLYGON)
                outside += sum(abs(pyclipper.Area(p))
                               for p in decompose._clip(a, grown.Execute(50), pyclipper.CT_DIFFERENCE))
            self.assertLessEqual(outside, max(4 * 625, 0.01 * ink), merged)
        # Most merged forms are cut, into far fewer pieces than forms.
        self.assertGreater(cut, len(forms) // 2)
        self.assertLess(len(carver.outlines), cut // 2)


if __name__ == "__main__":
    unittest.main()
