#!/usr/bin/python3
"""Draws sample text of the Devanagari family into a PNG: ISCII through our
converter libraries and our fonts, as a VEdit control draws it, with the
same text laid out by HarfBuzz and Noto in grey below each line.

    render_family.py --family-dir build/native/system --fonts family/fonts/devanagari \
        --map family/fonts/devanagari/devanagari.map.json --out build/demo/devanagari.png
"""
import argparse
import json
import os
import sys

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "fidelity"))

from familyrender import ENGLISH, EXTENSION, SCRIPT, Converter, Face, draw_run  # noqa: E402
from fidelity import IsciiEncoder  # noqa: E402

CELL = 40  # font cell height in pixels (30 points at 96 dpi)

# (title, converter, script face, English face, extension face, Vedic drawing, text)
SAMPLES = [
    ("Devanagari, bilingual (DVBCV32.DLL)", "DVBCV32.DLL", "DVB-TTDorvan", "DVB-TTDorvan",
     "DVB-TTDorvanEN", False, "नमस्ते! यह Vexa का प्रदर्शन है: हिन्दी, मराठी और संस्कृत।"),
    ("Devanagari, monolingual (DVMCV32.DLL)", "DVMCV32.DLL", "DV-TTDorvan", "DV1-TTDorvan", "",
     False, "क्षत्रिय, ज्ञान, श्रीमती, द्वारा, राष्ट्रीय, कृपया, ट्रेन, पर्यावरण (2026)"),
    ("Sanskrit (SDMCV32.DLL)", "SDMCV32.DLL", "SD-TTDorvan", "DV1-TTDorvan", "", False,
     "धर्मक्षेत्रे कुरुक्षेत्रे समवेता युयुत्सवः। मामकाः पाण्डवाश्चैव किमकुर्वत सञ्जय॥"),
    ("Vedic, with accents (VDMCV32.DLL)", "VDMCV32.DLL", "VD-TTDorvan", "DV1-TTDorvan",
     "VD2-TTDorvan", True, "अ॒ग्निमी॑ळे पु॒रोहि॑तं य॒ज्ञस्य॑ दे॒वमृ॒त्विज॑म्। होता॑रं रत्न॒धात॑मम्॥"),
    ("Roman transliteration (RMMCV32.DLL)", "RMMCV32.DLL", "DV1-TTDorvan", "DV1-TTDorvan", "",
     False, "धर्मक्षेत्रे कुरुक्षेत्रे समवेता युयुत्सवः। मामकाः पाण्डवाश्चैव किमकुर्वत सञ्जय॥"),
]


class Encoder(IsciiEncoder):
    """Unicode to ISCII with the Vedic signs as 0xF0 pairs and ASCII kept."""

    def __init__(self, fmap, converter=None):
        # A converter may read some codes its own way (Assamese ra and wa).
        super().__init__(fmap, converter)
        for i, ch in enumerate(fmap.get("vedic", [])):
            self.single[ch] = bytes([0xF0, 0xA1 + i])
        for c in range(0x20, 0x7F):
            self.single[chr(c)] = bytes([c])


def draw_reference(d, x, baseline, text, script_font, latin_font):
    """The text laid out by HarfBuzz: script runs in Noto Sans Devanagari,
    Latin letters (which that face lacks) in Noto Sans."""
    runs, current = [], ""
    for ch in text:
        latin = ch.isascii() and ch.isalpha()
        if current and (current[-1].isascii() and current[-1].isalpha()) != latin:
            runs.append(current)
            current = ""
        current += ch
    runs.append(current)
    for run in runs:
        font = latin_font if run[0].isascii() and run[0].isalpha() else script_font
        d.text((x, baseline), run, font=font, fill=(150, 150, 150), anchor="ls")
        x += font.getlength(run)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--family-dir", required=True)
    ap.add_argument("--fonts", required=True)
    ap.add_argument("--map", required=True)
    ap.add_argument("--out", required=True)
    args = ap.parse_args()
    fmap = json.load(open(args.map, encoding="utf-8"))
    entries = {c["file"]: c["entry"] for c in fmap["converters"]}
    encoder = Encoder(fmap)
    noto = ImageFont.truetype(fmap["source_font"], 24, layout_engine=ImageFont.Layout.RAQM)
    label = ImageFont.truetype(fmap["latin_font"], 16)
    latin = ImageFont.truetype(fmap["latin_font"], 24, layout_engine=ImageFont.Layout.RAQM)

    width, row = 1500, CELL * 2 + 50
    img = Image.new("RGB", (width, row * len(SAMPLES) + 20), (255, 255, 255))
    d = ImageDraw.Draw(img)
    y = 10
    for title, library, script, english, extension, vedic, text in SAMPLES:
        iscii = encoder.encode(text)
        if iscii is None:
            raise SystemExit(f"not expressible in ISCII: {text}")
        converter = Converter(os.path.join(args.family_dir, library), entries[library])
        face = lambda name: Face(os.path.join(args.fonts, name + ".ttf"), CELL) if name else None
        fonts = {SCRIPT: face(script), ENGLISH: face(english), EXTENSION: face(extension)}
        d.text((10, y), title, font=label, fill=(40, 40, 160))
        run = converter.run(iscii)
        draw_run(d, 10, y + 20, run, fonts, vedic=vedic)
        draw_reference(d, 10, y + 20 + CELL + 30, text, noto, latin)
        y += row
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    img.save(args.out)
    print(f"wrote {args.out}")


if __name__ == "__main__":
    main()
