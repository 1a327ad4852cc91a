"""Drawing ISCII text the way the controls do, for the harness and the demo.

A converter library is loaded with ctypes and called one syllable at a time;
mixed text becomes a font-code run with the switch bytes 0x02 (English
font), 0x03 (script font) and 0x06 (extension font); runs are drawn glyph by
glyph at whole-pixel advances, as GDI's TextOut does with the widths of
GetCharWidthA.
"""
import ctypes
import os

from PIL import ImageFont

ENGLISH, SCRIPT, EXTENSION = 0x02, 0x03, 0x06
VEDIC_ACCENTS = set(range(0xB8, 0xDA)) | {0xDB}


class Converter:
    def __init__(self, path, entry):
        self.lib = ctypes.CDLL(os.path.abspath(path))
        self.fn = getattr(self.lib, entry)
        self.fn.restype = ctypes.c_int
        self.fn.argtypes = [ctypes.c_char_p, ctypes.c_char_p, ctypes.POINTER(ctypes.c_int),
                            ctypes.POINTER(ctypes.c_int), ctypes.c_int]

    def syllable(self, buffer, base, at, remaining):
        out = ctypes.create_string_buffer(256)
        used, reserved = ctypes.c_int(0), ctypes.c_int(0)
        self.fn(ctypes.c_char_p(base + at), out, ctypes.byref(used), ctypes.byref(reserved), 0)
        raw = out.raw[:out.raw.index(b"\0")]
        return raw, max(1, min(used.value, remaining))

    def pairs(self, text):
        """[(code, digit)] of a NUL-free ISCII text; a space adds (0x20, '1')."""
        src = ctypes.create_string_buffer(text + b"\0")
        base = ctypes.addressof(src)
        pairs, p = [], 0
        while p < len(text):
            raw, used = self.syllable(src, base, p, len(text) - p)
            pairs += [(raw[k], chr(raw[k + 1])) for k in range(0, len(raw) - 1, 2)]
            if text[p] == 0x20:
                pairs.append((0x20, "1"))
            p += used
        return pairs

    def run(self, text):
        """The font-code run of mixed ISCII/English text."""
        src = ctypes.create_string_buffer(text + b"\0")
        base = ctypes.addressof(src)
        out = bytearray()
        first = text[0] if text else 0
        english = first < 0xA0 and first != 0x20
        extension = first == 0xF0
        out.append(ENGLISH if english else EXTENSION if extension else SCRIPT)
        p = 0
        while p < len(text):
            b = text[p]
            if b == 0x0A:
                p += 1
                continue
            if english and (b >= 0xA0 or b == 0x20):
                english, extension = False, b == 0xF0
                out.append(EXTENSION if extension else SCRIPT)
            elif not english and b < 0xA0 and b not in (0x01, 0x20):
                out.append(ENGLISH)
                english, extension = True, False
            if english and b != 0x01:
                out.append(b)
                p += 1
                continue
            raw, used = self.syllable(src, base, p, len(text) - p)
            for k in range(0, len(raw) - 1, 2):
                if chr(raw[k + 1]) == "2":
                    if not extension:
                        out.append(EXTENSION)
                        extension = True
                elif extension:
                    out.append(SCRIPT)
                    extension = False
                out.append(raw[k])
            if b == 0x20:
                out.append(0x20)
            p += used
        return bytes(out)


class Face:
    """One of a control's three fonts: a face at a cell height in pixels."""

    def __init__(self, path, cell_height):
        from fontTools.ttLib import TTFont
        tt = TTFont(path)
        os2 = tt["OS/2"]
        upm = tt["head"].unitsPerEm
        # A positive LOGFONT height is the cell height: ascent plus descent.
        self.em = cell_height * upm / (os2.usWinAscent + os2.usWinDescent)
        self.ascent = round(os2.usWinAscent * self.em / upm)
        self.height = cell_height
        self.name = os.path.basename(path)[:-4]
        self.font = ImageFont.truetype(path, round(self.em), layout_engine=ImageFont.Layout.BASIC,
                                       encoding="symb")
        cmap = tt["cmap"].getcmap(3, 0).cmap
        self.widths = [0] * 256
        for code in range(256):
            name = cmap.get(0xF000 + code)
            if name:
                self.widths[code] = int(tt["hmtx"][name][0] * round(self.em) / upm + 0.5)

    def glyph(self, draw, x, y, code, fill):
        draw.text((x, y + self.ascent), chr(0xF000 + code), font=self.font, fill=fill, anchor="ls")


def draw_run(draw, x, y, run, fonts, vedic=False, fill=(0, 0, 0)):
    """Draws a run with fonts = {SCRIPT: Face, ENGLISH: Face, EXTENSION: Face}.

    With vedic set, the extension font's accents overprint: an accent is drawn
    at the current x without advancing, the face is drawn a fifteenth of its
    height lower, and every other glyph but the first advances by its own
    width before it is drawn."""
    current = run[0] if run and run[0] in (ENGLISH, SCRIPT, EXTENSION) else SCRIPT
    i = 1 if run and run[0] in (ENGLISH, SCRIPT, EXTENSION) else 0
    s = 0
    while i <= len(run):
        j = i
        while j < len(run) and run[j] not in (ENGLISH, SCRIPT, EXTENSION):
            j += 1
        segment = run[i:j]
        face = fonts.get(current) or fonts[SCRIPT]
        if vedic and current == EXTENSION and face.name.upper() == "VD2-TTDORVAN":
            gx, first = x + s, True
            for c in segment:
                if c in VEDIC_ACCENTS:
                    face.glyph(draw, gx, y + face.height // 15, c, fill)
                    continue
                if not first:
                    gx += face.widths[c]
                first = False
                face.glyph(draw, gx, y + face.height // 15, c, fill)
        else:
            gx = x + s
            for c in segment:
                if c in (0x10, 0x01):
                    continue
                face.glyph(draw, gx, y, c, fill)
                gx += face.widths[c]
        s += sum(face.widths[c] for c in segment)
        if j >= len(run):
            break
        current = run[j]
        i = j + 1
    return s
