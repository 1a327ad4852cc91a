#!/usr/bin/python3
"""Regenerates, or checks, the generated files of every script family.

    regenerate.py --write   maps, converter tables and fonts (make fonts)
    regenerate.py --check   are the committed files current? (a ctest)

A family is a folder family/fonts/<family>/ with a make_map.py. Its outputs:
    family/fonts/<family>/<family>.map.json     the one source of glyph codes
    family/converters/<family>/<family>_tables.inc
    family/fonts/<family>/*.ttf

The check is quick: it does not shape again. It compares the inputs the map
records (source fonts, word list, generator sources, HarfBuzz version) with
the installed ones, and rebuilds tables and fonts from the committed map
into a temporary folder to compare them byte for byte.
"""
import filecmp
import glob
import importlib.util
import json
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
TOOLS = os.path.join(ROOT, "tools", "fontgen")
PY = sys.executable
SKIP = 77


def families():
    for maker in sorted(glob.glob(os.path.join(ROOT, "family", "fonts", "*", "make_map.py"))):
        yield os.path.basename(os.path.dirname(maker)), maker


def paths(name):
    fonts = os.path.join(ROOT, "family", "fonts", name)
    return (os.path.join(fonts, name + ".map.json"),
            os.path.join(ROOT, "family", "converters", name, name + "_tables.inc"), fonts)


def tables(map_path, name, out):
    subprocess.run([PY, os.path.join(TOOLS, "gen_tables.py"), map_path, name, out], check=True)
    # The fragment names its map by file name only, so the output does not
    # depend on where it was made.


def fonts(map_path, out_dir):
    subprocess.run([PY, os.path.join(TOOLS, "build_fonts.py"), map_path, out_dir], check=True,
                   stdout=subprocess.DEVNULL)


def tools_present():
    if shutil.which("hb-shape") is None:
        return "hb-shape is missing"
    if importlib.util.find_spec("fontTools") is None:
        return "fontTools is missing"
    return None


def write():
    for name, maker in families():
        map_path, inc, font_dir = paths(name)
        # A fixed hash seed: set iteration order (and with it ties between
        # glyphs of equal rank) is the same from one run to the next.
        subprocess.run([PY, maker, map_path], check=True, env=dict(os.environ, PYTHONHASHSEED="0"))
        tables(map_path, name, inc)
        fonts(map_path, font_dir)
    return 0


def check():
    missing = tools_present()
    if missing:
        print("skipped:", missing)
        return SKIP
    stale = []
    sys.path.insert(0, TOOLS)
    import familymap
    for name, maker in families():
        map_path, inc, font_dir = paths(name)
        fmap = json.load(open(map_path, encoding="utf-8"))
        found = importlib.util.spec_from_file_location("maker_" + name, maker)
        module = importlib.util.module_from_spec(found)
        sys.path.insert(0, os.path.dirname(maker))
        found.loader.exec_module(module)
        for f in (fmap["source_font"], fmap["latin_font"]):
            if not os.path.exists(f):
                print("skipped:", f, "is missing")
                return SKIP
        if familymap.input_hashes(module.input_files()) != fmap.get("inputs"):
            stale.append(f"{map_path}: made from other inputs than the installed ones")
        with tempfile.TemporaryDirectory() as tmp:
            out_inc = os.path.join(tmp, os.path.basename(inc))
            tables(map_path, name, out_inc)
            if not filecmp.cmp(out_inc, inc, shallow=False):
                stale.append(f"{inc}: differs from its map")
            fonts(map_path, tmp)
            made = sorted(os.path.basename(p) for p in glob.glob(os.path.join(tmp, "*.ttf")))
            have = sorted(os.path.basename(p) for p in glob.glob(os.path.join(font_dir, "*.ttf")))
            if made != have:
                stale.append(f"{font_dir}: fonts {have} where the map gives {made}")
            for f in made:
                if f in have and not filecmp.cmp(os.path.join(tmp, f), os.path.join(font_dir, f),
                                                 shallow=False):
                    stale.append(f"{font_dir}/{f}: differs from its map")
    for s in stale:
        print("stale:", s)
    if stale:
        print("run `make fonts` and commit the results")
        return 1
    print("generated family files are current")
    return 0


if __name__ == "__main__":
    sys.exit(write() if "--write" in sys.argv[1:] else check())
