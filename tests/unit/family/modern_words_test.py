#!/usr/bin/python3
"""The committed lists of modern words (family/words): measured words are
never words the glyph inventories were ranked on.

    modern_words_test.py
"""
import json
import os
import sys
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "fontgen"))
sys.path.insert(0, os.path.join(ROOT, "tools", "fidelity"))

import modern_words  # noqa: E402
import wordlists  # noqa: E402
from fidelity import read_words  # noqa: E402


def family_block(family):
    with open(os.path.join(ROOT, "family", "fonts", family, family + ".map.json"),
              encoding="utf-8") as f:
        return wordlists.block_of(json.load(f)["script"]["consonants"][0])


class HalvesTest(unittest.TestCase):
    def test_halves_split_every_list_without_overlap(self):
        for lang in modern_words.config():
            words = modern_words.read(lang)
            train, held = modern_words.read(lang, "train"), modern_words.read(lang, "held")
            with self.subTest(lang=lang):
                self.assertGreater(len(words), 100)
                self.assertEqual(len(words), len(set(words)))
                self.assertFalse(set(train) & set(held))
                self.assertEqual(sorted(train + held), sorted(words))
                self.assertLess(abs(len(held) / len(words) - 0.5), 0.1)

    def test_a_word_is_held_out_in_every_list_of_its_family_or_in_none(self):
        # A family ranks its glyphs on the training halves of all its
        # languages (Bengali and Assamese, Hindi and Marathi).
        config = modern_words.config()
        for a in config:
            for b in config:
                if a != b and config[a]["family"] == config[b]["family"]:
                    with self.subTest(held=a, train=b):
                        self.assertFalse(set(modern_words.read(a, "held"))
                                         & set(modern_words.read(b, "train")))

    def test_the_harness_measures_the_held_out_half(self):
        self.assertEqual(read_words("modern:bn", "odd"), modern_words.read("bn", "held"))
        self.assertEqual(read_words("modern:bn", "even"), modern_words.read("bn", "train"))

    def test_words_are_letters_of_their_script(self):
        for lang, entry in modern_words.config().items():
            lo, hi = family_block(entry["family"])
            for w in modern_words.read(lang):
                with self.subTest(lang=lang, word=w):
                    self.assertTrue(all(lo <= ord(c) <= hi or c in "\u200c\u200d" for c in w))
                    self.assertNotIn(w[0], "\u09cd\u094d\u0acd\u0a4d\u0b4d\u0bcd\u0c4d\u0ccd\u0d4d")


class DictionaryTest(unittest.TestCase):
    def test_no_modern_word_is_in_a_dictionary_of_its_family(self):
        checked = 0
        for lang, entry in modern_words.config().items():
            family = entry["family"]
            with open(os.path.join(ROOT, "family", "fonts", family, "fidelity.json"),
                      encoding="utf-8") as f:
                specs = json.load(f)["words"]
            for spec in set(specs.values()) if isinstance(specs, dict) else {specs}:
                if not all(os.path.exists(p) for p in wordlists.files(spec)) or spec.startswith("aspell:"):
                    continue
                known = set(wordlists.read(spec, family_block(family)))
                with self.subTest(lang=lang, spec=spec):
                    self.assertFalse(known & set(modern_words.read(lang)))
                checked += 1
        if not checked:
            self.skipTest("no dictionary installed")


if __name__ == "__main__":
    unittest.main()
