"""Turns what brahmic.learn found into a family map: a ranked glyph inventory,
the codes of every face and the rule tables of the converters.

Glyph keys are (name, advance, dx, dy): a Noto glyph drawn with an offset and
given an advance. Marks whose offsets differ by a few font units share one
glyph; so do spacing glyphs whose advances differ slightly.
"""
import collections

from hbshape import shape_many
import brahmic

MARK_TOLERANCE = 24     # font units (1000 per em)
ADVANCE_TOLERANCE = 12
BORROW = 40             # font units a borrowed glyph may be off (about 1.5 px at 40 px)

UPPER = list(range(0x80, 0x100))
ALL = list(range(0x21, 0x100))
VEDIC_ACCENT_CODES = list(range(0xB8, 0xDA)) + [0xDB]
LATIN_CODES = list(range(0x21, 0x7F))


class Clusters:
    """Greedy clustering of offsets (marks) and advances (spacing) per name."""

    def __init__(self, counts, mark_tolerance=MARK_TOLERANCE, advance_tolerance=ADVANCE_TOLERANCE):
        self.mark_tolerance, self.advance_tolerance = mark_tolerance, advance_tolerance
        self.centres = collections.defaultdict(list)
        for key, _ in sorted(counts.items(), key=lambda kv: (-kv[1], kv[0])):
            if self.find(key) is None:
                self.centres[key[0]].append(key)

    def find(self, key):
        name, adv, dx, dy = key
        best, dist = None, None
        for c in self.centres.get(name, []):
            if (c[1] == 0) != (adv == 0):
                continue
            d = abs(c[1] - adv) if adv else max(abs(c[2] - dx), abs(c[3] - dy))
            tol = self.advance_tolerance if adv else self.mark_tolerance
            # A spacing glyph drawn off the pen shares only with one drawn
            # about as far off.
            if adv and max(abs(c[2] - dx), abs(c[3] - dy)) > self.mark_tolerance:
                continue
            if d <= tol and (dist is None or d < dist):
                best, dist = c, d
        return best

    def canon(self, key):
        found = self.find(key)
        if found is None:
            self.centres[key[0]].append(key)
            return key
        return found


def rank_by_words(ranked, mandatory, word_sets, borrow=BORROW):
    """The mandatory glyphs, then, one at a time, the glyph that brings the
    design words nearest to complete: each word not yet drawable adds
    1 / (glyphs it still lacks)^2. A face that holds a prefix of this order
    draws more whole words than one holding the most used glyphs, because a
    frequent glyph of words that lack a rare one helps none of them."""
    fixed = [k for k in ranked if k in mandatory]
    position = {k: i for i, k in enumerate(ranked)}
    # A face without a glyph draws the nearest glyph of its name instead
    # (gen_tables.resolve_codes): a variant within `borrow` units of a glyph
    # ranked before it costs a code and completes no word on its own.
    stand_in = {}
    by_name = collections.defaultdict(list)
    for k in ranked:
        near = [c for c in by_name[k[0]] if (c[1] == 0) == (k[1] == 0) and max(
            abs(c[1] - k[1]), abs(c[2] - k[2]), abs(c[3] - k[3])) <= borrow]
        stand_in[k] = near[0] if near else k
        by_name[k[0]].append(k)
    have = set(fixed)
    lacking = collections.Counter()
    for w in word_sets:
        rest = frozenset(stand_in[k] for k in w if k in position and stand_in[k] not in have)
        if rest:
            lacking[rest] += 1
    words_of = collections.defaultdict(set)
    for rest in lacking:
        for k in rest:
            words_of[k].add(rest)
    score = collections.defaultdict(float)
    for rest, n in lacking.items():
        for k in rest:
            score[k] += n / len(rest) ** 2
    order = []
    while score:
        best = max(score, key=lambda k: (score[k], -position[k]))
        order.append(best)
        have.add(best)
        for rest in list(words_of[best]):
            n = lacking.pop(rest)
            for k in rest:
                score[k] -= n / len(rest) ** 2
                words_of[k].discard(rest)
            smaller = rest - {best}
            if smaller:
                lacking[smaller] += n
                for k in smaller:
                    score[k] += n / len(smaller) ** 2
                    words_of[k].add(smaller)
        del score[best]
        for k in [k for k, v in score.items() if not words_of[k]]:
            del score[k]
    return fixed + order + [k for k in ranked if k not in have]


def build(script, learned, vowels, standalone, vedic, design_words, latin_font, iscii, iscii_nukta,
          roman, faces, converters, reference="\u0915", mandatory_letters=None, decompose=False,
          tolerances=(MARK_TOLERANCE, ADVANCE_TOLERANCE), script_extras=None, carver=None,
          borrow=BORROW, half_forms_mandatory=True):
    """mandatory_letters: the letters whose glyphs every face must hold (by
    default every letter drawn alone, every half form and the reference
    consonant with each tail); the rest go by their weight in the words.
    decompose: split composite glyphs into shared pieces (decompose.py); the
    faces hold the pieces first and whole glyphs with the codes left over.
    tolerances: (marks, advances) in font units within which glyphs share.
    borrow: font units within which the ranking counts a variant as drawn by
    a glyph of its name ranked before it (the converter borrows its code).
    script_extras: rules of the script the engine reads beyond the letters
    (see gen_tables.py): "gemination", "modifier_swaps".
    carver: a decompose.Carver that also cuts merged simple glyphs apart.
    half_forms_mandatory: False lets the half forms compete for codes like
    any cluster glyph: a face without a consonant's half form draws its
    full form with a visible virama (or a held kerned variant of the half
    form), so a small face can spend those codes on common conjuncts."""
    font = script.font
    counts = collections.Counter(learned.observed)
    for keys in learned.cores.values():
        counts.update(keys)
    singles = vowels + standalone + script.consonants
    single_shapes = dict(zip(singles, shape_many(font, singles)))
    vedic_shapes = dict(zip(vedic, shape_many(font, [reference + v for v in vedic])))
    nukta_forms = [c + script.nukta for c in script.consonants] if script.nukta else []
    for gl in shape_many(font, nukta_forms):
        counts.update(brahmic.key_of(g) for g in brahmic.visible(script, gl))
    for gl in single_shapes.values():
        counts.update(brahmic.key_of(g) for g in brahmic.visible(script, gl))
    clusters = Clusters(counts, *tolerances)
    canon = clusters.canon

    # Weight of each glyph: how many design words use it.
    weight = collections.Counter()
    word_sets = []
    # Count the glyphs the converter draws: kerning inside a syllable moved
    # into the later glyph, subscripts placed from the base's body.
    fold, placer = learned.kerning_fold, learned.subscript_placer
    for glyphs in shape_many(font, design_words):
        if fold is not None:
            glyphs = fold.fold(glyphs)
        if placer is not None:
            glyphs = placer.place(glyphs)
        used = {canon(brahmic.key_of(g)) for g in brahmic.visible(script, glyphs)}
        weight.update(used)
        word_sets.append(frozenset(used))
    mandatory = set()
    # Letters a face without their glyph draws with its Latin stand-in
    # (digits with the Latin digits of a bilingual face) need no code.
    latin_fallback = getattr(script, "latin_fallback", {})
    for ch in singles if mandatory_letters is None else mandatory_letters:
        if ch in latin_fallback:
            continue
        mandatory.update(canon(brahmic.key_of(g)) for g in brahmic.visible(script, single_shapes[ch]))
    if mandatory_letters is None and half_forms_mandatory:
        for c in script.consonants:
            mandatory.update(canon(k) for k in learned.cores[c + script.virama + script.zwj])
    if mandatory_letters is None:
        ref = reference
        for tail, tpl in learned.templates.items():
            if tail[0] or (tail[2] and tail[1]):
                continue
            on = learned.template_refs.get(tail, ref)
            for g in brahmic.visible(script, shape_many(font, [brahmic.tail_text(script, tail, on)])[0]):
                mandatory.add(canon(brahmic.key_of(g)))

    # Marks a converter draws on their own where a face lacks a fused form
    # (the nukta after a consonant): a face without them would drop a sign.
    mandatory.update(canon((name, 0, 0, 0)) for name in getattr(script, "mandatory_marks", ()))

    ref_names = {g.name for g in brahmic.visible(script, single_shapes[reference])}
    accents, vedic_spacing = [], []
    for v in vedic:
        gl = [g for g in brahmic.visible(script, vedic_shapes[v]) if g.name not in ref_names]
        if len(gl) != 1:
            continue
        g = gl[0]
        (accents if g.adv == 0 else vedic_spacing).append((v, brahmic.key_of(g)))

    universe = set(canon(k) for k in counts) | mandatory
    accent_keys = {k for _, k in accents}
    vedic_spacing_keys = {k for _, k in vedic_spacing}
    ranked = sorted(universe - accent_keys - vedic_spacing_keys,
                    key=lambda k: (k not in mandatory, -weight[k], -counts[k], k))
    # Glyphs the converter draws by their parts (a vowel sign fused with
    # reph or anusvara: the sign, then the modifier) get no code; a word
    # needs their parts instead (script.parts_of names those the held signs
    # and modifiers do not already draw).
    by_parts = getattr(script, "drawn_by_parts", None)
    if by_parts is not None:
        parts_of = getattr(script, "parts_of", {})
        word_sets = [frozenset(p for k in w for p in (
            [canon(q) for q in parts_of.get(k[0], [])] if by_parts(k[0]) else [k])) for w in word_sets]
    if getattr(script, "rank_by_words", False):
        ranked = rank_by_words(ranked, mandatory, word_sets, borrow)
    if by_parts is not None:
        ranked = [k for k in ranked if not by_parts(k[0])] + [k for k in ranked if by_parts(k[0])]
    expansions = {}
    # A face marked "whole_first" holds whole glyphs in this order, pieces
    # only after them (when the pieces are cut, not exact, and it has room).
    whole_first = list(ranked)
    if decompose:
        ranked, expansions = rank_pieces(font, canon, ranked, mandatory, word_sets, counts,
                                         getattr(script, "rank_by_words", False), carver, borrow)
        listed = set(whole_first)
        whole_first += [k for k in ranked if k not in listed]
    if latin_fallback:
        # Their glyphs come right after what a 128-code face holds, so that
        # every larger face (which has no Latin to fall back on) holds them.
        stand_ins = {canon(brahmic.key_of(g)) for ch in latin_fallback if ch in single_shapes
                     for g in brahmic.visible(script, single_shapes[ch])} - mandatory
        rest = [k for k in ranked if k not in stand_ins]
        ranked = rest[:len(UPPER)] + sorted(stand_ins) + rest[len(UPPER):]
    extension_letters = getattr(script, "extension_letters", "")
    if extension_letters:
        # Letters no first face has room for (digits, dandas) go to the last
        # codes that every extension face holds, so that a library with its
        # extension face draws them; the first faces keep their codes.
        keys = {canon(brahmic.key_of(g)) for ch in extension_letters
                for g in brahmic.visible(script, single_shapes[ch])} - mandatory
        end = min((len(UPPER) if b["slots"] == "upper" else len(ALL)) + len(ALL)
                  for f in faces if f.get("overflow_of")
                  for b in faces if b["face"] == f["overflow_of"])
        rest = [k for k in ranked if k not in keys]
        ranked = rest[:end - len(keys)] + sorted(keys) + rest[end - len(keys):]
    glyphs = ranked + sorted(vedic_spacing_keys) + sorted(accent_keys)
    index = {k: i for i, k in enumerate(glyphs)}
    script_glyphs = ranked

    # Codes of every face.
    face_codes = {}
    for f in faces:
        codes = {}
        order = whole_first if f.get("whole_first") else script_glyphs
        if f["slots"] == "upper" and f.get("script"):
            for k, code in zip(order, UPPER):
                codes[index[k]] = code
        elif f.get("overflow_of"):
            # An extension face holds the glyphs ranked right after those of
            # the face it extends (128 after an "upper" face, 223 after one
            # with every slot).
            base = next(b for b in faces if b["face"] == f["overflow_of"])
            start = len(UPPER) if base["slots"] == "upper" else len(ALL)
            for k, code in zip(script_glyphs[start:], ALL):
                codes[index[k]] = code
        elif f["slots"] == "all":
            pool = list(ALL)
            if f.get("vedic_spacing"):
                for k in sorted(vedic_spacing_keys):
                    codes[index[k]] = pool.pop()
            for k, code in zip(order, pool):
                codes[index[k]] = code
        elif f["slots"] == "vedic_accents":
            for k, code in zip(sorted(accent_keys), VEDIC_ACCENT_CODES):
                codes[index[k]] = code
        face_codes[f["face"]] = codes

    # Roman letters of the transliteration face, at the upper codes.
    letters = sorted({ch for s in roman.values() for ch in s if ord(ch) > 0x7E})
    roman_codes = dict(zip(letters, UPPER))

    # The rule tables, in glyph indices.
    def gi(key):
        return index[canon(key)]

    cores = []
    for text, keys in sorted(learned.cores.items()):
        var = learned.variants.get(text, {})
        cores.append([text, [gi(k) for k in keys], var.get("@pre", 0), var.get("i", ""),
                      var.get("ii", "")])
    family_variants = collections.defaultdict(dict)
    for k in glyphs:
        fam, var = brahmic.split_variant(k[0])
        if fam in script.pre_families or fam in script.post_families:
            family_variants[fam].setdefault(var, index[k])
    templates = []
    for (reph, matra, mod, virama), tpl in sorted(learned.templates.items()):
        templates.append([reph, matra, mod, virama, tpl])
    attach = sorted([name, gi(prev) if prev else -1, gi(key)]
                    for (name, prev), key in learned.attach.items())
    defaults = {}
    for k in sorted(glyphs, key=lambda k: (-counts[k], k)):
        defaults.setdefault(k[0], index[k])
    fuse = sorted([gi(last), matra, [gi(k) for k in keys]] for (last, matra), keys in learned.fuse.items())
    standalone_map = {}
    for ch in singles:
        standalone_map[ch] = [gi(brahmic.key_of(g)) for g in brahmic.visible(script, single_shapes[ch])]
    for v, k in accents + vedic_spacing:
        standalone_map[v] = [index[k]]
    for (letter, mod), keys in sorted(learned.standalone_ligatures.items()):
        standalone_map[letter + mod] = [gi(k) for k in keys]

    conv = []
    for c in converters:
        conv.append(dict(c))
    rules = {"cores": cores, "family_variants": family_variants, "templates": templates,
             "attach": attach, "defaults": defaults, "fuse": fuse,
             "standalone": standalone_map,
             "groups": script.groups}
    if learned.kerning:
        rules["kerning"] = sorted([gi(left), gi(right), gi(kerned)]
                                  for (left, right), kerned in learned.kerning.items())
    B = learned.below_base
    if B is not None:
        def tail_rows(table):
            return [[reph, matra, mod, virama, items]
                    for (reph, matra, mod, virama), items in sorted(table.items())]
        rules["below_base"] = {
            "fuse": sorted([gi(base), sign, [gi(k) for k in keys]]
                           for (base, sign), keys in B.fuse.items()),
            "plain": tail_rows(B.plain), "sub": tail_rows(B.sub),
            "subscript_prefix": B.subscript_prefix,
            "base_signs": "".join(sorted(B.base_signs)),
            "signed_subscripts": sorted([gi(sub), sign, [gi(form)]]
                                        for (sub, sign), form in B.signed.items()
                                        if gi(sub) != gi(form)),
            "subscript_skip": len(learned.cores[B.subscript_prefix[:-1]])}
        if B.subscripts_from_body:
            rules["below_base"]["subscripts_from_body"] = True
    outlines = carver.outlines if carver is not None else {}
    if expansions:
        rules["expansions"] = sorted([index[k], [index[p] for p in parts]]
                                     for k, parts in expansions.items())

    fmap = {
        "source_font": font,
        "latin_font": latin_font,
        "glyphs": [{"name": k[0], "adv": k[1], "dx": k[2], "dy": k[3]} for k in glyphs],
        "faces": [dict(f, codes={str(g): c for g, c in sorted(face_codes[f["face"]].items())})
                  for f in faces],
        "roman_codes": {ch: code for ch, code in roman_codes.items()},
        "roman": roman,
        "converters": conv,
        "iscii": {"%02X" % b: u for b, u in sorted(iscii.items())},
        "iscii_nukta": {"%02X" % b: u for b, u in sorted(iscii_nukta.items())},
        **({"latin_fallback": dict(sorted(latin_fallback.items()))} if latin_fallback else {}),
        **({"iscii_alias": {"%02X" % b: u for b, u in sorted(script.iscii_alias.items())}}
           if getattr(script, "iscii_alias", None) else {}),
        **({"unicode_sequences": dict(sorted(script.unicode_sequences.items()))}
           if getattr(script, "unicode_sequences", None) else {}),
        "vedic": [ch for ch in vedic],
        "script": {"consonants": "".join(script.consonants), "matras": "".join(script.matras),
                   "modifiers": "".join(script.modifiers), "virama": script.virama,
                   "nukta": script.nukta, "ra": script.ra if script.reph else "", "zwj": script.zwj,
                   "zwnj": script.zwnj, "mark_names": script.mark_names,
                   **(script_extras or {})},
        "rules": rules,
    }
    if outlines:
        fmap["outlines"] = outlines
    return fmap


def rank_pieces(font, canon, ranked, mandatory, word_sets, counts, by_words=False, carver=None,
                borrow=BORROW):
    """Splits every composite glyph into pieces (recursively) and ranks
    again: pieces and unsplit glyphs by how many words need them, mandatory
    ones first, then the whole composite glyphs, which only save bytes."""
    import decompose
    comp = decompose.Composites(font)
    expansions = {}
    todo = list(ranked)
    seen = set(todo)
    while todo:
        k = todo.pop()
        parts = comp.pieces(k)
        if not parts and carver is not None:
            parts = carver.pieces(k)
        if not parts:
            continue
        parts = [canon(p) for p in parts]
        expansions[k] = parts
        for p in parts:
            if p not in seen:
                seen.add(p)
                todo.append(p)

    def leaves(k, out):
        if k in expansions:
            for p in expansions[k]:
                leaves(p, out)
        else:
            out.add(k)
        return out

    atom_weight = collections.Counter()
    atom_sets = []
    for words in word_sets:
        atoms = set()
        for k in words:
            leaves(k, atoms)
        atom_weight.update(atoms)
        atom_sets.append(frozenset(atoms))
    essential = set()
    for k in mandatory:
        leaves(k, essential)
    atoms = sorted({a for k in seen for a in leaves(k, set())},
                   key=lambda k: (k not in essential, -atom_weight[k], -counts[k], k))
    if by_words:
        atoms = rank_by_words(atoms, essential, atom_sets, borrow)
    direct = collections.Counter()
    for words in word_sets:
        direct.update(words)
    taken = set(atoms)
    whole = sorted((k for k in expansions if k not in taken),
                   key=lambda k: (-direct[k], -counts[k], k))
    return atoms + whole, expansions


def write_map(out, fmap, inputs):
    """Writes a family map with the digests of what it was made from."""
    import json
    fmap["inputs"] = input_hashes(inputs)
    with open(out, "w", encoding="utf-8") as f:
        json.dump(fmap, f, ensure_ascii=False, indent=0, sort_keys=True)
        f.write("\n")
    print(f"{out}: {len(fmap['glyphs'])} glyphs")


def input_hashes(paths):
    """What a map was made from: file digests and the HarfBuzz version. When
    these are unchanged, regenerating the map gives the same map."""
    import hashlib
    import subprocess
    import os
    root = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
    out = {}
    for p in paths:
        # Files of the project by their path in it (several families have a
        # make_map.py, and one maker may read another's), the rest by name.
        full = os.path.abspath(p)
        inside = full.startswith(root + os.sep)
        key = os.path.relpath(full, root) if inside else os.path.basename(full)
        with open(p, "rb") as f:
            out[key] = hashlib.sha256(f.read()).hexdigest()
    version = subprocess.run(["hb-shape", "--version"], capture_output=True, text=True).stdout
    out["hb-shape"] = version.splitlines()[0] if version else ""
    return out
