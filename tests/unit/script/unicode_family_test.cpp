// The Unicode text says what the control draws: every code reads as the
// letter the family's converter draws for it in the same script (the
// converters' generated tables, read as text).

#include <gtest/gtest.h>

#include <vector>

#include "icu_oracle.h"
#include "unit/fixture_platform.h"
#include "script/unicode_text.h"

namespace vexa::script {
namespace {

using namespace testing;

// The values of `inline constexpr char16_t <name>[...] = {...};` in a table file.
std::vector<char16_t> FamilyArray(const std::string& family, const std::string& name) {
    const std::string s = vexa::test::ReadFile(std::string(VEXA_SOURCE_DIR) + "/family/converters/" +
                                               family + "/" + family + "_tables.inc")
                              .value_or("");
    std::vector<char16_t> values;
    const std::size_t at = s.find(" " + name + "[");
    if (at == std::string::npos) return values;
    std::size_t p = s.find('{', at);
    const std::size_t end = s.find('}', p);
    while (p != std::string::npos && p < end) {
        p = s.find("0x", p);
        if (p == std::string::npos || p > end) break;
        values.push_back(static_cast<char16_t>(std::stoul(s.substr(p, 6), nullptr, 16)));
        p += 2;
    }
    return values;
}

struct Table {
    const char* family;
    const char* array;
    UnicodeScript script;
};

constexpr Table kTables[] = {
    {"devanagari", "kIscii", UnicodeScript::kDevanagari},
    {"bengali", "kIscii", UnicodeScript::kBengali},
    {"bengali", "kAsbcv32Iscii", UnicodeScript::kAssamese},
    {"gurmukhi", "kIscii", UnicodeScript::kGurmukhi},
    {"gujarati", "kIscii", UnicodeScript::kGujarati},
    {"oriya", "kIscii", UnicodeScript::kOriya},
    {"tamil", "kIscii", UnicodeScript::kTamil},
    {"telugu", "kIscii", UnicodeScript::kTelugu},
    {"kannada", "kIscii", UnicodeScript::kKannada},
    {"malayalam", "kIscii", UnicodeScript::kMalayalam},
};

std::u16string Read(std::string code, UnicodeScript s) {
    std::u16string text = IsciiToUnicode(code + " ", s);
    if (!text.empty() && text.back() == u' ') text.pop_back();
    return text;
}

TEST(UnicodeFamily, EveryCodeAndNuktaFormReadsAsTheConverterDrawsIt) {
    for (const Table& t : kTables) {
        const std::vector<char16_t> single = FamilyArray(t.family, t.array);
        const std::vector<char16_t> nukta = FamilyArray(t.family, "kIsciiNukta");
        ASSERT_EQ(single.size(), 256u) << t.family << " " << t.array;
        ASSERT_EQ(nukta.size(), 256u) << t.family;
        for (int b = 0xA1; b <= 0xFA; ++b) {
            SCOPED_TRACE(std::string(t.family) + " " + t.array +
                         Hex(std::string(1, static_cast<char>(b))));
            const std::u16string alone = Read(std::string(1, static_cast<char>(b)), t.script);
            if (single[b] != 0) {
                EXPECT_EQ(Hex(Nfd(alone)), Hex(Nfd(std::u16string(1, single[b]))));
            } else if (b != 0xD9) {  // INV, drawn as an invisible consonant, is ZWJ
                EXPECT_EQ(Hex(alone), "");
            }
            if (nukta[b] != 0) {
                const std::u16string form =
                    Read(std::string{static_cast<char>(b), '\xE9'}, t.script);
                EXPECT_EQ(Hex(Nfd(form)), Hex(Nfd(std::u16string(1, nukta[b]))));
            }
        }
    }
}

TEST(UnicodeFamily, VedicSignsAreTheDevanagariConvertersOnes) {
    const std::vector<char16_t> vedic = FamilyArray("devanagari", "kVedic");
    ASSERT_EQ(vedic.size(), 31u);
    for (std::size_t i = 0; i < vedic.size(); ++i)
        EXPECT_EQ(
            Read(std::string{'\xF0', static_cast<char>(0xA1 + i)}, UnicodeScript::kDevanagari),
            std::u16string(1, vedic[i]));
}

TEST(UnicodeFamily, TibetanBytesAreTheConvertersLetters) {
    const std::vector<char16_t> bytes = FamilyArray("tibetan", "kBytes");
    ASSERT_EQ(bytes.size(), 256u);
    int letters = 0;
    for (int b = 0xA1; b <= 0xFF; ++b) {
        if (b == 0xDA) continue;  // the joiner
        const std::string code(1, static_cast<char>(b));
        const std::u16string ours = IsciiToUnicode(code, UnicodeScript::kTibetan);
        EXPECT_EQ(Hex(ours), bytes[b] ? Hex(std::u16string(1, bytes[b])) : "") << Hex(code);
        if (bytes[b] == 0) continue;
        ++letters;
        EXPECT_EQ(Hex(UnicodeToIscii(ours, UnicodeScript::kTibetan).iscii), Hex(code));
    }
    EXPECT_GT(letters, 80);
}

}  // namespace
}  // namespace vexa::script
