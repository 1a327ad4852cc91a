#!/usr/bin/python3
"""Runs the fidelity harness on every converter of every family that has a
family/fonts/<family>/fidelity.json:

    {"words": "<hunspell .dic path or aspell:<lang>>", "libraries": ["XXBCV32.DLL", ...],
     "sample": <words to measure, spread over the held-out half; 0 = all>}

"words" may also map each library to its own list (Bengali and Assamese),
join several lists with "+" and name gettext catalogues
(tools/fontgen/wordlists.py).

    run_all.py --family-dir build/native/system --out build/fidelity [--family NAME ...]

Writes a sheet of the worst words and the list of failures per library into
the out folder, and prints one line per library.
"""
import argparse
import glob
import json
import os
import subprocess
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


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
            cmd = [sys.executable, os.path.join(ROOT, "tools", "fidelity", "fidelity.py"),
                   "--family-dir", args.family_dir, "--fonts", folder,
                   "--map", os.path.join(folder, name + ".map.json"), "--library", lib,
                   "--words", words, "--sample", str(conf.get("sample", 0)),
                   "--sheet", os.path.join(args.out, lib + ".png"),
                   "--list-failures", os.path.join(args.out, lib + ".txt")]
            failed |= subprocess.run(cmd).returncode != 0
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
