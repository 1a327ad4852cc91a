#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace vexa::platform {

// A plain RGB colour value (0x00BBGGRR), already translated from an OLE
// colour by the caller.
using Colour = std::uint32_t;

// Everything needed to create a font, in the form of the platform's LOGFONT.
struct FontDescription {
    std::string face;  // at most 31 characters are used
    int height = 0;    // positive: cell height in pixels; 0: the system's default
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 1;  // DEFAULT_CHARSET
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

// A created font; released when destroyed.
class Font {
public:
    virtual ~Font() = default;
    virtual const FontDescription& Description() const = 0;
};

// Creates fonts from descriptions (CreateFontIndirectA).
class Fonts {
public:
    virtual ~Fonts() = default;
    virtual std::unique_ptr<Font> Create(const FontDescription& description) = 0;
};

using CharWidthTable = std::array<int, 256>;

// A drawing surface (a device context): a paint context of the control's
// window, a display context of it, or a context handed in by a container.
// Text is drawn from 8-bit glyph codes of the selected font.
class Surface {
public:
    virtual ~Surface() = default;

    // The display's vertical resolution in dots per inch (LOGPIXELSY).
    virtual int LogPixelsY() const = 0;
    // The part of the surface that drawing can change (GetClipBox): for a
    // paint context, the area being repainted.
    virtual Rect ClipBox() const = 0;

    // Selects a font for text and widths; null selects the context's default.
    virtual void SelectFont(const Font* font) = 0;
    // GetCharWidthA of codes 0 to 255 in the selected font.
    virtual CharWidthTable CharWidths() = 0;
    // Width of one code in the selected font.
    virtual int CharWidth(unsigned char code) = 0;

    virtual void SetTextColour(Colour colour) = 0;
    virtual void SetBackColour(Colour colour) = 0;
    // Transparent text leaves the background under the glyphs alone; opaque
    // text fills each glyph cell with the background colour first.
    virtual void SetTransparent(bool transparent) = 0;

    // Fills a rectangle with a solid brush (pattern copy).
    virtual void Fill(const Rect& rect, Colour colour) = 0;
    // Draws glyph codes with the selected font, top-left at (x, y).
    virtual void TextOut(int x, int y, std::string_view codes) = 0;
    // Inverts the pixels of a polygon region (winding fill).
    virtual void InvertPolygon(std::span<const Point> corners) = 0;
};

}  // namespace vexa::platform
