#!/usr/bin/python3
"""What a family's code budget costs: the same map, rules and ranking, with
the faces holding the first N glyphs of the map's order for several N, up to
every glyph (the ceiling of the rules themselves).

    budget.py --map family/fonts/telugu/telugu.map.json --library TLMCV32.DLL \
        --budgets 128,223,351,446,all --out build/budget/telugu \
        [--sample 1500] [--modern te --modern-sample 1000] [--half odd]

For each budget it writes an experimental map under the out folder whose
faces are chunks of 223 codes (0x21-0xFF) drawn through font digits '1',
'2', '3' ..., regenerates the tables and fonts from it, compiles the
library's converter source over those tables, and measures it as the
fidelity harness does (held-out half of the dictionary and of the modern
words). Nothing it writes belongs in the repository.
"""
import argparse
import copy
import json
import os
import subprocess
import sys

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, HERE)
import fidelity  # noqa: E402
from familyrender import Converter  # noqa: E402

CHUNK = 223
ENGINE = ["syllable.cpp", "brahmic_converter.cpp"]


class ManyFonts(fidelity.OurFonts):
    """The harness's fonts, drawn through any number of font digits."""

    def draw(self, pairs, width):
        img = Image.new("L", (width, fidelity.HEIGHT), 0)
        d = ImageDraw.Draw(img)
        x = fidelity.PAD
        for code, digit in pairs:
            key = digit if digit in self.fonts else "1"
            d.text((x, int(fidelity.SIZE * 1.3)), chr(0xF000 + code), font=self.fonts[key],
                   fill=255, anchor="ls")
            x += self.adv[key].get(code, 0)
        return img


def budget_map(fmap, library, held):
    """The map with faces that hold glyphs 0..held-1, 223 to a face."""
    out = copy.deepcopy(fmap)
    conv = dict(next(c for c in fmap["converters"] if c["file"] == library))
    faces, fonts = [], {}
    for i, first in enumerate(range(0, held, CHUNK)):
        name = "BUDGET%d" % (i + 1)
        codes = {str(g): 0x21 + g - first for g in range(first, min(held, first + CHUNK))}
        faces.append({"face": name, "latin": False, "slots": "all", "script": True, "codes": codes})
        fonts[str(i + 1)] = name
    conv["fonts"] = fonts
    out["faces"], out["converters"] = faces, [conv]
    return out


def compile_library(folder, family, library, engine_objects):
    source = os.path.join(ROOT, "family", "converters", family, library.split(".")[0].lower() + ".cpp")
    out = os.path.join(folder, library)
    subprocess.run(["g++", "-std=c++20", "-O2", "-shared", "-fPIC", "-fvisibility=hidden",
                    "-I", folder, "-I", os.path.join(ROOT, "family", "converters"),
                    "-I", os.path.join(ROOT, "src"), source] + engine_objects + ["-o", out], check=True)
    return out


def engine_objects(out):
    objs = []
    for src in ENGINE:
        obj = os.path.join(out, src.replace(".cpp", ".o"))
        path = os.path.join(ROOT, "family", "converters", "engine", src)
        if not os.path.exists(obj) or os.path.getmtime(obj) < os.path.getmtime(path):
            subprocess.run(["g++", "-std=c++20", "-O2", "-fPIC", "-c", "-I",
                            os.path.join(ROOT, "family", "converters"), "-I", os.path.join(ROOT, "src"),
                            path, "-o", obj],
                           check=True)
        objs.append(obj)
    return objs


def measure(fmap, conv, lib_path, font_dir, words):
    converter = Converter(lib_path, conv["entry"])
    ours = ManyFonts(font_dir, conv["fonts"])
    noto = ImageFont.truetype(fmap["source_font"], fidelity.SIZE, layout_engine=ImageFont.Layout.RAQM)
    encoder = fidelity.IsciiEncoder(fmap, conv)
    matched = total = 0
    failures = []
    for word in words:
        iscii = encoder.encode(word)
        if iscii is None:
            continue
        width = int(noto.getlength(word)) + 2 * fidelity.PAD + fidelity.SIZE
        ok, _, _ = fidelity.judge(fidelity.reference(noto, word, width),
                                  ours.draw(converter.pairs(iscii), width))
        matched += ok
        total += 1
        if not ok:
            failures.append(word)
    return matched, total, failures


def spread(words, n):
    if n and len(words) > n:
        return [words[i * len(words) // n] for i in range(n)]
    return words


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--map", required=True)
    ap.add_argument("--library", required=True)
    ap.add_argument("--family", help="the family folder (default: the map's folder name)")
    ap.add_argument("--budgets", default="128,223,351,446,all",
                    help="glyph counts, 'all', or 'map' (the library's faces in the map)")
    ap.add_argument("--out", required=True)
    ap.add_argument("--words", help="dictionary (default: the family's fidelity.json)")
    ap.add_argument("--sample", type=int, default=1500)
    ap.add_argument("--modern", help="language of the modern words to measure too")
    ap.add_argument("--modern-sample", type=int, default=1000)
    ap.add_argument("--half", default="odd", choices=["odd", "even"])
    args = ap.parse_args()

    fmap = json.load(open(args.map, encoding="utf-8"))
    family = args.family or os.path.basename(os.path.dirname(os.path.abspath(args.map)))
    words_spec = args.words or json.load(open(os.path.join(ROOT, "family", "fonts", family,
                                                           "fidelity.json")))["words"]
    sets = [("dictionary", spread(fidelity.read_words(words_spec, args.half), args.sample))]
    if args.modern:
        sets.append(("modern " + args.modern,
                     spread(fidelity.read_words("modern:" + args.modern, args.half), args.modern_sample)))
    os.makedirs(args.out, exist_ok=True)
    objs = engine_objects(args.out)
    total_glyphs = len(fmap["glyphs"])
    for b in args.budgets.split(","):
        folder = os.path.join(args.out, str(b))
        os.makedirs(os.path.join(folder, family), exist_ok=True)
        if b == "map":
            # The library's own faces, as the map gives them.
            bmap = dict(fmap, converters=[c for c in fmap["converters"] if c["file"] == args.library])
            held = len({g for f in fmap["faces"] if f["face"] in bmap["converters"][0]["fonts"].values()
                        for g in f["codes"]})
        else:
            held = total_glyphs if b == "all" else min(int(b), total_glyphs)
            bmap = budget_map(fmap, args.library, held)
        map_path = os.path.join(folder, family + ".map.json")
        with open(map_path, "w", encoding="utf-8") as f:
            json.dump(bmap, f, ensure_ascii=False)
        tools = os.path.join(ROOT, "tools", "fontgen")
        subprocess.run([sys.executable, os.path.join(tools, "gen_tables.py"), map_path, family,
                        os.path.join(folder, family, family + "_tables.inc")], check=True)
        subprocess.run([sys.executable, os.path.join(tools, "build_fonts.py"), map_path, folder],
                       check=True, stdout=subprocess.DEVNULL)
        lib = compile_library(folder, family, args.library, objs)
        line = []
        for label, words in sets:
            matched, total, failures = measure(bmap, bmap["converters"][0], lib, folder, words)
            line.append(f"{label} {matched}/{total} ({100 * matched / max(total, 1):.1f} %)")
            with open(os.path.join(folder, label.replace(" ", "-") + "-failures.txt"), "w",
                      encoding="utf-8") as f:
                f.write("\n".join(failures) + "\n")
        print(f"{args.library} budget {b} ({held} of {total_glyphs} glyphs): " + ", ".join(line),
              flush=True)


if __name__ == "__main__":
    sys.exit(main())
