#!/usr/bin/python3
"""The harness finds the separate marks of a word (tools/fidelity/marks.py):
blobs joined through diagonals, marks told from letters and specks, and a
mark that is missing, merged into a stroke, moved or added is a fault, on
drawn shapes and on real words drawn with Noto.

    marks_test.py
"""
import os
import sys
import unittest

import numpy as np
from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "fidelity"))

import marks  # noqa: E402

SIZE = 40
NOTO = "/usr/share/fonts/truetype/noto/NotoSans{}-Regular.ttf"


def picture(*shapes):
    """An 8-bit picture with filled rectangles (x0, y0, x1, y1)."""
    img = Image.new("L", (200, 80), 0)
    d = ImageDraw.Draw(img)
    for box in shapes:
        d.rectangle(box, fill=255)
    return img


BODY = (10, 30, 120, 60)   # a letter: far above the size of a mark
DOT = (60, 12, 65, 17)     # a 6x6 dot above it


def kinds(faults):
    return sorted(kind for kind, _ in faults)


class BlobTest(unittest.TestCase):
    def test_blobs_join_through_diagonals_and_around_a_hollow(self):
        ink = np.zeros((6, 8), dtype=bool)
        ink[0, 0] = ink[1, 1] = ink[2, 2] = True          # a diagonal line: one blob
        ink[0, 5] = ink[0, 7] = True                       # a U, joined only at its foot
        ink[1, 5] = ink[1, 7] = True
        ink[2, 5:8] = True
        ink[5, 0:3] = True                                 # apart from both
        found = sorted((b.area, b.width, b.height) for b in marks.blobs(ink))
        self.assertEqual(found, [(3, 3, 1), (3, 3, 3), (7, 3, 3)])

    def test_a_mark_is_small_a_letter_or_a_speck_is_not(self):
        ink = marks.ink_of(picture(BODY, DOT, (150, 10, 153, 50), (180, 10, 180, 11)))
        found = marks.marks_of(ink, SIZE)
        self.assertEqual([(b.area, round(b.cx), round(b.cy)) for b in found], [(36, 62, 14)])


class FaultTest(unittest.TestCase):
    def test_faults_of_drawn_shapes(self):
        cases = {
            "same": (picture(BODY, DOT), picture(BODY, DOT), []),
            "a pixel of drift": (picture(BODY, DOT), picture(BODY, (61, 13, 66, 18)), []),
            "missing": (picture(BODY, DOT), picture(BODY), ["missing"]),
            "melted into a stroke": (picture(BODY, DOT), picture(BODY, (58, 12, 64, 40)), ["merged"]),
            "moved away": (picture(BODY, DOT), picture(BODY, (90, 12, 95, 17)), ["extra", "missing"]),
            "added": (picture(BODY), picture(BODY, DOT), ["extra"]),
            "one mark in two blobs": (picture(BODY, (50, 10, 61, 15)),
                                      picture(BODY, (50, 10, 54, 15), (57, 10, 61, 15)), []),
            "joined to a letter in the reference only": (picture(BODY, (60, 12, 65, 29)),
                                                         picture(BODY, (60, 12, 65, 17)), []),
            "joined to a letter in ours only": (picture(BODY, DOT), picture(BODY, (60, 12, 65, 29)),
                                                ["merged"]),
            "a stroke for a dot": (picture(BODY, DOT), picture(BODY, (40, 12, 65, 19)), ["merged"]),
        }
        for name, (reference, ours, expected) in cases.items():
            with self.subTest(name):
                self.assertEqual(kinds(marks.mark_faults(reference, ours, SIZE)), expected)

    def test_two_close_marks_pair_with_their_own_partners(self):
        reference = picture(BODY, (50, 12, 55, 17), (58, 12, 63, 17))
        ours = picture(BODY, (51, 12, 56, 17), (59, 12, 64, 17))
        self.assertEqual(marks.mark_faults(reference, ours, SIZE), [])
        self.assertEqual(kinds(marks.mark_faults(reference, picture(BODY, (51, 12, 56, 17)), SIZE)),
                         ["missing"])


@unittest.skipUnless(os.path.exists(NOTO.format("Devanagari")) and os.path.exists(NOTO.format("Bengali")),
                     "Noto fonts not installed")
class NotoWordTest(unittest.TestCase):
    def word(self, script, text, extra=None):
        font = ImageFont.truetype(NOTO.format(script), SIZE, layout_engine=ImageFont.Layout.RAQM)
        img = Image.new("L", (220, 80), 0)
        d = ImageDraw.Draw(img)
        d.text((12, 52), text, font=font, fill=255, anchor="ls")
        if extra:
            d.ellipse(extra, fill=255)
        return img

    def test_real_marks_are_found_and_their_loss_is_a_fault(self):
        cases = [
            ("Devanagari", "में", "मे", 1),    # anusvara after the e sign
            ("Devanagari", "हैं", "है", 1),
            ("Devanagari", "ज़रा", "जरा", 1),   # nukta
            ("Devanagari", "अतः", "अत", 2),     # visarga: two dots
            ("Bengali", "হাওয়াই", "হাওযাই", 1),  # the nukta of ya
            ("Bengali", "চাঁদ", "চাদ", 2),     # candrabindu: arc and dot
        ]
        for script, word, without, count in cases:
            with self.subTest(word):
                reference = self.word(script, word)
                self.assertEqual(len(marks.marks_of(marks.ink_of(reference), SIZE)), count)
                self.assertEqual(marks.mark_faults(reference, reference, SIZE), [])
                faults = marks.mark_faults(reference, self.word(script, without), SIZE)
                self.assertEqual(kinds(faults), ["missing"] * count)

    def test_an_anusvara_inside_the_signs_stroke_is_merged(self):
        reference = self.word("Devanagari", "में")
        mark = marks.marks_of(marks.ink_of(reference), SIZE)[0]
        # The dot drawn two pixels to the left, where it touches the e sign's stroke.
        x, y = mark.cx - 2, mark.cy
        ours = self.word("Devanagari", "मे", extra=(x - 3, y - 3, x + 3, y + 3))
        self.assertEqual(kinds(marks.mark_faults(reference, ours, SIZE)), ["merged"])


if __name__ == "__main__":
    unittest.main()
