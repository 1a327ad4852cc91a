"""What the Bengali script's family learns beyond the shared Brahmic learner,
for the clusters of modern text (loanwords, technical terms, names):

- vowel letters with ya-phala (অ্যা "a" + virama + ya, as in "app",
  "account"): learned as clusters on the vowel;
- the reph over a lone consonant at the offset HarfBuzz gives there (the
  shared learner takes the offset most clusters ending in that glyph give,
  where the reph stands over the cluster's base: over ma that is a whole
  letter to the left);
- kerning after a spacing modifier (anusvara before ga) as well as after
  vowel signs.
"""
import copy

import brahmic
from hbshape import shape_many


def learn_yaphala_vowels(script, L, vowels, ya):
    """Cores vowel + virama + ya, with the i/ii sign variants they take.
    Returns the vowels HarfBuzz draws as the vowel and a ya-phala."""
    texts = [v + script.virama + ya for v in vowels]
    kept = []
    for v, text, glyphs in zip(vowels, texts, shape_many(script.font, texts)):
        keys = [brahmic.key_of(g) for g in brahmic.visible(script, glyphs)]
        if len(keys) != 2 or "25CC" in keys[0][0] or keys[0][1] == 0:
            continue
        L.cores[text] = keys
        kept.append(v)
    for probe in script.variant_probes:
        cores = [v + script.virama + ya for v in kept]
        for text, glyphs in zip(cores, shape_many(script.font, [c + probe for c in cores])):
            for pos, g in enumerate(brahmic.visible(script, glyphs)):
                fam, var = brahmic.split_variant(g.name)
                if fam in script.pre_families or fam in script.post_families:
                    L.variants.setdefault(text, {})[script.group_of(fam)] = var
                if fam in script.pre_families:
                    L.variants[text]["@pre"] = pos
    return kept


def reph_over_lone_consonants(script, L, reph_name):
    """The reph's offset after each consonant's glyph, from ra + virama + C."""
    ra_virama = script.ra + script.virama
    singles = [c for c in script.consonants if c != script.ra and len(L.cores.get(c, [])) == 1]
    for c, glyphs in zip(singles, shape_many(script.font, [ra_virama + c for c in singles])):
        shown = brahmic.visible(script, glyphs)
        if len(shown) != 2 or shown[1].name != reph_name or shown[1].adv:
            continue
        if brahmic.key_of(shown[0]) != L.cores[c][0]:
            continue
        L.attach[(reph_name, L.cores[c][0])] = brahmic.key_of(shown[1])
        L.observed[brahmic.key_of(shown[1])] += 1


def learn_kerning_with_modifiers(script, L, vowels, reference):
    """brahmic.learn_kerning, with consonant + spacing modifier among the
    syllables whose last glyph the font kerns."""
    widened = copy.copy(script)
    widened.matras = list(script.matras) + list(script.modifiers)
    brahmic.learn_kerning(widened, L, vowels, reference)
