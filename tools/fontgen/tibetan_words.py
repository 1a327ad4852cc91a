#!/usr/bin/python3
"""Word lists of the Tibetan family, from Debian's packages.

    tibetan_words.py tibetan|dzongkha [out.dic]

Tibetan: the syllables that the Tibetan hunspell dictionary (hunspell-bo)
accepts: its stems with the suffixes of its affix file (vowel signs, final
letters, grammatical endings). Dzongkha: the same from hunspell-dz, then the
syllables of the Dzongkha translations that Debian installs (iso-codes and
the other message catalogues under /usr/share/locale/dz), split at tsheg,
shad and spaces; a syllable that stood before a tsheg keeps it.

The output has the form of a hunspell .dic file (a count line, then one word
per line), so that the fidelity harness reads it like the other lists.
"""
import gettext
import os
import re
import sys

HUNSPELL = "/usr/share/hunspell"
LOCALE = "/usr/share/locale"
TSHEG = "\u0f0b"
# Catalogues of packages every machine of the project has (iso-codes comes
# with scripts/bootstrap, the rest with Debian itself).
CATALOGUES = ["iso_3166-1", "iso_3166-3", "apt", "libapt-pkg6.0", "dpkg", "shadow"]


def read_affixes(path):
    """flag -> [(text added, flags of the result)] of the SFX rules (the
    dictionaries only add, never strip, and set no conditions)."""
    rules = {}
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for line in lines:
        parts = line.split()
        if len(parts) >= 5 and parts[0] == "SFX":
            add, _, flags = parts[3].partition("/")
            rules.setdefault(parts[1], []).append(("" if add == "0" else add, flags))
    return rules


def expand(dic, aff):
    """Every stem with each of its suffixes (one level: a vowel sign, a final
    letter or an ending), in the dictionary's order."""
    rules = read_affixes(aff)
    need = None
    with open(aff, encoding="utf-8") as f:
        affix_lines = f.read().split("\n")
    for line in affix_lines:
        if line.startswith("NEEDAFFIX"):
            need = line.split()[1]
    out = []

    def forms(word, flags, depth):
        if need not in flags:
            out.append(word)
        if depth > 0:
            return
        for f in flags:
            for add, more in rules.get(f, []):
                forms(word + add, more, depth + 1)

    with open(dic, encoding="utf-8") as f:
        lines = f.read().split("\n")[1:]
    for line in lines:
        line = line.strip()
        if line:
            word, _, flags = line.partition("/")
            forms(word, flags, 0)
    return out


def catalogue_paths(language):
    paths = [os.path.join(LOCALE, language, "LC_MESSAGES", n + ".mo") for n in CATALOGUES]
    return [p for p in paths if os.path.exists(p)]


def catalogue_syllables(language):
    out = []
    for path in catalogue_paths(language):
        with open(path, "rb") as f:
            catalogue = gettext.GNUTranslations(f)._catalog
        for key in sorted(catalogue, key=str):
            text = catalogue[key]
            for m in re.finditer(r"[\u0f40-\u0fbc\u0f20-\u0f29]+\u0f0b?", text):
                out.append(m.group(0))
    return out


def words(language):
    code = {"tibetan": "bo", "dzongkha": "dz"}[language]
    found = expand(os.path.join(HUNSPELL, code + ".dic"), os.path.join(HUNSPELL, code + ".aff"))
    if language == "dzongkha":
        found += catalogue_syllables(code)
    seen, out = set(), []
    for w in found:
        if w not in seen:
            seen.add(w)
            out.append(w)
    return out


def sources(language):
    code = {"tibetan": "bo", "dzongkha": "dz"}[language]
    paths = [os.path.join(HUNSPELL, code + ".dic"), os.path.join(HUNSPELL, code + ".aff")]
    if language == "dzongkha":
        paths += catalogue_paths(code)
    return paths


def main():
    language = sys.argv[1]
    found = words(language)
    text = "%d\n%s\n" % (len(found), "\n".join(found))
    if len(sys.argv) > 2:
        with open(sys.argv[2], "w", encoding="utf-8") as f:
            f.write(text)
    else:
        sys.stdout.write(text)


if __name__ == "__main__":
    main()
