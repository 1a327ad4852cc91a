#include "common/run_painter.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "common/text_bytes.h"
#include "script/font_code.h"

namespace vexa::common {

namespace {

bool IsSwitch(unsigned char b) {
    return b == script::kEnglishFontSwitch || b == script::kScriptFontSwitch ||
           b == script::kExtensionFontSwitch;
}

FontSlot SlotOf(unsigned char b) {
    if (b == script::kExtensionFontSwitch) return FontSlot::Extension;
    if (b == script::kEnglishFontSwitch) return FontSlot::English;
    return FontSlot::Script;
}

bool SameFace(const std::string& a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsVedicAccent(unsigned char c) { return (c >= 0xB8 && c <= 0xD9) || c == 0xDB; }

// One segment between switch bytes, in the font of `slot`.
void DrawSegment(platform::Surface& surface, const ScriptFonts& fonts, std::string_view scriptName,
                 FontSlot slot, std::string_view segment, int x, int y, bool transparent) {
    if (segment.empty()) return;
    const std::string& face = fonts.Description(slot).face;
    const bool vedic = scriptName == "Vedic";
    if (vedic && SameFace(face, "VD2-TTDorvan")) {
        // Accents overprint the glyph before them.
        y += fonts.Description(slot).height / 15;
        bool first = true;
        for (char ch : segment) {
            const auto c = static_cast<unsigned char>(ch);
            if (IsVedicAccent(c)) {
                surface.SetTransparent(true);
                surface.TextOut(x, y, std::string_view(&ch, 1));
                continue;
            }
            if (!transparent) surface.SetTransparent(false);
            if (!first) x += surface.CharWidth(c);
            first = false;
            surface.TextOut(x, y, std::string_view(&ch, 1));
        }
        return;
    }
    if (vedic && SameFace(face, "VD-TTDorvan")) {
        const auto last = static_cast<unsigned char>(segment.back());
        if (last >= 0xD2 && last <= 0xEF) surface.SetTransparent(true);
    }
    std::string codes;
    codes.reserve(segment.size());
    for (char ch : segment) {
        const auto c = static_cast<unsigned char>(ch);
        // A line feed (English text keeps the host's 0x0D 0x0A) belongs to
        // the line end: it measures nothing and is never drawn.
        if (c == 0x10 || c == text::kCaretMark || c == text::kLineFeed || IsSwitch(c)) continue;
        codes += ch;
    }
    if (!codes.empty()) surface.TextOut(x, y, codes);
}

// The codes of a segment (no switch bytes inside) that reach into the
// pixels [left, right), drawn from `x`: codes wholly left of it are dropped
// and `x` moves past them; codes that start at `right` or beyond are dropped.
// Zero-width marks go with the code before them.
std::string_view VisibleCodes(const ScriptFonts& fonts, unsigned char opener,
                              std::string_view segment, int& x, int left, int right) {
    auto width = [&](char code) {
        const char pair[2] = {static_cast<char>(opener), code};
        return fonts.MeasureRun(std::string_view(pair, 2));
    };
    std::size_t first = 0;
    while (first < segment.size()) {
        const int w = width(segment[first]);
        if (x + w > left) break;
        x += w;
        ++first;
    }
    std::size_t last = first;
    for (int at = x; last < segment.size() && at < right; ++last) at += width(segment[last]);
    while (last < segment.size() && width(segment[last]) == 0) ++last;
    return segment.substr(first, last - first);
}

}  // namespace

int DrawFontCodeRun(platform::Surface& surface, const ScriptFonts& fonts,
                    std::string_view scriptName, std::string_view run, int x, int y,
                    bool transparent) {
    if (run.empty()) return 0;
    std::size_t i = 0;
    unsigned char opener = script::kScriptFontSwitch;
    if (IsSwitch(static_cast<unsigned char>(run[0]))) {
        opener = static_cast<unsigned char>(run[0]);
        i = 1;
    }
    // Only the glyphs across the area being drawn go to the font system (a
    // long line scrolled sideways would otherwise send all of its glyphs on
    // every key), and a font is selected only for a segment that is drawn.
    // The margin keeps glyphs that overhang their cells.
    const platform::Rect clip = surface.ClipBox();
    const int margin = std::max(fonts.LineHeight(), 32);
    const int left = clip.left - margin;
    const int right = clip.right + margin;
    const bool vedic = scriptName == "Vedic";
    bool selected = false;
    FontSlot selectedSlot = SlotOf(opener);
    int s = 0;
    while (i <= run.size()) {
        std::size_t j = i;
        while (j < run.size() && !IsSwitch(static_cast<unsigned char>(run[j]))) ++j;
        const std::string_view segment = run.substr(i, j - i);
        std::string measured(1, static_cast<char>(opener));
        measured += segment;
        const int w = fonts.MeasureRun(measured);
        if (x + s < right && x + s + w > left) {
            const FontSlot slot = SlotOf(opener);
            if (!selected || selectedSlot != slot) {
                surface.SelectFont(fonts.FontOf(slot));
                selected = true;
                selectedSlot = slot;
            }
            surface.SetTransparent(transparent);
            // Vedic accents are placed glyph by glyph: their runs go whole.
            int at = x + s;
            const std::string_view shown =
                vedic ? segment : VisibleCodes(fonts, opener, segment, at, left, right);
            DrawSegment(surface, fonts, scriptName, slot, shown, at, y, transparent);
        }
        s += w;
        if (j >= run.size()) break;
        opener = static_cast<unsigned char>(run[j]);
        i = j + 1;
    }
    return s;
}

}  // namespace vexa::common
