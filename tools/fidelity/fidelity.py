#!/usr/bin/python3
"""Fidelity harness: do our converters and fonts draw words as HarfBuzz and
Noto do?

For every word of a Unicode word list: map it to ISCII, convert it syllable
by syllable with the converter library (loaded with ctypes, called as the
controls call it), draw the glyph codes with our 8-bit fonts at integer
advances (as GDI draws them), draw the Unicode word with HarfBuzz and Noto
(Pillow's raqm layout), and compare the two pictures.

Tolerance: both pictures are drawn at SIZE pixels per em and thresholded at
half coverage. A pixel of one picture that has no ink of the other picture
within RADIUS pixels is an outlier; a word's shape matches when its outliers
are at most max(MIN_OUTLIERS, OUTLIER_SHARE of its ink). A word is drawn
whole when its shape matches and it has every separate mark of the reference
(nukta, anusvara, visarga, ...) at its place, none merged into another stroke
and none added (marks.py): a tiny dot barely moves the shape score, but
without it the word reads as another word.

    fidelity.py --family-dir build/native/system --fonts family/fonts/devanagari \
        --map family/fonts/devanagari/devanagari.map.json --library DVBCV32.DLL \
        [--words /usr/share/hunspell/hi_IN.dic | --words aspell:kn | --words SPEC+SPEC |
         --words modern:bn] [--label TEXT] \
        [--half odd|even|all] \
        [--limit N] [--sample N] \
        [--sheet worst.png] [--min-share 0.97]
"""
import argparse
import json
import os
import subprocess
import sys
import unicodedata

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from familyrender import Converter
from marks import mark_faults

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fontgen"))
import wordlists  # noqa: E402

SIZE = 40
RADIUS = 2
MIN_OUTLIERS = 4
OUTLIER_SHARE = 0.01
PAD = 12
HEIGHT = SIZE * 2  # a map may ask for more ("picture_height", in ems): Tibetan stacks reach deep
ISCII_CONSONANTS = range(0xB3, 0xD9)


class IsciiEncoder:
    """Unicode to ISCII, the inverse of the byte table of one converter (the
    family's table with the converter's own readings of some codes).

    Signs that ISCII writes as another letter (see the map's script rules)
    are written the ISCII way: a sign the converter draws by context (Gurmukhi
    tippi) as the letter it replaces, the gemination mark (Gurmukhi addak)
    as its consonant doubled across a virama."""

    def __init__(self, fmap, conv=None):
        table = dict(fmap["iscii"])
        table.update((conv or {}).get("iscii", {}))
        self.single = {u: bytes([int(b, 16)]) for b, u in table.items()}
        self.pairs = {u: bytes([int(b, 16), 0xE9]) for b, u in fmap["iscii_nukta"].items()}
        self.virama = fmap["script"]["virama"]
        self.nukta = fmap["script"]["nukta"]
        self.single["\u0965"] = b"\xEA\xEA"  # double danda
        # Letters ISCII writes as a sequence (a Malayalam atomic chillu as
        # its consonant with a soft virama).
        for u, hexbytes in fmap.get("unicode_sequences", {}).items():
            self.single[u] = bytes.fromhex(hexbytes)
        for _, source, drawn in fmap["script"].get("modifier_swaps", []):
            if source in self.single:
                self.single.setdefault(drawn, self.single[source])
        self.gemination = fmap["script"].get("gemination") or None
        # A letter with a code of its own that NFC writes as base + nukta
        # (yya in Devanagari, Bengali and Oriya) takes its own code.
        self.composed = {}
        for u in list(self.single) + list(self.pairs):
            decomposed = unicodedata.normalize("NFD", u)
            if len(u) == 1 and len(decomposed) == 2 and decomposed[1] == self.nukta:
                self.composed[decomposed] = u

    def encode(self, word):
        """ISCII bytes of the word, or None when ISCII cannot express it."""
        word = unicodedata.normalize("NFC", word)
        for decomposed, u in self.composed.items():
            word = word.replace(decomposed, u)
        out = bytearray()
        i = 0
        while i < len(word):
            ch = word[i]
            nxt = word[i + 1] if i + 1 < len(word) else ""
            if ch == self.gemination:
                doubled = self.single.get(nxt)
                if not doubled or doubled[0] not in ISCII_CONSONANTS:
                    return None
                out += doubled + b"\xE8"
                i += 1
                continue
            if ch == self.virama and nxt == "\u200c":
                out += b"\xE8\xE8"
                i += 2
                continue
            if ch == self.virama and nxt == "\u200d":
                out += b"\xE8\xE9"
                i += 2
                continue
            if ch in self.pairs:
                out += self.pairs[ch]
            elif ch == self.nukta and out:
                out += b"\xE9"
            elif ch in self.single:
                out += self.single[ch]
            else:
                return None
            i += 1
        return bytes(out)


class TextEncoder:
    """Unicode to the bytes of a family whose map carries its own byte table."""

    def __init__(self, fmap):
        sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fontgen"))
        import tibetan
        self.fmap, self.tibetan = fmap, tibetan

    def encode(self, word):
        return self.tibetan.encode(self.fmap, word)


class OurFonts:
    def __init__(self, font_dir, faces):
        from fontTools.ttLib import TTFont
        self.fonts, self.adv = {}, {}
        for digit, face in faces.items():
            path = os.path.join(font_dir, face + ".ttf")
            self.fonts[digit] = ImageFont.truetype(path, SIZE, layout_engine=ImageFont.Layout.BASIC,
                                                  encoding="symb")
            tt = TTFont(path)
            upm = tt["head"].unitsPerEm
            cmap = {c - 0xF000: n for c, n in tt["cmap"].getcmap(3, 0).cmap.items()}
            # GDI advances: the scaled advance rounded to whole pixels.
            self.adv[digit] = {c: int(tt["hmtx"][n][0] * SIZE / upm + 0.5) for c, n in cmap.items()}

    def draw(self, pairs, width):
        img = Image.new("L", (width, HEIGHT), 0)
        d = ImageDraw.Draw(img)
        x = PAD
        for code, digit in pairs:
            key = "2" if digit == "2" else "1"
            font = self.fonts.get(key) or self.fonts["1"]
            d.text((x, int(SIZE * 1.3)), chr(0xF000 + code), font=font, fill=255, anchor="ls")
            x += self.adv.get(key, self.adv["1"]).get(code, 0)
        return img


def reference(font, word, width):
    img = Image.new("L", (width, HEIGHT), 0)
    ImageDraw.Draw(img).text((PAD, int(SIZE * 1.3)), word, font=font, fill=255, anchor="ls")
    return img


def outliers(a, b):
    a = a.point(lambda v: 255 if v >= 128 else 0)
    b = b.point(lambda v: 255 if v >= 128 else 0)
    grow = ImageFilter.MaxFilter(2 * RADIUS + 1)
    miss_a = ImageChops.subtract(a, b.filter(grow))
    miss_b = ImageChops.subtract(b, a.filter(grow))
    ink = a.histogram()[255] + b.histogram()[255]
    return miss_a.histogram()[255] + miss_b.histogram()[255], ink


def judge(ref, got):
    """(drawn whole, shape outlier share, mark faults) of one word's two pictures."""
    bad, ink = outliers(ref, got)
    shape_ok = bad <= max(MIN_OUTLIERS, OUTLIER_SHARE * ink)
    faults = mark_faults(ref, got, SIZE)
    return shape_ok and not faults, bad / max(ink, 1), faults


def describe(faults):
    """The mark faults of a word, short: "merged@(52,18) extra@(80,60)"."""
    return " ".join(f"{kind}@({blob.cx:.0f},{blob.cy:.0f})" for kind, blob in faults)


def read_words(path, half, block=None):
    """A hunspell dictionary (count line, then word/FLAGS), or "aspell:<lang>":
    the words of aspell's master dictionary for <lang>, in its dump order, or
    "tibetan_words:tibetan|dzongkha": the lists tools/fontgen/tibetan_words.py
    gathers; or several lists joined by "+", and gettext catalogues (see
    tools/fontgen/wordlists.py), whose words must stay inside block; or
    "modern:<lang>", the committed modern words of a language, halved by a
    hash of the word (odd: held out, even: training; modern_words.py)."""
    if path.startswith("modern:"):
        # A committed list of modern words, halved by a hash of the word.
        import modern_words
        return modern_words.read(path[len("modern:"):], {"odd": "held", "even": "train"}.get(half, half))
    if "+" in path or path.startswith("mo:"):
        lines = [""] + wordlists.read(path, block)
    elif path.startswith("tibetan_words:"):
        sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fontgen"))
        import tibetan_words
        lines = [""] + tibetan_words.words(path[len("tibetan_words:"):])
    elif path.startswith("aspell:"):
        lines = [""] + subprocess.run(["aspell", "-d", path[len("aspell:"):], "dump", "master"],
                                      check=True, capture_output=True, text=True).stdout.split("\n")
    else:
        lines = open(path, encoding="utf-8").read().split("\n")
    words = [w.strip().split("/")[0] for w in lines[1:] if w.strip() and w.strip().split("/")[0]]
    if half == "even":
        return words[0::2]
    if half == "odd":
        return words[1::2]
    return words


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--family-dir", required=True)
    ap.add_argument("--fonts", required=True)
    ap.add_argument("--map", required=True)
    ap.add_argument("--library", default="DVBCV32.DLL")
    ap.add_argument("--words", default="/usr/share/hunspell/hi_IN.dic")
    ap.add_argument("--half", default="odd", choices=["odd", "even", "all"])
    ap.add_argument("--limit", type=int, default=0)
    ap.add_argument("--sample", type=int, default=0,
                    help="measure this many words spread evenly over the list")
    ap.add_argument("--sheet")
    ap.add_argument("--worst", type=int, default=30)
    ap.add_argument("--min-share", type=float, default=0.0)
    ap.add_argument("--list-failures")
    ap.add_argument("--label", default="", help="what the words are, for the printed line")
    args = ap.parse_args()

    fmap = json.load(open(args.map, encoding="utf-8"))
    global HEIGHT
    HEIGHT = int(SIZE * fmap.get("picture_height", 2))
    conv = next(c for c in fmap["converters"] if c["file"] == args.library)
    converter = Converter(os.path.join(args.family_dir, conv["file"]), conv["entry"])
    ours = OurFonts(args.fonts, conv["fonts"])
    noto = ImageFont.truetype(fmap["source_font"], SIZE, layout_engine=ImageFont.Layout.RAQM)
    encoder = TextEncoder(fmap) if fmap.get("model") == "tibetan" else IsciiEncoder(fmap, conv)

    consonants = fmap.get("script", {}).get("consonants", "")
    block = wordlists.block_of(consonants[0]) if consonants else None
    words = read_words(args.words, args.half, block)
    if args.limit:
        words = words[:args.limit]
    if args.sample and len(words) > args.sample:
        words = [words[i * len(words) // args.sample] for i in range(args.sample)]
    results, skipped = [], 0
    for word in words:
        iscii = encoder.encode(word)
        if iscii is None:
            skipped += 1
            continue
        pairs = converter.pairs(iscii)
        width = int(noto.getlength(word)) + 2 * PAD + SIZE
        ref = reference(noto, word, width)
        got = ours.draw(pairs, width)
        ok, score, faults = judge(ref, got)
        results.append((score + (1 if faults else 0), ok, word, iscii, ref, got, faults))

    matched = sum(1 for r in results if r[1])
    with_faults = sum(1 for r in results if r[6])
    share = matched / max(len(results), 1)
    label = f" [{args.label}]" if args.label else ""
    total = max(len(results), 1)
    print(f"{args.library}{label}: {matched}/{len(results)} words whole ({100 * share:.2f}%), "
          f"{with_faults} with a mark fault ({100 * with_faults / total:.2f}%), "
          f"{skipped} skipped (not expressible in ISCII); size {SIZE}px, radius {RADIUS}px, "
          f"outliers <= max({MIN_OUTLIERS}, {OUTLIER_SHARE:.0%} of ink), marks kept apart")
    if args.list_failures:
        with open(args.list_failures, "w", encoding="utf-8") as f:
            for r in sorted(results, key=lambda r: -r[0]):
                if not r[1]:
                    f.write(f"{r[2]}\t{r[3].hex(' ')}\t{r[0]:.3f}\t{describe(r[6])}\n")
    if args.sheet:
        worst = sorted(results, key=lambda r: -r[0])[:args.worst]
        write_sheet(args.sheet, worst)
    if share < args.min_share:
        print(f"FAILED: below {args.min_share:.0%}")
        return 1
    return 0


def write_sheet(path, rows):
    """Reference in green, ours in magenta: overlap is white; a faulty mark
    is ringed in red (missing or merged: where the reference has it; extra:
    where ours has it)."""
    if not rows:
        return
    width = max(r[4].width for r in rows)
    h = HEIGHT
    sheet = Image.new("RGB", (width, h * len(rows)), (0, 0, 0))
    draw = ImageDraw.Draw(sheet)
    for i, (_, _, _, _, ref, got, faults) in enumerate(rows):
        pad = lambda im: im.crop((0, 0, width, h))
        rgb = Image.merge("RGB", (pad(got), pad(ref), pad(got)))
        sheet.paste(rgb, (0, i * h))
        for _, blob in faults:
            r = max(blob.width, blob.height) // 2 + 4
            draw.ellipse((blob.cx - r, i * h + blob.cy - r, blob.cx + r, i * h + blob.cy + r),
                         outline=(255, 40, 40))
    sheet.save(path)


if __name__ == "__main__":
    sys.exit(main())
