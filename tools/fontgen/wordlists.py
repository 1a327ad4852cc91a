"""Word lists of the Indian languages from Debian's packages.

A list is named by a spec string, as family/fonts/<family>/fidelity.json
gives it: one or more sources joined by "+", each one of
    /usr/share/hunspell/bn_IN.dic      a hunspell dictionary, affix flags stripped
    aspell:or                          `aspell -d or dump master`
    mo:as:iso_639,glib20,...           the translated messages of the catalogues
                                       /usr/share/locale/as/LC_MESSAGES/<name>.mo,
                                       split into words of the script's block
Each source keeps its own order (catalogues: sorted); the sources are joined
in order without repeats.
"""
import gettext
import json
import os
import re
import subprocess

JOINERS = "\u200c\u200d\u0964\u0965"


def parse(spec):
    sources = []
    for part in spec.split("+"):
        if part.startswith("aspell:"):
            sources.append(("aspell", part[len("aspell:"):]))
        elif part.startswith("mo:"):
            _, lang, names = part.split(":", 2)
            sources.append(("mo", lang, names.split(",")))
        else:
            sources.append(("hunspell", part))
    return sources


def _hunspell(path):
    lines = open(path, encoding="utf-8").read().split("\n")
    return [w.strip().split("/")[0] for w in lines[1:] if w.strip() and w.strip().split("/")[0]]


def _aspell(lang):
    out = subprocess.run(["aspell", "-d", lang, "dump", "master"], check=True, capture_output=True,
                         text=True).stdout
    return [w.strip() for w in out.split("\n") if w.strip()]


def mo_path(lang, name):
    return f"/usr/share/locale/{lang}/LC_MESSAGES/{name}.mo"


def _catalogues(lang, names, block):
    lo, hi = block
    words = set()
    for name in names:
        path = mo_path(lang, name)
        if not os.path.exists(path):
            continue
        with open(path, "rb") as f:
            catalogue = gettext.GNUTranslations(f)
        for text in catalogue._catalog.values():
            for w in re.findall(r"[\u0900-\u0DFF\u200c\u200d]+", text):
                if all(lo <= ord(c) <= hi or c in JOINERS for c in w):
                    words.add(w)
    return sorted(words)


def block_of(letter):
    """The Unicode block (first, last) of a script letter."""
    start = ord(letter) & ~0x7F
    return start, start + 0x7F


def read(spec, block):
    """The words of a spec; block: the script's (first, last) code point,
    which words from catalogues must stay inside."""
    seen, out = set(), []
    for src in parse(spec):
        if src[0] == "hunspell":
            words = _hunspell(src[1])
        elif src[0] == "aspell":
            words = _aspell(src[1])
        else:
            words = _catalogues(src[1], src[2], block)
        for w in words:
            if w not in seen:
                seen.add(w)
                out.append(w)
    return out


def files(spec):
    """The files a word list is read from, for the digests of a map."""
    out = []
    for src in parse(spec):
        if src[0] == "hunspell":
            out.append(src[1])
        elif src[0] == "aspell":
            out.append(f"/usr/share/aspell/{src[1]}.cwl.gz")
        else:
            out += [mo_path(src[1], n) for n in src[2] if os.path.exists(mo_path(src[1], n))]
    return out


def spec_for(config_path, library):
    """The word list a family's fidelity.json gives a library: "words" is one
    spec for all its libraries, or one per library."""
    with open(config_path, encoding="utf-8") as f:
        words = json.load(f)["words"]
    return words[library] if isinstance(words, dict) else words
