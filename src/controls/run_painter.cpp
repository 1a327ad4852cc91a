#include "controls/run_painter.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "controls/text_bytes.h"
#include "script/font_code.h"

namespace vexa::controls {

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
    surface.SelectFont(fonts.FontOf(SlotOf(opener)));
    int s = 0;
    while (i <= run.size()) {
        std::size_t j = i;
        while (j < run.size() && !IsSwitch(static_cast<unsigned char>(run[j]))) ++j;
        const std::string_view segment = run.substr(i, j - i);
        surface.SetTransparent(transparent);
        DrawSegment(surface, fonts, scriptName, SlotOf(opener), segment, x + s, y, transparent);
        std::string measured(1, static_cast<char>(opener));
        measured += segment;
        s += fonts.MeasureRun(measured);
        if (j >= run.size()) break;
        opener = static_cast<unsigned char>(run[j]);
        surface.SelectFont(fonts.FontOf(SlotOf(opener)));
        i = j + 1;
    }
    return s;
}

}  // namespace vexa::controls
