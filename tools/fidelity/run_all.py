#!/usr/bin/python3
"""Runs the fidelity harness on every converter of every family that has a
family/fonts/<family>/fidelity.json:

    {"words": "<hunspell .dic path or aspell:<lang>>", "libraries": ["XXBCV32.DLL", ...],
     "sample": <words to measure, spread over the held-out half; 0 = all>}

"words" may also map each library to its own list (Bengali and Assamese),
join several lists with "+" and name gettext catalogues
(tools/fontgen/wordlists.py).

    run_all.py --family-dir build/native/system --out build/fidelity [--family NAME ...]

Then every library is measured again on the modern words of each language it
draws (family/words/modern.json: words of Debian's translated catalogues that
the dictionaries lack, held-out half by a hash of the word; at most
MODERN_SAMPLE words spread over it).

Writes a sheet of the worst words and the list of failures per library (and
per library and language for the modern words) into the out folder, and
prints one line per library and kind of text.
"""
import argparse
import glob
import json
import os
import subprocess
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
MODERN = os.path.join(ROOT, "family", "words", "modern.json")
MODERN_SAMPLE = 2000


def modern_languages(lib):
    """The languages whose modern words the library draws."""
    if not os.path.exists(MODERN):
        return []
    langs = json.load(open(MODERN, encoding="utf-8"))
    return [lang for lang, entry in sorted(langs.items()) if lib in entry["libraries"]]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--family-dir", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--family", action="append", default=[])
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    failed = False
    for config in sorted(glob.glob(os.path.join(ROOT, "family", "fonts", "*", "fidelity.json"))):
        folder = os.path.dirname(config)
        name = os.path.basename(folder)
        if args.family and name not in args.family:
            continue
        conf = json.load(open(config, encoding="utf-8"))
        for lib in conf["libraries"]:
            # "words" may also name a list per library.
            words = conf["words"][lib] if isinstance(conf["words"], dict) else conf["words"]
            base = [sys.executable, os.path.join(ROOT, "tools", "fidelity", "fidelity.py"),
                    "--family-dir", args.family_dir, "--fonts", folder,
                    "--map", os.path.join(folder, name + ".map.json"), "--library", lib]
            runs = [(words, conf.get("sample", 0), "dictionary held-out", lib)]
            runs += [("modern:" + lang, MODERN_SAMPLE, f"modern {lang} held-out", f"{lib}-modern-{lang}")
                     for lang in modern_languages(lib)]
            for spec, sample, label, out in runs:
                cmd = base + ["--words", spec, "--sample", str(sample), "--label", label,
                              "--sheet", os.path.join(args.out, out + ".png"),
                              "--list-failures", os.path.join(args.out, out + ".txt")]
                failed |= subprocess.run(cmd).returncode != 0
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
