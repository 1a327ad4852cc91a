#!/usr/bin/python3
"""Modern running text per language: the words of Debian's translated
message catalogues that the dictionaries we rank and measure with lack
(loanwords, technical terms, names: "application", "software", "account").

The lists are extracted once and committed (family/words/modern-<lang>.txt),
so that measuring does not depend on which locales a machine has:

    modern_words.py --write          extract every language of family/words/modern.json
    modern_words.py --write hi bn    only these
    modern_words.py --check          do the committed lists equal a new extraction?
                                     (exit 77 when a language's catalogues are missing)

family/words/modern.json names, per language, the locale folders to read
(/usr/share/locale/<locale>/LC_MESSAGES/*.mo, every catalogue there), the
family and the libraries that draw the language. A word is kept when all
its letters are in the family's Unicode block, it starts with a letter (not
a sign), and it is in none of the word lists of the family's fidelity.json
(the dictionary words are measured on their own).

Every list splits in two halves by a hash of the word: the training half
may rank glyphs, the held-out half is only measured (see halves()).
"""
import argparse
import glob
import gettext
import hashlib
import json
import os
import re
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, "..", ".."))
WORDS_DIR = os.path.join(ROOT, "family", "words")
CONFIG = os.path.join(WORDS_DIR, "modern.json")
JOINERS = "\u200c\u200d"

sys.path.insert(0, HERE)
import wordlists  # noqa: E402


def config():
    with open(CONFIG, encoding="utf-8") as f:
        return json.load(f)


def list_path(lang):
    return os.path.join(WORDS_DIR, f"modern-{lang}.txt")


def held_out(word):
    """True for the held-out half: the low bit of the word's SHA-256."""
    return hashlib.sha256(word.encode("utf-8")).digest()[0] & 1 == 1


def read(lang, half="all"):
    """The committed words of a language; half: "train", "held" or "all"."""
    with open(list_path(lang), encoding="utf-8") as f:
        words = [w.strip() for w in f if w.strip() and not w.startswith("#")]
    if half == "all":
        return words
    return [w for w in words if held_out(w) == (half == "held")]


def _is_letter(ch):
    return unicodedata.category(ch).startswith("L") or unicodedata.category(ch) == "Nd"


def words_of_catalogue(path, block):
    """The words of the script in the translated strings of one .mo file."""
    lo, hi = block
    with open(path, "rb") as f:
        catalogue = gettext.GNUTranslations(f)
    out = set()
    for text in catalogue._catalog.values():
        for w in re.findall(r"[\u0900-\u0DFF\u200c\u200d]+", text):
            # Dandas end a sentence, they are not part of a word.
            for part in re.split(r"[\u0964\u0965]+", w):
                part = unicodedata.normalize("NFC", part.strip(JOINERS))
                if not part or not _is_letter(part[0]):
                    continue
                if all(lo <= ord(c) <= hi or c in JOINERS for c in part):
                    out.add(part)
    return out


def extract(lang, entry):
    """The text of a language's list and the number of catalogues read."""
    family = entry["family"]
    fmap_path = os.path.join(ROOT, "family", "fonts", family, family + ".map.json")
    with open(fmap_path, encoding="utf-8") as f:
        block = wordlists.block_of(json.load(f)["script"]["consonants"][0])
    # Every list the family ranks or measures with (Bengali and Assamese
    # share one glyph inventory, ranked on both languages' lists).
    fidelity = os.path.join(ROOT, "family", "fonts", family, "fidelity.json")
    with open(fidelity, encoding="utf-8") as f:
        specs = json.load(f)["words"]
    dictionaries = sorted(set(specs.values())) if isinstance(specs, dict) else [specs]
    known = {unicodedata.normalize("NFC", w) for d in dictionaries for w in wordlists.read(d, block)}
    words, sources = set(), []
    for locale in entry["locales"]:
        for path in sorted(glob.glob(f"/usr/share/locale/{locale}/LC_MESSAGES/*.mo")):
            found = words_of_catalogue(path, block)
            if found:
                sources.append(path)
                words |= found
    words -= known
    lines = [f"# Modern words of '{lang}': translated messages of Debian's catalogues",
             f"# that are not in {' nor '.join(dictionaries)}.",
             f"{DIGEST_MARK}{catalogues_digest(sources)}",
             "# Made by tools/fontgen/modern_words.py --write; sources:"]
    lines += [f"#   {s}" for s in sources] + sorted(words)
    return "\n".join(lines) + "\n", len(sources)


# The catalogues a list was made from are recorded by digest: another
# machine's packages (other versions, other translations) make other lists,
# and that is no sign of a stale commit.
DIGEST_MARK = "# catalogues sha256: "


def catalogues_digest(paths):
    h = hashlib.sha256()
    for path in paths:
        with open(path, "rb") as f:
            h.update(os.path.basename(path).encode() + b"\0" + hashlib.sha256(f.read()).digest())
    return h.hexdigest()


def recorded_digest(path):
    if not os.path.exists(path):
        return None
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith(DIGEST_MARK):
                return line[len(DIGEST_MARK):].strip()
            if not line.startswith("#"):
                break
    return None


def recorded_digest_of(text):
    for line in text.splitlines():
        if line.startswith(DIGEST_MARK):
            return line[len(DIGEST_MARK):].strip()
    return None


def main():
    ap = argparse.ArgumentParser()
    mode = ap.add_mutually_exclusive_group(required=True)
    mode.add_argument("--write", action="store_true")
    mode.add_argument("--check", action="store_true")
    ap.add_argument("langs", nargs="*")
    args = ap.parse_args()
    stale, missing, other = [], [], []
    for lang, entry in config().items():
        if args.langs and lang not in args.langs:
            continue
        text, catalogues = extract(lang, entry)
        path = list_path(lang)
        if args.write:
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
            words = read(lang)
            held = sum(1 for w in words if held_out(w))
            print(f"{path}: {len(words)} words ({held} held out) from {catalogues} catalogues")
        elif not catalogues:
            missing.append(lang)
        elif recorded_digest(path) != recorded_digest_of(text):
            other.append(lang)
        elif not os.path.exists(path) or open(path, encoding="utf-8").read() != text:
            stale.append(path)
    for path in stale:
        print("stale:", path, "(run `make modern-words` and commit the result)")
    if missing:
        print("skipped: no catalogues of", " ".join(missing))
    if other:
        print("skipped: the installed catalogues are not those the lists were made from:",
              " ".join(other))
    return 1 if stale else 77 if missing or other else 0


if __name__ == "__main__":
    sys.exit(main())
