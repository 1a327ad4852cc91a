#!/usr/bin/python3
"""Writes the converter tables of a family from its map.

    gen_tables.py <family.map.json> <namespace> <out.inc>

The output is one C++ fragment with the family's rules (shared by its
converters) and one code table per converter library.
"""
import json
import sys


def cxx_u16(text):
    return 'u"' + "".join("\\x%04X" % ord(c) if ord(c) > 0x7E or c in '"\\' else c
                          for c in text) + '"'


def resolve_codes(fmap, conv):
    """glyph index -> (code, digit) for one converter; absent glyphs borrow the
    code of the nearest glyph of the same name that the converter's fonts hold."""
    faces = {f["face"]: f for f in fmap["faces"]}
    direct = {}
    for digit, face in sorted(conv["fonts"].items()):
        for g, code in faces[face]["codes"].items():
            direct.setdefault(int(g), (code, digit))
    glyphs = fmap["glyphs"]
    by_name = {}
    for i in direct:
        by_name.setdefault(glyphs[i]["name"], []).append(i)
    out = []
    for i, g in enumerate(glyphs):
        if i in direct:
            out.append(direct[i])
            continue
        best = None
        for j in by_name.get(g["name"], []):
            h = glyphs[j]
            d = abs(h["adv"] - g["adv"]) + abs(h["dx"] - g["dx"]) + abs(h["dy"] - g["dy"])
            if best is None or d < best[0]:
                best = (d, j)
        if best is None and fmap.get("borrow_variants"):
            best = nearest_variant(glyphs, g, direct)
        out.append(direct[best[1]] if best else (0, "0"))
    # A letter drawn alone whose glyph the fonts lack may have a Latin
    # stand-in (a digit): the code of that Latin letter in a face with Latin.
    latin = [digit for digit, face in sorted(conv["fonts"].items()) if faces[face].get("latin")]
    standalone = fmap["rules"]["standalone"]
    for letter, ascii_text in sorted(fmap.get("latin_fallback", {}).items()):
        alone = standalone.get(letter, [])
        if latin and len(alone) == 1 and out[alone[0]] == (0, "0"):
            out[alone[0]] = (ord(ascii_text), latin[0])
    return out


def nearest_variant(glyphs, g, direct):
    """(distance, index) of the held glyph of the same family (Noto's name
    without its variant digits: ivowelsignreph01deva -> ivowelsignrephdeva)
    and kind that is nearest in variant number, then in placement; None
    when the fonts hold none. A map asks for it with "borrow_variants": a
    width variant the fonts lack is drawn by its nearest held sibling, not
    left out."""
    from brahmic import split_variant
    family, variant = split_variant(g["name"])
    number = lambda v: int(v) if v.isdigit() else 0
    best = None
    for j in direct:
        h = glyphs[j]
        fam, var = split_variant(h["name"])
        if fam != family or (h["adv"] == 0) != (g["adv"] == 0):
            continue
        d = (abs(number(var) - number(variant)),
             abs(h["adv"] - g["adv"]) + abs(h["dx"] - g["dx"]) + abs(h["dy"] - g["dy"]), j)
        if best is None or d < best[0]:
            best = (d, j)
    return best


def direct_codes(fmap, conv):
    faces = {f["face"]: f for f in fmap["faces"]}
    direct = set()
    for face in conv["fonts"].values():
        direct.update(int(g) for g in faces[face]["codes"])
    return direct


# Font units a held glyph may be off and still stand in for a piece.
PIECE_STAND_IN = 100


def resolve_pieces(fmap, conv, held_too=False):
    """glyph index -> the pieces with codes that draw it, for every glyph the
    converter's fonts do not hold whole but hold in pieces; held_too: also
    for the glyphs they hold whole (a converter that draws subscripts between
    a base's pieces needs them)."""
    direct = direct_codes(fmap, conv)
    parts = {g: p for g, p in fmap["rules"].get("expansions", [])}
    glyphs = fmap["glyphs"]
    held = {}
    for i in direct:
        held.setdefault(glyphs[i]["name"], []).append(i)

    def stand_in(g):
        # A piece the fonts lack may be drawn by a held glyph of its name and
        # kind placed nearly where it belongs: the whole form then still
        # draws, close to right, where without it the converter would fall
        # back to the base and the sign drawn alone.
        want = glyphs[g]
        best = None
        for i in held.get(want["name"], []):
            h = glyphs[i]
            if (h["adv"] == 0) != (want["adv"] == 0):
                continue
            d = max(abs(h["adv"] - want["adv"]), abs(h["dx"] - want["dx"]), abs(h["dy"] - want["dy"]))
            if d <= PIECE_STAND_IN and (best is None or d < best[0]):
                best = (d, i)
        return best[1] if best else None

    def flat(g, depth=0):
        if g in direct:
            return [g]
        if g not in parts or depth > 8:
            near = stand_in(g) if depth > 0 else None
            return [near] if near is not None else None
        out = []
        for p in parts[g]:
            f = flat(p, depth + 1)
            if f is None:
                return None
            out += f
        return out

    out = {}
    for g in sorted(parts):
        if g not in direct:
            f = flat(g)
        elif held_too:
            f = [q for p in parts[g] for q in (flat(p, 1) or [None])]
            f = None if None in f else f
        else:
            continue
        if f is not None:
            out[g] = f
    return out


def body_ends(fmap, pieces, slack=12):
    """glyph -> how many of its pieces draw the body of the base it merges
    (their advances add up to the base's own, within slack font units), for
    the merged forms of a family whose subscripts keep their place under the
    base's body."""
    below = fmap["rules"].get("below_base") or {}
    if not below.get("subscripts_from_body"):
        return {}
    glyphs = fmap["glyphs"]
    base_of = {}
    for base, _, keys in below.get("fuse", []):
        if len(keys) == 1:
            base_of.setdefault(keys[0], set()).add(base)
    out = {}
    for g, parts in pieces.items():
        for base in base_of.get(g, ()):
            width = glyphs[base]["adv"]
            run = 0
            for k, p in enumerate(parts):
                run += glyphs[p]["adv"]
                if glyphs[p]["adv"] and abs(run - width) <= slack:
                    out[g] = k + 1
                    break
            if g in out:
                break
    return out


class Pool:
    """One array holding the glyph lists of several tables; a table entry
    names its list by (first, count)."""

    def __init__(self):
        self.items = []

    def span(self, items):
        first = len(self.items)
        self.items.extend(items)
        return first, len(items)

    def cxx(self):
        return "inline constexpr std::uint16_t kPool[] = {%s};" % ",".join(map(str, self.items))


def preamble(map_path, include, namespace):
    """The first lines of a generated table fragment."""
    return ["// Generated by tools/fontgen/gen_tables.py from %s. Do not edit." % map_path.split("/")[-1],
            "// Regenerate with `make fonts`.",
            "#pragma once",
            '#include "%s"' % include,
            "namespace vexa::family::%s {" % namespace]


def code_tables(w, array, fmap, conv, name, below):
    """The code table (and piece tables) of one converter's fonts, named
    k<name>Codes and k<name>Pieces."""
    codes = resolve_codes(fmap, conv)
    pieces = None
    if "expansions" in fmap["rules"]:
        pieces = resolve_pieces(fmap, conv, (below or {}).get("subscripts_from_body", False))
        # Glyphs drawn in pieces take no borrowed code of their own.
        direct = direct_codes(fmap, conv)
        codes = [(0, "0") if i in pieces and i not in direct else c for i, c in enumerate(codes)]
    w("inline constexpr GlyphCode k%sCodes[] = {%s};" % (
        name, ",".join("{%d, '%s'}" % (c, d) for c, d in codes)))
    if pieces is not None:
        flat, rows = [], []
        ends = body_ends(fmap, pieces)
        for g, p in sorted(pieces.items()):
            end = ends.get(g, 0)
            rows.append("{%d, %d, %d%s}" % (g, len(flat), len(p), ", %d" % end if end else ""))
            flat += p
        array("std::uint16_t", "k%sPieceList" % name, [str(x) for x in flat])
        array("Expansion", "k%sExpansions" % name, rows)
        w("inline constexpr GlyphPieces k%sPieces = {k%sExpansions, k%sPieceList};" % (name, name, name))


def main():
    map_path, namespace, out_path = sys.argv[1:4]
    fmap = json.load(open(map_path, encoding="utf-8"))
    if fmap.get("model") == "tibetan":
        import tibetan_tables
        tibetan_tables.write(fmap, map_path, namespace, out_path)
        return
    rules = fmap["rules"]
    names, variants = {}, {"": 0}

    def name_id(n):
        return names.setdefault(n, len(names))

    def variant_id(v):
        return variants.setdefault(v, len(variants))

    # The marks the engine names itself come first: virama, nukta, reph.
    for n in fmap["script"]["mark_names"]:
        name_id(n)
    pool = Pool()
    span = pool.span

    L = preamble(map_path, "engine/brahmic_tables.h", namespace)
    w = L.append
    w("using namespace vexa::family::engine;")

    cores = []
    for text, glyphs, pre_at, iv, iiv in sorted(rules["cores"], key=lambda c: c[0].encode("utf-16-be")):
        first, count = span(glyphs)
        cores.append("{%s, %d, %d, %d, %d, %d}" % (cxx_u16(text), first, count, pre_at,
                                                   variant_id(iv), variant_id(iiv)))
    templates = []
    items = []
    for reph, matra, mod, virama, tpl in rules["templates"]:
        first = len(items)
        for kind, sym in tpl:
            items.append("{%s, %d}" % ({"pre": "ItemKind::kPre", "post": "ItemKind::kPost",
                                        "spacing": "ItemKind::kSpacing",
                                        "mark": "ItemKind::kMark"}[kind], name_id(sym)))
        templates.append("{%s, 0x%04X, 0x%04X, %s, %d, %d}" % (
            "true" if reph else "false", ord(matra) if matra else 0, ord(mod) if mod else 0,
            "true" if virama else "false", first, len(tpl)))
    below = rules.get("below_base")
    below_tails = {}
    if below:
        for table in ("plain", "sub"):
            rows = []
            for reph, matra, mod, virama, tpl in below[table]:
                first = len(items)
                for kind, sym in tpl:
                    items.append("{%s, %d}" % ({"spacing": "ItemKind::kSpacing",
                                                "mark": "ItemKind::kMark"}[kind], name_id(sym)))
                rows.append("{%s, 0x%04X, 0x%04X, %s, %d, %d}" % (
                    "true" if reph else "false", ord(matra) if matra else 0,
                    ord(mod) if mod else 0, "true" if virama else "false", first, len(tpl)))
            below_tails[table] = rows
    family_variants = []
    for fam, vs in sorted(rules["family_variants"].items()):
        for v, g in sorted(vs.items()):
            family_variants.append((name_id(fam), variant_id(v), g))
    family_variants.sort()
    attach = []
    for name, prev, g in rules["attach"]:
        attach.append((name_id(name), prev, g))
    attach.sort()
    defaults = {}
    for name, g in rules["defaults"].items():
        if name in names:
            defaults[names[name]] = g
    fuse = []
    for last, matra, glyphs in sorted(rules["fuse"]):
        first, count = span(glyphs)
        fuse.append("{%d, 0x%04X, %d, %d}" % (last, ord(matra), first, count))
    standalone = []
    for ch, glyphs in sorted(rules["standalone"].items()):
        first, count = span(glyphs)
        # A letter and its modifier drawn as one glyph name the modifier too.
        modifier = ", 0x%04X" % ord(ch[1]) if len(ch) > 1 else ""
        standalone.append("{0x%04X, %d, %d%s}" % (ord(ch[0]), first, count, modifier))

    base_fusions = []
    if below:
        for base, sign, glyphs in below["fuse"]:
            first, count = span(glyphs)
            base_fusions.append("{%d, 0x%04X, %d, %d}" % (base, ord(sign), first, count))
        signed = []
        for sub, sign, glyphs in below.get("signed_subscripts", []):
            first, count = span(glyphs)
            signed.append("{%d, 0x%04X, %d, %d}" % (sub, ord(sign), first, count))

    def array(ctype, name, elems):
        # A family may have none of a kind; C++ has no empty arrays.
        if elems:
            w("inline constexpr %s %s[] = {%s};" % (ctype, name, ",".join(elems)))
        else:
            w("inline constexpr std::span<const %s> %s{};" % (ctype, name))

    w(pool.cxx())
    w("inline constexpr CoreEntry kCores[] = {")
    for c in cores:
        w("    %s," % c)
    w("};")
    array("TemplateItem", "kItems", items)
    array("TailTemplate", "kTemplates", templates)
    array("FamilyVariant", "kFamilyVariants", ["{%d, %d, %d}" % fv for fv in family_variants])
    array("Attachment", "kAttach", ["{%d, %d, %d}" % a for a in attach])
    w("inline constexpr std::int16_t kDefaults[] = {%s};" % ",".join(
        str(defaults.get(i, -1)) for i in range(len(names))))
    array("Fusion", "kFusions", fuse)
    array("Standalone", "kStandalone", standalone)
    iscii = [0] * 256
    for b, u in fmap["iscii"].items():
        iscii[int(b, 16)] = ord(u)
    # Codes of letters the script does not have, read as the nearest it has.
    for b, u in fmap.get("iscii_alias", {}).items():
        iscii[int(b, 16)] = ord(u)
    nukta = [0] * 256
    for b, u in fmap["iscii_nukta"].items():
        nukta[int(b, 16)] = ord(u)
    w("inline constexpr char16_t kIscii[256] = {%s};" % ",".join("0x%04X" % c for c in iscii))
    w("inline constexpr char16_t kIsciiNukta[256] = {%s};" % ",".join("0x%04X" % c for c in nukta))
    array("char16_t", "kVedic", ["0x%04X" % ord(c) for c in fmap["vedic"]])
    s = fmap["script"]
    w("inline constexpr ScriptLetters kLetters = {%s, %s, %s, 0x%04X, 0x%04X, 0x%04X};" % (
        cxx_u16(s["consonants"]), cxx_u16(s["matras"]), cxx_u16(s["modifiers"]),
        ord(s["virama"]), ord(s["nukta"]) if s["nukta"] else 0, ord(s["ra"]) if s["ra"] else 0))
    w("inline constexpr std::uint8_t kIsMark[] = {%s};" % ",".join(
        "1" if g["adv"] == 0 else "0" for g in fmap["glyphs"]))
    # Rules only some scripts have follow the letters; other families leave
    # them at their defaults.
    extras = ""
    swaps = s.get("modifier_swaps", [])
    kerning = ["{%d, %d, %d}" % tuple(k) for k in rules.get("kerning", [])]
    if swaps or s.get("gemination") or kerning:
        array("ModifierSwap", "kModifierSwaps", sorted(
            "{0x%04X, 0x%04X, 0x%04X}" % (ord(c) if c else 0, ord(f), ord(t)) for c, f, t in swaps))
        extras = ", kModifierSwaps, %s" % ("true" if s.get("gemination") else "false")
    if kerning:
        array("KernPair", "kKerning", kerning)
        extras += ", kKerning"
    # Independent vowels that take a ya-phala: the rule every converter of
    # the family shares (appended after the rules above, at their defaults).
    yaphala = ""
    if s.get("yaphala_vowels"):
        yaphala = ", %s, 0x%04X" % (cxx_u16(s["yaphala_vowels"]), ord(s["yaphala"]))
        if not (swaps or s.get("gemination") or kerning):
            extras += ", {}, false"
        if not kerning:
            extras += ", {}"
        extras += yaphala
    w("inline constexpr Rules kRules = {kPool, kCores, kItems, kTemplates, kFamilyVariants, kAttach,")
    w("    kDefaults, kFusions, kStandalone, kIscii, kIsciiNukta, kVedic, kLetters%s};" % extras)
    if below:
        array("Fusion", "kBaseFusions", base_fusions)
        array("TailTemplate", "kPlainTails", below_tails["plain"])
        array("TailTemplate", "kSubscriptTails", below_tails["sub"])
        array("Fusion", "kSignedSubscripts", signed)
        w("inline constexpr BelowBase kBelowBase = {kBaseFusions, kPlainTails, kSubscriptTails, %s, %d,"
          % (cxx_u16(below["subscript_prefix"]), below["subscript_skip"]))
        w("    kSignedSubscripts, %s%s};" % (cxx_u16(below.get("base_signs", "")),
                                          ", true" if below.get("subscripts_from_body") else ""))

    # Names kept for reading the tables while debugging.
    w("// symbols: %s" % " ".join("%d=%s" % (i, n) for n, i in sorted(names.items(), key=lambda x: x[1])))

    for conv in fmap["converters"]:
        ident = conv["file"].split(".")[0].lower()
        if conv.get("iscii") or conv.get("ra"):
            # A language of the script that reads some ISCII codes as its own
            # letters (Assamese ra and wa in the Bengali script) gets its own
            # byte table and rules over the family's shared tables.
            own = list(iscii)
            for b, u in conv.get("iscii", {}).items():
                own[int(b, 16)] = ord(u)
            name = ident.capitalize()
            w("inline constexpr char16_t k%sIscii[256] = {%s};" % (name, ",".join("0x%04X" % c for c in own)))
            w("inline constexpr ScriptLetters k%sScriptLetters = {%s, %s, %s, 0x%04X, 0x%04X, 0x%04X};" % (
                name, cxx_u16(s["consonants"]), cxx_u16(s["matras"]), cxx_u16(s["modifiers"]),
                ord(s["virama"]), ord(s["nukta"]), ord(conv.get("ra", s["ra"]))))
            w("inline constexpr Rules k%sRules = {kPool, kCores, kItems, kTemplates, kFamilyVariants," % name)
            w("    kAttach, kDefaults, kFusions, kStandalone, k%sIscii, kIsciiNukta, kVedic, k%sScriptLetters%s};" % (
                name, name, ", {}, false, {}" + yaphala if yaphala else ""))
        if conv["kind"] == "brahmic":
            code_tables(w, array, fmap, conv, ident.capitalize(), below)
            if conv.get("extension_optional"):
                # The same library on a host that lacks the extension face:
                # the first face alone, with its fallback forms.
                alone = dict(conv, fonts={"1": conv["fonts"]["1"]})
                code_tables(w, array, fmap, alone, ident.capitalize() + "OneFace", below)
                w('inline constexpr char k%sExtensionFace[] = "%s";' % (
                    ident.capitalize(), conv["fonts"]["2"]))
        else:
            letters = fmap["roman_codes"]
            entries = []
            for ch, text in sorted(fmap["roman"].items()):
                codes = [ord(t) if ord(t) < 0x7F else letters[t] for t in text]
                entries.append("{0x%04X, {%s}, %d}" % (ord(ch), ",".join(map(str, codes)), len(codes)))
            w("inline constexpr RomanLetter k%sLetters[] = {%s};" % (ident.capitalize(), ",".join(entries)))
    w("}  // namespace vexa::family::%s" % namespace)
    with open(out_path, "w", encoding="utf-8") as f:
        f.write("\n".join(L) + "\n")


if __name__ == "__main__":
    main()
