#!/usr/bin/python3
"""Draws one line of every script of the catalogue into a PNG: the line's ISCII
through the script's converter library and fonts (font type "Bilingual", or
"Monolingual" where a script has no bilingual row), as a control draws it,
with the same text laid out by HarfBuzz and Noto in grey below it.

The lines come from family/fonts/<family>/sample.txt ("Script name<TAB>text"),
the libraries, entries and faces from the script catalogue's own source.

    render_scripts.py --family-dir build/native/system --out build/demo/scripts.png
"""
import argparse
import glob
import json
import os
import re
import sys

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "fidelity"))

from familyrender import ENGLISH, EXTENSION, SCRIPT, Converter, Face, draw_run  # noqa: E402
from render_family import Encoder, draw_reference  # noqa: E402
from fidelity import TextEncoder  # noqa: E402

EM = 26  # pixels per em of every script face, whatever its line height
LABEL_WIDTH = 300
ROW_FIELDS = ("name", "code", "entry", "mono_converter", "bi_converter", "mono_face",
              "mono_second", "mono_extension", "bi_face", "bi_second", "bi_extension")


def catalogue_rows():
    """The rows of the script catalogue, read from its source."""
    source = open(os.path.join(ROOT, "src", "script", "script_catalogue.cpp"), encoding="utf-8").read()
    rows = []
    for m in re.finditer(r"\{((?:\s*\"[^\"]*\"\s*,?){11})\}", source):
        values = re.findall(r"\"([^\"]*)\"", m.group(1))
        rows.append(dict(zip(ROW_FIELDS, values)))
    return rows


def samples():
    out = {}
    for path in sorted(glob.glob(os.path.join(ROOT, "family", "fonts", "*", "sample.txt"))):
        for line in open(path, encoding="utf-8"):
            if "\t" in line:
                name, text = line.rstrip("\n").split("\t", 1)
                out[name] = text
    return out


def maps_by_library():
    out = {}
    for path in glob.glob(os.path.join(ROOT, "family", "fonts", "*", "*.map.json")):
        fmap = json.load(open(path, encoding="utf-8"))
        for c in fmap["converters"]:
            out[c["file"]] = (fmap, c)
    return out


def face_path(name):
    found = glob.glob(os.path.join(ROOT, "family", "fonts", "*", name + ".ttf"))
    return found[0] if found else None


def cell_height(path):
    """The cell height that gives the face EM pixels per em: faces of tall
    scripts (Tibetan stacks) have far more room above and below the em."""
    from fontTools.ttLib import TTFont
    tt = TTFont(path)
    os2 = tt["OS/2"]
    return round(EM * (os2.usWinAscent + os2.usWinDescent) / tt["head"].unitsPerEm)


def columns(row):
    """Library and faces: the bilingual columns, or the monolingual ones for
    a script without a bilingual converter."""
    if row["bi_converter"]:
        return (row["bi_converter"], row["bi_face"], row["bi_second"] or row["bi_face"],
                row["bi_extension"], "Bilingual")
    return (row["mono_converter"], row["mono_face"], row["mono_second"], row["mono_extension"],
            "Monolingual")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--family-dir", required=True)
    ap.add_argument("--out", required=True)
    args = ap.parse_args()
    lines = samples()
    maps = maps_by_library()
    rows = [r for r in catalogue_rows() if r["name"] in lines]

    heights = []
    for row in rows:
        path = face_path(columns(row)[1])
        heights.append(2 * cell_height(path) + 10 if path else 2 * EM + 30)
    width = 1700
    img = Image.new("RGB", (width, sum(heights) + 20), (255, 255, 255))
    d = ImageDraw.Draw(img)
    label = ImageFont.truetype("/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf", 15)
    y = 10
    missing = []
    for row, height in zip(rows, heights):
        library, script, english, extension, font_type = columns(row)
        text = lines[row["name"]]
        d.text((10, y + 4), row["name"], font=label, fill=(40, 40, 160))
        d.text((10, y + 24), f"{library}, {font_type.lower()}", font=label, fill=(110, 110, 110))
        path = os.path.join(args.family_dir, library)
        if library not in maps or not os.path.exists(path) or not face_path(script):
            d.text((LABEL_WIDTH, y + 4), "library or font not built", font=label, fill=(200, 0, 0))
            missing.append(row["name"])
            y += height
            continue
        fmap, conv = maps[library]
        encoder = TextEncoder(fmap) if fmap.get("model") == "tibetan" else Encoder(fmap, conv)
        iscii = encoder.encode(text)
        if iscii is None:
            raise SystemExit(f"{row['name']}: not expressible in ISCII: {text}")
        cell = cell_height(face_path(script))
        fonts = {SCRIPT: Face(face_path(script), cell),
                 ENGLISH: Face(face_path(english), cell) if face_path(english) else None,
                 EXTENSION: Face(face_path(extension), cell) if extension else None}
        fonts = {k: v for k, v in fonts.items() if v is not None}
        run = Converter(path, row["entry"]).run(iscii)
        vedic = extension.upper() == "VD2-TTDORVAN"
        draw_run(d, LABEL_WIDTH, y, run, fonts, vedic=vedic)
        em = round(fonts[SCRIPT].em)  # the reference at the size of our script face
        noto = ImageFont.truetype(fmap["source_font"], em, layout_engine=ImageFont.Layout.RAQM)
        latin = ImageFont.truetype(fmap["latin_font"], em, layout_engine=ImageFont.Layout.RAQM)
        draw_reference(d, LABEL_WIDTH, y + cell + fonts[SCRIPT].ascent, text, noto, latin)
        y += height
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    img.save(args.out)
    print(f"wrote {args.out}: {len(rows) - len(missing)} scripts"
          + (f"; not built: {', '.join(missing)}" if missing else ""))


if __name__ == "__main__":
    main()
