#include "script/font_code.h"

#include <gtest/gtest.h>

#include "unit/fixture_platform.h"

namespace vexa::script {
namespace {

using test::Bytes;

// The fixture converter turns each ISCII byte into itself, with digit '2'
// (extension font) for vowel signs 0xDA-0xE7 and '1' otherwise.
class FontCodeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(converter.Load("DVBCV32.DLL", "iscii2devzirvo")); }
    std::string Run(const std::string& text) { return ToFontCodeRun(converter, text, false); }

    test::FixturePlatform sim;
    ConverterLibrary converter{sim};
};

// 0x02 opens English, 0x03 the script font, 0x06 the extension font.
TEST_F(FontCodeTest, SwitchesOpenEachStretchOfEnglishScriptAndExtensionText) {
    const std::pair<std::string, std::string> cases[] = {
        // English text opens with the English switch.
        {"", Bytes({0x02})},
        {"abc", Bytes({0x02, 'a', 'b', 'c'})},
        // A space goes to the converter, then follows as a literal in script.
        {"ab cd", Bytes({0x02, 'a', 'b', 0x03, 0x20, 0x02, 'c', 'd'})},
        {" a", Bytes({0x03, 0x20, 0x02, 'a'})},
        {Bytes({0xB3, ' ', 0xB4}), Bytes({0x03, 0xB3, 0x20, 0xB4})},
        // Line feeds vanish; carriage returns and tabs stay English.
        {"a\r\nb\tc", Bytes({0x02, 'a', 0x0D, 'b', 0x09, 'c'})},
        {Bytes({0xB3, 0x0A, 0xB4}), Bytes({0x03, 0xB3, 0xB4})},
        // The converter's digits switch between script and extension fonts.
        {Bytes({0xB3, 0xB4}), Bytes({0x03, 0xB3, 0xB4})},
        {Bytes({0xB3, 0xDA, 0xB4, 0xDB}), Bytes({0x03, 0xB3, 0x06, 0xDA, 0x03, 0xB4, 0x06, 0xDB})},
        {Bytes({'k', 0xB3, 'm'}), Bytes({0x02, 'k', 0x03, 0xB3, 0x02, 'm'})},
        // The extension code opens an extension stretch before the converter
        // is asked; its digit '1' for the code itself switches back.
        {Bytes({0xF0, 0xB3}), Bytes({0x06, 0x03, 0xF0, 0xB3})},
        {Bytes({'a', 0xF0, 0xDA}), Bytes({0x02, 'a', 0x06, 0x03, 0xF0, 0x06, 0xDA})},
        // The caret mark always goes to the converter and never switches; in
        // front of script text it takes the script font, so the syllable it
        // stands in is not drawn in the English font.
        {Bytes({'a', 0x01, 'b'}), Bytes({0x02, 'a', 'b'})},
        {Bytes({0xB3, 0x01, 0xDA}), Bytes({0x03, 0xB3, 0x06, 0xDA})},
        {Bytes({0x01, 0xB3, 0xDA}), Bytes({0x03, 0xB3, 0x06, 0xDA})},
        {Bytes({'a', 0x01, 0xB3}), Bytes({0x02, 'a', 0x03, 0xB3})},
        {Bytes({'a', 0x01}), Bytes({0x02, 'a'})},
        // Text ends at its first NUL.
        {std::string("a\0b", 3), Bytes({0x02, 'a'})},
    };
    for (const auto& [text, run] : cases) EXPECT_EQ(Run(text), run) << testing::PrintToString(text);
}

// Plain font code keeps only the extension switches; English-only text
// comes back unchanged from both.
TEST_F(FontCodeTest, PlainFontCodeKeepsOnlyExtensionSwitches) {
    EXPECT_EQ(ToPlainFontCode(converter, "abc", false), "abc");
    EXPECT_EQ(ToPlainFontCode(converter, Bytes({0xDA}), false), Bytes({0x06, 0xDA}));
    EXPECT_EQ(ToPlainFontCode(converter, Bytes({'a', 0xB3, 0xDA}), false), Bytes({'a', 0xB3, 0x06, 0xDA}));
    const std::string text = Bytes({'a', 0xB3, 0x0A, 0x01, 0x00, 0xF0});
    EXPECT_EQ(ToFontCodeRun(converter, text, true), text);
    EXPECT_EQ(ToPlainFontCode(converter, text, true), text);
}

TEST_F(FontCodeTest, WithoutAConverterBytesPassUnconvertedOneByOne) {
    converter.Unload();
    EXPECT_EQ(Run(Bytes({0xB3, 0xDA, ' ', 'a'})), Bytes({0x03, 0xB3, 0xDA, 0x20, 0x02, 'a'}));
}

// A converter that consumes nothing still advances; one that claims more
// than the text holds stops at its end.
TEST_F(FontCodeTest, ConvertersThatMiscountStillEndTheRun) {
    ASSERT_TRUE(converter.Load("ZEROCV32.DLL", "convert"));
    EXPECT_EQ(Run(Bytes({0xB3, 0xDA, 0xB4})), Bytes({0x03, 0xB3, 0x06, 0xDA, 0xDA, 0x03, 0xB4}));
    ASSERT_TRUE(converter.Load("HUGECV32.DLL", "convert"));
    EXPECT_EQ(Run(Bytes({0xB3, 0xDA, ' ', 0xB4})), Bytes({0x03, 0xB3, 0x06, 0xDA}));
}

}  // namespace
}  // namespace vexa::script
