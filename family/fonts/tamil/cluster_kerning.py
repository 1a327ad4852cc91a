"""Tamil kerning the shared learner's tables miss.

Noto Sans Tamil narrows a consonant with pulli before many consonants (ர்
before க is 45 units narrower than ர் alone). The learner keeps that
advance in the cluster of two consonants it shapes (ர்க), but a cluster of
three the converter builds from the last two and the first one's form alone
(ர் + த்த), so ர்த்த loses it: kerned_triples() learns those clusters whole.

Kerning across syllables is looked up by the next syllable's first glyph,
and that glyph may itself be a kerned form of its consonant (ன் before க is
1189 units wide, not 1234): Noto kerns by the glyph's outline, which is the
same, so every form of a consonant shares the kerning pairs of its plain
glyph (with_kerned_forms()). And it may be a consonant fused with its u,
uu or ii sign (து, லு, கீ), a glyph of its own that the learner's pairs
never have on the right: fused_rights() learns those pairs.
"""
import collections

import brahmic
from hbshape import shape_many


def kerned_triples(script, learned, pre_sign):
    """Learns every cluster of three consonants whose first pair Noto kerns
    (the first consonant's form in the pair is not its form alone), with the
    place of a pre-base sign in it. Returns the texts added."""
    v, zwj = script.virama, script.zwj
    texts = []
    for a in script.consonants:
        alone = learned.cores.get(a + v + zwj)
        for b in script.consonants:
            pair = learned.cores.get(a + v + b)
            if not alone or not pair or pair[0] == alone[0]:
                continue
            texts += [a + v + b + v + c for c in script.consonants
                      if a + v + b + v + c not in learned.cores]
    shaped = shape_many(script.font, texts + [t + pre_sign for t in texts])
    plain, signed = shaped[:len(texts)], shaped[len(texts):]
    for text, glyphs, with_sign in zip(texts, plain, signed):
        learned.cores[text] = [brahmic.key_of(g) for g in brahmic.visible(script, glyphs)]
        for pos, g in enumerate(brahmic.visible(script, with_sign)):
            if brahmic.split_variant(g.name)[0] in script.pre_families:
                learned.variants.setdefault(text, {})["@pre"] = pos
                break
    return texts


def with_kerned_forms(fmap):
    """Adds to the kerning pairs of the map, for each pair whose right glyph
    is a consonant (or sign) at its own advance, the same pair with every
    other form of that glyph (same name, other advance) on the right."""
    glyphs = fmap["glyphs"]
    forms = collections.defaultdict(list)
    for i, g in enumerate(glyphs):
        if g["adv"]:
            forms[g["name"]].append(i)
    pairs = fmap["rules"].get("kerning", [])
    known = {(left, right) for left, right, _ in pairs}
    added = []
    for left, right, kerned in pairs:
        for other in forms[glyphs[right]["name"]]:
            if other != right and (left, other) not in known and not glyphs[other]["dx"]:
                known.add((left, other))
                added.append([left, other, kerned])
    fmap["rules"]["kerning"] = sorted(pairs + added)
    return added


def fused_rights(script, learned, vowels):
    """Kerning of a syllable's last glyph before a consonant fused with its
    vowel sign (the next syllable's first glyph): every left the learner
    kerns (each vowel, each consonant alone and with each sign) before every
    consonant + sign that Noto draws as one glyph. Kept, as the learner keeps
    its pairs, where the left ends in a spacing glyph and draws the same
    glyphs either way. Returns the number of pairs added."""
    lefts = list(vowels)
    for c in script.consonants:
        lefts += [c + m for m in [""] + script.matras]
    candidates = [c + m for c in script.consonants for m in script.matras]
    alone = dict(zip(lefts + candidates, shape_many(script.font, lefts + candidates)))
    plain = {c: g[0].name
             for c, g in zip(script.consonants, shape_many(script.font, script.consonants))}
    rights = [t for t in candidates
              if len(alone[t]) == 1 and alone[t][0].name != plain[t[0]]]
    pairs = [(a, b) for a in lefts for b in rights]
    added = 0
    for (a, b), glyphs in zip(pairs, shape_many(script.font, [a + b for a, b in pairs])):
        left = brahmic.visible(script, alone[a])
        right = brahmic.visible(script, alone[b])
        both = brahmic.visible(script, glyphs)
        if not left or not left[-1].adv or [g.name for g in both] != [g.name for g in left + right]:
            continue
        if any(brahmic.key_of(g) != brahmic.key_of(h) for g, h in zip(left[:-1], both)):
            continue
        last, kerned = left[-1], both[len(left) - 1]
        key = (brahmic.key_of(last), brahmic.key_of(right[0]))
        if kerned.adv != last.adv and key not in learned.kerning:
            learned.kerning[key] = brahmic.key_of(kerned)
            learned.observed[brahmic.key_of(kerned)] += 1
            added += 1
    return added
