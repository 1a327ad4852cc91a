"""Learns a legacy glyph-code layout of a Brahmic script from HarfBuzz and Noto.

The model the converters implement (family/converters/engine) is:

    syllable = [reph] core [matra] [modifier] [final virama] [accents]
    glyphs   = [pre-base glyph] core glyphs [post-base glyphs] marks

* The core (a consonant with its conjuncts) maps through a table learned by
  shaping every single consonant, half form, consonant pair and rakar cluster.
  Longer cores split into half forms of the leading consonants plus the
  longest learned tail of the cluster.
* The rest of the syllable follows a template learned on a reference
  consonant. Templates name pre-base and post-base glyph families (the
  i-matra and ii-matra come in widths that fit the core) and marks.
* A mark is drawn with zero advance over the glyph before it. Its offset
  depends on that glyph, so every mark exists in a few offset variants and an
  attachment table picks the variant from the glyph before it.
* Below-base matras that fuse with the consonant (ru, ruu, hri, ...) come
  from a fusion table keyed by the last core glyph.

Everything is learned from systematic shaping, never from a word list: the
word list only ranks the glyphs when a font has fewer codes than glyphs.
"""
import collections
import re

from hbshape import Glyph, shape_many

# Noto names its glyphs <name>[<variant>]<four-letter script tag>, the
# variant in digits or "default": 'ivowelsignanusvara03deva',
# 'ivowelsign1gujr', 'ivowelsigndefaultgujr'.
SUFFIX = re.compile(r"^(.*?)(\d+|default)?([a-z]{4})$")


def split_variant(name):
    """'ivowelsignanusvara03deva' -> ('ivowelsignanusvaradeva', '03'),
    'ivowelsign2beng' -> ('ivowelsignbeng', '2')."""
    m = SUFFIX.match(name)
    if not m or m.group(2) is None:
        return name, ""
    return m.group(1) + m.group(3), m.group(2)


def join_variant(family, variant):
    return family[:-4] + variant + family[-4:] if variant else family


class Script:
    """What the learner needs to know about a script's characters."""

    def __init__(self, font, consonants, matras, modifiers, virama, nukta, ra, zwj, zwnj,
                 pre_families, post_families, drop=("dummymarkdeva", "space")):
        self.font = font
        self.consonants = consonants
        self.matras = matras
        self.modifiers = modifiers
        self.virama, self.nukta, self.ra, self.zwj, self.zwnj = virama, nukta, ra, zwj, zwnj
        self.pre_families = pre_families    # families whose variant the core decides, before it
        self.post_families = post_families  # same, after it
        self.drop = set(drop)
        self.variant_probes = []
        self.groups = {}
        self.standalone_letters = []
        self.reph = True  # ra + virama before a consonant is a reph (Telugu: a cluster)
        # Texts shaped in place of a core (a chillu drawn from its atomic
        # letter where the virama + ZWJ sequence shapes otherwise).
        self.shape_as = {}
        # Consonants to learn a tail on when the reference consonant fuses
        # with it (Tamil ku, kii): the first that keeps the tail apart wins.
        self.fallback_references = []
        # Composite glyphs drawn as their components (see composites()):
        # name -> [(component, x, y)].
        self.decompose = {}
        # Learn three-consonant clusters that end in a two-consonant ligature.
        self.suffix_triples = False
        # Whether the font picks a mark by the glyph before it (Gujarati: reph
        # and anusvara over a narrow or a wide base). Then a mark of another
        # name in a template's place is an attachment variant of the
        # template's mark.
        self.contextual_marks = False
        # Learn a mark's offset from where HarfBuzz draws it, whatever the
        # glyph order: a reph that the font draws between the base and a
        # post-base form still lands on the base after the post-base glyph.
        self.marks_by_position = False

    def group_of(self, family):
        return self.groups.get(family, family)


def composites(font_path, wanted):
    """The composite glyphs of a font whose names `wanted` accepts and whose
    first component sits at the origin: name -> [(component, x, y)]. Drawing
    the first component with the composite's advance and the others as
    zero-advance glyphs gives the same picture with fewer distinct glyphs
    (one pulli for every consonant instead of a consonant-with-pulli each)."""
    from fontTools.ttLib import TTFont
    glyf = TTFont(font_path)["glyf"]
    out = {}
    for name in glyf.keys():
        g = glyf[name]
        if not g.isComposite() or not wanted(name):
            continue
        parts = [(c.glyphName, c.x, c.y) for c in g.components]
        # The first component must sit at the origin (a few units off is
        # below a pixel at any size the controls draw).
        if max(map(abs, parts[0][1:])) <= 4 and not any(hasattr(c, "transform")
                                                        for c in g.components):
            out[name] = parts
    return out


def visible(script, glyphs):
    out = [g for g in glyphs if g.name not in script.drop]
    if not script.decompose:
        return out
    expanded = []
    for g in out:
        parts = script.decompose.get(g.name)
        if not parts:
            expanded.append(g)
            continue
        expanded.append(Glyph(parts[0][0], g.dx, g.dy, g.adv))
        for name, x, y in parts[1:]:
            expanded.append(Glyph(name, g.dx + x - g.adv, g.dy + y, 0))
    return expanded


class Learned:
    def __init__(self):
        self.cores = {}        # core text -> list of glyph keys
        self.variants = {}     # core text -> {family: variant}
        self.templates = {}    # tail -> list of (kind, family-or-name)
        self.attach = {}       # (mark name, previous spacing key) -> mark key
        self.fuse = {}         # (last core key, matra) -> list of keys
        self.observed = collections.Counter()  # glyph keys seen in systematic shaping
        self.below_base = None  # BelowBase, for scripts learned by learn_below_base
        self.template_refs = {}  # tail -> the consonant its template was learned on
        self.kerning = {}  # (last key of a syllable, first key of the next) -> kerned last key
        self.kerning_fold = None  # KerningFold, when kerning inside a syllable is folded
        self.subscript_placer = None  # SubscriptPlacer, when subscripts stay under the base
        # (letter drawn alone, modifier) -> keys, where the font draws the two
        # as one glyph with the mark in place (Gujarati ēṃ)
        self.standalone_ligatures = {}


def key_of(g):
    """A glyph as the maps hold it: a spacing glyph by its advance alone
    (offsets HarfBuzz gives it are dropped) unless it was moved on purpose
    (ShiftedGlyph), a mark by its offset."""
    if not g.adv:
        return (g.name, 0, g.dx, g.dy)
    return (g.name, g.adv, g.dx, g.dy) if isinstance(g, ShiftedGlyph) else (g.name, g.adv, 0, 0)


class ShiftedGlyph(Glyph):
    """A spacing glyph drawn away from the pen: its outline is moved by
    (dx, dy) in the face that holds it."""


def tails(script):
    out = []
    for reph in (False, True) if script.reph else (False,):
        for matra in [""] + script.matras:
            for mod in [""] + script.modifiers:
                out.append((reph, matra, mod, False))
        out.append((reph, "", "", True))
    return out


def tail_text(script, tail, core):
    reph, matra, mod, virama = tail
    return (script.ra + script.virama if reph else "") + core + matra + mod + (
        script.virama if virama else "")


def core_texts(script):
    cs, v = script.consonants, script.virama
    ra = script.ra if script.reph else None
    out = list(cs)
    out += [c + v + script.zwj for c in cs]
    out += [a + v + b for a in cs for b in cs if a != ra]
    out += [a + v + b + v + script.ra for a in cs for b in cs if b != script.ra and a != ra]
    return out


def template_of(script, out, ref_glyphs):
    """Splits a shaped reference syllable into pre, post and mark items."""
    items = []
    body = list(ref_glyphs)
    rest = list(out)
    if rest and split_variant(rest[0].name)[0] in script.pre_families:
        items.append(("pre", split_variant(rest[0].name)[0]))
        rest = rest[1:]
    if [g.name for g in rest[:len(body)]] != [g.name for g in body]:
        return None
    rest = rest[len(body):]
    for g in rest:
        if g.adv:
            fam, var = split_variant(g.name)
            if fam in script.post_families:
                items.append(("post", fam))
            else:
                items.append(("spacing", g.name))
        else:
            items.append(("mark", g.name))
    return items


def learn_suffix_triples(script, L):
    """Clusters of three consonants whose last two form one glyph (Malayalam
    s + the rra-rra ligature): kept where the font draws them otherwise than
    the first consonant's half form followed by that ligature."""
    v = script.virama
    pairs = [a + v + b for a in script.consonants for b in script.consonants
             if len(L.cores.get(a + v + b, [])) == 1]
    texts = [c + v + p for c in script.consonants for p in pairs if c + v + p not in L.cores]
    kept = []
    for text, glyphs in zip(texts, shape_many(script.font, texts)):
        keys = [key_of(g) for g in visible(script, glyphs)]
        half = L.cores.get(text[0] + v + script.zwj, [])
        if keys != half + L.cores[text[2:]]:
            L.cores[text] = keys
            kept.append(text)
    return kept


def ligature_triples(script, L):
    """Clusters of three consonants whose first two form one glyph: the
    font may join the third to that ligature in its own way."""
    v = script.virama
    out = []
    ra = script.ra if script.reph else None
    for a in script.consonants:
        for b in script.consonants:
            pair = a + v + b
            if a != ra and len(L.cores.get(pair, [])) == 1:
                out += [pair + v + c for c in script.consonants if c != script.ra]
    return out


def learn(script, reference_consonant):
    L = Learned()
    cores = core_texts(script)
    shaped = shape_many(script.font, [script.shape_as.get(c, c) for c in cores])
    for text, glyphs in zip(cores, shaped):
        L.cores[text] = [key_of(g) for g in visible(script, glyphs)]
    triples = ligature_triples(script, L)
    for text, glyphs in zip(triples, shape_many(script.font, triples)):
        L.cores[text] = [key_of(g) for g in visible(script, glyphs)]
    cores = cores + triples
    if script.suffix_triples:
        cores += learn_suffix_triples(script, L)
    # Variants of the pre- and post-base families each core takes.
    probes = []
    for fam_matra in script.variant_probes:
        probes += [c + fam_matra for c in cores]
    shaped = shape_many(script.font, probes)
    n = len(cores)
    for i, fam_matra in enumerate(script.variant_probes):
        for text, glyphs in zip(cores, shaped[i * n:(i + 1) * n]):
            for pos, g in enumerate(visible(script, glyphs)):
                fam, var = split_variant(g.name)
                if fam in script.pre_families or fam in script.post_families:
                    L.variants.setdefault(text, {})[script.group_of(fam)] = var
                if fam in script.pre_families:
                    L.variants[text]["@pre"] = pos
    # Templates on the reference consonant (or the first fallback that
    # keeps the tail apart from it).
    all_tails = tails(script)
    for consonant in [reference_consonant] + list(script.fallback_references):
        ref = visible(script, shape_many(script.font, [consonant])[0])
        todo = [t for t in all_tails if t not in L.templates]
        shaped = shape_many(script.font, [tail_text(script, t, consonant) for t in todo])
        for t, glyphs in zip(todo, shaped):
            tpl = template_of(script, visible(script, glyphs), ref)
            if tpl is not None:
                L.templates[t] = tpl
                L.template_refs[t] = consonant
    # Attachment and fusion, from every core with every tail that has marks
    # or a fusing matra.
    texts, meta = [], []
    for t, tpl in L.templates.items():
        if not any(k in ("mark",) for k, _ in tpl) and not t[1]:
            continue
        for c in cores:
            if c.endswith(script.zwj):
                continue
            texts.append(tail_text(script, t, c))
            meta.append((c, t))
    shaped = shape_many(script.font, texts)
    votes = collections.defaultdict(collections.Counter)
    fuse_votes = collections.defaultdict(collections.Counter)
    weak_votes = collections.defaultdict(collections.Counter)
    # Marks the converters draw apart when a sign glyph that carries them
    # gives way to a fused form: the reph and the modifiers, alone or together.
    apart = {name for (reph, matra, mod, virama), tpl in L.templates.items()
             if not matra and not virama and (reph or mod) for kind, name in tpl if kind == "mark"}
    apart.add(script.mark_names[2])  # the reph the converters draw after a cluster
    for (c, t), glyphs in zip(meta, shaped):
        glyphs = visible(script, glyphs)
        for g in glyphs:
            L.observed[key_of(g)] += 1
        predicted = predict_names(script, L, c, t)
        if predicted is None:
            continue
        actual_names = [g.name for g in glyphs]
        if script.marks_by_position and vote_by_position(script, L, c, t, glyphs, votes):
            continue
        if [p for p in predicted] != actual_names and not same_but_marks(script, L, t, predicted,
                                                                         glyphs):
            # A fusion of the last core glyph with the matra.
            core_keys = L.cores[c]
            if t[1] and not t[0] and not t[2] and not t[3] and core_keys:
                fuse_votes[(core_keys[-1], t[1])][tuple(key_of(g) for g in glyphs[len(core_keys) - 1:])] += 1
            # Marks the template names as they are still attach to the glyph
            # before them (a modifier after a fused vowel sign, say).
            names = {name for kind, name in L.templates[t] if kind == "mark"}
            # With the last core glyph fused into the sign, the reph and the
            # modifiers are what the converters then draw apart.
            fused = bool(core_keys) and core_keys[-1] not in [key_of(g) for g in glyphs]
            fused_names = apart if fused and t[1] and (t[0] or t[2]) else set()
            prev = None
            for g in glyphs:
                if g.adv:
                    prev = key_of(g)
                elif (g.name in names or g.name in fused_names) and prev is not None:
                    weak_votes[(g.name, prev)][key_of(g)] += 1
            if script.contextual_marks:
                contextual_weak_votes(L, t, glyphs, names, weak_votes)
            continue
        if any(split_variant(g.name)[0] in script.pre_families for g in glyphs):
            glyphs = [g for g in glyphs if split_variant(g.name)[0] not in script.pre_families]
        prev = None
        tpl_marks = [name for kind, name in L.templates[t] if kind == "mark"]
        mi = 0
        core_len = len(L.cores[c])
        for idx, g in enumerate(glyphs):
            if g.adv:
                prev = key_of(g)
            elif idx >= core_len:
                if mi < len(tpl_marks):
                    votes[(tpl_marks[mi], prev)][key_of(g)] += 1
                mi += 1
    for k, counter in weak_votes.items():
        if k not in votes:
            L.attach[k] = counter.most_common(1)[0][0]
    for k, counter in votes.items():
        L.attach[k] = counter.most_common(1)[0][0]
    learn_standalone_marks(script, L)
    for k, counter in fuse_votes.items():
        L.fuse[k] = list(counter.most_common(1)[0][0])
    return L


def contextual_weak_votes(L, tail, glyphs, names, weak_votes):
    """The marks after the last spacing glyph stand, from the end, for the
    template's last marks (a modifier after a fused vowel sign that the font
    draws in another form over that base: Gujarati nu + anusvara)."""
    tpl_marks = [name for kind, name in L.templates[tail] if kind == "mark"]
    last = max((i for i, g in enumerate(glyphs) if g.adv), default=None)
    if last is None:
        return
    prev = key_of(glyphs[last])
    marks = glyphs[last + 1:]
    for g, name in zip(reversed(marks), reversed(tpl_marks)):
        if g.name not in names:
            weak_votes[(name, prev)][key_of(g)] += 1


def same_but_marks(script, L, tail, predicted, glyphs):
    """With contextual marks: the glyphs are the predicted ones, some of the
    template's marks drawn by marks of another name."""
    if not script.contextual_marks or len(predicted) != len(glyphs):
        return False
    names = {name for kind, name in L.templates[tail] if kind == "mark"}
    return all(p == g.name or (g.adv == 0 and p in names) for p, g in zip(predicted, glyphs))


def predict_names(script, L, core, tail):
    """Glyph names the learned model gives for core + tail (offsets ignored)."""
    tpl = L.templates.get(tail)
    if tpl is None or core not in L.cores:
        return None
    var = L.variants.get(core, {})
    pre, post, marks = [], [], []
    for kind, name in tpl:
        if kind == "pre":
            pre.append(join_variant(name, var.get(script.group_of(name), "")))
        elif kind == "post":
            post.append(join_variant(name, var.get(script.group_of(name), "")))
        elif kind == "spacing":
            post.append(name)
        else:
            marks.append(name)
    body = [k[0] for k in L.cores[core]]
    at = var.get("@pre", 0)
    return body[:at] + pre + body[at:] + post + marks


def predict_sequence(script, L, core, tail):
    """(name, is a tail mark) of each glyph, in the order the converters emit
    them for core + tail; None when the model has no such core or tail."""
    tpl = L.templates.get(tail)
    if tpl is None or core not in L.cores:
        return None
    var = L.variants.get(core, {})
    body = [(k[0], False) for k in L.cores[core]]
    at = var.get("@pre", 0)
    pre, rest = [], []
    for kind, name in tpl:
        if kind == "pre":
            pre.append((join_variant(name, var.get(script.group_of(name), "")), False))
        elif kind == "post":
            rest.append((join_variant(name, var.get(script.group_of(name), "")), False))
        else:
            rest.append((name, kind == "mark"))
    return body[:at] + pre + body[at:] + rest


def vote_by_position(script, L, core, tail, glyphs, votes):
    """Votes the offset of every tail mark after the spacing glyph the
    converters put before it, from the mark's place in HarfBuzz's output.
    False when the glyphs are not the ones the model predicts."""
    seq = predict_sequence(script, L, core, tail)
    if seq is None or sorted(n for n, _ in seq) != sorted(g.name for g in glyphs):
        return False
    where, pen = {}, 0
    for g in glyphs:
        where.setdefault(g.name, []).append((pen + g.dx, g))
        pen += g.adv
    pen, prev = 0, None
    for name, is_mark in seq:
        x, g = where[name].pop(0)
        if is_mark and not g.adv:
            key = (name, 0, x - pen, g.dy)
            votes[(name, prev)][key] += 1
            L.observed[key] += 1
        elif g.adv:
            prev = key_of(g)
            pen += g.adv
    return True


def learn_standalone_marks(script, L, templates=None):
    """Modifiers over letters drawn alone (candrabindu over an independent
    vowel, say) attach to that letter's glyph."""
    templates = L.templates if templates is None else templates
    texts, meta = [], []
    for v in script.standalone_letters:
        for mod in script.modifiers:
            tpl = templates.get((False, "", mod, False))
            if not tpl:
                continue
            texts.append(v + mod)
            meta.append([name for kind, name in tpl if kind == "mark"])
    letters = sorted({text[:-1] for text in texts})
    alone = dict(zip(letters, (len(visible(script, gl)) for gl in shape_many(script.font, letters))))
    for text, names, glyphs in zip(texts, meta, shape_many(script.font, texts)):
        prev, nth = None, 0
        shown = visible(script, glyphs)
        if shown and all(g.adv for g in shown) and len(shown) <= alone[text[:-1]]:
            # No mark left: the font joined the modifier to the letter.
            L.standalone_ligatures.setdefault((text[:-1], text[-1]), [key_of(g) for g in shown])
        for g in shown:
            L.observed[key_of(g)] += 1
            if g.adv:
                prev = key_of(g)
                continue
            # With contextual marks the n-th mark stands for the template's n-th.
            name = g.name if g.name in names else (
                names[nth] if script.contextual_marks and nth < len(names) else None)
            nth += 1
            if name is not None and prev is not None:
                L.attach.setdefault((name, prev), key_of(g))


class BelowBase:
    """The model of scripts that write a cluster as its first consonant (the
    base) followed by the second and later consonants in subscript or
    post-base forms, with vowel signs that merge with the base (Kannada,
    Telugu):

        glyphs = base part, subscript forms, tail items

    * base part: what the base glyph becomes with a vowel sign or a final
      virama (ki, ke, ko: a fused glyph and the sign's pieces next to it),
      from a table keyed by base glyph and sign;
    * subscript forms: the core table (pairs, rakar clusters) and, for longer
      clusters, the forms a consonant takes in second place after the
      reference pair;
    * tail items: the parts of the sign that follow the subscripts (length
      marks), reph, modifiers; learned on the reference consonant alone and
      with a subscript, since some take another form after a subscript.
    """

    def __init__(self, reference, virama):
        self.reference = reference
        self.subscript_prefix = reference + virama + reference + virama
        self.fuse = {}    # (base key, sign) -> keys that replace the base glyph
        self.plain = {}   # tail -> items after a core without subscripts
        self.sub = {}     # tail -> items after a core with subscripts
        self.signed = {}  # (subscript key, sign) -> the subscript's form with that sign
        self.base_signs = set()  # signs drawn with the base (merged or next to it)
        # Subscript marks stay where they are without a sign (subscripts_stay_put).
        self.subscripts_from_body = False


def sign_of(script, tail):
    """The sign a base glyph fuses with: the vowel sign, else a final virama."""
    return tail[1] or (script.virama if tail[3] else "")


def items_of(glyphs):
    return [("spacing" if g.adv else "mark", g.name) for g in glyphs]


class KerningFold:
    """Moves the kerning of a glyph before a glyph of the same syllable into
    the later glyph.

    Some fonts (Noto Sans Telugu) narrow a base by a pair adjustment that
    depends on what follows it in the syllable (a subscript, which reaches
    back under the base, or an anusvara). An 8-bit font has no kerning:
    keeping the base at its own advance and shifting the later glyph by
    the adjustment (outline and advance alike) draws the same picture, lets
    the base keep the merged forms learned for it alone, and gives the later
    glyph a few variants instead of every base a few.

    starters: names of the glyphs that begin a syllable (their kerning
    against the syllable before is not folded: the converter draws each
    syllable alone)."""

    def __init__(self, font_path, starters):
        from fontTools.ttLib import TTFont
        self.hmtx = TTFont(font_path)["hmtx"]
        self.starters = set(starters)

    def fold(self, glyphs):
        out, carried = [], 0
        for i, g in enumerate(glyphs):
            nxt = glyphs[i + 1] if i + 1 < len(glyphs) else None
            # This glyph's own kerning (against the original advance, not one
            # that already carries the kerning of the glyph before it).
            own = 0
            if (g.adv and nxt is not None and nxt.adv and nxt.name not in self.starters
                    and g.name in self.hmtx.metrics):
                own = g.adv - self.hmtx[g.name][0]
            if carried:
                out.append(ShiftedGlyph(g.name, g.dx + carried, g.dy, g.adv - own + carried))
            else:
                out.append(Glyph(g.name, g.dx, g.dy, g.adv - own))
            carried = own
        return out


def syllable_starters(script):
    """Names of the glyphs a syllable can begin with: each consonant alone,
    with each sign and with a virama, and each letter drawn alone."""
    texts = [c + s for c in script.consonants for s in [""] + script.matras + [script.virama]]
    texts += list(script.standalone_letters)
    return {gl[0].name for gl in shape_many(script.font, texts) if gl}


def learn_below_base(script, reference):
    L = Learned()
    v = script.virama
    B = BelowBase(reference, v)
    cores = core_texts(script)
    pair = reference + v + reference
    cores += [B.subscript_prefix + c for c in script.consonants]
    shape = lambda texts: shape_many(script.font, texts)
    if getattr(script, "fold_kerning", False):
        L.kerning_fold = KerningFold(script.font, syllable_starters(script))
        shape = lambda texts: [L.kerning_fold.fold(gl) for gl in shape_many(script.font, texts)]
    for text, glyphs in zip(cores, shape(cores)):
        L.cores[text] = [key_of(g) for g in visible(script, glyphs)]
    triples = [t for t in ligature_triples(script, L) if t not in L.cores]
    for text, glyphs in zip(triples, shape(triples)):
        L.cores[text] = [key_of(g) for g in visible(script, glyphs)]
    # The subscript of the reference marks where a sign's glyphs split.
    stem = shape([pair])[0][-1].name[:-4]

    def split_at_subscript(glyphs):
        for i, g in enumerate(glyphs):
            if i > 0 and g.name.startswith(stem):
                return glyphs[:i], glyphs[i + 1:]
        return None

    all_tails = tails(script)
    texts = [tail_text(script, t, reference) for t in all_tails]
    texts += [tail_text(script, t, pair) for t in all_tails]
    shaped = [visible(script, g) for g in shape(texts)]
    n = len(all_tails)
    base_len = {}
    for t, plain, sub in zip(all_tails, shaped[:n], shaped[n:]):
        for g in plain + sub:
            L.observed[key_of(g)] += 1
        parts = split_at_subscript(sub)
        if parts is None:
            continue
        head, after = parts
        sign = sign_of(script, t)
        if [g.name for g in plain[:len(head)]] != [g.name for g in head]:
            continue
        base_len.setdefault(sign, len(head))
        if base_len[sign] != len(head):
            continue
        if sign and [g.name for g in head] != [g.name for g in shaped[0]]:
            B.base_signs.add(sign)
        B.plain[t] = items_of(plain[len(head):])
        B.sub[t] = items_of(after)
    # Base parts of every base glyph (consonants and one-glyph ligatures).
    bases = [c for c in cores if len(L.cores[c]) == 1 and not c.endswith(script.zwj)
             and not c.startswith(B.subscript_prefix)]
    signs = [s for s in script.matras + [v] if s in base_len]
    texts, meta = [], []
    for c in bases:
        for s in signs:
            texts.append(c + s)
            meta.append((c, s))
    votes = collections.defaultdict(collections.Counter)
    for (c, s), glyphs in zip(meta, shape(texts)):
        glyphs = visible(script, glyphs)
        for g in glyphs:
            L.observed[key_of(g)] += 1
        tail = (False, "" if s == v else s, "", s == v)
        after = [name for _, name in B.plain.get(tail, [])]
        cut = len(glyphs) - len(after)
        if cut < 1 or [g.name for g in glyphs[cut:]] != after:
            continue
        keys = [key_of(g) for g in glyphs[:cut]]
        if keys != L.cores[c]:
            B.fuse[(L.cores[c][0], s)] = keys
        vote_marks(glyphs, votes)
    # Subscripts that take another form (or offset) with a sign: voted over
    # every pair of consonants.
    pairs = [c for c in cores if len(c) == 3 and c[1] == v and c[0] in script.consonants
             and c[2] in script.consonants and len(L.cores[c]) == 2]
    texts, meta = [], []
    for c in pairs:
        for s in signs:
            if (L.cores[c][0], s) in B.fuse or s in base_len:
                texts.append(c + s)
                meta.append((c, s))
    sub_votes = collections.defaultdict(collections.Counter)
    for (c, s), glyphs in zip(meta, shape(texts)):
        glyphs = visible(script, glyphs)
        base = B.fuse.get((L.cores[c][0], s), [L.cores[c][0]])
        tail = (False, "" if s == v else s, "", s == v)
        after = [name for _, name in B.sub.get(tail, [])]
        if len(glyphs) != len(base) + 1 + len(after):
            continue
        if [key_of(g) for g in glyphs[:len(base)]] != base:
            continue
        sub_votes[(L.cores[c][1], s)][key_of(glyphs[len(base)])] += 1
    for k, counter in sub_votes.items():
        best = counter.most_common(1)[0][0]
        if best != k[0]:
            B.signed[k] = best
            L.observed[best] += counter[best]
    # Marks of the tails over every base (offsets depend on the glyph before)
    fold = L.kerning_fold is not None
    texts = []
    for t, items in B.plain.items():
        # (and spacing items, when they may carry the kerning before them)
        if any(kind == "mark" or (fold and kind == "spacing") for kind, _ in items):
            texts += [tail_text(script, t, c) for c in bases]
    for glyphs in shape(texts):
        glyphs = visible(script, glyphs)
        for g in glyphs:
            L.observed[key_of(g)] += 1
        vote_marks(glyphs, votes)
    for k, counter in votes.items():
        L.attach[k] = counter.most_common(1)[0][0]
    learn_standalone_marks(script, L, B.plain)
    B.subscripts_from_body = subscripts_stay_put(script, shape, pairs, signs)
    if B.subscripts_from_body:
        L.subscript_placer = SubscriptPlacer(script, L, B)
    L.below_base = B
    return L


class SubscriptPlacer:
    """Rewrites a shaped run the way a converter draws subscripts that keep
    their place under the base: each subscript mark right after the base's
    body, offset from the end of the body (not from the sign's glyphs after
    it). Ranking glyphs on runs rewritten this way counts the forms the
    converter draws, not the ones HarfBuzz placed after a sign."""

    def __init__(self, script, L, B):
        self.subscripts = {k[0] for text, keys in L.cores.items()
                           if len(text) >= 3 and text[1] == script.virama
                           for k in keys[1:] if k[1] == 0}
        # The width of the base's body: a consonant's own advance; a form
        # merged with a sign, the advance of the base it came from.
        self.body = {}
        for (base, _), keys in B.fuse.items():
            if keys and keys[0][1]:
                self.body.setdefault(keys[0][0], base[1])
        for c in script.consonants:
            for k in L.cores.get(c, [])[:1]:
                self.body.setdefault(k[0], k[1])

    def place(self, glyphs):
        out, x, body_end = [], 0, None
        for g in glyphs:
            if g.adv and g.name in self.body:
                body_end = x + self.body[g.name]
            if not g.adv and g.name in self.subscripts and body_end is not None:
                g = Glyph(g.name, x + g.dx - body_end, g.dy, 0)
            out.append(g)
            x += g.adv
        return out


def subscripts_stay_put(script, shape, pairs, signs, share=0.9):
    """Does the font draw a subscript mark at the same place under its base
    (within 12 units) whether a vowel sign or virama follows or not, for at
    least `share` of the pairs of consonants and signs?"""
    def mark_at(glyphs):
        x = 0
        for g in glyphs:
            if not g.adv and g.name not in script.mark_names:
                return g.name, x + g.dx, g.dy
            x += g.adv
        return None
    texts = list(pairs) + [c + s for c in pairs for s in signs]
    shaped = dict(zip(texts, shape(texts)))
    same = total = 0
    for c in pairs:
        plain = mark_at(shaped[c])
        if plain is None:
            continue
        for s in signs:
            signed = mark_at(shaped[c + s])
            if signed is None or signed[0] != plain[0]:
                continue
            total += 1
            same += abs(signed[1] - plain[1]) <= 12 and signed[2] == plain[2]
    return total > 0 and same >= share * total


def vote_marks(glyphs, votes):
    """Votes for the form of each mark after the spacing glyph before it,
    and of each spacing glyph that carries the kerning of the glyph before
    it (KerningFold)."""
    prev = None
    for g in glyphs:
        if (not g.adv or isinstance(g, ShiftedGlyph)) and prev is not None:
            votes[(g.name, prev)][key_of(g)] += 1
        if g.adv:
            prev = key_of(g)


def learn_kerning(script, L, vowels, reference):
    """Kerning across syllables: how the font narrows or widens the last
    glyph of a syllable before the first glyph of the next one (Tamil aa
    before the ee sign, say). Learned on every consonant with every tail
    and every independent vowel, before every consonant, vowel and pre-base
    sign; kept only where the syllable ends in a spacing glyph with no marks
    after it and draws the same glyphs either way."""
    pre_matras = [t[1] for t, tpl in L.templates.items()
                  if t[1] and not t[2] and not t[3] and any(k == "pre" for k, _ in tpl)]
    lefts = list(vowels)
    for c in script.consonants:
        lefts += [c + m for m in [""] + script.matras] + [c + script.virama]
    rights = list(script.consonants) + list(vowels) + [reference + m for m in pre_matras]
    alone = dict(zip(lefts + rights, shape_many(script.font, lefts + rights)))
    pairs = [(a, b) for a in lefts for b in rights]
    for (a, b), glyphs in zip(pairs, shape_many(script.font, [a + b for a, b in pairs])):
        left = visible(script, alone[a])
        right = visible(script, alone[b])
        both = visible(script, glyphs)
        if not left or not right or not left[-1].adv or len(both) != len(left) + len(right):
            continue
        if [g.name for g in both] != [g.name for g in left + right]:
            continue
        last, kerned = left[-1], both[len(left) - 1]
        if any(key_of(g) != key_of(h) for g, h in zip(left[:-1], both)):
            continue
        if kerned.adv != last.adv:
            L.kerning[(key_of(last), key_of(right[0]))] = key_of(kerned)
            L.observed[key_of(kerned)] += 1
