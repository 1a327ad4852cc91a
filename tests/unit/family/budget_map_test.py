#!/usr/bin/python3
"""The code-budget experiment (tools/fidelity/budget.py) measures what it
claims: a budget of N holds exactly the first N glyphs of the map's order,
223 to a face, each face drawn through its own font digit, and the budgets
of the committed faces hold the glyphs those faces hold.

    budget_map_test.py
"""
import json
import os
import sys
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "fontgen"))
sys.path.insert(0, os.path.join(ROOT, "tools", "fidelity"))

import budget  # noqa: E402
import gen_tables  # noqa: E402


def load(family):
    with open(os.path.join(ROOT, "family", "fonts", family, family + ".map.json"),
              encoding="utf-8") as f:
        return json.load(f)


class BudgetMapTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.fmap = load("telugu")

    def test_a_budget_holds_the_first_glyphs_once_each_in_faces_of_223(self):
        for held in (128, 223, 224, 500, len(self.fmap["glyphs"])):
            with self.subTest(held=held):
                bmap = budget.budget_map(self.fmap, "TLMCV32.DLL", held)
                seen = []
                for face in bmap["faces"]:
                    codes = face["codes"]
                    self.assertLessEqual(len(codes), 223)
                    self.assertEqual(len(set(codes.values())), len(codes))
                    self.assertTrue(all(0x21 <= c <= 0xFF for c in codes.values()))
                    seen += [int(g) for g in codes]
                self.assertEqual(sorted(seen), list(range(held)))
                self.assertEqual(len(bmap["faces"]), -(-held // 223))
                conv = bmap["converters"]
                self.assertEqual([c["file"] for c in conv], ["TLMCV32.DLL"])
                self.assertEqual(conv[0]["fonts"], {str(i + 1): f["face"]
                                                    for i, f in enumerate(bmap["faces"])})

    def test_every_held_glyph_takes_the_code_and_digit_of_its_own_face(self):
        bmap = budget.budget_map(self.fmap, "TLMCV32.DLL", 600)
        codes = gen_tables.resolve_codes(bmap, bmap["converters"][0])
        for digit, face in bmap["converters"][0]["fonts"].items():
            f = next(x for x in bmap["faces"] if x["face"] == face)
            for g, code in f["codes"].items():
                self.assertEqual(codes[int(g)], (code, digit))
        self.assertEqual({d for _, d in codes[:600]}, {"1", "2", "3"})

    def test_the_committed_faces_are_budgets_of_the_same_order(self):
        # The table of budgets compares like with like only while the
        # committed faces hold a prefix of the map's order.
        for face_name, held in (("TLB-TTQuilan", 128), ("TL-TTQuilan", 223)):
            with self.subTest(face=face_name):
                face = next(f for f in self.fmap["faces"] if f["face"] == face_name)
                bmap = budget.budget_map(self.fmap, "TLMCV32.DLL", held)
                budget_glyphs = {g for f in bmap["faces"] for g in f["codes"]}
                self.assertEqual(set(face["codes"]), budget_glyphs)

    def test_the_map_itself_is_left_unchanged(self):
        before = json.dumps(self.fmap, sort_keys=True)
        budget.budget_map(self.fmap, "TLBCV32.DLL", 300)
        self.assertEqual(json.dumps(self.fmap, sort_keys=True), before)


if __name__ == "__main__":
    unittest.main()
