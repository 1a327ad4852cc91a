"""Batch shaping through HarfBuzz's hb-shape, one string per line.

Used by the map generators and by the fidelity harness. One hb-shape process
shapes many thousands of strings, which keeps generation quick.
"""
import json
import os
import subprocess
import tempfile


class Glyph:
    __slots__ = ("name", "dx", "dy", "adv")

    def __init__(self, name, dx, dy, adv):
        self.name, self.dx, self.dy, self.adv = name, dx, dy, adv

    def is_mark(self):
        return self.adv == 0

    def __repr__(self):
        return f"{self.name}@{self.dx},{self.dy}+{self.adv}"


def shape_many(font_path, texts):
    """Shape each text (no newlines) and return one list of Glyph per text."""
    if not texts:
        return []
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt", delete=False) as f:
        for t in texts:
            assert "\n" not in t
            f.write(t + "\n")
        path = f.name
    try:
        out = subprocess.run(
            ["hb-shape", font_path, "--text-file=" + path, "--output-format=json", "--no-clusters"],
            check=True, capture_output=True, text=True).stdout
    finally:
        os.unlink(path)
    lines = out.splitlines()
    if len(lines) != len(texts):
        raise RuntimeError(f"hb-shape returned {len(lines)} lines for {len(texts)} texts")
    result = []
    for line in lines:
        result.append([Glyph(g["g"], g["dx"], g["dy"], g["ax"]) for g in json.loads(line)])
    return result
