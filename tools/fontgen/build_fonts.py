#!/usr/bin/python3
"""Builds the 8-bit TrueType faces of a family from its glyph map.

    build_fonts.py <family.map.json> <out dir>

Each face is a legacy symbol font: byte b draws the glyph at U+F000+b of a
(3,0) symbol cmap and at b of a (1,0) byte cmap, and the OS/2 code-page
range has bit 31 (symbol) set, so that Windows maps bytes straight to glyphs
with DEFAULT_CHARSET in every system code page. Glyphs are simple outlines
(no GSUB, no GPOS): marks have zero advance and are drawn where they belong
over the glyph before them.
"""
import json
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

# Fixed dates keep the output identical from one build to the next.
FIXED_TIME = 0x7C259DC0  # 2026-01-01 in seconds since 1904
VERSION = "Version 1.000"
LICENSE = ("This Font Software is licensed under the SIL Open Font License, Version 1.1. "
           "This license is available with a FAQ at: https://openfontlicense.org")
LICENSE_URL = "https://openfontlicense.org"


def outline(glyphset, name, dx=0, dy=0):
    rec = DecomposingRecordingPen(glyphset)
    glyphset[name].draw(rec)
    pen = TTGlyphPen(None)
    rec.replay(TransformPen(pen, (1, 0, 0, 1, dx, dy)))
    return pen.glyph()


def polygon_outline(polygons, dx=0, dy=0):
    """A glyph cut from Noto outlines (decompose.Carver): straight-sided
    polygons in font units."""
    pen = TTGlyphPen(None)
    for poly in polygons:
        pen.moveTo((poly[0][0] + dx, poly[0][1] + dy))
        for x, y in poly[1:]:
            pen.lineTo((x + dx, y + dy))
        pen.closePath()
    return pen.glyph()


def empty_glyph():
    return TTGlyphPen(None).glyph()


def build_face(fmap, face, script_font, latin_font, out_dir):
    sgs = script_font.getGlyphSet()
    lgs = latin_font.getGlyphSet()
    lcmap = latin_font.getBestCmap()
    glyph_info = fmap["glyphs"]
    order = [".notdef", "space"]
    glyphs = {".notdef": empty_glyph(), "space": empty_glyph()}
    metrics = {".notdef": (500, 0), "space": (script_font["hmtx"]["space"][0], 0)}
    by_code = {0x20: "space"}
    lift = 0
    if face["slots"] == "vedic_accents":
        # The painting code draws this face a fifteenth of the font height
        # lower; the accents are raised by as much so they land in place.
        os2 = script_font["OS/2"]
        lift = (os2.usWinAscent + os2.usWinDescent) // 15

    def add(code, gname, glyph, advance):
        order.append(gname)
        glyphs[gname] = glyph
        metrics[gname] = (advance, glyph.xMin if hasattr(glyph, "xMin") and glyph.numberOfContours else 0)
        by_code[code] = gname

    if face.get("latin"):
        for code in range(0x21, 0x7F):
            name = lcmap.get(code)
            if name:
                add(code, "latin%02X" % code, outline(lgs, name), latin_font["hmtx"][name][0])
    if face.get("roman"):
        for ch, code in sorted(fmap["roman_codes"].items(), key=lambda kv: kv[1]):
            name = lcmap.get(ord(ch))
            if name:
                add(code, "roman%02X" % code, outline(lgs, name), latin_font["hmtx"][name][0])
    cut = fmap.get("outlines", {})
    for g, code in sorted(face["codes"].items(), key=lambda kv: kv[1]):
        info = glyph_info[int(g)]
        if info["name"] in cut:
            glyph = polygon_outline(cut[info["name"]], info["dx"], info["dy"] + lift)
        else:
            glyph = outline(sgs, info["name"], info["dx"], info["dy"] + lift)
        add(code, "g%02X" % code, glyph, info["adv"])

    fb = FontBuilder(script_font["head"].unitsPerEm, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap({0xF000 + code: name for code, name in by_code.items()})
    fb.setupGlyf(glyphs)
    for name in order:
        g = glyphs[name]
        g.recalcBounds(fb.font["glyf"]) if hasattr(g, "recalcBounds") else None
        lsb = g.xMin if getattr(g, "numberOfContours", 0) else 0
        metrics[name] = (metrics[name][0], lsb)
    fb.setupHorizontalMetrics(metrics)
    src_hhea, src_os2 = script_font["hhea"], script_font["OS/2"]
    fb.setupHorizontalHeader(ascent=src_hhea.ascent, descent=src_hhea.descent,
                             lineGap=src_hhea.lineGap)
    family = face["face"]
    notice = script_font["name"].getDebugName(0) or ""
    fb.setupNameTable({
        "copyright": notice + "; derivative face " + family + " made for Vexa by renaming and "
                     "re-encoding Noto glyphs.",
        "familyName": family, "styleName": "Regular", "uniqueFontIdentifier": family + " 1.000",
        "fullName": family, "psName": family.replace(" ", ""), "version": VERSION,
        "licenseDescription": LICENSE, "licenseInfoURL": LICENSE_URL,
    })
    fb.setupOS2(sTypoAscender=src_os2.sTypoAscender, sTypoDescender=src_os2.sTypoDescender,
                sTypoLineGap=src_os2.sTypoLineGap, usWinAscent=src_os2.usWinAscent,
                usWinDescent=src_os2.usWinDescent, achVendID="VEXA", fsType=0,
                ulCodePageRange1=1 << 31, ulCodePageRange2=0,
                usFirstCharIndex=0xF020, usLastCharIndex=0xF0FF)
    fb.setupPost(keepGlyphNames=False)
    fb.setupMaxp()
    font = fb.font
    # The byte cmap for the platforms that read (1,0).
    from fontTools.ttLib.tables._c_m_a_p import cmap_format_0
    sub = cmap_format_0(0)
    sub.platformID, sub.platEncID, sub.language = 1, 0, 0
    sub.cmap = {code: name for code, name in by_code.items() if code < 256}
    font["cmap"].tables.append(sub)
    for t in font["cmap"].tables:
        if t.platformID == 3 and t.platEncID == 1:
            t.platEncID = 0  # symbol
        if t.platformID == 0:
            font["cmap"].tables.remove(t)
    font["cmap"].tables = [t for t in font["cmap"].tables if t.platformID != 0]
    font["head"].created = font["head"].modified = FIXED_TIME
    font["head"].fontRevision = 1.0
    path = os.path.join(out_dir, family + ".ttf")
    font.save(path, reorderTables=True)
    return path


def main():
    map_path, out_dir = sys.argv[1:3]
    fmap = json.load(open(map_path, encoding="utf-8"))
    script_font = TTFont(fmap["source_font"])
    latin_font = TTFont(fmap["latin_font"])
    os.makedirs(out_dir, exist_ok=True)
    for face in fmap["faces"]:
        print(build_face(fmap, face, script_font, latin_font, out_dir))


if __name__ == "__main__":
    main()
