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

UPPER = list(range(0x80, 0x100))
ALL = list(range(0x21, 0x100))
VEDIC_ACCENT_CODES = list(range(0xB8, 0xDA)) + [0xDB]
LATIN_CODES = list(range(0x21, 0x7F))


class Clusters:
    """Greedy clustering of offsets (marks) and advances (spacing) per name."""

    def __init__(self, counts):
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
            tol = ADVANCE_TOLERANCE if adv else MARK_TOLERANCE
            if d <= tol and (dist is None or d < dist):
                best, dist = c, d
        return best

    def canon(self, key):
        found = self.find(key)
        if found is None:
            self.centres[key[0]].append(key)
            return key
        return found


def build(script, learned, vowels, standalone, vedic, design_words, latin_font, iscii, iscii_nukta,
          roman, faces, converters, reference="\u0915", mandatory_letters=None):
    """mandatory_letters: the letters whose glyphs every face must hold (by
    default every letter drawn alone, every half form and the reference
    consonant with each tail); the rest go by their weight in the words."""
    font = script.font
    counts = collections.Counter(learned.observed)
    for keys in learned.cores.values():
        counts.update(keys)
    singles = vowels + standalone + script.consonants
    single_shapes = dict(zip(singles, shape_many(font, singles)))
    vedic_shapes = dict(zip(vedic, shape_many(font, [reference + v for v in vedic])))
    nukta_forms = [c + script.nukta for c in script.consonants]
    for gl in shape_many(font, nukta_forms):
        counts.update(brahmic.key_of(g) for g in brahmic.visible(script, gl))
    for gl in single_shapes.values():
        counts.update(brahmic.key_of(g) for g in brahmic.visible(script, gl))
    clusters = Clusters(counts)
    canon = clusters.canon

    # Weight of each glyph: how many design words use it.
    weight = collections.Counter()
    for glyphs in shape_many(font, design_words):
        weight.update({canon(brahmic.key_of(g)) for g in brahmic.visible(script, glyphs)})
    mandatory = set()
    for ch in singles if mandatory_letters is None else mandatory_letters:
        mandatory.update(canon(brahmic.key_of(g)) for g in brahmic.visible(script, single_shapes[ch]))
    if mandatory_letters is None:
        for c in script.consonants:
            mandatory.update(canon(k) for k in learned.cores[c + script.virama + script.zwj])
        ref = reference
        for tail, tpl in learned.templates.items():
            if tail[0] or (tail[2] and tail[1]):
                continue
            for g in brahmic.visible(script, shape_many(font, [brahmic.tail_text(script, tail, ref)])[0]):
                mandatory.add(canon(brahmic.key_of(g)))

    accents, vedic_spacing = [], []
    for v in vedic:
        gl = [g for g in brahmic.visible(script, vedic_shapes[v]) if g.name != "kadeva"]
        if len(gl) != 1:
            continue
        g = gl[0]
        (accents if g.adv == 0 else vedic_spacing).append((v, brahmic.key_of(g)))

    universe = set(canon(k) for k in counts) | mandatory
    accent_keys = {k for _, k in accents}
    vedic_spacing_keys = {k for _, k in vedic_spacing}
    ranked = sorted(universe - accent_keys - vedic_spacing_keys,
                    key=lambda k: (k not in mandatory, -weight[k], -counts[k], k))
    glyphs = ranked + sorted(vedic_spacing_keys) + sorted(accent_keys)
    index = {k: i for i, k in enumerate(glyphs)}
    script_glyphs = ranked

    # Codes of every face.
    face_codes = {}
    for f in faces:
        codes = {}
        if f["slots"] == "upper" and f.get("script"):
            for k, code in zip(script_glyphs, UPPER):
                codes[index[k]] = code
        elif f.get("overflow_of"):
            for k, code in zip(script_glyphs[len(UPPER):], ALL):
                codes[index[k]] = code
        elif f["slots"] == "all":
            pool = list(ALL)
            if f.get("vedic_spacing"):
                for k in sorted(vedic_spacing_keys):
                    codes[index[k]] = pool.pop()
            for k, code in zip(script_glyphs, pool):
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

    conv = []
    for c in converters:
        conv.append(dict(c))
    rules = {"cores": cores, "family_variants": family_variants, "templates": templates,
             "attach": attach, "defaults": defaults, "fuse": fuse,
             "standalone": standalone_map,
             "groups": script.groups}
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
            "subscript_skip": len(learned.cores[B.subscript_prefix[:-1]])}

    return {
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
        "vedic": [ch for ch in vedic],
        "script": {"consonants": "".join(script.consonants), "matras": "".join(script.matras),
                   "modifiers": "".join(script.modifiers), "virama": script.virama,
                   "nukta": script.nukta, "ra": script.ra if script.reph else "", "zwj": script.zwj,
                   "zwnj": script.zwnj, "mark_names": script.mark_names},
        "rules": rules,
    }


def input_hashes(paths):
    """What a map was made from: file digests and the HarfBuzz version. When
    these are unchanged, regenerating the map gives the same map."""
    import hashlib
    import subprocess
    out = {}
    for p in paths:
        with open(p, "rb") as f:
            out[p.split("/")[-1]] = hashlib.sha256(f.read()).hexdigest()
    version = subprocess.run(["hb-shape", "--version"], capture_output=True, text=True).stdout
    out["hb-shape"] = version.splitlines()[0] if version else ""
    return out
