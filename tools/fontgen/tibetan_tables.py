"""Writes the converter tables of the Tibetan family from its map (called by
gen_tables.py for maps of the Tibetan model)."""
from gen_tables import Pool, cxx_u16, preamble, resolve_codes


def write(fmap, map_path, namespace, out_path):
    rules = fmap["rules"]
    glyphs = fmap["glyphs"]
    pool = Pool()
    span = pool.span

    L = preamble(map_path, "tibetan/tibetan_tables.h", namespace)
    w = L.append

    cores = []
    for text, items in sorted(rules["cores"], key=lambda c: c[0].encode("utf-16-be")):
        first, count = span(items)
        cores.append("{%s, %d, %d}" % (cxx_u16(text), first, count))
    units = []
    for text, items in zip(rules["units"], rules["defaults"]):
        first, count = span(items)
        units.append("{%s, %d, %d}" % (cxx_u16(text), first, count))
    attach = []
    for unit, prev, items in sorted(rules["attach"], key=lambda a: (a[0], a[1])):
        first, count = span(items)
        attach.append("{%d, %d, %d, %d}" % (unit, prev, first, count))
    bases = ["{0x%04X, %d, %d, %d, %d}" % (ord(c), g, dx, dy, full)
             for c, (g, dx, dy, full) in sorted(rules["bases"].items())]
    groups = {}
    for p in rules["pieces"].values():
        groups.setdefault(p["name"], len(groups))
        if "u_name" in p:
            groups.setdefault(p["u_name"], len(groups))
    pieces = []
    for c, p in sorted(rules["pieces"].items()):
        pieces.append("{0x%04X, %d, %d, %d, %d, %d, %d, %d}" % (
            ord(c), groups[p["name"]], p["dx"], p["dy"], p["height"],
            groups.get(p.get("u_name"), -1), p.get("u_dx", 0), p.get("u_dy", 0)))
    piece_glyphs = sorted((groups[g["name"]], g["dx"], g["dy"], i) for i, g in enumerate(glyphs)
                          if g["name"] in groups and g["adv"] == 0)
    standalone = []
    for ch, items in sorted(rules["standalone"].items()):
        first, count = span(items)
        standalone.append("{0x%04X, %d, %d}" % (ord(ch), first, count))
    table = [0] * 256
    for b, u in fmap["bytes"].items():
        table[int(b, 16)] = ord(u)

    w(pool.cxx())
    w("inline constexpr Core kCores[] = {")
    for c in cores:
        w("    %s," % c)
    w("};")
    w("inline constexpr SignUnit kUnits[] = {%s};" % ",".join(units))
    w("inline constexpr SignAttachment kAttach[] = {%s};" % ",".join(attach))
    w("inline constexpr Base kBases[] = {%s};" % ",".join(bases))
    w("inline constexpr Piece kPieces[] = {%s};" % ",".join(pieces))
    w("inline constexpr PieceGlyph kPieceGlyphs[] = {%s};" % ",".join(
        "{%d, %d, %d, %d}" % p for p in piece_glyphs))
    w("inline constexpr Standalone kStandalone[] = {%s};" % ",".join(standalone))
    w("inline constexpr char16_t kBytes[256] = {%s};" % ",".join("0x%04X" % c for c in table))
    w("inline constexpr std::uint8_t kIsMark[] = {%s};" % ",".join(
        "1" if g["adv"] == 0 else "0" for g in glyphs))
    w("inline constexpr Rules kRules = {kPool, kCores, kUnits, kAttach, kBases, kPieces, kPieceGlyphs,")
    w("    kStandalone, kIsMark, kBytes, 0x%s, %d, %d};" % (fmap["joiner"], rules["tsheg"], rules["blank"]))
    for conv in fmap["converters"]:
        ident = conv["file"].split(".")[0].lower()
        codes = resolve_codes(fmap, conv)
        w("inline constexpr GlyphCode k%sCodes[] = {%s};" % (
            ident.capitalize(), ",".join("{%d, '%s'}" % (c, d) for c, d in codes)))
    w("}  // namespace vexa::family::%s" % namespace)
    with open(out_path, "w", encoding="utf-8") as f:
        f.write("\n".join(L) + "\n")
