#!/usr/bin/python3
"""The Tibetan converters, checked at the level of glyph names: the codes
each library returns are looked up in the family's map and compared with
what HarfBuzz draws with Noto. Also the byte table's encoder and the word
lists.

    tibetan_glyphs_test.py <folder of the built libraries>
"""
import json
import os
import sys
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "fidelity"))
sys.path.insert(0, os.path.join(ROOT, "tools", "fontgen"))

from familyrender import Converter  # noqa: E402
from hbshape import shape_many  # noqa: E402
import tibetan  # noqa: E402
import tibetan_words  # noqa: E402

FAMILY_DIR = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(ROOT, "build", "native", "system")
MAP = json.load(open(os.path.join(ROOT, "family", "fonts", "tibetan", "tibetan.map.json"),
                     encoding="utf-8"))


class Library:
    def __init__(self, file):
        conv = next(c for c in MAP["converters"] if c["file"] == file)
        self.converter = Converter(os.path.join(FAMILY_DIR, file), conv["entry"])
        face = next(f for f in MAP["faces"] if f["face"] == conv["fonts"]["1"])
        self.glyph_of = {code: MAP["glyphs"][int(g)] for g, code in face["codes"].items()}

    def glyphs(self, text):
        """(name, dx, dy) of each glyph a Unicode text is drawn with."""
        pairs = self.converter.pairs(tibetan.encode(MAP, text))
        return [(self.glyph_of[c]["name"], self.glyph_of[c]["dx"], self.glyph_of[c]["dy"])
                for c, _ in pairs]

    def names(self, text):
        return [g[0] for g in self.glyphs(text)]


class TibetanGlyphs(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tb = Library("TBMCV32.DLL")
        cls.dr = Library("DRMCV32.DLL")

    def test_common_words_draw_with_noto_s_own_glyphs(self):
        words = ["བཀྲ", "ཤིས", "བདེ", "ལེགས", "རྒྱལ", "སྐྱེས", "སྒྲིག", "སྤྱོད"]
        for word, shaped in zip(words, shape_many(MAP["source_font"], words)):
            with self.subTest(word=word):
                self.assertEqual(self.tb.names(word), [g.name for g in shaped])
                self.assertEqual(self.dr.glyphs(word), self.tb.glyphs(word))

    def test_the_tsheg_is_the_space_code_and_the_shad_takes_a_space(self):
        self.assertEqual(tibetan.encode(MAP, "ཀ་ཁ"), bytes([0xD9, 0x20, 0xD7]))
        self.assertEqual(self.tb.names("ཀ་ཁ"), ["uni0F40", "uni0F0B", "uni0F41"])
        self.assertEqual(self.tb.names("ཀ། ཁ"), ["uni0F40", "uni0F0D", "space", "uni0F41"])

    def test_a_u_sign_the_face_lacks_fused_is_a_mark_after_the_stack(self):
        cores = dict((t, g) for t, g in MAP["rules"]["cores"])
        codes = self.tb.glyph_of
        coded = {MAP["glyphs"].index(g) for g in codes.values()}
        found = [c for c in sorted(cores) if c.endswith(tibetan.U_SIGN) and len(cores[c]) == 1
                 and cores[c][0] not in coded and all(g in coded for g in cores[c[:-1]])]
        self.assertTrue(found)
        for core in found[:10]:
            with self.subTest(core=core):
                names = self.tb.names(core)
                self.assertEqual(names[:-1], [MAP["glyphs"][g]["name"] for g in cores[core[:-1]]])
                self.assertTrue(names[-1].startswith("uni0F74"), names)

    def test_no_subjoined_letter_is_lost_in_a_stack_the_face_lacks(self):
        for text in ["ཀྐྐྐ", "ཧྥི", "པྡྨ", "སྟྭ"]:
            with self.subTest(text=text):
                names = self.tb.names(text)
                letters = [ch for ch in tibetan.split_stacks(text)[0].core()]
                # Each letter is a glyph, or a part of one that holds several.
                drawn = "".join(n[3:].split(".")[0] for n in names if n.startswith("uni"))
                for ch in letters:
                    code = "%04X" % ord(ch)
                    full = "%04X" % (ord(ch) - 0x50)
                    self.assertTrue(code in drawn or full in drawn, (ch, names))


class TibetanText(unittest.TestCase):
    def test_encoder(self):
        self.assertEqual(tibetan.encode(MAP, "ཀྱ"), bytes([0xD9, 0xCC]))  # own byte
        self.assertEqual(tibetan.encode(MAP, "ཀྐ"), bytes([0xD9, 0xDA, 0xD9]))  # joiner
        self.assertEqual(tibetan.encode(MAP, "ཀ་ ཁ"), bytes([0xD9, 0x20, 0xD7]))
        self.assertEqual(tibetan.encode(MAP, "ཀ༢"), bytes([0xD9, 0xF3]))
        self.assertIsNone(tibetan.encode(MAP, "ཀa"))

    def test_stacks(self):
        items = tibetan.split_stacks("བསྒྲུབས་")
        self.assertEqual([i.core() if isinstance(i, tibetan.Stack) else i for i in items],
                         ["བ", "སྒྲུ", "བ", "ས", "་"])

    def test_word_lists_expand_the_dictionaries(self):
        words = tibetan_words.words("tibetan")
        self.assertIn("བགླ", words)
        self.assertIn("བགླའི", words)  # a grammatical ending of the stem
        self.assertEqual(len(words), len(set(words)))
        dz = tibetan_words.words("dzongkha")
        self.assertGreater(len(dz), len(words))


if __name__ == "__main__":
    unittest.main()
