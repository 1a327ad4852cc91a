// Font-code text for the host: a converted string, or the control's text
// converted and cut into lines of a given width.
#include "edit/edit_engine.h"
#include "script/font_code.h"

namespace vexa::edit {

std::string EditEngine::GetZIRVOText(std::string_view iscii) {
    return script::ToPlainFontCode(converter_, iscii, script_.englishScript);
}

std::string EditEngine::GetFormattedZIRVOText(int /*fontSize*/, int lineWidth) {
    buffer_.Flush();
    const std::string fc = script::ToPlainFontCode(converter_, buffer_.Text(), script_.englishScript);
    const auto& widths = view_.Metrics().Widths(FontSlot::Script);
    std::string result;
    std::string line;
    int w = 0;
    auto take = [&](unsigned char b) {
        if (w < lineWidth) {
            line += static_cast<char>(b);
            w += widths[b];
        } else {
            result += line;
            result += "\r\n";
            line.assign(1, static_cast<char>(b));
            w = widths[b];
        }
    };
    for (char ch : fc) {
        auto b = static_cast<unsigned char>(ch);
        // English text comes back unconverted with the line feeds a host's
        // line ends leave after 0x0D; each line end gets its own 0x0D 0x0A.
        if (script_.englishScript && b == kLineFeed) continue;
        if (!style_.wantReturn) {
            if (IsLineEnd(b)) continue;
            take(b);
            continue;
        }
        if (b == kHardBreak) {
            result += line;
            result += "\r\n";
            line.clear();
            w = 0;
        } else if (b == kForcedBreak) {
            continue;  // it stood for nothing
        } else {
            // Soft breaks read as the space a host expects at a wrap.
            if (b == kSoftBreakSpace || b == kSoftBreakTab) b = kSpace;
            take(b);
        }
    }
    result += line;
    return result;
}

}  // namespace vexa::edit
