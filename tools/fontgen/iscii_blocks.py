"""ISCII for the scripts other than Devanagari: the same codes at the
script's own Unicode block (the letter at U+0900 + n becomes U+0900 + offset
+ n). Codes whose letter the script lacks (not in its Noto font) are left
out; the dandas stay the Devanagari ones, which these scripts share.
"""
import importlib.util
import os

from fontTools.ttLib import TTFont

HERE = os.path.dirname(os.path.abspath(__file__))
DEVANAGARI_MAKER = os.path.join(HERE, "..", "..", "family", "fonts", "devanagari", "make_map.py")
SHARED = {"\u0964", "\u0965"}


def devanagari():
    found = importlib.util.spec_from_file_location("devanagari_make_map", DEVANAGARI_MAKER)
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


def shift_letter(ch, offset, cmap):
    if ch in SHARED:
        return ch if ord(ch) in cmap else None
    if not "\u0900" <= ch <= "\u097F":
        return None
    out = chr(ord(ch) + offset)
    return out if ord(out) in cmap else None


def tables(font_path, block_start):
    """(iscii, iscii_nukta) byte -> letter tables of the script whose Unicode
    block starts at block_start."""
    dv = devanagari()
    cmap = TTFont(font_path).getBestCmap()
    offset = block_start - 0x900
    out = []
    for table in (dv.ISCII, dv.ISCII_NUKTA):
        shifted = {}
        for byte, letter in table.items():
            ch = shift_letter(letter, offset, cmap)
            if ch is not None:
                shifted[byte] = ch
        out.append(shifted)
    return out


def letters(codes, block_start, font_path):
    """The letters at the Devanagari code points `codes`, moved to the script's
    block, that the script has."""
    cmap = TTFont(font_path).getBestCmap()
    out = []
    for c in codes:
        ch = shift_letter(chr(c), block_start - 0x900, cmap)
        if ch is not None:
            out.append(ch)
    return out


def source_files():
    return [os.path.abspath(__file__), os.path.abspath(DEVANAGARI_MAKER)]
