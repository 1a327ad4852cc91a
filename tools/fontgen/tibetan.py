"""Learns a legacy glyph-code layout of the Tibetan script from HarfBuzz and
Noto Serif Tibetan.

The model the Tibetan converters implement (family/converters/tibetan) is:

    stack  = [head] subjoined* [a-chung] [u] signs*
    glyphs = core glyphs, then the signs after the last spacing glyph

* The core (head letter, subjoined letters, a-chung and the u-sign below)
  maps through a table learned by shaping every letter alone and every stack
  that Tibetan spelling forms: the superscribed ra, la and sa over every
  letter, the subscribed ya, ra, la, wa and ha under every letter, and the
  three-letter stacks ra/sa + letter + ya/ra/wa. Noto draws most of them as one
  precomposed glyph, the rest as a shortened head with subjoined pieces.
* A stack the table lacks (or whose glyphs the face lacks) is built from
  pieces, as Noto builds rare stacks: the head's shortened form (Noto's ".3"
  glyph) and one zero-advance piece per subjoined letter, placed at the
  head's anchor and lowered by the height of the pieces above it; a u-sign
  fuses with the last piece. Without the short head the longest learned
  part of the stack stands first (pieces then hang from a full letter's
  foot). The converters go one step further where the face lacks a piece:
  the rest of the stack follows as full letters after a halanta.
* A face without a stack's glyph with the u-sign (or a-chung) fused in
  draws the stack without it and the sign as a mark.
* A sign (vowel sign above, anusvara, halanta, ...) is drawn after the core
  with zero advance. Its offset depends on the glyph before it, so an
  attachment table picks the offset variant from that glyph.

Everything is learned from systematic shaping; a word list only ranks the
glyphs, since a face holds fewer codes than there are glyphs.
"""
import collections
import unicodedata

from hbshape import shape_many

TSHEG, SHAD, SPACE = "\u0f0b", "\u0f0d", " "
A_CHUNG, U_SIGN = "\u0f71", "\u0f74"
ZWNJ = "\u200c"

# The thirty letters of the alphabet and the five retroflex letters of
# Sanskrit spelling (Dzongkha also writes English words with them).
CONSONANTS = [chr(c) for c in (
    0x0F40, 0x0F41, 0x0F42, 0x0F44, 0x0F45, 0x0F46, 0x0F47, 0x0F49, 0x0F4F, 0x0F50, 0x0F51, 0x0F53,
    0x0F54, 0x0F55, 0x0F56, 0x0F58, 0x0F59, 0x0F5A, 0x0F5B, 0x0F5D, 0x0F5E, 0x0F5F, 0x0F60, 0x0F61,
    0x0F62, 0x0F63, 0x0F64, 0x0F66, 0x0F67, 0x0F68, 0x0F4A, 0x0F4B, 0x0F4C, 0x0F4E, 0x0F65)]
SUBJOINED = [chr(ord(c) + 0x50) for c in CONSONANTS]
SUB_OF = dict(zip(CONSONANTS, SUBJOINED))
HEADS = ["\u0f62", "\u0f63", "\u0f66"]                            # ra, la, sa above
SUBSCRIPTS = ["\u0fb1", "\u0fb2", "\u0fb3", "\u0fad", "\u0fb7"]  # ya, ra, la, wa, ha below
# Signs after the core: zero-advance marks, and the spacing visarga.
VOWELS_ABOVE = ["\u0f72", "\u0f7a", "\u0f7b", "\u0f7c", "\u0f7d", "\u0f80"]
NASALS = ["\u0f7e", "\u0f83", "\u0f82"]
SIGNS = VOWELS_ABOVE + NASALS + ["\u0f84", "\u0f7f"]
# Drawn alone: digits, head marks, shads, the gter tsheg, brackets.
STANDALONE = [chr(c) for c in list(range(0x0F20, 0x0F2A)) + [
    0x0F04, 0x0F05, 0x0F08, 0x0F09, 0x0F0A, 0x0F0D, 0x0F0E, 0x0F11, 0x0F14, 0x0F34, 0x0F38,
    0x0F3C, 0x0F3D]]
REFERENCE = "\u0f40"  # ka: the head the pieces are learned under
PROBE = "\u0f90"      # subjoined ka: stacks of it make Noto build from pieces
MAX_PIECES = 4


class Stack:
    """One stack of a Tibetan text."""

    __slots__ = ("head", "subs", "u", "signs")

    def __init__(self):
        self.head, self.subs, self.u, self.signs = "", [], False, []

    def core(self):
        return self.head + "".join(self.subs) + (U_SIGN if self.u else "")


def split_stacks(text):
    """Stacks and lone signs of a Unicode text, in order: Stack objects for
    letters, one-character strings for everything else. The a-chung counts
    as a subjoined letter."""
    out = []
    cur = None
    for ch in unicodedata.normalize("NFD", text):
        if ch in CONSONANTS:
            cur = Stack()
            cur.head = ch
            out.append(cur)
        elif ch in SUBJOINED or ch in (A_CHUNG, U_SIGN) or ch in SIGNS:
            if cur is None:
                cur = Stack()
                out.append(cur)
            if (ch in SUBJOINED or ch == A_CHUNG) and not cur.signs and not cur.u \
                    and len(cur.subs) < MAX_PIECES:
                cur.subs.append(ch)
            elif ch == U_SIGN and not cur.signs and not cur.u:
                cur.u = True
            else:
                cur.signs.append(ch)
        else:
            out.append(ch)
            cur = None
    return out


def glyph_bottoms(font):
    from fontTools.pens.boundsPen import BoundsPen
    from fontTools.ttLib import TTFont
    glyphset = TTFont(font).getGlyphSet()
    out = {}
    for name in glyphset.keys():
        pen = BoundsPen(glyphset)
        glyphset[name].draw(pen)
        out[name] = pen.bounds[1] if pen.bounds else 0
    return out


def key_of(g):
    return (g.name, g.adv, 0, 0) if g.adv else (g.name, 0, g.dx, g.dy)


def core_universe():
    """Every stack core the table learns, from the rules of Tibetan spelling."""
    out = []
    for c in CONSONANTS:
        out += [c, c + A_CHUNG, c + U_SIGN, c + A_CHUNG + U_SIGN]
    stacks = [h + s for h in HEADS for s in SUBJOINED if s != SUB_OF[h]]
    stacks += [c + s for c in CONSONANTS for s in SUBSCRIPTS
               if not (c in HEADS and s != SUB_OF[c] and c + s in stacks)]
    stacks += [h + s + t for h in ("\u0f62", "\u0f66") for s in SUBJOINED
               for t in ("\u0fb1", "\u0fb2") if s not in ("\u0fb1", "\u0fb2", SUB_OF[h])]
    stacks += [c + s + "\u0fad" for c in CONSONANTS for s in ("\u0fb1", "\u0fb2")]
    stacks += [h + s + "\u0fad" for h in ("\u0f62", "\u0f66") for s in SUBJOINED
               if s not in ("\u0fad", SUB_OF[h])]
    seen = set(out)
    for s in stacks:
        for tail in ("", U_SIGN, A_CHUNG):
            if s + tail not in seen:
                seen.add(s + tail)
                out.append(s + tail)
    return out


class Learned:
    def __init__(self):
        self.cores = {}       # core text -> [glyph key]
        self.units = []       # signs and the pairs of signs drawn as one glyph
        self.attach = {}      # (unit, previous spacing key) -> [glyph key]
        self.bases = {}       # consonant -> (shortened head key, anchor dx, anchor dy)
        self.pieces = {}      # subjoined letter or a-chung -> piece geometry
        self.standalone = {}  # sign -> [glyph key]
        self.full_anchor = {}  # consonant -> anchor dy of pieces under its full glyph
        self.decomposable = set()  # cores drawn as well by their stack and a sign mark


def learn(font):
    L = Learned()
    cores = core_universe()
    for text, glyphs in zip(cores, shape_many(font, cores)):
        L.cores[text] = [key_of(g) for g in glyphs]

    # Pairs of signs Noto draws as one glyph (o + anusvara, ...).
    L.units = list(SIGNS)
    pairs = [v + n for v in VOWELS_ABOVE for n in NASALS]
    for p, glyphs in zip(pairs, shape_many(font, [REFERENCE + p for p in pairs])):
        if len(glyphs) == 2 and glyphs[1].adv == 0:
            L.units.append(p)

    # Built stacks: a head followed by three subjoined ka gives the head's
    # shortened form and, in the first piece, the anchor under it.
    probes = [c + PROBE * 3 for c in CONSONANTS]
    for c, glyphs in zip(CONSONANTS, shape_many(font, probes)):
        if len(glyphs) == 4 and glyphs[0].adv and not any(g.adv for g in glyphs[1:]):
            L.bases[c] = (key_of(glyphs[0]), glyphs[1].dx, glyphs[1].dy)
    ref_dx, ref_dy = L.bases[REFERENCE][1], L.bases[REFERENCE][2]
    # Under a full letter (a face without its short head), pieces hang from
    # the letter's foot: the anchor lowered by what the short head lacks.
    bottoms = glyph_bottoms(font)
    for c, (base, dx, dy) in L.bases.items():
        L.full_anchor[c] = dy + bottoms[L.cores[c][0][0]] - bottoms[base[0]]
    shaped = shape_many(font, [REFERENCE + PROBE * 3])[0]
    ka_height = shaped[1].dy - shaped[2].dy

    # Pieces under the reference head, third in the stack after two subjoined
    # ka (Noto then always builds): the piece, then its height from a ka
    # below it, then the piece with the u-sign fused to it.
    subs = SUBJOINED + [A_CHUNG]
    texts = [REFERENCE + PROBE * 2 + s for s in subs]
    texts += [REFERENCE + PROBE * 2 + s + PROBE for s in subs]
    texts += [REFERENCE + PROBE * 2 + s + U_SIGN for s in subs]
    shaped = shape_many(font, texts)
    n = len(subs)
    depth3 = ref_dy - 2 * ka_height
    for i, s in enumerate(subs):
        plain, below, fused = shaped[i], shaped[n + i], shaped[2 * n + i]
        if len(plain) != 4 or any(g.adv for g in plain[1:]) or plain[3].name.count("uni") > 1 \
                or "0F90" in plain[3].name[7:]:
            continue
        piece = {"name": plain[3].name, "dx": plain[3].dx - ref_dx, "dy": plain[3].dy - depth3,
                 "height": ka_height}
        if len(below) == 5 and not any(g.adv for g in below[1:]):
            # The ka piece below it sits at the anchor of depth 4.
            piece["height"] = depth3 - below[4].dy
        if len(fused) == 4 and not any(g.adv for g in fused[1:]) and fused[3].name != plain[3].name:
            piece["u_name"] = fused[3].name
            piece["u_dx"] = fused[3].dx - ref_dx
            piece["u_dy"] = fused[3].dy - depth3
        L.pieces[s] = piece

    # Subscribed ya, ra and wa fuse with the piece above them; as a first
    # piece they stand alone, and that piece serves at any depth.
    missing = [s for s in subs if s not in L.pieces]
    for s, glyphs in zip(missing, shape_many(font, [REFERENCE + s + PROBE for s in missing])):
        if len(glyphs) == 3 and not any(g.adv for g in glyphs[1:]):
            L.pieces[s] = {"name": glyphs[1].name, "dx": glyphs[1].dx - ref_dx,
                           "dy": glyphs[1].dy - ref_dy, "height": ref_dy - glyphs[2].dy}

    # Signs over every learned core and every built head.
    contexts = list(cores) + [c + PROBE * 3 for c in L.bases]
    base_shapes = dict(zip(contexts, shape_many(font, contexts)))
    texts, meta = [], []
    for unit in L.units:
        for text in contexts:
            texts.append(text + unit)
            meta.append((text, unit))
    votes = collections.defaultdict(collections.Counter)
    for (text, unit), glyphs in zip(meta, shape_many(font, texts)):
        base = base_shapes[text]
        if [g.name for g in glyphs[:len(base)]] != [g.name for g in base] or len(glyphs) == len(base):
            continue
        prev = None
        for g in base:
            if g.adv:
                prev = key_of(g)
        votes[(unit, prev)][tuple(key_of(g) for g in glyphs[len(base):])] += 1
    for k, counter in votes.items():
        L.attach[k] = list(counter.most_common(1)[0][0])

    # The u-sign as a mark of its own, for a face that lacks a stack's glyph
    # with the u fused: a ZWNJ keeps Noto from fusing it.
    # The same for the a-chung.
    for sign in (U_SIGN, A_CHUNG):
        L.units.append(sign)
        bare = [c for c in cores if not c.endswith(U_SIGN) and not c.endswith(A_CHUNG)]
        for text, glyphs in zip(bare, shape_many(font, [c + ZWNJ + sign for c in bare])):
            base = base_shapes[text]
            rest = [g for g in glyphs[len(base):] if g.name != "space"]
            # Only over a stack of one glyph: after pieces, the mark's place
            # depends on more than the glyph before them.
            if len(base) != 1 or glyphs[0].name != base[0].name or not rest:
                continue
            L.attach[(sign, key_of(base[0]))] = [key_of(g) for g in rest]

    fit_fused_signs(font, L)

    alone = STANDALONE + [TSHEG, SPACE]
    for ch, glyphs in zip(alone, shape_many(font, alone)):
        L.standalone[ch] = [key_of(g) for g in glyphs]
    return L


def assemble(L, stack, default_signs, have=None):
    """Glyph keys the converters draw for one stack, with the glyphs `have`
    accepts (all of them when it is None)."""
    def found(core):
        keys = L.cores.get(core)
        if have is None and core in L.decomposable:
            return None  # ranked as its stack and the sign's mark
        return keys if keys is not None and (have is None or all(have(k) for k in keys)) else None

    signs = list(stack.signs)
    core = stack.core()
    keys = found(core)
    # The stack without the u-sign and then without the a-chung, and those
    # as marks.
    for sign in (U_SIGN, A_CHUNG):
        if keys is None and core.endswith(sign) and len(core) > 1:
            core = core[:-1]
            signs.insert(0, sign)
            keys = found(core)
    if keys is None:
        signs = list(stack.signs)
    if keys is None and not stack.subs:
        keys = list(L.cores.get(stack.head, []))
    if keys is None:
        keys = build_stack(L, stack, have)
    return keys + sign_keys(L, keys, signs, default_signs)


def build_stack(L, stack, have=None):
    """A stack from pieces: the shortened head, then each subjoined letter.
    Without the short head, the longest learned part of the stack comes
    first (the pieces of the rest still go where the short head puts them)."""
    keys = []
    first = 0
    x, y = L.bases[REFERENCE][1:]
    if stack.head in L.bases and (have is None or have(L.bases[stack.head][0])):
        base, x, y = L.bases[stack.head]
        keys.append(base)
    elif stack.head:
        for first in range(len(stack.subs), -1, -1):
            part = L.cores.get(stack.head + "".join(stack.subs[:first]))
            if part is not None and (have is None or all(have(k) for k in part)):
                keys += part
                break
        else:
            return keys
        if first == 0 and stack.head in L.bases:
            x, y = L.bases[stack.head][1], L.full_anchor[stack.head]
    for i, s in enumerate(stack.subs):
        p = L.pieces.get(s)
        if p is None:
            continue
        if i < first:
            y -= p["height"]
            continue
        if stack.u and i == len(stack.subs) - 1 and "u_name" in p:
            keys.append((p["u_name"], 0, x + p["u_dx"], y + p["u_dy"]))
        else:
            keys.append((p["name"], 0, x + p["dx"], y + p["dy"]))
        y -= p["height"]
    return keys


def sign_units(L, signs):
    """Signs grouped into the units Noto draws (pairs first)."""
    out, i = [], 0
    while i < len(signs):
        pair = "".join(signs[i:i + 2])
        if len(pair) == 2 and pair in L.units:
            out.append(pair)
            i += 2
        else:
            out.append(signs[i])
            i += 1
    return out


def sign_keys(L, keys, signs, default_signs):
    out = []
    prev = None
    for k in keys:
        if k[1]:
            prev = k
    for unit in sign_units(L, signs):
        got = L.attach.get((unit, prev)) or default_signs.get(unit, [])
        out += got
        for k in got:
            if k[1]:
                prev = k
    return out


def default_signs(L):
    """The variant of each sign unit used most often over all contexts."""
    counts = collections.defaultdict(collections.Counter)
    for (unit, _), keys in L.attach.items():
        counts[unit][tuple(keys)] += 1
    return {unit: list(c.most_common(1)[0][0]) for unit, c in counts.items()}


def encode(fmap, text):
    """Bytes of a Unicode Tibetan text in the family's byte table, or None
    when the table cannot express it. Tsheg and space are the space byte;
    a subjoined letter without a byte of its own is the joiner and the
    letter's byte. A space right after a tsheg has no byte of its own."""
    table = {u: int(b, 16) for b, u in fmap["bytes"].items()}
    joiner = int(fmap["joiner"], 16)
    out = bytearray()
    prev = ""
    for ch in unicodedata.normalize("NFD", text):
        if ch == SPACE and prev == TSHEG:
            continue
        prev = ch
        if ch in (TSHEG, SPACE):
            out.append(0x20)
        elif ch in table:
            out.append(table[ch])
        elif ch in SUBJOINED and chr(ord(ch) - 0x50) in table:
            out += bytes([joiner, table[chr(ord(ch) - 0x50)]])
        else:
            return None
    return bytes(out)


MARK_TOLERANCE = 24     # font units (1000 per em)
ADVANCE_TOLERANCE = 12
ALL_CODES = list(range(0x21, 0x100))
SPACE_MEASURE_CODE = 0xA1  # the controls measure a Tibetan space by this code


class Canon:
    """Glyphs whose offsets (marks) or advances (spacing) differ by a few
    units are one glyph: greedy clustering per name, most used first."""

    def __init__(self, counts):
        self.centres = collections.defaultdict(list)
        for key, _ in sorted(counts.items(), key=lambda kv: (-kv[1], kv[0])):
            if self.find(key) is None:
                self.centres[key[0]].append(key)

    def find(self, key):
        name, adv, dx, dy = key
        best = None
        for c in self.centres.get(name, []):
            if (c[1] == 0) != (adv == 0):
                continue
            d = abs(c[1] - adv) if adv else max(abs(c[2] - dx), abs(c[3] - dy))
            if d <= (ADVANCE_TOLERANCE if adv else MARK_TOLERANCE) and (best is None or d < best[0]):
                best = (d, c)
        return best[1] if best else None

    def __call__(self, key):
        found = self.find(key)
        if found is None:
            self.centres[key[0]].append(key)
            return key
        return found


def piece_candidates(L):
    """Pieces under every head at the first two depths: the offsets a built
    stack most often needs."""
    out = []
    ka_height = L.pieces[PROBE]["height"]
    for c, (base, x, y) in L.bases.items():
        for p in L.pieces.values():
            for depth in range(3):
                dy = y - depth * ka_height if depth < 2 else L.full_anchor[c]
                out.append((p["name"], 0, x + p["dx"], dy + p["dy"]))
                if "u_name" in p:
                    out.append((p["u_name"], 0, x + p["u_dx"], dy + p["u_dy"]))
    return out


def word_keys(L, word, defaults, have=None):
    keys = []
    for item in split_stacks(word):
        if isinstance(item, Stack):
            keys += assemble(L, item, defaults, have)
        else:
            keys += L.standalone.get(item, [])
    return keys


def rank(universe, mandatory, word_sets, counts, slots):
    """Glyphs in the order they get codes: the mandatory ones, then, one at
    a time, the glyph that brings most design words closest to being drawn
    whole (a word missing m glyphs counts 1/m^2 for each of them), then the
    rest by use."""
    chosen = [k for k in sorted(mandatory, key=lambda k: (-counts[k], k))]
    have = set(chosen)
    missing = [ws - have for ws in word_sets]
    while len(chosen) < slots:
        score = collections.Counter()
        for m in missing:
            if m:
                for k in m:
                    score[k] += 1.0 / (len(m) * len(m))
        if not score:
            break
        best = max(score, key=lambda k: (score[k], counts[k], k))
        chosen.append(best)
        have.add(best)
        missing = [m - {best} if best in m else m for m in missing]
    rest = sorted(universe - have, key=lambda k: (-counts[k], k))
    return chosen + rest


def build(L, design_words, source_font, latin_font, byte_table, joiner, faces, converters):
    defaults = default_signs(L)
    counts = collections.Counter()
    for keys in L.cores.values():
        counts.update(keys)
    for keys in L.attach.values():
        counts.update(keys)
    for keys in L.standalone.values():
        counts.update(keys)
    counts.update(b[0] for b in L.bases.values())
    counts.update(piece_candidates(L))
    used = [word_keys(L, w, defaults) for w in design_words]
    for keys in used:
        counts.update(keys)
    canon = Canon(counts)

    mandatory = set()
    for c in CONSONANTS:
        mandatory.update(canon(k) for k in L.cores[c])
    for unit in SIGNS + [U_SIGN, A_CHUNG]:
        mandatory.update(canon(k) for k in defaults.get(unit, []))
    for keys in L.standalone.values():
        mandatory.update(canon(k) for k in keys)
    universe = {canon(k) for k in counts}
    glyphs = rank(universe, mandatory, [{canon(k) for k in keys} for keys in used], counts,
                  len(ALL_CODES))
    index = {k: i for i, k in enumerate(glyphs)}
    tsheg = index[canon(L.standalone[TSHEG][0])]
    # The space byte draws the tsheg too: a second glyph, used by no rule.
    alias = len(glyphs)

    face_list = []
    for f in faces:
        codes = {}
        if f.get("script"):
            pool = [c for c in ALL_CODES if c != SPACE_MEASURE_CODE]
            codes[tsheg] = SPACE_MEASURE_CODE
            codes[alias] = 0x20
            for i, code in zip((i for i in range(len(glyphs)) if i != tsheg), pool):
                codes[i] = code
        face_list.append(dict(f, codes={str(g): c for g, c in sorted(codes.items())}))

    def gi(key):
        return index[canon(key)]

    units = list(L.units)
    unit_id = {u: i for i, u in enumerate(units)}
    default_idx = {u: [gi(k) for k in keys] for u, keys in defaults.items()}
    attach = []
    for (unit, prev), keys in sorted(L.attach.items(), key=lambda kv: (unit_id[kv[0][0]], str(kv[0][1]))):
        if prev is None:
            continue
        got = [gi(k) for k in keys]
        if got != default_idx.get(unit):
            attach.append([unit_id[unit], gi(prev), got])
    pieces = {}
    for s, p in sorted(L.pieces.items()):
        pieces[s] = dict(p)
    glyph_list = [{"name": k[0], "adv": k[1], "dx": k[2], "dy": k[3]} for k in glyphs]
    glyph_list.append({"name": glyphs[tsheg][0], "adv": glyphs[tsheg][1], "dx": 0, "dy": 0})
    return {
        "model": "tibetan",
        "picture_height": 3,
        "source_font": source_font,
        "latin_font": latin_font,
        "glyphs": glyph_list,
        "faces": face_list,
        "roman_codes": {},
        "converters": [dict(c) for c in converters],
        "bytes": {"%02X" % b: u for b, u in sorted(byte_table.items())},
        "joiner": "%02X" % joiner,
        "rules": {
            "cores": sorted([text, [gi(k) for k in keys]] for text, keys in L.cores.items()),
            "units": units,
            "defaults": [default_idx.get(u, []) for u in units],
            "attach": attach,
            "bases": {c: [gi(b[0]), b[1], b[2], L.full_anchor[c]] for c, b in sorted(L.bases.items())},
            "pieces": pieces,
            "standalone": {ch: [gi(k) for k in keys] for ch, keys in sorted(L.standalone.items())},
            "tsheg": tsheg,
            "blank": gi(L.standalone[SPACE][0]),
        },
    }


class Raster:
    """Glyphs of the source font drawn at the fidelity harness's size, as
    boolean pixel arrays, to fit a mark's offset by eye."""

    SIZE, W, H, X0, Y0, RADIUS = 40, 160, 140, 40, 60, 2

    def __init__(self, font):
        import freetype
        import numpy
        from fontTools.ttLib import TTFont
        self.np = numpy
        self.ids = {n: i for i, n in enumerate(TTFont(font).getGlyphOrder())}
        self.face = freetype.Face(font)
        self.face.set_pixel_sizes(0, self.SIZE)
        self.cache = {}

    def glyph(self, name):
        """(ink array, dilated ink array, left, top) of a glyph."""
        if name not in self.cache:
            import freetype
            self.face.load_glyph(self.ids[name], freetype.FT_LOAD_DEFAULT | freetype.FT_LOAD_NO_HINTING)
            self.face.glyph.render(freetype.FT_RENDER_MODE_NORMAL)
            b = self.face.glyph.bitmap
            ink = self.np.array(b.buffer, dtype=self.np.uint8).reshape(b.rows, b.width) >= 128 \
                if b.rows and b.width else self.np.zeros((1, 1), bool)
            self.cache[name] = (ink, self.dilate(ink), self.face.glyph.bitmap_left,
                                self.face.glyph.bitmap_top)
        return self.cache[name]

    def dilate(self, ink):
        r = self.RADIUS
        padded = self.np.pad(ink, r)
        out = self.np.zeros_like(padded)
        h, w = ink.shape
        for dy in range(2 * r + 1):
            for dx in range(2 * r + 1):
                out[dy:dy + h, dx:dx + w] |= ink
        return out

    def place(self, canvas, array, px, py, pad=0):
        h, w = array.shape
        x0, y0 = px - pad, py - pad
        xs, ys = max(0, -x0), max(0, -y0)
        xe, ye = min(w, self.W - x0), min(h, self.H - y0)
        if xe > xs and ye > ys:
            canvas[y0 + ys:y0 + ye, x0 + xs:x0 + xe] |= array[ys:ye, xs:xe]

    def position(self, name, x, y):
        _, _, left, top = self.glyph(name)
        return (int(round(self.X0 + x * self.SIZE / 1000)) + left,
                int(round(self.Y0 - y * self.SIZE / 1000)) - top)

    def draw(self, keys):
        """(ink, dilated ink) of glyph keys drawn from the pen at 0."""
        ink = self.np.zeros((self.H, self.W), bool)
        grown = self.np.zeros((self.H, self.W), bool)
        pen = 0
        for name, adv, dx, dy in keys:
            a, d, _, _ = self.glyph(name)
            px, py = self.position(name, pen + dx, dy)
            self.place(ink, a, px, py)
            self.place(grown, d, px, py, self.RADIUS)
            pen += adv
        return ink, grown, pen

    def score(self, target, base, name, dx, dy):
        """Outlier pixels of the mark at (dx, dy) after `base` against `target`."""
        ref, ref_grown, _ = self.draw(target)
        ink, grown, pen = self.draw(base)
        a, d, _, _ = self.glyph(name)
        px, py = self.position(name, pen + dx, dy)
        self.place(ink, a, px, py)
        self.place(grown, d, px, py, self.RADIUS)
        return int((ref & ~grown).sum() + (ink & ~ref_grown).sum())

    def fit(self, target, base, names, start):
        """The mark (name, dx, dy) that, drawn after `base`, looks most like
        `target`; the search walks whole pixels around `start`."""
        ref, ref_grown, _ = self.draw(target)
        ink, grown, pen = self.draw(base)
        best = None
        for name in names:
            if name not in self.ids:
                continue
            a, d, _, _ = self.glyph(name)
            for sx in range(-8, 9):
                for sy in range(-8, 9):
                    dx, dy = start[0] + 25 * sx, start[1] + 25 * sy
                    px, py = self.position(name, pen + dx, dy)
                    c, g = ink.copy(), grown.copy()
                    self.place(c, a, px, py)
                    self.place(g, d, px, py, self.RADIUS)
                    bad = int((ref & ~g).sum() + (c & ~ref_grown).sum())
                    if best is None or bad < best[0]:
                        best = (bad, name, dx, dy)
        return best + (int(ref.sum()),) if best else None


def fit_fused_signs(font, L):
    """Where Noto fuses the u-sign (or the a-chung) into a stack's glyph,
    the mark drawn after the stack's own glyph is placed where it looks
    most like the fused glyph (HarfBuzz's own placement of the mark, as
    after a ZWNJ, often differs from the fused design)."""
    raster = Raster(font)
    names = {U_SIGN: ["uni0F74", "uni0F74.2", "uni0F74.3"], A_CHUNG: ["uni0F71", "uni0F71.2", "uni0F71.3"]}
    fits = []
    for core in sorted(L.cores):
        for sign in (U_SIGN, A_CHUNG):
            fused = L.cores.get(core + sign)
            base = L.cores[core]
            if core.endswith(U_SIGN) or core.endswith(A_CHUNG) or not fused or len(fused) != 1 \
                    or len(base) != 1:
                continue
            prev = [k for k in base if k[1]][-1:]
            if not prev:
                continue
            known = L.attach.get((sign, prev[0]))
            start = (known[0][2], known[0][3]) if known else (-prev[0][1] + 60, 0)
            best = raster.fit(fused, base, names[sign], start)
            if best is not None:
                L.attach[(sign, prev[0])] = [(best[1], 0, best[2], best[3])]
                fits.append((core, sign, prev[0], fused, base, best))
    # Offsets many stacks share, most shared first: a stack takes the first
    # that draws it as well as its own, so that few mark glyphs serve all.
    counts = collections.Counter((sign, best[1], round(best[2] / 50), round(best[3] / 50))
                                 for _, sign, _, _, _, best in fits)
    for core, sign, prev, fused, base, best in fits:
        limit = max(2, best[4] // 200)
        if best[0] > limit:
            continue
        for (s, name, gx, gy), _ in counts.most_common(40):
            if s == sign and raster.score(fused, base, name, gx * 50, gy * 50) <= limit:
                L.attach[(sign, prev)] = [(name, 0, gx * 50, gy * 50)]
                break
        # Drawn this way the stack looks as fused: the faces need no code
        # for the fused glyph.
        L.decomposable.add(core + sign)
