// The conversions a host's Unicode members use: reading keeps a mark for
// every stored code, writing takes the whole text or none of it.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "script/unicode_tables.h"
#include "script/unicode_text.h"

namespace vexa::script {

namespace {

using namespace unicode;

constexpr char16_t kReplacement = 0xFFFD;

// A code read as nothing in this script: no letter alone, and no nukta form
// with the code after it. English bytes and the layout codes are not letters.
bool IsLostCode(const ScriptTables& t, std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0xA1 || t.english || t.kind[b] != ByteKind::kDrop) return false;
    // The nukta code after a virama makes it the soft one.
    if (b == kIsciiNukta && i > 0 && static_cast<unsigned char>(s[i - 1]) == kIsciiVirama)
        return false;
    const bool nuktaNext = i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) == kIsciiNukta;
    return !(nuktaNext && t.nuktaUnit[b] != 0);
}

bool IsControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

// A byte of the script's letters a control keeps in its text: the letters
// and signs 0xA1 to 0xEA, the digits 0xF1 to 0xFA and the Vedic pairs (0xF0
// and a byte from 0xA1).
bool IsStoredLetterForm(std::string_view iscii) {
    for (std::size_t i = 0; i < iscii.size(); ++i) {
        const auto b = static_cast<unsigned char>(iscii[i]);
        if (b == kIsciiExtension && i + 1 < iscii.size() &&
            static_cast<unsigned char>(iscii[i + 1]) >= kFirstExtended) {
            ++i;
        } else if ((b >= 0xEB && b < 0xF1) || b > 0xFA || (b >= 0x80 && b < 0xA1)) {
            return false;
        }
    }
    return true;
}

// The characters of the script's block (by offset) whose ISCII a control
// does not keep, one table per script, made once.
const std::array<bool, 256>& UnstoredInBlock(UnicodeScript script) {
    static const auto tables = [] {
        std::array<std::array<bool, 256>, static_cast<int>(UnicodeScript::kTibetan) + 1> all{};
        for (std::size_t k = 0; k < all.size(); ++k) {
            const auto s = static_cast<UnicodeScript>(k);
            const ScriptTables& t = TablesFor(s);
            if (t.english) continue;
            for (unsigned offset = 0; offset < 256; ++offset) {
                const char16_t c = static_cast<char16_t>(t.block + offset);
                const IsciiFromUnicode alone = UnicodeToIscii(std::u16string_view(&c, 1), s);
                all[k][offset] = alone.dropped == 0 && !IsStoredLetterForm(alone.iscii);
            }
        }
        return all;
    }();
    return tables[static_cast<int>(script)];
}

// The first control character the control does not keep, Latin-1 letter
// "English" does not keep, or letter whose ISCII form is not kept.
std::optional<UnicodeRefusal> FirstUnstored(std::u16string_view text, UnicodeScript script,
                                            std::u16string_view kept) {
    const bool english = script == UnicodeScript::kEnglish;
    const ScriptTables& t = TablesFor(script);
    const std::array<bool, 256>& unstored = UnstoredInBlock(script);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0x20 && c < 0x7F) continue;
        const unsigned offset = static_cast<unsigned>(c) - t.block;
        bool refused = false;
        if (IsControl(c))
            refused = kept.find(c) == std::u16string_view::npos;
        else if (english)
            refused = c == 0xA0 || (c >= 0xEB && c <= 0xFF);
        else
            refused = offset < 256 && unstored[offset];
        if (refused) return UnicodeRefusal{c, i};
    }
    return std::nullopt;
}

}  // namespace

// The codes of each script that can read as nothing (IsLostCode may still
// keep one for the code beside it), one table per script, made once. The
// flags are 0 or 1 bytes so that eight of them can be or-ed without a branch.
const std::array<std::uint8_t, 256>& MaybeLost(UnicodeScript script) {
    static const auto tables = [] {
        std::array<std::array<std::uint8_t, 256>, static_cast<int>(UnicodeScript::kTibetan) + 1> all{};
        for (std::size_t k = 0; k < all.size(); ++k) {
            const ScriptTables& t = TablesFor(static_cast<UnicodeScript>(k));
            for (unsigned b = 0xA1; b < 256 && !t.english; ++b) all[k][b] = t.kind[b] == ByteKind::kDrop;
        }
        return all;
    }();
    return tables[static_cast<int>(script)];
}

std::u16string IsciiToUnicodeWhole(std::string_view iscii, UnicodeScript script) {
    const ScriptTables& t = TablesFor(script);
    const std::array<std::uint8_t, 256>& maybe = MaybeLost(script);
    const auto* s = reinterpret_cast<const unsigned char*>(iscii.data());
    // Eight codes a step without a branch for each: the common text has none.
    std::size_t lost = 0;
    const std::size_t n = iscii.size();
    for (;;) {
        while (lost + 8 <= n && !(maybe[s[lost]] | maybe[s[lost + 1]] | maybe[s[lost + 2]] |
                                  maybe[s[lost + 3]] | maybe[s[lost + 4]] | maybe[s[lost + 5]] |
                                  maybe[s[lost + 6]] | maybe[s[lost + 7]]))
            lost += 8;
        const std::size_t end = std::min(n, lost + 8);
        while (lost < end && !(maybe[s[lost]] && IsLostCode(t, iscii, lost))) ++lost;
        if (lost < end || lost == n) break;
    }
    if (lost == iscii.size()) return IsciiToUnicode(iscii, script);
    // Rare: the runs between the lost codes, each code a replacement mark.
    std::u16string out;
    std::size_t from = 0;
    for (std::size_t i = lost; i < iscii.size(); ++i) {
        if (!maybe[s[i]] || !IsLostCode(t, iscii, i)) continue;
        out += IsciiToUnicode(iscii.substr(from, i - from), script);
        out += kReplacement;
        from = i + 1;
    }
    out += IsciiToUnicode(iscii.substr(from), script);
    return out;
}

StrictIscii UnicodeToIsciiStrict(std::u16string_view text, UnicodeScript script,
                                 std::u16string_view keptControls) {
    StrictIscii result;
    std::optional<UnicodeRefusal> control = FirstUnstored(text, script, keptControls);
    IsciiFromUnicode converted = UnicodeToIscii(text, script);
    std::optional<UnicodeRefusal> refused = converted.firstDropped;
    if (control && (!refused || control->position < refused->position)) refused = control;
    if (refused)
        result.refused = refused;
    else
        result.iscii = std::move(converted.iscii);
    return result;
}

std::string DescribeRefusal(const UnicodeRefusal& refusal) {
    char text[64];
    std::snprintf(text, sizeof text, "U+%04X at position %zu",
                  static_cast<unsigned>(refusal.character), refusal.position);
    return text;
}

}  // namespace vexa::script
