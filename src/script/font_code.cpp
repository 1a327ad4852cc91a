#include "script/font_code.h"

#include <algorithm>

namespace vexa::script {

namespace {

constexpr unsigned char kFirstIscii = 0xA0;
constexpr unsigned char kExtensionCode = 0xF0;
constexpr unsigned char kSpace = 0x20;
constexpr unsigned char kLineFeed = 0x0A;
constexpr unsigned char kCaretMark = 0x01;

bool IsEnglishByte(unsigned char b) { return b < kFirstIscii && b != kSpace; }

}  // namespace

std::string ToFontCodeRun(ConverterLibrary& converter, std::string_view text, bool englishOnly) {
    if (englishOnly) return std::string(text);

    // The converter reads a NUL-terminated string; work on a terminated copy
    // that ends at the text's first NUL.
    std::string source(text.substr(0, std::min(text.find('\0'), text.size())));
    const auto* bytes = reinterpret_cast<const unsigned char*>(source.c_str());
    const std::size_t length = source.size();

    std::string run;
    run.reserve(length * 2 + 1);

    // The caret mark takes the font of what follows it, so that a syllable
    // it stands in is never drawn in the English font.
    auto effective = [&](std::size_t at) {
        while (at < length && bytes[at] == kCaretMark) ++at;
        return at < length ? bytes[at] : kCaretMark;
    };

    bool inEnglish = false;
    bool inExtension = false;
    unsigned char first = effective(0);
    if (IsEnglishByte(first)) {
        run += static_cast<char>(kEnglishFontSwitch);
        inEnglish = true;
    } else if (first == kExtensionCode) {
        run += static_cast<char>(kExtensionFontSwitch);
        inExtension = true;
    } else {
        run += static_cast<char>(kScriptFontSwitch);
    }

    std::size_t p = 0;
    while (p < length) {
        const unsigned char b = bytes[p];
        if (b == kLineFeed) {
            ++p;
            continue;
        }
        const unsigned char e = b == kCaretMark ? effective(p) : b;
        if (inEnglish && (e >= kFirstIscii || e == kSpace)) {
            inEnglish = false;
            inExtension = e == kExtensionCode;
            run += static_cast<char>(inExtension ? kExtensionFontSwitch : kScriptFontSwitch);
        } else if (!inEnglish && b < kFirstIscii && b != kCaretMark && b != kSpace) {
            run += static_cast<char>(kEnglishFontSwitch);
            inEnglish = true;
            inExtension = false;
        }
        if (inEnglish && b != kCaretMark) {
            run += static_cast<char>(b);
            ++p;
            continue;
        }
        SyllableGlyphs syllable = converter.ConvertSyllable(bytes + p, length - p);
        // The syllable's glyphs (each with at most one switch before it) and
        // a space go in with one append; an output is under 256 bytes.
        char drawn[2 * 256 + 1];
        std::size_t n = 0;
        ForEachGlyph(syllable.output, [&](unsigned char glyph, bool extension) {
            if (extension != inExtension) {
                inExtension = extension;
                drawn[n++] =
                    static_cast<char>(extension ? kExtensionFontSwitch : kScriptFontSwitch);
            }
            drawn[n++] = static_cast<char>(glyph);
        });
        if (b == kSpace) drawn[n++] = static_cast<char>(kSpace);
        run.append(drawn, n);
        p += syllable.consumed;
    }
    return run;
}

std::string ToPlainFontCode(ConverterLibrary& converter, std::string_view text, bool englishOnly) {
    std::string run = ToFontCodeRun(converter, text, englishOnly);
    if (englishOnly) return run;
    std::erase_if(run, [](char c) {
        auto b = static_cast<unsigned char>(c);
        return b == kEnglishFontSwitch || b == kScriptFontSwitch;
    });
    return run;
}

}  // namespace vexa::script
