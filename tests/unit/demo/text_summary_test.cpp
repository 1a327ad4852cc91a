#include <gtest/gtest.h>

#include "container/scenario.h"
#include "demo/text_summary.h"
#include "script/unicode_text.h"

namespace vexa::demo {
namespace {

// The summary reads what the container wrote: every byte string survives
// the container's escaping and this unescaping unchanged.
TEST(DemoText, UndoesTheContainersEscapes) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    for (const std::string& bytes : {all, std::string("\xC6\xCC\xD7 A\\\"B"), std::string()}) {
        EXPECT_EQ(UnescapeLogged(container::Escape(bytes)), bytes);
    }
}

TEST(DemoText, RefusesBrokenEscapes) {
    EXPECT_EQ(UnescapeLogged("\\xC"), std::nullopt);
    EXPECT_EQ(UnescapeLogged("ab\\"), std::nullopt);
    EXPECT_EQ(UnescapeLogged("\\xG0"), std::nullopt);
    EXPECT_EQ(UnescapeLogged("\\n00"), std::nullopt);
    EXPECT_EQ(UnescapeLogged("\\x4a\\x4B"), "JK");
}

TEST(DemoText, ShowsBytesAndUnicode) {
    EXPECT_EQ(HexBytes(std::string("\xC6\xCC\x0D" "A", 4)), "C6 CC 0D 41");
    EXPECT_EQ(HexBytes(""), "");
    // "namaste" in Devanagari ISCII, as the demo types it.
    std::u16string text =
        script::IsciiToUnicode("\xC6\xCC\xD7\xE8\xC2\xE1", script::UnicodeScript::kDevanagari);
    EXPECT_EQ(CodePoints(text), "U+0928 U+092E U+0938 U+094D U+0924 U+0947");
    EXPECT_EQ(Utf8(text), "\u0928\u092E\u0938\u094D\u0924\u0947");
}

TEST(DemoText, Utf8CoversEveryLength) {
    EXPECT_EQ(Utf8(u"A\u00E9\u0928"), "A\xC3\xA9\xE0\xA4\xA8");
    EXPECT_EQ(Utf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(CodePoints(u"\U0001F600"), "U+1F600");
    std::u16string lone(1, char16_t(0xD800));
    EXPECT_EQ(Utf8(lone), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vexa::demo
